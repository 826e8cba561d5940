#pragma once
// The bound the protocol itself sets on a transfer: every byte on the wire
// at 960 bytes a second plus the 15 ms pacer before each frame.

namespace LinkBounds {

constexpr double LineRate = 960.0;
constexpr double PacerSeconds = 0.015;
// Wake-up, identification, first request, 255 requests, 256 replies, 256 acknowledgements.
constexpr int ReadBytes = 8 + 9 + 5 + 255 * 4 + 256 * 21 + 256;
constexpr int ReadFrames = 1 + 256;
// Wake-up, identification, first frame, 254 frames, 255 acknowledgements, the E.
constexpr int WriteBytes = 8 + 9 + 21 + 254 * 20 + 255 + 1;
constexpr int WriteFrames = 1 + 255;

constexpr double bound(int bytes, int frames)
{
    return bytes / LineRate + frames * PacerSeconds;
}

constexpr double Read = bound(ReadBytes, ReadFrames);
constexpr double Write = bound(WriteBytes, WriteFrames);

} // namespace LinkBounds
