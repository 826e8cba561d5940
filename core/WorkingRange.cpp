#include "core/WorkingRange.h"

#include "core/ChannelUse.h"

using namespace Region;

bool insideWorkingRange(double mhz, const WorkRange &range)
{
    return mhz >= range.low && mhz < range.high;
}

double checkedTransmitMHz(Frequency rx, Frequency offset, int direction)
{
    switch (direction) {
    case 1:
        return rx.mhz() + offset.mhz();
    case 2:
        return rx.mhz() - offset.mhz();
    default:
        return rx.mhz();
    }
}

namespace {

// The range row's range as the checks before a write read it: a frequency
// counts by its whole MHz, so the upper limit's own MHz lies inside.
WorkRange wholeMHzRange(const Codeplug &image)
{
    const auto [lower, upper] = RangeFromImage(image);
    return {double(lower), double(upper) + 1};
}

// Receive and transmit frequency of a record whose direction sits in bits
// 7-6 of `directionByte` (3 counts as simplex).
bool recordInRange(const Codeplug &image, int row, int directionByte, const WorkRange &range)
{
    const Frequency rx = Frequency::read(image, row, 0);
    const int direction = (image.cell(row, directionByte) & 0xC0) / 64;
    return insideWorkingRange(rx.mhz(), range)
           && insideWorkingRange(checkedTransmitMHz(rx, Frequency::read(image, row, 4), direction), range);
}

} // namespace

bool CheckVfoRange(const Codeplug &image)
{
    return !recordInRange(image, VfoRow, 10, wholeMHzRange(image));
}

int CheckChannelRanges(const Codeplug &image)
{
    const QList<int> outside = channelsOutOfRange(image);
    return outside.isEmpty() ? 0 : outside.first();
}

QList<int> channelsOutOfRange(const Codeplug &image)
{
    const WorkRange range = wholeMHzRange(image);
    QList<int> outside;
    for (int n = FirstChannelRow; n <= LastChannelRow; ++n)
        if (!isReceiveFrequencyUnset(image, n) && !recordInRange(image, n, 12, range))
            outside << n;
    return outside;
}
