#pragma once
// The image's radio bytes as lists, for comparing before and after;
// included after the test's image (TestImage.h or CoreTestImage.h).

#include <QList>

inline QList<int> rowBytes(int row)
{
    QList<int> bytes;
    for (int c = 0; c < RowBytes; ++c)
        bytes << Img(row, c);
    return bytes;
}

inline QList<int> imageBytes()
{
    QList<int> bytes;
    for (int r = 0; r < RadioRows; ++r)
        bytes << rowBytes(r);
    return bytes;
}
