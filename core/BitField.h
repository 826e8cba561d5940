#pragma once
#include "core/Codeplug.h"

// Groups of bits inside one image byte. A mask picks the bits; values are
// given and returned shifted down, so that the mask's lowest bit is bit 0
// (the bits 0xC0 of a byte hold the values 0..3).

inline int maskShift(int mask)
{
    int shift = 0;
    while (mask && !(mask & (1 << shift)))
        ++shift;
    return shift;
}

inline int imageBits(const Codeplug &image, int row, int byte, int mask)
{
    return (image.cell(row, byte) & mask) >> maskShift(mask);
}

// Read-modify-write: the bits of `mask` take `value`, every other bit of the
// byte stays as it was.
inline void storeImageBits(Codeplug &image, int row, int byte, int mask, int value)
{
    const int bits = (value << maskShift(mask)) & mask;
    image.at(row, byte) = static_cast<qint16>((image.cell(row, byte) & ~mask & 0xFF) | bits);
}

inline bool imageBit(const Codeplug &image, int row, int byte, int bit)
{
    return imageBits(image, row, byte, 1 << bit) != 0;
}

inline void storeImageBit(Codeplug &image, int row, int byte, int bit, bool on)
{
    storeImageBits(image, row, byte, 1 << bit, on ? 1 : 0);
}
