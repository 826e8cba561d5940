#include "fields/GridEntries.h"

#include "core/ChannelCaptions.h"
#include "core/ChannelEdits.h"
#include "core/FrequencyEntry.h"
#include "core/Texts.h"
#include "core/ToneTable.h"
#include "fields/SpreadsheetCells.h"

#include <algorithm>

namespace {

enum EntryColumn { ReceiveCell = 1, TransmitCell, DecodeCell, EncodeCell, PowerCell, BandwidthCell, NameCell };

// The position of `text` in a grid list, in either language, or -1.
int listPosition(const QString &text, QStringList (*items)(Language))
{
    for (Language language : {Language::English, Language::Chinese}) {
        const QStringList list = items(language);
        for (int k = 0; k < list.size(); ++k)
            if (list.at(k).trimmed().compare(text, Qt::CaseInsensitive) == 0)
                return k;
    }
    return -1;
}

int tonePosition(const QString &text)
{
    for (Language language : {Language::English, Language::Chinese})
        if (text.compare(bilingualText(ToneOff, language), Qt::CaseInsensitive) == 0)
            return 0;
    return ToneTable::instance().indexOf(toneTextOfNumber(text));
}

ChannelEditOutcome store(Codeplug &image, const ChannelTarget &target, int column, const QString &text)
{
    switch (column) {
    case ReceiveCell:
        return setReceive(image, target, frequencyEntryValue(text), OutOfRangePolicy::Refuse);
    case TransmitCell:
        return setTransmit(image, target, frequencyEntryValue(text), OutOfRangePolicy::Refuse);
    case DecodeCell:
    case EncodeCell:
        return setTone(image, target, column == DecodeCell ? ToneSlot::Decode : ToneSlot::Encode, tonePosition(text));
    case PowerCell:
        return setPower(image, target, listPosition(text, gridPowerItems));
    case BandwidthCell:
        return setBandwidth(image, target, listPosition(text, gridBandwidthItems));
    default:
        return setName(image, target, nameOfCell(text));
    }
}

QString reason(ChannelMessage message, const WorkRange &range, Language language)
{
    switch (message) {
    case ChannelMessage::ReceiveOutOfRange:
    case ChannelMessage::TransmitOutOfRange:
        return langText(language, "超出工作频率范围 %1–%2 MHz", "outside the working range %1–%2 MHz")
            .arg(range.low)
            .arg(range.high);
    case ChannelMessage::ReceiveFirst:
        return langText(language, "信道没有接收频率", "the channel has no receive frequency");
    default:
        return langText(language, "不在列表中", "not in the list");
    }
}

} // namespace

GridEntriesOutcome storeGridEntries(Codeplug &image, const WorkRange &range, QVector<GridEntry> entries,
                                    Language language)
{
    std::stable_sort(entries.begin(), entries.end(), [](const GridEntry &a, const GridEntry &b) {
        return std::make_pair(a.channel, a.column) < std::make_pair(b.channel, b.column);
    });
    GridEntriesOutcome outcome;
    for (const GridEntry &entry : entries) {
        const QString text = entry.text.trimmed();
        const bool frequency = entry.column == ReceiveCell || entry.column == TransmitCell;
        const bool inUse = !isChannelEmpty(image, entry.channel);
        if (!inUse && text.isEmpty() && entry.column != ReceiveCell)
            continue;
        // The grid opens no editor but the frequencies' on a channel not in use.
        const ChannelTarget target{entry.channel, ChannelEncoding::Grid, range};
        const ChannelEditOutcome stored = !inUse && !frequency
            ? ChannelEditOutcome{ChannelEditOutcome::Refused, ChannelMessage::ReceiveFirst, std::nullopt}
            : store(image, target, entry.column, text);
        if (stored.refused())
            outcome.refusals.append({entry, reason(stored.message, range, language)});
        else if (stored.status == ChannelEditOutcome::Snapped)
            ++outcome.snapped;
    }
    return outcome;
}

QString refusalLines(const GridEntriesOutcome &outcome, Language language, int limit)
{
    QStringList lines;
    for (const GridEntryRefusal &refusal : outcome.refusals.mid(0, limit)) {
        const QString column = bilingualText(GridColumnCaptions[refusal.entry.column].caption, language);
        lines << langText(language, "信道 %1，%2，“%3”：%4", "channel %1, %2, \"%3\": %4")
                     .arg(refusal.entry.channel)
                     .arg(column, refusal.entry.text.trimmed(), refusal.reason);
    }
    if (outcome.refusals.size() > limit)
        lines << langText(language, "另有 %1 处", "and %1 more").arg(outcome.refusals.size() - limit);
    return lines.join(QLatin1Char('\n'));
}
