#include "core/Image.h"

#include "core/ChannelUse.h"
#include "core/Codecs.h"
#include "core/ModuleState.h"
#include "core/NumberText.h"

#include <cmath>

qint16 ImageTable[ImageRows][ImageColumns];

using namespace Region;

static void setBytes(int row, int firstColumn, std::initializer_list<int> values)
{
    int c = firstColumn;
    for (int v : values)
        Img(row, c++) = static_cast<qint16>(v);
}

void InitDefaultImage()
{
    for (int r = 0; r < RadioRows; ++r)
        for (int c = 0; c < RowBytes; ++c)
            Img(r, c) = Empty;
    // VFO: receive 400.02500 MHz, offset 10 MHz.
    setBytes(VfoRow, 0, {0x00, 0x25, 0x00, 0x40, 0x00, 0x00, 0x00, 0x01, 0, 0, 3});
    Img(GeneralRow, 9) = 0;
    setBytes(RangeRow, 0, {0x00, 0x40, 0x00, 0x47});
    const auto [low, high] = RangeFromImage();
    WorkRangeLowMHz = low;
    WorkRangeHighMHz = high;
    for (int c = 0; c < RowBytes; ++c)
        Img(FmPresetRow, c) = Empty;
    setBytes(GeneralRow, 0, {0x76, 0x95, 5, 0, 0, 0xC8, 0x40, 0, 0});
    Img(GeneralRow, 12) = 0;
    for (int c = 0; c < 8; ++c)
        Img(DtmfRow, c) = Empty;
    setBytes(DtmfRow, 8, {0, 0, 0});
}

std::pair<int, int> RangeFromImage()
{
    const auto hi = [](int row, int c) { return Img(row, c) / 16; };
    const auto lo = [](int row, int c) { return Img(row, c) % 16; };
    const int lower = 100 * hi(RangeRow, 1) + 10 * lo(RangeRow, 1) + hi(RangeRow, 0);
    const int upper = 100 * hi(RangeRow, 3) + 10 * lo(RangeRow, 3) + hi(RangeRow, 2);
    return {lower, upper};
}

void MarkFirstUsedChannel()
{
    Img(GeneralRow, FirstUsedChannelByte) = 0;
    for (int n = FirstChannelRow; n <= LastChannelRow; ++n) {
        if (hasCompleteReceiveFrequency(n)) {
            Img(GeneralRow, FirstUsedChannelByte) = static_cast<qint16>(n);
            return;
        }
    }
}

void ApplyFixedRows()
{
    for (int c = 0; c < RowBytes; ++c) {
        Img(0, c) = Empty;
        Img(SignatureRow, c) = Empty;
    }
    Img(MagicRow, 0) = 0x76;
    Img(MagicRow, 1) = 0x95;
    setBytes(SignatureRow, 0, {'L', 'I', 'S', 'T', 'E', 'N', 'I', 'G'});
}

static double fieldMHz(int row, int column)
{
    return numericValue(FreqFromBytes(Img(row, column), Img(row, column + 1),
                                      Img(row, column + 2), Img(row, column + 3)));
}

// Whole MHz of receive and transmit frequency of a record whose direction
// sits in bits 7-6 of `directionByte`; both must lie in lower..upper.
static bool recordInRange(int row, int directionByte, int lower, int upper)
{
    const double rx = fieldMHz(row, 0);
    if (std::floor(rx) < lower || std::floor(rx) > upper)
        return false;
    const double offset = fieldMHz(row, 4);
    int direction = (Img(row, directionByte) & 0xC0) / 64;
    if (direction > 2)
        direction = 0;
    const double tx = std::floor(direction == 1 ? rx + offset : direction == 2 ? rx - offset : rx);
    return tx >= lower && tx <= upper;
}

bool CheckVfoRange()
{
    const auto [lower, upper] = RangeFromImage();
    return !recordInRange(VfoRow, 10, lower, upper);
}

int CheckChannelRanges()
{
    const auto [lower, upper] = RangeFromImage();
    for (int n = FirstChannelRow; n <= LastChannelRow; ++n) {
        if (isReceiveFrequencyUnset(n))
            continue;
        if (!recordInRange(n, 12, lower, upper))
            return n;
    }
    return 0;
}
