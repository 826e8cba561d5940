#pragma once
#include "core/Codeplug.h"

#include <QString>

// Conversions between the radio's stored bytes and the texts the windows
// show and accept.

// The frequency in the field b0..b3 as display text ("438.12500").
QString FreqFromBytes(int b0, int b1, int b2, int b3);

// The frequency text of the field at (row, column..column + 3).
QString frequencyText(const Codeplug &image, int row, int column);

// The FM broadcast frequency of a preset code: 87.0 + 0.1 x code.
QString FmFreqText(int code);

// The 41-character name alphabet of the radio.
int CharToCode(const QString &ch);
QString CodeToChar(int code);
