#pragma once
#include "core/ChannelRecord.h"

#include <QString>
#include <optional>

// The one edit layer of a channel. Every front end that changes a channel
// (the channel grid, the channel editor, the field catalogue and with it the
// CSV imports) calls these functions and writes a channel no other way, so
// that a rule such as "an emptied receive frequency deletes the channel" is
// written once.

// The channel an edit lands in, the encoding of the window whose rules it
// follows, and the working range its frequencies are checked against. The
// windows pass their document's range, which moves only at its update
// points (start-up, the model window, the range panel) and may lag behind
// an image just read or opened; the companion has no such windows and
// passes the range row of the image it edits.
struct ChannelTarget {
    int channel;
    ChannelEncoding encoding;
    WorkRange range;
};

// A frequency outside the working range: the windows store the lower limit
// in its place and show their range message; the companion refuses it.
enum class OutOfRangePolicy { StoreLowerLimit, Refuse };

// Why an edit was refused or, where the lower limit took an entry's place,
// which range message the windows show.
enum class ChannelMessage { None, ReceiveOutOfRange, TransmitOutOfRange, ReceiveFirst, NoSuchItem };

struct ChannelEditOutcome {
    enum Status { Stored, Snapped, Refused };
    Status status = Stored;
    ChannelMessage message = ChannelMessage::None;
    // The frequency stored, on the raster (or the lower limit), where one was.
    std::optional<Frequency> stored;

    bool refused() const { return status == Refused; }
};

// A receive frequency in MHz, or none for an emptied box, which deletes the
// channel (in the editor's encoding its name too). A new channel gets its
// encoding's defaults; one in use keeps the transmit frequency its encoding
// shows. The editor's encoding then drops a direction whose transmit
// frequency lies outside the range, as it shows such a channel.
ChannelEditOutcome setReceive(Codeplug &image, const ChannelTarget &target, std::optional<double> mhz,
                              OutOfRangePolicy policy);
// A transmit frequency in MHz against the stored receive frequency; none
// makes the grid's channel simplex and leaves the editor's as it is. An
// empty channel refuses it (ReceiveFirst).
ChannelEditOutcome setTransmit(Codeplug &image, const ChannelTarget &target, std::optional<double> mhz,
                               OutOfRangePolicy policy);
// A tone selector position (0 off, 1..258 the tone list).
ChannelEditOutcome setTone(Codeplug &image, const ChannelTarget &target, ToneSlot slot, int position);
// The encoding's power list position (grid: Low, High; editor: Low,
// Middle, High) and bandwidth list position (grid: Narrow, Wide; editor:
// Wide, Narrow).
ChannelEditOutcome setPower(Codeplug &image, const ChannelTarget &target, int position);
ChannelEditOutcome setBandwidth(Codeplug &image, const ChannelTarget &target, int position);
// The first five characters of the trimmed text. The grid's name bytes lie
// in the record, so the grid stores a name even into an empty record, as
// it always has; the editor's lie in the name table and need a channel.
ChannelEditOutcome setName(Codeplug &image, const ChannelTarget &target, const QString &text);
// The channel editor's tick boxes.
enum class ChannelOption { Vox, Bcl, ScanAdd, TxStop };
ChannelEditOutcome setOption(Codeplug &image, const ChannelTarget &target, ChannelOption option, bool on);
// The channel deleted, as an emptied receive box does.
ChannelEditOutcome clearChannel(Codeplug &image, const ChannelTarget &target);
// Every channel empty and the name table blank.
void clearAllChannels(Codeplug &image);

// What the channel editor makes of a channel it is brought to: an empty one
// loses whatever its record and name still held, one in use a direction
// whose transmit frequency lies outside the range. Run by the gestures that
// bring a channel into the editor, never by a redraw.
void settleEditorChannel(Codeplug &image, int n, const WorkRange &range);

// An image that arrives whole (read from a radio, opened from a file, the
// start-up image): a channel marked empty holds nothing else, as the grid
// shows it.
void settleArrivedImage(Codeplug &image);
