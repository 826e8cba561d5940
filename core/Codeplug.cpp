#include "core/Codeplug.h"

#include "core/ChannelUse.h"

#include <cstring>

using namespace Region;

QByteArray Codeplug::toByteArray() const
{
    QByteArray bytes(Size, Qt::Uninitialized);
    for (int a = 0; a < Size; ++a)
        bytes[a] = char(byte(a));
    return bytes;
}

void Codeplug::copyRowsFrom(const Codeplug &source, int rows)
{
    std::memcpy(m_cells, source.m_cells, sizeof(qint16) * RowBytes * size_t(rows));
}

bool Codeplug::operator==(const Codeplug &other) const
{
    return std::memcmp(m_cells, other.m_cells, sizeof m_cells) == 0;
}

static void setBytes(Codeplug &image, int row, int firstColumn, std::initializer_list<int> values)
{
    int c = firstColumn;
    for (int v : values)
        image.at(row, c++) = static_cast<qint16>(v);
}

void InitDefaultImage(Codeplug &image)
{
    for (int r = 0; r < RadioRows; ++r)
        for (int c = 0; c < RowBytes; ++c)
            image.at(r, c) = Empty;
    // VFO: receive 400.02500 MHz, offset 10 MHz.
    setBytes(image, VfoRow, 0, {0x00, 0x25, 0x00, 0x40, 0x00, 0x00, 0x00, 0x01, 0, 0, 3});
    image.at(GeneralRow, 9) = 0;
    setBytes(image, RangeRow, 0, {0x00, 0x40, 0x00, 0x47});
    for (int c = 0; c < RowBytes; ++c)
        image.at(FmPresetRow, c) = Empty;
    setBytes(image, GeneralRow, 0, {0x76, 0x95, 5, 0, 0, 0xC8, 0x40, 0, 0});
    image.at(GeneralRow, 12) = 0;
    for (int c = 0; c < 8; ++c)
        image.at(DtmfRow, c) = Empty;
    setBytes(image, DtmfRow, 8, {0, 0, 0});
}

std::pair<int, int> RangeFromImage(const Codeplug &image)
{
    const auto hi = [&image](int c) { return image.cell(RangeRow, c) / 16; };
    const auto lo = [&image](int c) { return image.cell(RangeRow, c) % 16; };
    const int lower = 100 * hi(1) + 10 * lo(1) + hi(0);
    const int upper = 100 * hi(3) + 10 * lo(3) + hi(2);
    return {lower, upper};
}

WorkRange workRangeOf(const Codeplug &image)
{
    const auto [low, high] = RangeFromImage(image);
    return {double(low), double(high)};
}

void MarkFirstUsedChannel(Codeplug &image)
{
    image.at(GeneralRow, FirstUsedChannelByte) = 0;
    for (int n = FirstChannelRow; n <= LastChannelRow; ++n) {
        if (hasCompleteReceiveFrequency(image, n)) {
            image.at(GeneralRow, FirstUsedChannelByte) = static_cast<qint16>(n);
            return;
        }
    }
}

void ApplyFixedRows(Codeplug &image)
{
    for (int c = 0; c < RowBytes; ++c) {
        image.at(0, c) = Empty;
        image.at(SignatureRow, c) = Empty;
    }
    image.at(MagicRow, 0) = 0x76;
    image.at(MagicRow, 1) = 0x95;
    setBytes(image, SignatureRow, 0, {'L', 'I', 'S', 'T', 'E', 'N', 'I', 'G'});
}
