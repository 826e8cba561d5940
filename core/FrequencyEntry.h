#pragma once
#include "core/Codeplug.h"
#include "core/Frequency.h"

#include <QString>
#include <optional>

// How the channel editors check and show frequencies typed by the user.

// True when v lies in the working range (low limit included, high limit
// excluded) and can be stored in a frequency field.
bool isFrequencyInBand(double v, const WorkRange &range);

// The replacement for an entry outside the working range: the low limit,
// padded as a frequency ("400.00000"; a two-digit limit "88.00000").
QString lowerLimitText(const WorkRange &range);

// A frequency typed into a channel editor's box, read once and checked
// against the working range: the text the box and the cell take, the
// frequency to store (that value snapped onto the raster), and whether the
// entry lay outside, which the caller answers with its range message. The
// text is the entry without its surrounding spaces, padded as a frequency
// ("438" -> "438.00000", "438.5" -> "438.50000", "88" -> "88.00000"), or the
// lower limit in place of an entry outside the range. An entry that does
// not read as one number once padded (a space inside it) counts as outside,
// so that nothing else than was typed is stored.
struct CheckedEntry {
    QString text;
    bool outOfRange;
    Frequency frequency;
};
CheckedEntry checkFrequencyEntry(const QString &entry, const WorkRange &range);

// The value a channel's frequency box stands for, as the edits of a channel
// take it: none when the box is empty, else its leading number, or not a
// number (outside every range) where padding the text as a frequency would
// make it read as another number, as checkFrequencyEntry counts it.
std::optional<double> frequencyEntryValue(const QString &entry);

// A transmit frequency as the channel editors show it: 438 -> "438.00000",
// 145.0125 -> "145.01250"; texts of 9 or more characters stay unchanged.
QString transmitText(Frequency f);
