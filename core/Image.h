#pragma once
#include "core/Codeplug.h"

#include <QVector>

// The windows' shared image: a table of 301 rows by 33 columns of 16-bit
// values. Img(r, c) is the byte at radio address 16 * r + c; only rows
// 0..255 and columns 0..15 carry radio data, and those cells are the
// windows' one document, a Codeplug that the windows hand to the same
// functions that the companion uses on its own values.
constexpr int ImageRows = 301;
constexpr int ImageColumns = 33;

namespace ImageStorage {
extern Codeplug document;
// The cells beyond the radio's rows and columns.
extern qint16 spare[ImageRows][ImageColumns];
} // namespace ImageStorage

inline Codeplug &Document() { return ImageStorage::document; }

// Every cell of the table, row by row, for comparing the image before and
// after.
QVector<qint16> imageCells();

inline qint16 &Img(int row, int column)
{
    Q_ASSERT(row >= 0 && row < ImageRows && column >= 0 && column < ImageColumns);
    if (row < RadioRows && column < RowBytes)
        return ImageStorage::document.at(row, column);
    return ImageStorage::spare[row][column];
}

// The image-wide operations of the windows, on the document and the shared
// working range.

// Fills the image with the start-up default and takes the working range
// from it.
void InitDefaultImage();
std::pair<int, int> RangeFromImage();
void MarkFirstUsedChannel();
void ApplyFixedRows();
bool CheckVfoRange();
int CheckChannelRanges();
