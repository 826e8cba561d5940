#include "core/ChannelEdits.h"

#include "core/FrequencyEntry.h"
#include "core/ToneTable.h"

#include <functional>

namespace {

using Outcome = ChannelEditOutcome;

Outcome refused(ChannelMessage why)
{
    return {Outcome::Refused, why, std::nullopt};
}

bool editor(const ChannelTarget &target)
{
    return target.encoding == ChannelEncoding::Editor;
}

// The frequency an entry stores: the value snapped onto the raster, or,
// outside the working range, the lower limit (the windows) or nothing (the
// companion).
Outcome checkedFrequency(double mhz, const WorkRange &range, OutOfRangePolicy policy, ChannelMessage outside)
{
    if (isFrequencyInBand(mhz, range)) {
        const Frequency f = *Frequency::snapped(mhz);
        return {f == Frequency::fromMHz(mhz) ? Outcome::Stored : Outcome::Snapped, ChannelMessage::None, f};
    }
    if (policy == OutOfRangePolicy::Refuse)
        return refused(outside);
    // A lower limit of 1000 MHz or more cannot be encoded: it stores nothing.
    return {Outcome::Stored, outside,
            Frequency::snapped(range.low).value_or(Frequency::fromMHz(range.low))};
}

// A list position of a channel in use, stored by `store`.
Outcome storeChoice(Codeplug &image, const ChannelTarget &target, int position, int count,
                    const std::function<void(Codeplug &, int)> &store)
{
    if (isChannelEmpty(image, target.channel))
        return refused(ChannelMessage::ReceiveFirst);
    if (position < 0 || position >= count)
        return refused(ChannelMessage::NoSuchItem);
    store(image, target.channel);
    return {};
}

} // namespace

ChannelEditOutcome setReceive(Codeplug &image, const ChannelTarget &target, std::optional<double> mhz,
                              OutOfRangePolicy policy)
{
    if (!mhz)
        return clearChannel(image, target);
    Outcome outcome = checkedFrequency(*mhz, target.range, policy, ChannelMessage::ReceiveOutOfRange);
    if (outcome.refused())
        return outcome;
    const int n = target.channel;
    commitReceive(image, n, *outcome.stored, target.encoding, target.range);
    if (editor(target))
        dropDirectionOutOfRange(image, n, target.range);
    return outcome;
}

ChannelEditOutcome setTransmit(Codeplug &image, const ChannelTarget &target, std::optional<double> mhz,
                               OutOfRangePolicy policy)
{
    const int n = target.channel;
    if (isChannelEmpty(image, n))
        return refused(ChannelMessage::ReceiveFirst);
    if (!mhz) {
        commitTransmit(image, n, std::nullopt, target.encoding, target.range);
        return {};
    }
    Outcome outcome = checkedFrequency(*mhz, target.range, policy, ChannelMessage::TransmitOutOfRange);
    if (!outcome.refused())
        commitTransmit(image, n, outcome.stored, target.encoding, target.range);
    return outcome;
}

ChannelEditOutcome setTone(Codeplug &image, const ChannelTarget &target, ToneSlot slot, int position)
{
    return storeChoice(image, target, position, ToneTable::instance().size(), [&](Codeplug &image, int n) {
        if (editor(target))
            storeEditorTone(image, n, slot, position);
        else
            storeGridTone(image, n, slot, position);
    });
}

ChannelEditOutcome setPower(Codeplug &image, const ChannelTarget &target, int position)
{
    return storeChoice(image, target, position, editor(target) ? 3 : 2, [&](Codeplug &image, int n) {
        if (editor(target))
            storeEditorPower(image, n, position);
        else
            storeGridPower(image, n, position);
    });
}

ChannelEditOutcome setBandwidth(Codeplug &image, const ChannelTarget &target, int position)
{
    return storeChoice(image, target, position, 2, [&](Codeplug &image, int n) {
        if (editor(target))
            storeEditorBandwidth(image, n, position);
        else
            storeGridBandwidth(image, n, position);
    });
}

ChannelEditOutcome setName(Codeplug &image, const ChannelTarget &target, const QString &text)
{
    const int n = target.channel;
    if (!editor(target)) {
        storeGridName(image, n, text);
        return {};
    }
    if (isChannelEmpty(image, n))
        return refused(ChannelMessage::ReceiveFirst);
    storeEditorName(image, n, text);
    return {};
}

ChannelEditOutcome setOption(Codeplug &image, const ChannelTarget &target, ChannelOption option, bool on)
{
    const int n = target.channel;
    if (isChannelEmpty(image, n))
        return refused(ChannelMessage::ReceiveFirst);
    switch (option) {
    case ChannelOption::Vox:
        setRecordBit(image, n, OptionByte, VoxBit, on);
        break;
    case ChannelOption::Bcl:
        setRecordBit(image, n, OptionByte, BclBit, on);
        break;
    case ChannelOption::TxStop:
        setRecordBit(image, n, OptionByte, TxStopBit, on);
        break;
    case ChannelOption::ScanAdd: // checked: the skip bit is clear
        setRecordBit(image, n, ScanSkipByte, ScanSkipBit, !on);
        break;
    }
    return {};
}

ChannelEditOutcome clearChannel(Codeplug &image, const ChannelTarget &target)
{
    markChannelEmpty(image, target.channel);
    if (editor(target))
        clearEditorName(image, target.channel);
    return {};
}

void clearAllChannels(Codeplug &image)
{
    for (int row = Region::NameTableFirstRow; row <= Region::NameTableLastRow; ++row)
        for (int column = 0; column < RowBytes; ++column)
            image.at(row, column) = Region::Empty;
    for (int n = 1; n <= Region::LastChannelRow; ++n)
        markChannelEmpty(image, n);
}

void settleEditorChannel(Codeplug &image, int n, const WorkRange &range)
{
    if (isChannelEmpty(image, n))
        clearChannel(image, {n, ChannelEncoding::Editor, range});
    else
        dropDirectionOutOfRange(image, n, range);
}

void settleArrivedImage(Codeplug &image)
{
    for (int n = 1; n <= Region::LastChannelRow; ++n)
        if (isChannelEmpty(image, n))
            markChannelEmpty(image, n);
}
