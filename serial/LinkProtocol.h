#pragma once
#include <QtGlobal>

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

// The bytes and counts of the protocol, named once for the engine, the
// traffic texts, the companion and the windows.
namespace Protocol {

inline constexpr quint8 Ack = 0x06;
inline constexpr quint8 ReadCommand = 0x52;    // 'R'
inline constexpr quint8 WriteCommand = 0x57;   // 'W'
inline constexpr quint8 PowerCommand = 0x67;   // 'g'
inline constexpr quint8 EndOfWrite = 0x45;     // 'E'
inline constexpr quint8 EndOfPowerLink = 0x62; // 'b'
// The length byte of every request and block frame: 16 data bytes.
inline constexpr quint8 BlockLength = 0x10;

// The radio's identification: "KV D9" at one of the offsets 0..4 of the
// first IdentLength bytes; counted from it, the power values.
inline constexpr quint8 Identity[] = {0x4B, 0x56, 0x20, 0x44, 0x39};
inline constexpr int IdentLength = 9;
inline constexpr int IdentLowPowerAt = 6;
inline constexpr int IdentHighPowerAt = 7;

// Every request and block frame begins with its command, the address high
// and low, and the length; a read request is that alone.
inline constexpr int FrameHeaderLength = 4;
inline constexpr int ReadRequestLength = FrameHeaderLength;
// A write or power frame: the header and 16 data bytes; the first frame of
// a link goes behind an acknowledgement.
inline constexpr int BlockFrameLength = FrameHeaderLength + BlockLength;
// A block reply: a header the protocol leaves unexamined, then the 16 data
// bytes of the requested address.
inline constexpr int BlockReplyLength = 21;
inline constexpr int BlockReplyDataAt = 5;

// The power record travels with this address, whatever row it is.
inline constexpr int PowerAddress = 0x03F0;

// The rows a whole link moves: a read takes 0..255, a write sends 0..254,
// a power link exchanges one record.
inline constexpr int ReadRows = 256;
inline constexpr int WriteRows = 255;
inline constexpr int PowerRows = 1;
// Of a whole read, the windows keep rows 0..253.
inline constexpr int KeptReadRows = 254;

constexpr int rowCount(LinkKind kind)
{
    return kind == LinkKind::Read ? ReadRows : kind == LinkKind::Write ? WriteRows : PowerRows;
}

// The radio address of image row r.
constexpr int rowAddress(int row)
{
    return row * 16;
}

} // namespace Protocol

// Why a link gave up: the radio never identified itself, a reply or an
// acknowledgement went missing (or the replies were misaligned), or the
// device vanished.
enum class LinkFailure { NoAnswer, LostReply, DeviceLost };
