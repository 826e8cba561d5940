#include "cli/PartialChange.h"

#include "core/NumberText.h"
#include "core/WorkingRange.h"
#include "core/WritePreparation.h"
#include "fields/FieldBuilders.h"
#include "fields/FieldCatalogue.h"
#include "serial/LinkProtocol.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace Region;

constexpr int LastWrittenRow = Protocol::WriteRows - 1;
// Channel rows read at least in one step of the search for the first channel in use.
constexpr int MinimumSearchStep = 4;

bool isFrequencyRow(int row)
{
    return (row >= FirstChannelRow && row <= LastChannelRow) || row == VfoRow || row == RangeRow;
}

// Rows first..last into `rows`.
void addRows(QSet<int> &rows, int first, int last)
{
    for (int r = first; r <= last; ++r)
        rows.insert(r);
}

// The rows a change of `rows` is checked against: the range row for a
// frequency, every frequency for the range.
void addCheckedRows(QSet<int> &rows, const QList<int> &changed)
{
    for (const int row : changed) {
        if (isFrequencyRow(row))
            rows.insert(RangeRow);
        if (row == RangeRow) {
            addRows(rows, FirstChannelRow, LastChannelRow);
            rows.insert(VfoRow);
        }
    }
}

QList<int> sorted(const QSet<int> &rows)
{
    QList<int> list(rows.begin(), rows.end());
    std::sort(list.begin(), list.end());
    return list;
}

Codeplug withUnknownRows(const Codeplug &radio, const QSet<int> &known, quint8 fill)
{
    Codeplug image = radio;
    for (int r = 0; r < RadioRows; ++r)
        if (!known.contains(r))
            for (int c = 0; c < RowBytes; ++c)
                image.at(r, c) = fill;
    return image;
}

} // namespace

QString checkChangedRanges(const Codeplug &image, const QList<int> &changed, Language language)
{
    const bool rangeChanged = changed.contains(RangeRow);
    Codeplug checked = image;
    for (int n = FirstChannelRow; n <= LastChannelRow; ++n)
        if (!rangeChanged && !changed.contains(n))
            for (int c = 0; c < RowBytes; ++c)
                checked.at(n, c) = Empty;
    if ((rangeChanged || changed.contains(VfoRow)) && CheckVfoRange(checked))
        return rangeRefusal(checked, {WritePreparation::VfoOutOfRange, 0}, language);
    if (const int channel = CheckChannelRanges(checked); channel > 0)
        return rangeRefusal(checked, {WritePreparation::ChannelOutOfRange, channel}, language);
    return QString();
}

QList<int> rowsToReadFirst(const QList<const Field *> &fields)
{
    QSet<int> rows{0, MagicRow, SignatureRow, GeneralRow, FirstChannelRow};
    QList<int> fieldRows;
    for (const Field *field : fields)
        for (const FieldByte &byte : field->bytes)
            fieldRows << byte.row;
    rows.unite(QSet<int>(fieldRows.begin(), fieldRows.end()));
    addCheckedRows(rows, fieldRows);
    return sorted(rows);
}

QString rangeRefusal(const Codeplug &image, const WritePreparation &found, Language language)
{
    const bool vfo = found.result == WritePreparation::VfoOutOfRange;
    const QString record = vfo ? QStringLiteral("vfo") : QStringLiteral("channel.%1").arg(found.channel);
    const WorkRange range = workRangeOf(image);
    const auto valueOf = [&](const char *name) { return readField(image, *findField(record + QLatin1String(name)), language); };
    // The check takes whole megahertz: 438.9 lies in 400..438. When the
    // receive frequency passes, the transmit one failed, which the offset
    // and the direction give: a channel's direction as the single-channel
    // editor's encoding holds it.
    const double receive = std::floor(numericValue(valueOf(".receive")));
    if (receive < range.low || receive > range.high)
        return record + QStringLiteral(".receive: ") + FieldRows::isOutOfRange(valueOf(".receive"), range, language);
    const char *direction = vfo ? ".direction" : ".editor.direction";
    return record
        + langText(language, ".offset：%1（%2 为 %3）使发射频率%4", ".offset: %1 with %2 %3 puts the transmit frequency %4")
              .arg(valueOf(".offset"), record + QLatin1String(direction), valueOf(direction),
                   FieldRows::outOfRange(range, language));
}

QList<int> differingRows(const Codeplug &a, const Codeplug &b)
{
    QList<int> rows;
    for (int r = 0; r <= LastWrittenRow; ++r)
        for (int c = 0; c < RowBytes; ++c)
            if (a.at(r, c) != b.at(r, c)) {
                rows << r;
                break;
            }
    return rows;
}

PartialChange planPartialChange(const Codeplug &radio, const QSet<int> &known, const ChangeWriter &change,
                               Language language)
{
    PartialChange plan;
    QSet<int> needed;
    // The change is made twice, over unread rows of 255 and of 0, so that
    // whatever it stores into a row not read shows as a difference in one
    // of them; only the first counts.
    for (const quint8 fill : {quint8(Empty), quint8(0)}) {
        const Codeplug before = withUnknownRows(radio, known, fill);
        Codeplug after = before;
        const QStringList refusals = change(after);
        ApplyWritePreparation(after);
        const QList<int> changed = differingRows(before, after);
        needed.unite(QSet<int>(changed.begin(), changed.end()));
        if (fill != Empty)
            continue;
        if (!refusals.isEmpty()) {
            plan.refusals = refusals;
            return plan;
        }
        plan.image = after;
        plan.toWrite = changed;
    }
    // The first channel in use is known once every channel row before it
    // is. With none in use among the rows read, the radio's own marker says
    // where a radio written before has it; without that, the search goes on
    // past the rows read in steps that grow as it goes.
    int through = plan.image.at(GeneralRow, FirstUsedChannelByte);
    if (through == 0) {
        const int marker = radio.at(GeneralRow, FirstUsedChannelByte);
        int unread = FirstChannelRow, channelsRead = 0;
        while (unread <= LastChannelRow && known.contains(unread))
            ++unread;
        for (int n = FirstChannelRow; n <= LastChannelRow; ++n)
            channelsRead += known.contains(n);
        const bool useful = marker >= FirstChannelRow && marker <= LastChannelRow && !known.contains(marker);
        through = useful ? marker : qMin(LastChannelRow, unread + qMax(MinimumSearchStep, channelsRead) - 1);
    }
    addRows(needed, FirstChannelRow, through);
    addCheckedRows(needed, plan.toWrite);
    plan.toRead = sorted(needed.subtract(known));
    if (!plan.toRead.isEmpty())
        return plan;
    const QString refused = checkChangedRanges(plan.image, plan.toWrite, language);
    if (!refused.isEmpty())
        plan.refusals << refused;
    return plan;
}

QString rowList(const QList<int> &rows)
{
    QStringList numbers;
    for (const int row : rows)
        numbers << QString::number(row);
    return numbers.join(QStringLiteral(", "));
}

QJsonArray rowsJson(const QList<int> &rows)
{
    QJsonArray array;
    for (const int row : rows)
        array.append(row);
    return array;
}
