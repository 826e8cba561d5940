#pragma once
// The image a test reads and writes: the document of the program it started
// (or, when it starts none, a document of its own), reached the way the
// windows once reached their shared image. Img(row, column) reads a cell
// and, assigned to, writes it; Document() is the whole image for the
// statement it appears in, and whatever the statement changed in it goes
// back into the document at the statement's end. Every write is an edit of
// the document, so the windows are told of it.
#include "core/Codeplug.h"
#include "platform/CodeplugDocument.h"

#include <QVector>

// Set by StartedProgram while its main window lives.
inline CodeplugDocument *&runningDocument()
{
    static CodeplugDocument *document = nullptr;
    return document;
}

inline CodeplugDocument &testDocument()
{
    static CodeplugDocument own;
    return runningDocument() ? *runningDocument() : own;
}

inline const EditLabel &testEditLabel()
{
    static const EditLabel label{QStringLiteral("测试"), QStringLiteral("test")};
    return label;
}

class ImageCell {
public:
    ImageCell(int row, int column) : m_row(row), m_column(column) {}
    operator qint16() const { return testDocument().image().cell(m_row, m_column); }
    ImageCell &operator=(int value)
    {
        testDocument().edit(testEditLabel(), [&](Codeplug &image) { image.at(m_row, m_column) = qint16(value); });
        return *this;
    }
    ImageCell &operator=(const ImageCell &other) { return *this = int(qint16(other)); }
    ImageCell &operator|=(int bits) { return *this = qint16(*this) | bits; }
    ImageCell &operator&=(int bits) { return *this = qint16(*this) & bits; }

private:
    int m_row;
    int m_column;
};

inline ImageCell Img(int row, int column)
{
    return {row, column};
}

class ImageHandle {
public:
    ImageHandle() : m_before(testDocument().image()), m_image(m_before) {}
    ImageHandle(const ImageHandle &) = delete;
    ~ImageHandle()
    {
        if (m_image != m_before)
            testDocument().edit(testEditLabel(), [this](Codeplug &image) { image = m_image; });
    }
    operator Codeplug &() { return m_image; }
    ImageHandle &operator=(const Codeplug &image)
    {
        m_image = image;
        return *this;
    }

private:
    const Codeplug m_before;
    Codeplug m_image;
};

inline ImageHandle Document()
{
    return {};
}

// The start-up image and the working range it holds, with no history.
inline void startWithDefaultImage()
{
    Codeplug image;
    InitDefaultImage(image);
    testDocument().start(image, workRangeOf(image));
}

inline void setWorkRange(double low, double high)
{
    testDocument().adoptWorkRange({low, high});
}

inline QVector<qint16> imageCells()
{
    QVector<qint16> cells;
    for (int r = 0; r < RadioRows; ++r)
        for (int c = 0; c < RowBytes; ++c)
            cells << testDocument().image().cell(r, c);
    return cells;
}
