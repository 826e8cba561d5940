#pragma once
#include "core/Layout.h"

#include <QByteArray>
#include <QtGlobal>
#include <utility>

// The radio's memory as a value: 4096 cells, byte c of row r at address
// 16 * r + c. Every codec, record and rule works on such a value; the
// windows' document holds one of them. A cell is 16 bits wide because the
// windows' image is a table of 16-bit values; a radio byte is its low 8 bits.
class Codeplug {
public:
    static constexpr int Size = RadioRows * RowBytes;

    // The radio byte, and the cell that holds it.
    quint8 at(int row, int column) const { return quint8(m_cells[index(row, column)]); }
    qint16 &at(int row, int column) { return m_cells[index(row, column)]; }
    qint16 cell(int row, int column) const { return m_cells[index(row, column)]; }
    quint8 byte(int address) const { return at(address / RowBytes, address % RowBytes); }
    QByteArray toByteArray() const;
    // Rows 0..rows-1 of `source` replace this value's; the rest stays.
    void copyRowsFrom(const Codeplug &source, int rows);

    bool operator==(const Codeplug &other) const;
    bool operator!=(const Codeplug &other) const { return !(*this == other); }

private:
    static int index(int row, int column)
    {
        Q_ASSERT(row >= 0 && row < RadioRows && column >= 0 && column < RowBytes);
        return row * RowBytes + column;
    }

    qint16 m_cells[Size]{};
};

// A working frequency range, whole MHz: frequency entries lie from `low`
// (included) up to `high` (excluded).
struct WorkRange {
    double low;
    double high;
};

// --- Image-wide rules --------------------------------------------------------

// Fills rows 0..255 with the start-up default.
void InitDefaultImage(Codeplug &image);

// The working range held in the range row, whole MHz.
std::pair<int, int> RangeFromImage(const Codeplug &image);
WorkRange workRangeOf(const Codeplug &image);

// Before a write: the number of the first channel in use into the general
// settings, and the fixed rows.
void MarkFirstUsedChannel(Codeplug &image);
void ApplyFixedRows(Codeplug &image);
