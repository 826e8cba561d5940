#pragma once
#include <QList>
#include "core/Codeplug.h"
#include "core/Frequency.h"

// The working range checks of the windows and of the checks before a write.

// Whether a value in MHz lies in the working range: the low limit included,
// the high one excluded. The checks compare in MHz as a double on purpose: a
// typed entry as it was typed (399.999999 lies below 400), and a transmit
// frequency as the double sum of checkedTransmitMHz, which now and then
// lands a hair beside the exact value (512.04 - 42.04 gives
// 469.99999999999994, inside a range that ends at 470). Every entry and
// every stored channel thus stays inside or outside as it always was.
bool insideWorkingRange(double mhz, const WorkRange &range);

// The transmit frequency as the range checks compare it: the receive value
// plus (direction 1) or minus (direction 2) the offset, in MHz as doubles;
// any other direction is simplex.
double checkedTransmitMHz(Frequency rx, Frequency offset, int direction);

// Answers true when the VFO lies OUTSIDE the range row's range, that is
// when the check fails; false when the VFO is in range. Run before a write
// and after the range changed.
bool CheckVfoRange(const Codeplug &image);

// The first channel whose receive or transmit frequency lies outside the
// range row's range, or 0 when all are inside.
int CheckChannelRanges(const Codeplug &image);
// Every such channel, in order.
QList<int> channelsOutOfRange(const Codeplug &image);
