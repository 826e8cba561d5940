#pragma once

// The intervals of a link, in milliseconds. The real profile is what the
// radio expects; tests may shorten them so that restarts do not take seconds.
struct LinkTiming {
    int pacerMs = 15;         // from a prepared frame to its first byte
    int frameReplyMs = 1000;  // watchdog after the last byte of a frame
    int byteReplyMs = 2000;   // watchdog after each byte while a frame goes out
    int restartMs = 5000;     // pause before a failed link starts again
    int readCloseMs = 200;    // read window: how often it looks whether it is done
    int closeMs = 500;        // write and power windows: the same

    static LinkTiming real() { return LinkTiming(); }
};

enum class LinkKind { Read, Write, Power };

// The frame that wakes the radio at the start of every link: "PROGRAM" 02.
inline constexpr char LinkWakeUp[] = {'P', 'R', 'O', 'G', 'R', 'A', 'M', '\x02'};

// Why a link gave up: the radio never identified itself, a reply or an
// acknowledgement went missing (or the replies were misaligned), or the
// device vanished.
enum class LinkFailure { NoAnswer, LostReply, DeviceLost };
