#pragma once
#include "core/Codeplug.h"

// Whether a memory channel holds anything. The program has three meanings,
// each used where it applies; they differ only for a channel whose receive
// bytes hold some, but not all, 255 bytes.

// The record's empty marker (byte 0 = 255): the channel grid, the channel
// editor, the channel file and the plan export treat such a channel as
// empty whatever its other bytes hold.
inline bool isChannelEmpty(const Codeplug &image, int n)
{
    return image.cell(n, 0) == Region::Empty;
}

// A complete receive frequency (none of bytes 0..3 is 255): the channels
// that the first-used-channel byte and the priority channel list count.
inline bool hasCompleteReceiveFrequency(const Codeplug &image, int n)
{
    for (int b = 0; b < 4; ++b)
        if (image.cell(n, b) == Region::Empty)
            return false;
    return true;
}

// No receive frequency at all (bytes 0..3 all 255): the channels that the
// range checks before a write skip.
inline bool isReceiveFrequencyUnset(const Codeplug &image, int n)
{
    for (int b = 0; b < 4; ++b)
        if (image.cell(n, b) != Region::Empty)
            return false;
    return true;
}
