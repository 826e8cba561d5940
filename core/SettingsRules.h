#pragma once
#include "core/Codecs.h"
#include "core/Bilingual.h"
#include "core/ChannelRecord.h"
#include "core/Codeplug.h"
#include "core/Frequency.h"

#include <QString>
#include <array>
#include <optional>
#include <utility>

// Where the settings editors keep the fields that have no region of their
// own. These rows lie outside the channel records and the name table, so
// editing them never overwrites a channel.
namespace SettingBytes {
constexpr int ScanRow = 240;        // bytes 0..8
constexpr int KeyRow = 240;
constexpr int Pf1Byte = 13;
constexpr int Pf2Byte = 14;
constexpr int MessageRow = 209;     // bytes 4..8
constexpr int MessageFirstByte = 4;
constexpr int MessageLength = 5;
constexpr int DtmfCodeLength = 8;   // row 254 bytes 0..7
} // namespace SettingBytes

// Byte 10 of the VFO record: power (bit 0), bandwidth (bit 1), tone
// inversions (bits 4, 5) and shift direction (bits 7-6).
constexpr int VfoFlags = 10;
constexpr int VfoShiftMask = 0xC0;

// DTMF code digits 0..15 shown as "0".."9", "A".."F"; any other value
// (255 marks an empty position) shows nothing.
QString DtmfDigitToChar(int digit);
// -1 for a character that is no DTMF digit.
int DtmfCharToDigit(QChar ch);
// The code a text stands for: its DTMF characters in upper case, others
// dropped, at most eight.
QString dtmfCodeText(const QString &text);

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
// The highest code that stands for a frequency (108.0 MHz).
constexpr int FmHighestCode = 210;

// A working-range limit as its two bytes (units digit in the high nibble of
// the first, hundreds and tens in the second).
std::array<int, 2> rangeLimitBytes(int mhz);

// The working range's limits: the band they may take, and why an entered
// limit is refused (lower: below the band, or above the upper limit; upper:
// above the band, or below the lower limit).
constexpr int LowestRangeLimitMHz = 400;
constexpr int HighestRangeLimitMHz = 470;
enum class RangeLimitFault { None, OutsideBand, Crossed };
RangeLimitFault lowerLimitFault(double lower, double upper);
RangeLimitFault upperLimitFault(double lower, double upper);
Bilingual rangeLimitMessage(bool lower, RangeLimitFault fault);
// A limit, whole MHz, into its two bytes of the range row.
void storeRangeLimit(Codeplug &image, bool lower, int mhz);

// Whether a character can be stored in one byte of the message.
bool isMessageCharacter(QChar ch);

// --- Rules on an image ------------------------------------------------------

// The VFO receive entry, cut to 10 Hz steps: a frequency of fewer than 10
// characters inside the working range; none otherwise.
std::optional<Frequency> vfoReceiveField(const QString &text, const WorkRange &range);
// The VFO offset entry, cut to 10 Hz steps: a text (empty: 0) of at most 8
// characters below 70 MHz (HighestVfoOffsetMHz at most); none otherwise.
constexpr double HighestVfoOffsetMHz = 69.9875;
std::optional<Frequency> vfoOffsetField(const QString &text);
// Whether the VFO's receive frequency +/- its offset by `direction` (0 off,
// 1 plus, 2 minus) lies inside the working range (upper limit outside).
bool vfoTransmitInRange(const Codeplug &image, int direction, const WorkRange &range);
// The shift direction the VFO's list shows: a stored 3 selects its last
// item, minus.
int vfoShiftDirection(const Codeplug &image);
// A shift that leaves the range is turned off: false when the VFO's
// transmit frequency, by the direction its list shows, lies outside
// `range`; the direction is then off.
bool keepVfoShiftInRange(Codeplug &image, const WorkRange &range);
// A new receive frequency turns the shift off.
void storeVfoReceive(Codeplug &image, Frequency rx);
void storeVfoOffset(Codeplug &image, Frequency offset);
// The VFO's receive and offset frequencies as their fields read.
QString vfoReceiveText(const Codeplug &image);
QString vfoOffsetText(const Codeplug &image);
// An offset box emptied: its bytes hold the empty marker until a value comes.
void clearVfoOffset(Codeplug &image);
// The VFO's tones as tone-selector positions: decode in byte 8 with flag
// bit 4, encode in byte 9 with flag bit 5.
int vfoTonePosition(const Codeplug &image, ToneSlot slot);
void storeVfoTone(Codeplug &image, ToneSlot slot, int position);

// The scan kind (ScanPriorityKind), and the revert list it offers.
int scanKind(const Codeplug &image);
QStringList revertItems(const Codeplug &image, Language language);
// The scan's priority channel is one of the first 16 channels.
constexpr int LastScanPriorityChannel = 16;

// The power record: each level, and which of them the power window
// adjusted last (the record the radio is sent names it).
enum class PowerLevel { Low = 0, High = 1 };
int powerLevel(const Codeplug &image, PowerLevel level);
void storePowerLevel(Codeplug &image, PowerLevel level, int value);

// The first channel with a complete receive frequency, or 0.
int firstChannelInUse(const Codeplug &image);
// Priority scan on takes the first channel in use as priority channel;
// false, and nothing stored, when no channel is in use.
bool switchPriorityScanOn(Codeplug &image);
// Only channel mode on also selects channel mode.
void storeOnlyChannelMode(Codeplug &image, bool on);

// The FM preset k as the presets window shows it: empty above the highest
// code. Storing takes the code of a text (fmPresetCode).
QString fmPresetText(const Codeplug &image, int k);
void storeFmPreset(Codeplug &image, int k, const QString &text);

// The embedded message as the message window shows it: spaces, control
// codes and the filler are skipped. Storing writes one character a byte,
// the rest filled with 255.
QString messageText(const Codeplug &image);
void storeMessage(Codeplug &image, const QString &text);

// The DTMF code of the options window, and storing a code (the characters
// of dtmfCodeText).
QString dtmfCode(const Codeplug &image);
void storeDtmfCode(Codeplug &image, const QString &code);
