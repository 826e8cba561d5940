#pragma once
// The image a headless test reads and writes, with the working range beside
// it, reached the way the windows once reached their shared image; the
// window tests have the program's document instead (TestImage.h).
#include "core/Codeplug.h"

#include <QVector>

class CoreTestImage {
public:
    const Codeplug &image() const { return m_image; }
    Codeplug &image() { return m_image; }
    WorkRange workRange() const { return m_range; }
    void adoptWorkRange(const WorkRange &range) { m_range = range; }

private:
    Codeplug m_image;
    WorkRange m_range{400, 470};
};

inline CoreTestImage &testDocument()
{
    static CoreTestImage image;
    return image;
}

inline Codeplug &Document() { return testDocument().image(); }
inline qint16 &Img(int row, int column) { return testDocument().image().at(row, column); }

// The start-up image and the working range it holds.
inline void startWithDefaultImage()
{
    InitDefaultImage(testDocument().image());
    testDocument().adoptWorkRange(workRangeOf(testDocument().image()));
}

inline void setWorkRange(double low, double high) { testDocument().adoptWorkRange({low, high}); }

inline QVector<qint16> imageCells()
{
    QVector<qint16> cells;
    for (int r = 0; r < RadioRows; ++r)
        for (int c = 0; c < RowBytes; ++c)
            cells << testDocument().image().cell(r, c);
    return cells;
}
