#pragma once
#include <QtGlobal>
#include <utility>

// The codeplug image: the radio's 4096-byte memory as a table of 301 rows by
// 33 columns of 16-bit values. Img(r, c) is the byte at radio address
// 16 * r + c; only rows 0..255 and columns 0..15 carry radio data.
constexpr int ImageRows = 301;
constexpr int ImageColumns = 33;
constexpr int RadioRows = 256;
constexpr int RowBytes = 16;

extern qint16 ImageTable[ImageRows][ImageColumns];

inline qint16 &Img(int row, int column)
{
    Q_ASSERT(row >= 0 && row < ImageRows && column >= 0 && column < ImageColumns);
    return ImageTable[row][column];
}

// Where the regions of the radio memory lie.
namespace Region {
constexpr int FirstChannelRow = 1;      // channel n in row n
constexpr int LastChannelRow = 128;
constexpr int VfoRow = 130;
constexpr int NameTableFirstRow = 160;  // 5-byte names of the channel editor
constexpr int NameTableLastRow = 199;
constexpr int MagicRow = 220;
constexpr int RangeRow = 250;           // working frequency range
constexpr int SignatureRow = 251;
constexpr int GeneralRow = 252;         // general option settings
constexpr int FmPresetRow = 253;
constexpr int DtmfRow = 254;
constexpr int PowerRow = 255;           // transmit power adjustment
constexpr int FirstUsedChannelByte = 7; // in the general row
constexpr int Empty = 255;              // unprogrammed memory
} // namespace Region

// Fills the image with the start-up default and takes the working range
// from it.
void InitDefaultImage();

// The working range held in the range row, whole MHz.
std::pair<int, int> RangeFromImage();

// Before a write: the number of the first channel in use into the general
// settings, and the fixed rows.
void MarkFirstUsedChannel();
void ApplyFixedRows();

// Before a write, and after the range changed: true when the VFO lies
// outside the range row's range.
bool CheckVfoRange();

// The first channel whose receive or transmit frequency lies outside the
// range row's range, or 0 when all are inside.
int CheckChannelRanges();
