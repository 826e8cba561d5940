#include "core/Codeplug.h"

#include <cstring>

Codeplug Codeplug::fromImage()
{
    Codeplug image;
    for (int r = 0; r < RadioRows; ++r)
        for (int c = 0; c < RowBytes; ++c)
            image.at(r, c) = quint8(Img(r, c));
    return image;
}

void Codeplug::storeIntoImage(int rows) const
{
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < RowBytes; ++c)
            Img(r, c) = at(r, c);
}

ImageScope::ImageScope()
{
    std::memcpy(m_saved, ImageTable, sizeof m_saved);
}

ImageScope::~ImageScope()
{
    std::memcpy(ImageTable, m_saved, sizeof m_saved);
}
