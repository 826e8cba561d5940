#pragma once
#include <QString>
#include <array>
#include <utility>

// Where the settings editors keep the fields that have no region of their
// own. These rows lie outside the channel records and the name table, so
// editing them never overwrites a channel.
namespace SettingsPlace {
constexpr int ScanRow = 240;        // bytes 0..8
constexpr int KeyRow = 240;
constexpr int Pf1Byte = 13;
constexpr int Pf2Byte = 14;
constexpr int MessageRow = 209;     // bytes 4..8
constexpr int MessageFirstByte = 4;
constexpr int MessageLength = 5;
constexpr int DtmfCodeLength = 8;   // row 254 bytes 0..7
} // namespace SettingsPlace

// DTMF code digits 0..15 shown as "0".."9", "A".."F"; any other value
// (255 marks an empty position) shows nothing.
QString DtmfDigitToChar(int digit);
// -1 for a character that is no DTMF digit.
int DtmfCharToDigit(QChar ch);
// The code a text stands for: its DTMF characters in upper case, others
// dropped, at most eight.
QString dtmfCodeText(const QString &text);

// The list index of a tone and back: 0 off, 1..154 the stored code, the
// inverted DCS codes as 155..258.
int toneIndexOfCode(int code, bool inverted);
std::pair<int, bool> toneCodeOfIndex(int index); // (code, inverted)

// The programmable keys: list item <-> stored code.
constexpr int KeyFunctionCount = 12;
int keyItemOfCode(int code);
int keyCodeOfItem(int item);

// The look-back times: list item k is 0.50 + 0.05 k seconds.
constexpr int LookBackItemCount = 91;
int lookBackItemOfByte(int value);
int lookBackByteOfItem(int item);

// An FM preset code: 255 for an empty text or a frequency outside
// 87.0..108.0 MHz, otherwise the whole 0.1 MHz steps above 87.0.
constexpr double FmLowerMHz = 87.0;
constexpr double FmUpperMHz = 108.0;
int fmPresetCode(const QString &text);

// A working-range limit as its two bytes (units digit in the high nibble of
// the first, hundreds and tens in the second).
std::array<int, 2> rangeLimitBytes(int mhz);

// Whether a character can be stored in one byte of the message.
bool isMessageCharacter(QChar ch);
