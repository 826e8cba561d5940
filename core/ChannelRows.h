#pragma once
#include "core/Codeplug.h"
#include "core/SettingPlaces.h"

#include <QVector>
#include <array>
#include <optional>

// Channels as whole rows: what moves when the grid moves, inserts, removes
// or sorts channels, and what a copy of whole channels carries.

// A channel's whole content: its 16-byte record, whose bytes 8..15 hold
// both encodings, and its five cells of the channel editor's name table.
struct ChannelContent {
    std::array<qint16, RowBytes> record;
    std::array<qint16, 5> name;

    bool operator==(const ChannelContent &other) const
    {
        return record == other.record && name == other.name;
    }
};
ChannelContent channelContent(const Codeplug &image, int n);
void storeChannelContent(Codeplug &image, int n, const ChannelContent &content);
// A channel as Clear leaves it: every cell 255.
ChannelContent emptyChannelContent();

// The channels after a row gesture: entry i is the channel (1..128) whose
// content channel i + 1 takes, or 0 where it becomes empty.
using ChannelOrder = QVector<int>;

// Channels `selected` (any order) one place up (step -1) or down (+1), each
// past the unselected channel beside it. None when a selected channel
// stands at the end it moves towards.
std::optional<ChannelOrder> movedOrder(QVector<int> selected, int step);
// An empty channel at n, channels n..127 one down. None while channel 128
// is in use, which would fall off the end.
std::optional<ChannelOrder> insertedOrder(const Codeplug &image, int n);
// Channels `selected` gone, the later ones up, empty channels at the end.
ChannelOrder removedOrder(const QVector<int> &selected);
// The channels at `places` (ascending) sorted among themselves by the key,
// channels in use first in a stable order, empty ones last.
enum class ChannelSortKey { Receive, Name, Tone };
ChannelOrder sortedOrder(const Codeplug &image, const QVector<int> &places, ChannelSortKey key);

// A setting that names a channel by its number.
struct ChannelReference {
    SettingId id;
    int last; // the highest channel number the setting holds
};
constexpr ChannelReference ChannelReferences[] = {
    {SettingId::PriorityChannel, Region::LastChannelRow},
    {SettingId::ScanPriorityChannel, 16},
};

// A setting that kept its number because its channel went away or moved
// beyond what the setting holds.
struct ReferenceLeft {
    SettingId id;
    int channel;
};

// Rearranges the channels by `order`. Each setting of ChannelReferences
// follows its channel to where it went; where the channel is gone or now
// lies beyond the setting's numbers, the setting stays as it was and is
// listed.
QVector<ReferenceLeft> arrangeChannels(Codeplug &image, const ChannelOrder &order);
