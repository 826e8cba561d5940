#pragma once
#include <QString>
#include <QStringList>
#include <optional>

#include "core/ChannelUse.h"
#include "core/Bilingual.h"
#include "core/Frequency.h"

// The 16-byte record of memory channel n (1..128) in image row n, and the
// 5-byte channel names of the channel editor in the name table rows.
//
// Bytes 0..7 (receive frequency and transmit offset) mean the same to both
// channel editors. Bytes 8..15 have two encodings: the grid encoding, used by
// the channel grid, and the editor encoding, used by the single-channel
// editor. A record is read with the rules of the window that shows it; no
// conversion between the encodings takes place.

// Where each encoding keeps its shift direction (bits 7-6).
constexpr int GridDirectionByte = 10;
constexpr int EditorDirectionByte = 12;
constexpr int DirectionMask = 0xC0;

enum class ToneSlot { Decode, Encode };

// --- Both encodings -------------------------------------------------------

// isChannelEmpty (core/ChannelUse.h) is the record's empty marker.
// All 16 bytes become 255.
void markChannelEmpty(Codeplug &image, int n);

QString channelRxText(const Codeplug &image, int n);
// Receive, receive + offset or receive - offset by the direction bits of
// `directionByte`; direction 3 counts as simplex.
Frequency channelTransmit(const Codeplug &image, int n, int directionByte);

// Stores the receive frequency `rx` (on the raster, as an entry reads) into
// bytes 0..3 and derives offset and direction from the transmit frequency
// `tx`, snapped onto the raster here. False when `rx` cannot be encoded; the
// record is then unchanged. A transmit value that cannot be encoded leaves
// the channel simplex.
bool storeFrequencyPair(Codeplug &image, int n, Frequency rx, Frequency tx, int directionByte);
// A transmit entry (on the raster) against the receive frequency already
// stored. False for an empty channel, which has no receive frequency to
// refer to.
bool storeTransmitFrequency(Codeplug &image, int n, Frequency tx, int directionByte);
// Offset 0, direction simplex; the other bits of the direction byte stay.
void makeSimplex(Codeplug &image, int n, int directionByte);
// Direction simplex, offset kept.
void clearDirection(Codeplug &image, int n, int directionByte);

bool recordBit(const Codeplug &image, int n, int byte, int bit);
void setRecordBit(Codeplug &image, int n, int byte, int bit, bool on);

// The tone selector's items: "OFF" (Chinese "关") and the texts of the tone
// list's entries (ToneTable), position for entry.
QStringList toneSelectorItems(Language language);
constexpr Bilingual ToneOff{"关", "OFF"};

// A tone as a code and an inversion bit, the way the grid encoding and the
// VFO store it, and its tone selector position (its tone list entry): an
// inverted DCS code is the code of its normal entry with the bit set.
struct ToneCode {
    int code;
    bool inverted;
};
ToneCode toneCodeOfPosition(int position);
// Where a stored code lies past its part of the list the two callers
// differ: the VFO's list selects the part's last entry (a code past the
// normal DCS codes reads as the last of them, or as the last inverted one),
// while the grid shows a code as the entry of its number and no entry (-1)
// past the list.
enum class ToneOverflow { LastEntry, NoEntry };
int tonePositionOfCode(int code, bool inverted, ToneOverflow overflow);

// The two encodings, for the rules they share.
enum class ChannelEncoding { Grid, Editor };
constexpr int directionByteOf(ChannelEncoding encoding)
{
    return encoding == ChannelEncoding::Grid ? GridDirectionByte : EditorDirectionByte;
}

// The transmit frequency that channel n's encoding shows, from its bytes:
// the channel editor shows the receive frequency instead of one outside
// the working range.
Frequency shownTransmit(const Codeplug &image, int n, ChannelEncoding encoding, const WorkRange &range);

// A receive entry (on the raster) committed to channel n: an empty channel
// gets its encoding's defaults; one in use keeps the transmit frequency its
// encoding shows, as offset and direction. False when the receive value
// cannot be encoded.
bool commitReceive(Codeplug &image, int n, Frequency rx, ChannelEncoding encoding, const WorkRange &range);

// A transmit entry (on the raster) committed to channel n in use: stored
// against its receive frequency, where the editor then drops a direction
// that leaves the working range. No entry (an emptied box): the grid makes
// the channel simplex, the editor keeps it. False for an empty channel,
// which is left as it is.
bool commitTransmit(Codeplug &image, int n, std::optional<Frequency> entry, ChannelEncoding encoding,
                    const WorkRange &range);

// --- Grid encoding --------------------------------------------------------

// The transmit frequency the grid shows: receive +/- offset by direction.
QString gridTransmitText(const Codeplug &image, int n);


int gridTonePosition(const Codeplug &image, int n, ToneSlot slot);
void storeGridTone(Codeplug &image, int n, ToneSlot slot, int position);
// "OFF" / "关", the tone-list entry, or empty text for a code beyond the list.
QString gridToneText(const Codeplug &image, int n, ToneSlot slot, Language language);

// The grid's power and bandwidth lists: positions 0 Low, 1 High and
// 0 Narrow, 1 Wide.
QStringList gridPowerItems(Language language);
QStringList gridBandwidthItems(Language language);

// Position 1 = High (bit 0 set), 0 = Low.
void storeGridPower(Codeplug &image, int n, int position);
QString gridPowerText(const Codeplug &image, int n, Language language);
// Position 1 = Wide (bit 1 set), 0 = Narrow.
void storeGridBandwidth(Codeplug &image, int n, int position);
QString gridBandwidthText(const Codeplug &image, int n, Language language);

// Empty text unless the name bit (byte 10 bit 3) is set.
QString gridName(const Codeplug &image, int n);
void storeGridName(Codeplug &image, int n, const QString &text);

// A channel the grid creates: simplex, tones off, High, Wide, no name.
void initChannelDefaults(Codeplug &image, int n);

// --- Editor encoding ------------------------------------------------------

struct EditorTone {
    int kind;
    int index;
};
EditorTone editorToneFromPosition(int position);
int editorPositionFromTone(int kind, int index);

int editorTonePosition(const Codeplug &image, int n, ToneSlot slot);
void storeEditorTone(Codeplug &image, int n, ToneSlot slot, int position);

// The channel editor's lists: 0 Low, 1 Middle, 2 High and 0 Wide, 1 Narrow.
QStringList editorPowerItems(Language language);
QStringList editorBandwidthItems(Language language);

// 0 Low, 1 Middle, 2 High (byte 12 bits 1-0, which may also read 3).
int editorPowerLevel(const Codeplug &image, int n);
void storeEditorPower(Codeplug &image, int n, int position);
// 0 Wide, 1 Narrow (byte 13 bit 5).
int editorBandwidth(const Codeplug &image, int n);
void storeEditorBandwidth(Codeplug &image, int n, int position);

// Bits of the editor encoding's option bytes.
constexpr int ScanSkipByte = 12, ScanSkipBit = 2; // set: left out of scanning
constexpr int OptionByte = 13;
constexpr int TxStopBit = 4, VoxBit = 6, BclBit = 7;

// The transmit frequency the channel editor shows: outside the working
// range, the receive frequency instead.
QString editorTransmitText(const Codeplug &image, int n, const WorkRange &range);
// What the channel editor does each time it shows a channel in use: a
// transmit frequency outside the working range loses its direction.
void dropDirectionOutOfRange(Codeplug &image, int n, const WorkRange &range);

QString editorName(const Codeplug &image, int n);
void storeEditorName(Codeplug &image, int n, const QString &text);
void clearEditorName(Codeplug &image, int n);

// A channel the single-channel editor creates: simplex, tones off, High,
// Wide, left out of scanning, no options, no name.
void initEditorChannelDefaults(Codeplug &image, int n);
