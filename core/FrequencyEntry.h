#pragma once
#include "core/Codeplug.h"

#include <QString>

// How the channel editors check and show frequencies typed by the user.

// True when v lies in the working range (low limit included, high limit
// excluded) and can be stored in a frequency field.
bool isFrequencyInBand(double v, const WorkRange &range);

// The replacement for an entry outside the working range: the low limit,
// padded as a frequency ("400.00000"; a two-digit limit "88.00000").
QString lowerLimitText(const WorkRange &range);

// An accepted entry padded as a frequency: "438" -> "438.00000",
// "438.5" -> "438.50000", "88" -> "88.00000".
QString frequencyEntryText(const QString &entry);

// The text a typed frequency entry is stored as: without its surrounding
// spaces, padded as above. Empty when the entry lies outside the working
// range or does not read as one number (a space inside it), so that the
// caller answers it with the range message instead of storing something
// else than was typed.
QString storableFrequencyEntry(const QString &entry, const WorkRange &range);

// A transmit frequency as the channel editors show it: 438 -> "438.00000",
// 145.0125 -> "145.01250"; texts of 9 or more characters stay unchanged.
QString transmitText(double mhz);
