#include "core/ChannelRecord.h"
#include "core/ChannelRows.h"

#include "core/Codecs.h"
#include "core/Frequency.h"
#include "core/FrequencyEntry.h"
#include "core/Codeplug.h"
#include "core/BitField.h"
#include "core/Bilingual.h"
#include "core/ToneTable.h"
#include "core/WorkingRange.h"

#include <cmath>

namespace {

constexpr int NameLength = 5;

int direction(const Codeplug &image, int n, int directionByte)
{
    const int d = imageBits(image, n, directionByte, DirectionMask);
    return d == 3 ? 0 : d;
}

void setDirection(Codeplug &image, int n, int directionByte, int d)
{
    storeImageBits(image, n, directionByte, DirectionMask, d);
}

void setOffsetZero(Codeplug &image, int n)
{
    for (int c = 4; c < 8; ++c)
        image.at(n, c) = 0;
}

// Offset and direction from the stored receive value and a transmit
// frequency on the raster; none (a value that cannot be encoded) leaves the
// channel simplex.
void storeOffsetFor(Codeplug &image, int n, std::optional<Frequency> tx, int directionByte)
{
    if (!tx) {
        makeSimplex(image, n, directionByte);
        return;
    }
    // The transmit value goes into the offset bytes first: it stays there
    // when the difference cannot be encoded.
    tx->store(image, n, 4);
    // A field with nibbles above 9 counts as the windows show it.
    const Frequency r = Frequency::read(image, n, 0);
    if (*tx == r) {
        makeSimplex(image, n, directionByte);
        return;
    }
    // The difference of two raster values need not lie on the raster: it
    // is snapped like any other value the record stores.
    if (const auto offset = (*tx > r ? *tx - r : r - *tx).snapped())
        offset->store(image, n, 4);
    setDirection(image, n, directionByte, *tx > r ? 1 : 2);
}

int nameByteRow(int n, int k)
{
    return Region::NameTableFirstRow + (NameLength * (n - 1) + k) / RowBytes;
}

int nameByteColumn(int n, int k)
{
    return (NameLength * (n - 1) + k) % RowBytes;
}

QString nameFromCodes(const int codes[NameLength])
{
    QString name;
    for (int k = 0; k < NameLength; ++k)
        name += CodeToChar(codes[k]);
    return name;
}

int toneCodeByte(ToneSlot slot) { return slot == ToneSlot::Decode ? 8 : 9; }
int toneInversionBit(ToneSlot slot) { return slot == ToneSlot::Decode ? 4 : 5; }
int editorKindByte(ToneSlot slot) { return slot == ToneSlot::Decode ? 8 : 10; }

} // namespace

void markChannelEmpty(Codeplug &image, int n)
{
    for (int c = 0; c < RowBytes; ++c)
        image.at(n, c) = Region::Empty;
}

QString channelRxText(const Codeplug &image, int n)
{
    return frequencyText(image, n, 0);
}

Frequency channelTransmit(const Codeplug &image, int n, int directionByte)
{
    const Frequency r = Frequency::read(image, n, 0);
    switch (direction(image, n, directionByte)) {
    case 1:
        return r + Frequency::read(image, n, 4);
    case 2:
        return r - Frequency::read(image, n, 4);
    default:
        return r;
    }
}

bool storeFrequencyPair(Codeplug &image, int n, Frequency rx, Frequency tx, int directionByte)
{
    if (!rx.isEncodable())
        return false;
    rx.store(image, n, 0);
    storeOffsetFor(image, n, tx.snapped(), directionByte);
    return true;
}

bool storeTransmitFrequency(Codeplug &image, int n, Frequency tx, int directionByte)
{
    if (isChannelEmpty(image, n))
        return false;
    storeOffsetFor(image, n, tx.isEncodable() ? std::optional<Frequency>(tx) : std::nullopt, directionByte);
    return true;
}

void makeSimplex(Codeplug &image, int n, int directionByte)
{
    setOffsetZero(image, n);
    setDirection(image, n, directionByte, 0);
}

void clearDirection(Codeplug &image, int n, int directionByte)
{
    setDirection(image, n, directionByte, 0);
}

bool recordBit(const Codeplug &image, int n, int byte, int bit)
{
    return imageBit(image, n, byte, bit);
}

void setRecordBit(Codeplug &image, int n, int byte, int bit, bool on)
{
    storeImageBit(image, n, byte, bit, on);
}

QStringList toneSelectorItems(Language language)
{
    // Built once for each language: the tone list never changes, and every
    // tone a listing or a plan reads asks for it.
    static const auto build = [](Language language) {
        const ToneTable &table = ToneTable::instance();
        QStringList items;
        items.reserve(table.size());
        items << bilingualText(ToneOff, language);
        for (int p = 1; p <= table.last(); ++p)
            items << table.text(p);
        return items;
    };
    static const QStringList english = build(Language::English), chinese = build(Language::Chinese);
    return language == Language::Chinese ? chinese : english;
}

ToneCode toneCodeOfPosition(int position)
{
    // An inverted entry lies one whole part of DCS codes after its normal one.
    const ToneTable &table = ToneTable::instance();
    if (position > table.last(ToneTable::Kind::DcsNormal))
        return {position - table.count(ToneTable::Kind::DcsNormal), true};
    return {qMax(position, 0), false};
}

int tonePositionOfCode(int code, bool inverted, ToneOverflow overflow)
{
    const ToneTable &table = ToneTable::instance();
    const bool lastEntry = overflow == ToneOverflow::LastEntry;
    if (lastEntry && code <= 0)
        return 0;
    if (code <= table.last(ToneTable::Kind::Ctcss))
        return code;
    if (!inverted)
        return lastEntry ? qMin(code, table.last(ToneTable::Kind::DcsNormal)) : code;
    const int position = code + table.count(ToneTable::Kind::DcsNormal);
    if (position <= table.last())
        return position;
    return lastEntry ? table.last() : -1;
}

bool commitReceive(Codeplug &image, int n, Frequency rx, ChannelEncoding encoding, const WorkRange &range)
{
    if (!rx.isEncodable())
        return false;
    if (!isChannelEmpty(image, n))
        return storeFrequencyPair(image, n, rx, shownTransmit(image, n, encoding, range), directionByteOf(encoding));
    rx.store(image, n, 0);
    if (encoding == ChannelEncoding::Grid)
        initChannelDefaults(image, n);
    else
        initEditorChannelDefaults(image, n);
    return true;
}

bool commitTransmit(Codeplug &image, int n, std::optional<Frequency> entry, ChannelEncoding encoding,
                    const WorkRange &range)
{
    if (isChannelEmpty(image, n))
        return false;
    const bool grid = encoding == ChannelEncoding::Grid;
    if (!entry) {
        if (grid)
            makeSimplex(image, n, GridDirectionByte);
        return true;
    }
    storeTransmitFrequency(image, n, *entry, directionByteOf(encoding));
    if (!grid)
        dropDirectionOutOfRange(image, n, range);
    return true;
}

// --- Grid encoding --------------------------------------------------------

QString gridTransmitText(const Codeplug &image, int n)
{
    return transmitText(channelTransmit(image, n, GridDirectionByte));
}

int gridTonePosition(const Codeplug &image, int n, ToneSlot slot)
{
    return tonePositionOfCode(image.cell(n, toneCodeByte(slot)),
                              recordBit(image, n, GridDirectionByte, toneInversionBit(slot)), ToneOverflow::NoEntry);
}

void storeGridTone(Codeplug &image, int n, ToneSlot slot, int position)
{
    const ToneCode tone = toneCodeOfPosition(position);
    image.at(n, toneCodeByte(slot)) = qint16(tone.code);
    setRecordBit(image, n, GridDirectionByte, toneInversionBit(slot), tone.inverted);
}

QString gridToneText(const Codeplug &image, int n, ToneSlot slot, Language language)
{
    const int position = gridTonePosition(image, n, slot);
    if (position == 0)
        return bilingualText(ToneOff, language);
    return position < 0 ? QString() : ToneTable::instance().listText(position);
}

void storeGridPower(Codeplug &image, int n, int position)
{
    setRecordBit(image, n, GridDirectionByte, 0, position > 0);
}

QStringList gridPowerItems(Language language)
{
    return bilingualItems({{"低", "Low"}, {"高", "High"}}, language);
}

QString gridPowerText(const Codeplug &image, int n, Language language)
{
    return gridPowerItems(language).at(recordBit(image, n, GridDirectionByte, 0) ? 1 : 0);
}

void storeGridBandwidth(Codeplug &image, int n, int position)
{
    setRecordBit(image, n, GridDirectionByte, 1, position > 0);
}

QStringList gridBandwidthItems(Language language)
{
    return bilingualItems({{"窄带", "Narrow"}, {"宽带", "Wide"}}, language);
}

QString gridBandwidthText(const Codeplug &image, int n, Language language)
{
    return gridBandwidthItems(language).at(recordBit(image, n, GridDirectionByte, 1) ? 1 : 0);
}

QString gridName(const Codeplug &image, int n)
{
    if (!recordBit(image, n, GridDirectionByte, 3))
        return QString();
    const int codes[NameLength] = {image.cell(n, 11), image.cell(n, 12), image.cell(n, 13), image.cell(n, 14), image.cell(n, 15)};
    return nameFromCodes(codes);
}

void storeGridName(Codeplug &image, int n, const QString &text)
{
    const QString name = text.trimmed().left(NameLength);
    for (int k = 0; k < NameLength; ++k)
        image.at(n, 11 + k) = k < name.size() ? qint16(CharToCode(name.mid(k, 1))) : qint16(Region::Empty);
    setRecordBit(image, n, GridDirectionByte, 3, !name.isEmpty());
}

void initChannelDefaults(Codeplug &image, int n)
{
    setOffsetZero(image, n);
    image.at(n, 8) = 0;
    image.at(n, 9) = 0;
    image.at(n, 10) = 3;
    for (int c = 11; c < RowBytes; ++c)
        image.at(n, c) = Region::Empty;
}

// --- Editor encoding ------------------------------------------------------

namespace {

// The editor encoding's tone kinds 0, 1 and 2.
constexpr ToneTable::Kind EditorToneKinds[] = {ToneTable::Kind::Ctcss, ToneTable::Kind::DcsNormal,
                                               ToneTable::Kind::DcsInverted};

} // namespace

EditorTone editorToneFromPosition(int position)
{
    if (position <= 0)
        return {Region::Empty, Region::Empty};
    const ToneTable &table = ToneTable::instance();
    // Past the list counts as inverted DCS, as the last kind.
    int kind = 0;
    while (kind < 2 && position > table.last(EditorToneKinds[kind]))
        ++kind;
    return {kind, position - table.first(EditorToneKinds[kind])};
}

int editorPositionFromTone(int kind, int index)
{
    // Only the kind decides: kind 0 with index 255 is the last CTCSS tone.
    if (kind < 0 || kind > 2)
        return 0;
    const ToneTable &table = ToneTable::instance();
    const ToneTable::Kind k = EditorToneKinds[kind];
    return qMin(table.first(k) + index, table.last(k));
}

int editorTonePosition(const Codeplug &image, int n, ToneSlot slot)
{
    const int kindByte = editorKindByte(slot);
    return editorPositionFromTone(image.cell(n, kindByte), image.cell(n, kindByte + 1));
}

void storeEditorTone(Codeplug &image, int n, ToneSlot slot, int position)
{
    const EditorTone tone = editorToneFromPosition(position);
    const int kindByte = editorKindByte(slot);
    image.at(n, kindByte) = qint16(tone.kind);
    image.at(n, kindByte + 1) = qint16(tone.index);
}

QStringList editorPowerItems(Language language)
{
    return bilingualItems({{"低", "Low"}, {"中", "Middle"}, {"高", "High"}}, language);
}

QStringList editorBandwidthItems(Language language)
{
    return bilingualItems({{"宽带", "Wide"}, {"窄带", "Narrow"}}, language);
}

int editorPowerLevel(const Codeplug &image, int n)
{
    return imageBits(image, n, EditorDirectionByte, 0x03);
}

void storeEditorPower(Codeplug &image, int n, int position)
{
    storeImageBits(image, n, EditorDirectionByte, 0x03, position);
}

int editorBandwidth(const Codeplug &image, int n)
{
    return recordBit(image, n, OptionByte, 5) ? 1 : 0;
}

void storeEditorBandwidth(Codeplug &image, int n, int position)
{
    setRecordBit(image, n, OptionByte, 5, position > 0);
}

// The channel editor's range check of its transmit frequency.
static bool editorTransmitInRange(const Codeplug &image, int n, const WorkRange &range)
{
    const double tx = checkedTransmitMHz(Frequency::read(image, n, 0), Frequency::read(image, n, 4),
                                         direction(image, n, EditorDirectionByte));
    return insideWorkingRange(tx, range);
}

QString editorTransmitText(const Codeplug &image, int n, const WorkRange &range)
{
    return transmitText(shownTransmit(image, n, ChannelEncoding::Editor, range));
}

Frequency shownTransmit(const Codeplug &image, int n, ChannelEncoding encoding, const WorkRange &range)
{
    if (encoding == ChannelEncoding::Editor && !editorTransmitInRange(image, n, range))
        return Frequency::read(image, n, 0);
    return channelTransmit(image, n, directionByteOf(encoding));
}

void dropDirectionOutOfRange(Codeplug &image, int n, const WorkRange &range)
{
    if (!isChannelEmpty(image, n) && !editorTransmitInRange(image, n, range))
        clearDirection(image, n, EditorDirectionByte);
}

QString editorName(const Codeplug &image, int n)
{
    int codes[NameLength];
    for (int k = 0; k < NameLength; ++k)
        codes[k] = image.cell(nameByteRow(n, k), nameByteColumn(n, k));
    return nameFromCodes(codes);
}

void storeEditorName(Codeplug &image, int n, const QString &text)
{
    const QString name = text.trimmed().left(NameLength);
    for (int k = 0; k < NameLength; ++k)
        image.at(nameByteRow(n, k), nameByteColumn(n, k)) =
            k < name.size() ? qint16(CharToCode(name.mid(k, 1))) : qint16(Region::Empty);
}

void clearEditorName(Codeplug &image, int n)
{
    storeEditorName(image, n, QString());
}

void initEditorChannelDefaults(Codeplug &image, int n)
{
    setOffsetZero(image, n);
    for (int c = 8; c <= 11; ++c)
        image.at(n, c) = Region::Empty;
    image.at(n, 12) = 6;
    image.at(n, 13) = 0;
    image.at(n, 14) = Region::Empty;
    image.at(n, 15) = Region::Empty;
    clearEditorName(image, n);
}

ChannelContent channelContent(const Codeplug &image, int n)
{
    ChannelContent content;
    for (int c = 0; c < RowBytes; ++c)
        content.record[c] = image.cell(n, c);
    for (int k = 0; k < NameLength; ++k)
        content.name[k] = image.cell(nameByteRow(n, k), nameByteColumn(n, k));
    return content;
}

void storeChannelContent(Codeplug &image, int n, const ChannelContent &content)
{
    for (int c = 0; c < RowBytes; ++c)
        image.at(n, c) = content.record[c];
    for (int k = 0; k < NameLength; ++k)
        image.at(nameByteRow(n, k), nameByteColumn(n, k)) = content.name[k];
}

ChannelContent emptyChannelContent()
{
    ChannelContent content;
    content.record.fill(Region::Empty);
    content.name.fill(Region::Empty);
    return content;
}
