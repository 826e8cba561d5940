#pragma once
#include "core/Codeplug.h"

#include <QString>
#include <QtGlobal>
#include <array>

// Conversions between the radio's stored bytes and the texts the windows
// show and accept.

// A frequency field: 8 packed BCD digits d7d6d5.d4d3d2d1d0 MHz in four
// bytes, least significant byte first.
using FreqField = std::array<quint8, 4>;

// The frequency in the field b0..b3 as display text ("438.12500").
QString FreqFromBytes(int b0, int b1, int b2, int b3);

// The field of a frequency given as text. Only 0 up to 999.99999 MHz can be
// encoded: any other value gives false and leaves `field` untouched.
bool FreqToBytes(const QString &text, FreqField &field);

// Snaps the frequency in `text` down to the nearer of the 5 kHz and
// 6.25 kHz rasters, writes the snapped value back into `text` and stores its
// field into (row, column..column + 3) of the image. A value outside 0..999.99999 MHz
// is refused: false, and neither `text` nor the image changes.
bool StoreFrequency(Codeplug &image, QString &text, int row, int column);

// The frequency text of the field at (row, column..column + 3), and its
// value in MHz.
QString frequencyText(const Codeplug &image, int row, int column);
double frequencyMHz(const Codeplug &image, int row, int column);

// The frequency a frequency text stands for, in MHz (its numeric value).
inline bool isEncodableFrequency(double mhz) { return mhz >= 0.0 && mhz < 1000.0; }

// The FM broadcast frequency of a preset code: 87.0 + 0.1 x code.
QString FmFreqText(int code);

// The tone list: 0 off, 1..50 CTCSS, 51..154 DCS normal, 155..258 DCS
// inverted; entries 259..300 stay empty.
constexpr int ToneNamesSize = 301;
extern QString ToneNames[ToneNamesSize];
extern qint16 CtcssCount;
extern qint16 DcsNormalEnd;
extern qint16 ToneListEnd;
void InitToneNames();

// The 41-character name alphabet of the radio.
int CharToCode(const QString &ch);
QString CodeToChar(int code);
