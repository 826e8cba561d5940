#include "core/Image.h"

#include "core/ModuleState.h"

namespace ImageStorage {
Codeplug document;
qint16 spare[ImageRows][ImageColumns];
} // namespace ImageStorage

QVector<qint16> imageCells()
{
    QVector<qint16> cells;
    cells.reserve(ImageRows * ImageColumns);
    for (int r = 0; r < ImageRows; ++r)
        for (int c = 0; c < ImageColumns; ++c)
            cells << Img(r, c);
    return cells;
}

void InitDefaultImage()
{
    InitDefaultImage(Document());
    const auto [low, high] = RangeFromImage();
    WorkRangeLowMHz = low;
    WorkRangeHighMHz = high;
}

std::pair<int, int> RangeFromImage()
{
    return RangeFromImage(Document());
}

void MarkFirstUsedChannel()
{
    MarkFirstUsedChannel(Document());
}

void ApplyFixedRows()
{
    ApplyFixedRows(Document());
}

bool CheckVfoRange()
{
    return CheckVfoRange(Document());
}

int CheckChannelRanges()
{
    return CheckChannelRanges(Document());
}
