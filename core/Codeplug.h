#pragma once
#include "core/Image.h"

#include <array>

// The radio's memory as a value of its own: 4096 bytes, byte c of row r at
// address 16 * r + c. What runs without the windows (the link engine, the
// companion program) works on such values instead of the shared image.
class Codeplug {
public:
    static constexpr int Size = RadioRows * RowBytes;

    quint8 at(int row, int column) const { return m_bytes[index(row, column)]; }
    quint8 &at(int row, int column) { return m_bytes[index(row, column)]; }
    const std::array<quint8, Size> &bytes() const { return m_bytes; }

    bool operator==(const Codeplug &other) const { return m_bytes == other.m_bytes; }
    bool operator!=(const Codeplug &other) const { return m_bytes != other.m_bytes; }

    // Rows 0..255 of the shared image.
    static Codeplug fromImage();
    // Copies rows 0..rows-1 into the shared image; the rest stays.
    void storeIntoImage(int rows = RadioRows) const;

private:
    static int index(int row, int column)
    {
        Q_ASSERT(row >= 0 && row < RadioRows && column >= 0 && column < RowBytes);
        return row * RowBytes + column;
    }

    std::array<quint8, Size> m_bytes{};
};

// Keeps the whole shared image (every row and column) and puts it back when
// it goes out of scope, so that code which reads a value through the image's
// codecs leaves the image as it found it.
class ImageScope {
public:
    ImageScope();
    ~ImageScope();
    ImageScope(const ImageScope &) = delete;
    ImageScope &operator=(const ImageScope &) = delete;

private:
    qint16 m_saved[ImageRows][ImageColumns];
};
