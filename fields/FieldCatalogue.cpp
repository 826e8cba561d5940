#include "fields/FieldCatalogue.h"

#include "core/ChannelRecord.h"
#include "core/FrequencyEntry.h"
#include "core/BitField.h"
#include "core/ChannelUse.h"
#include "core/Codecs.h"
#include "core/Image.h"
#include "core/ModuleState.h"
#include "core/NumberText.h"
#include "core/SettingsChoices.h"
#include "core/SettingsRules.h"

#include <QHash>
#include <QRegularExpression>
#include <cmath>

using namespace Region;

namespace {

using Reader = std::function<QString(bool)>;
using Writer = std::function<QString(const QString &)>;
using Items = std::function<QStringList(bool)>;

constexpr Bilingual On{"开", "On"};
constexpr Bilingual Off{"关", "Off"};

// What the catalogue works in: the codeplug in the shared image, with the
// working range taken from it as the options window does, and everything
// restored afterwards.
class FieldScope {
public:
    explicit FieldScope(const Codeplug &image)
        : m_low(WorkRangeLowMHz), m_high(WorkRangeHighMHz)
    {
        if (ToneNames[1].isEmpty())
            InitToneNames();
        image.storeIntoImage();
        const auto [low, high] = RangeFromImage();
        WorkRangeLowMHz = low;
        WorkRangeHighMHz = high;
    }
    ~FieldScope()
    {
        WorkRangeLowMHz = m_low;
        WorkRangeHighMHz = m_high;
    }

private:
    ImageScope m_image;
    double m_low;
    double m_high;
};

// The position of `text` among a list's items in either language, or -1.
int choiceIndex(const Items &items, const QString &text)
{
    const QString wanted = text.trimmed();
    for (bool chinese : {false, true}) {
        const QStringList list = items(chinese);
        for (int i = 0; i < list.size(); ++i)
            if (list.at(i).trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
                return i;
    }
    return -1;
}

QString unknownItem(const Items &items, const QString &text)
{
    const QStringList list = items(false);
    if (list.size() > 12)
        return QStringLiteral("\"%1\" is not an item of its list").arg(text.trimmed());
    QStringList shown;
    for (const QString &item : list)
        shown << item.trimmed();
    return QStringLiteral("\"%1\" is not one of: %2").arg(text.trimmed(), shown.join(QStringLiteral(", ")));
}

// A flag as text: on/off in either language, or 1/0.
int flagValue(const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("on") || t == QLatin1String("1") || t == QString::fromUtf8(On.chinese))
        return 1;
    if (t == QLatin1String("off") || t == QLatin1String("0") || t == QString::fromUtf8(Off.chinese))
        return 0;
    return -1;
}

bool isFrequencyText(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d+(\\.\\d*)?$"));
    return pattern.match(text).hasMatch();
}

bool isWholeNumberText(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d+$"));
    return pattern.match(text).hasMatch();
}

QString outOfRange()
{
    return QStringLiteral("outside the working range %1..%2 MHz")
        .arg(WorkRangeLowMHz)
        .arg(WorkRangeHighMHz);
}

// The refusal of a frequency entry by the channel editors' rules, or empty.
QString checkChannelFrequency(const QString &text)
{
    if (!isFrequencyText(text))
        return QStringLiteral("\"%1\" is not a frequency").arg(text);
    if (!isFrequencyInBand(numericValue(text)))
        return QStringLiteral("%1 is %2").arg(text, outOfRange());
    return QString();
}

bool isNameText(const QString &text)
{
    for (const QChar ch : text)
        if (ch != QLatin1Char(' ') && CodeToChar(CharToCode(QString(ch))) != QString(ch).toUpper())
            return false;
    return true;
}

QString checkName(const QString &name)
{
    if (name.size() > 5)
        return QStringLiteral("\"%1\" is longer than 5 characters").arg(name);
    if (!isNameText(name))
        return QStringLiteral("\"%1\" holds a character outside 0-9 A-Z - _ + * and space").arg(name);
    return QString();
}

QString freqText(int row, int column)
{
    return FreqFromBytes(Img(row, column), Img(row, column + 1), Img(row, column + 2), Img(row, column + 3));
}

QVector<FieldByte> wholeBytes(int row, int first, int count)
{
    QVector<FieldByte> bytes;
    for (int c = first; c < first + count; ++c)
        bytes.append({row, c, 0xFF});
    return bytes;
}

QString readOnly(const QString &) { return QStringLiteral("this field is derived; it cannot be set on its own"); }

// --- Generic builders -----------------------------------------------------

Field choiceBits(const QString &id, Bilingual caption, int row, int column, int mask, Items items)
{
    Field f{id, caption, FieldKind::Choice, {{row, column, mask}}, 0, {}, {}, items};
    f.read = [=](bool chinese) {
        const QStringList list = items(chinese);
        return list.at(qMin(imageBits(row, column, mask), int(list.size()) - 1));
    };
    f.write = [=](const QString &text) {
        const int index = choiceIndex(items, text);
        if (index < 0)
            return unknownItem(items, text);
        storeImageBits(row, column, mask, index);
        return QString();
    };
    return f;
}

Field flag(const QString &id, Bilingual caption, int row, int column, int bit, bool inverted = false)
{
    Field f{id, caption, FieldKind::Flag, {{row, column, 1 << bit}}, 0, {}, {}, {}};
    f.read = [=](bool chinese) {
        return bilingualText(imageBit(row, column, bit) != inverted ? On : Off, chinese);
    };
    f.write = [=](const QString &text) {
        const int on = flagValue(text);
        if (on < 0)
            return QStringLiteral("\"%1\" is neither on nor off").arg(text.trimmed());
        storeImageBit(row, column, bit, (on == 1) != inverted);
        return QString();
    };
    f.choices = [](bool chinese) { return bilingualItems({On, Off}, chinese); };
    return f;
}

// --- Channel records ------------------------------------------------------

bool insideWorkingRange(double mhz)
{
    return mhz >= WorkRangeLowMHz && mhz < WorkRangeHighMHz;
}

// The transmit frequency the channel editor shows: outside the working
// range it shows the receive frequency instead.
QString editorTransmitText(int n)
{
    const double tx = channelTxMHz(n, EditorDirectionByte);
    return transmitText(insideWorkingRange(tx) ? tx : numericValue(channelRxText(n)));
}

// What the channel editor does each time it shows a channel: a transmit
// frequency outside the working range loses its direction.
void showInEditor(int n)
{
    if (!isChannelEmpty(n) && !insideWorkingRange(channelTxMHz(n, EditorDirectionByte)))
        clearDirection(n, EditorDirectionByte);
}

void addChannelFields(QVector<Field> &fields, int n)
{
    const QString p = QStringLiteral("channel.%1.").arg(n);
    const auto add = [&](Field f) {
        f.channel = n;
        fields.append(std::move(f));
    };
    const auto inUse = [n](const std::function<QString()> &text) {
        return isChannelEmpty(n) ? QString() : text();
    };
    const auto needsChannel = [n](const std::function<QString()> &store) {
        if (isChannelEmpty(n))
            return QStringLiteral("channel %1 is empty: enter its receive frequency first").arg(n);
        return store();
    };
    const Items tones = [](bool chinese) { return toneSelectorItems(chinese); };

    // Bytes 0..7, shared by both encodings.
    add({p + "receive", {"接收频率(MHZ)", "RX Frequency"}, FieldKind::Frequency, wholeBytes(n, 0, 4), n,
         [=](bool) { return inUse([n] { return channelRxText(n); }); },
         [n](const QString &text) {
             const QString t = text.trimmed();
             if (t.isEmpty()) {
                 markChannelEmpty(n);
                 return QString();
             }
             const QString refused = checkChannelFrequency(t);
             if (!refused.isEmpty())
                 return refused;
             const QString cell = frequencyEntryText(t);
             if (isChannelEmpty(n)) {
                 QString stored = cell;
                 if (StoreFrequency(stored, n, 0))
                     initChannelDefaults(n);
             } else {
                 // As the grid does: the transmit frequency stays where it was.
                 storeFrequencyPair(n, cell, transmitText(channelTxMHz(n, GridDirectionByte)), GridDirectionByte);
             }
             return QString();
         },
         {}});
    add({p + "offset", {"频差频率(MHZ)", "Offset"}, FieldKind::Frequency, wholeBytes(n, 4, 4), n,
         [=](bool) { return inUse([n] { return freqText(n, 4); }); }, readOnly, {}});

    // Grid encoding.
    const auto transmitWriter = [=](int directionByte, bool padded) {
        return [=](const QString &text) {
            return needsChannel([=] {
                const QString t = text.trimmed();
                if (t.isEmpty()) {
                    // The grid makes the channel simplex; the editor stores nothing.
                    if (padded)
                        makeSimplex(n, directionByte);
                    return QString();
                }
                const QString refused = checkChannelFrequency(t);
                if (!refused.isEmpty())
                    return refused;
                storeTransmitFrequency(n, padded ? frequencyEntryText(t) : t, directionByte);
                if (!padded)
                    showInEditor(n);
                return QString();
            });
        };
    };
    QVector<FieldByte> gridTx = wholeBytes(n, 4, 4);
    gridTx.append({n, GridDirectionByte, DirectionMask});
    add({p + "transmit", {"发射频率(MHZ)", "TX Frequency"}, FieldKind::Frequency, gridTx, n,
         [=](bool) { return inUse([n] { return transmitText(channelTxMHz(n, GridDirectionByte)); }); },
         transmitWriter(GridDirectionByte, true), {}});

    // A list of the grid or the editor: the position its bytes select (-1
    // for none), and how a chosen position is stored (none: derived).
    using Position = int (*)(int n);
    using Store = void (*)(int n, int position);
    const auto choice = [&](const QString &id, Bilingual caption, FieldKind kind, QVector<FieldByte> bytes,
                            Items items, Position position, Store store) {
        add({id, caption, kind, bytes, n,
             [=](bool chinese) {
                 return inUse([=] {
                     const QStringList list = items(chinese);
                     const int k = position(n);
                     return k >= 0 && k < list.size() ? list.at(k) : QString();
                 });
             },
             [=](const QString &text) {
                 if (!store)
                     return readOnly(text);
                 return needsChannel([=] {
                     const int k = choiceIndex(items, text);
                     if (k < 0)
                         return kind == FieldKind::Choice ? unknownItem(items, text)
                                                          : QStringLiteral("unknown tone \"%1\"").arg(text.trimmed());
                     store(n, k);
                     return QString();
                 });
             },
             items});
    };
    const Items directions = [](bool chinese) { return shiftDirectionItems(chinese); };
    choice(p + "direction", {"频差方向", "Duplex"}, FieldKind::Choice, {{n, GridDirectionByte, DirectionMask}},
           directions, [](int n) { return imageBits(n, GridDirectionByte, DirectionMask) % 3; }, nullptr);
    choice(p + "decode", {"QT/DQT解码", "CTCSS/DCS Dec"}, FieldKind::GridTone,
           {{n, 8, 0xFF}, {n, GridDirectionByte, 0x10}}, tones,
           [](int n) { return gridTonePosition(n, ToneSlot::Decode); },
           [](int n, int k) { storeGridTone(n, ToneSlot::Decode, k); });
    choice(p + "encode", {"QT/DQT编码", "CTCSS/DCS Enc"}, FieldKind::GridTone,
           {{n, 9, 0xFF}, {n, GridDirectionByte, 0x20}}, tones,
           [](int n) { return gridTonePosition(n, ToneSlot::Encode); },
           [](int n, int k) { storeGridTone(n, ToneSlot::Encode, k); });
    choice(p + "power", {"发射功率", "TX Power"}, FieldKind::Choice, {{n, GridDirectionByte, 0x01}}, gridPowerItems,
           [](int n) { return imageBits(n, GridDirectionByte, 0x01); }, storeGridPower);
    choice(p + "bandwidth", {"信道带宽", "W/N"}, FieldKind::Choice, {{n, GridDirectionByte, 0x02}},
           gridBandwidthItems, [](int n) { return imageBits(n, GridDirectionByte, 0x02); }, storeGridBandwidth);
    QVector<FieldByte> gridNameBytes{{n, GridDirectionByte, 0x08}};
    gridNameBytes += wholeBytes(n, 11, 5);
    add({p + "name", {"信道名称", "Name"}, FieldKind::NameChars, gridNameBytes, n,
         [=](bool) { return inUse([n] { return gridName(n); }); },
         [n](const QString &text) {
             const QString name = text.trimmed();
             const QString refused = checkName(name);
             if (refused.isEmpty())
                 storeGridName(n, name);
             return refused;
         },
         {}});

    // The channel editor's encoding.
    const QString e = p + "editor.";
    // The channel editor's receive entry: its own defaults for a new
    // channel, its direction bits, and emptying deletes the name too.
    add({e + "receive", {"接收频率", "Receive Frequency "}, FieldKind::Frequency, wholeBytes(n, 0, 4), n,
         [=](bool) { return inUse([n] { return channelRxText(n); }); },
         [n](const QString &text) {
             const QString t = text.trimmed();
             if (t.isEmpty()) {
                 markChannelEmpty(n);
                 clearEditorName(n);
                 return QString();
             }
             const QString refused = checkChannelFrequency(t);
             if (!refused.isEmpty())
                 return refused;
             if (isChannelEmpty(n)) {
                 QString stored = t;
                 if (StoreFrequency(stored, n, 0))
                     initEditorChannelDefaults(n);
             } else {
                 storeFrequencyPair(n, t, editorTransmitText(n), EditorDirectionByte);
             }
             showInEditor(n);
             return QString();
         },
         {}});
    QVector<FieldByte> editorTx = wholeBytes(n, 4, 4);
    editorTx.append({n, EditorDirectionByte, DirectionMask});
    add({e + "transmit", {"发射频率", "Transmit Frequency"}, FieldKind::Frequency, editorTx, n,
         [=](bool) { return inUse([n] { return editorTransmitText(n); }); },
         transmitWriter(EditorDirectionByte, false), {}});
    choice(e + "direction", {"频差方向", "Duplex"}, FieldKind::Choice, {{n, EditorDirectionByte, DirectionMask}},
           directions, [](int n) { return imageBits(n, EditorDirectionByte, DirectionMask) % 3; }, nullptr);
    choice(e + "decode", {"QT/DQT 解码", "QT/DQT Decode"}, FieldKind::EditorTone, wholeBytes(n, 8, 2), tones,
           [](int n) { return editorTonePosition(n, ToneSlot::Decode); },
           [](int n, int k) { storeEditorTone(n, ToneSlot::Decode, k); });
    choice(e + "encode", {"QT/DQT 编码", "QT/DQT Encode"}, FieldKind::EditorTone, wholeBytes(n, 10, 2), tones,
           [](int n) { return editorTonePosition(n, ToneSlot::Encode); },
           [](int n, int k) { storeEditorTone(n, ToneSlot::Encode, k); });
    choice(e + "power", {"发射功率", "TX Power"}, FieldKind::Choice, {{n, EditorDirectionByte, 0x03}},
           editorPowerItems, editorPowerLevel, storeEditorPower);
    choice(e + "bandwidth", {"宽带/窄带", "Wide/Narror"}, FieldKind::Choice, {{n, OptionByte, 0x20}},
           editorBandwidthItems, editorBandwidth, storeEditorBandwidth);
    const auto editorFlag = [&](const char *name, Bilingual caption, int byte, int bit, bool inverted) {
        Field f = flag(e + name, caption, n, byte, bit, inverted);
        const Reader read = f.read;
        const Writer write = f.write;
        f.read = [=](bool chinese) { return inUse([=] { return read(chinese); }); };
        f.write = [=](const QString &text) { return needsChannel([=] { return write(text); }); };
        add(f);
    };
    editorFlag("scan_add", {"扫描添加", "Scan Add"}, ScanSkipByte, ScanSkipBit, true);
    editorFlag("vox", {"声控发射", "VOX"}, OptionByte, VoxBit, false);
    editorFlag("bcl", {"繁忙锁定", "BCL"}, OptionByte, BclBit, false);
    editorFlag("tx_stop", {"禁止发射", "TX Stop"}, OptionByte, TxStopBit, false);
    QVector<FieldByte> nameBytes;
    for (int k = 0; k < 5; ++k) {
        const int at = 5 * (n - 1) + k;
        nameBytes.append({NameTableFirstRow + at / RowBytes, at % RowBytes, 0xFF});
    }
    add({e + "name", {"信道名称", "Channel Name"}, FieldKind::NameChars, nameBytes, n,
         [n](bool) { return editorName(n); },
         [=](const QString &text) {
             return needsChannel([=] {
                 const QString name = text.trimmed();
                 const QString refused = checkName(name);
                 if (refused.isEmpty())
                     storeEditorName(n, name);
                 return refused;
             });
         },
         {}});
}

// --- Frequency mode and working range ---------------------------------------

constexpr int VfoFlags = 10;

// The options window's transmit check: receive +/- offset by direction
// inside the working range (upper limit outside).
bool vfoTransmitInRange(int direction)
{
    const double rx = numericValue(freqText(VfoRow, 0));
    const double offset = numericValue(freqText(VfoRow, 4));
    const double tx = direction == 1 ? rx + offset : direction == 2 ? rx - offset : rx;
    return tx >= WorkRangeLowMHz && tx < WorkRangeHighMHz;
}

void addVfoFields(QVector<Field> &fields)
{
    fields.append({"vfo.receive", {"接收频率(MHZ)", "RX Frequncy(MHZ)"}, FieldKind::Frequency,
                   wholeBytes(VfoRow, 0, 4), 0, [](bool) { return freqText(VfoRow, 0); },
                   [](const QString &text) {
                       const QString t = text.trimmed();
                       FreqField field;
                       if (!isFrequencyText(t) || t.size() >= 10 || !FreqToBytes(t, field))
                           return QStringLiteral("\"%1\" is not a frequency").arg(t);
                       const double f = numericValue(t);
                       if (f < WorkRangeLowMHz || f >= WorkRangeHighMHz)
                           return QStringLiteral("%1 is %2").arg(t, outOfRange());
                       storeImageBits(VfoRow, VfoFlags, DirectionMask, 0);
                       for (int b = 0; b < 4; ++b)
                           Img(VfoRow, b) = field[b];
                       return QString();
                   },
                   {}});
    fields.append({"vfo.offset", {"频差频率(MHZ)", "Offset Frequncy(MHZ) "}, FieldKind::Frequency,
                   wholeBytes(VfoRow, 4, 4), 0, [](bool) { return freqText(VfoRow, 4); },
                   [](const QString &text) {
                       const QString t = text.trimmed();
                       FreqField field;
                       if (!t.isEmpty() && !isFrequencyText(t))
                           return QStringLiteral("\"%1\" is not a frequency").arg(t);
                       if (t.size() > 8 || numericValue(t) > 69.9875
                           || !FreqToBytes(t.isEmpty() ? QStringLiteral("0") : t, field))
                           return QStringLiteral("offset %1 is 70 MHz or more").arg(t);
                       for (int b = 0; b < 4; ++b)
                           Img(VfoRow, 4 + b) = field[b];
                       // As the window does: a shift that now leaves the range is turned off.
                       if (!vfoTransmitInRange(imageBits(VfoRow, VfoFlags, DirectionMask)))
                           storeImageBits(VfoRow, VfoFlags, DirectionMask, 0);
                       return QString();
                   },
                   {}});
    Field direction = choiceBits("vfo.direction", {"频差方向", "Duplex"}, VfoRow, VfoFlags, DirectionMask,
                                 shiftDirectionItems);
    const Writer storeDirection = direction.write;
    direction.write = [storeDirection](const QString &text) {
        const int d = choiceIndex(shiftDirectionItems, text);
        if (d > 0 && !vfoTransmitInRange(d))
            return QStringLiteral("the transmit frequency would be %1").arg(outOfRange());
        return storeDirection(text);
    };
    fields.append(direction);
    const Items tones = [](bool chinese) { return toneSelectorItems(chinese); };
    const auto vfoTone = [&](const char *id, Bilingual caption, int codeByte, int invertBit) {
        fields.append({id, caption, FieldKind::GridTone,
                       {{VfoRow, codeByte, 0xFF}, {VfoRow, VfoFlags, 1 << invertBit}}, 0,
                       [=](bool chinese) {
                           return tones(chinese).at(
                               toneIndexOfCode(Img(VfoRow, codeByte), imageBit(VfoRow, VfoFlags, invertBit)));
                       },
                       [=](const QString &text) {
                           const int index = choiceIndex(tones, text);
                           if (index < 0)
                               return QStringLiteral("unknown tone \"%1\"").arg(text.trimmed());
                           const auto [code, inverted] = toneCodeOfIndex(index);
                           Img(VfoRow, codeByte) = qint16(code);
                           storeImageBit(VfoRow, VfoFlags, invertBit, inverted);
                           return QString();
                       },
                       tones});
    };
    vfoTone("vfo.decode", {"解码", "Decode"}, 8, 4);
    vfoTone("vfo.encode", {"编码", "Encode"}, 9, 5);
    fields.append(choiceBits("vfo.step", {"步进频率(KHZ)", "Step(KHZ)"}, GeneralRow, 9, 0xFF,
                             [](bool) { return tuningStepItems(); }));
    fields.append(choiceBits("vfo.bandwidth", {"信道带宽", "Wide / Narrow"}, VfoRow, VfoFlags, 0x02,
                             vfoBandwidthItems));
    fields.append(choiceBits("vfo.power", {"发射功率", "TX Power"}, VfoRow, VfoFlags, 0x01, vfoPowerItems));

    const auto limit = [&](const char *id, Bilingual caption, int firstByte, bool lower) {
        fields.append({id, caption, FieldKind::Number, {{RangeRow, firstByte, 0xF0}, {RangeRow, firstByte + 1, 0xFF}},
                       0,
                       [lower](bool) {
                           const auto [lo, hi] = RangeFromImage();
                           return QString::number(lower ? lo : hi);
                       },
                       [=](const QString &text) {
                           const QString t = text.trimmed();
                           if (!isFrequencyText(t))
                               return QStringLiteral("\"%1\" is not a whole MHz value").arg(t);
                           const int value = int(std::floor(numericValue(t)));
                           const auto [lo, hi] = RangeFromImage();
                           if (lower && value < 400)
                               return QStringLiteral("the lower limit cannot be below 400 MHz");
                           if (lower && value > hi)
                               return QStringLiteral("the lower limit cannot exceed the upper limit %1").arg(hi);
                           if (!lower && value > 470)
                               return QStringLiteral("the upper limit cannot be above 470 MHz");
                           if (!lower && value < lo)
                               return QStringLiteral("the upper limit cannot be below the lower limit %1").arg(lo);
                           const auto bytes = rangeLimitBytes(value);
                           Img(RangeRow, firstByte) = qint16(bytes[0]);
                           Img(RangeRow, firstByte + 1) = qint16(bytes[1]);
                           return QString();
                       },
                       {}});
    };
    limit("range.low", {"工作频率范围 下限", "Frequncy Range low"}, 0, true);
    limit("range.high", {"工作频率范围 上限", "Frequncy Range high"}, 2, false);
}

// --- Optional features ------------------------------------------------------

int firstChannelInUse()
{
    for (int n = FirstChannelRow; n <= LastChannelRow; ++n)
        if (hasCompleteReceiveFrequency(n))
            return n;
    return 0;
}

void addOptionFields(QVector<Field> &fields)
{
    const int G = GeneralRow;
    fields.append(choiceBits("option.time_out", {"超时定时器[分钟]", "Time Out Timer[Min]"}, G, 4, 0xFF, timeOutItems));
    fields.append(choiceBits("option.squelch", {"静噪等级", "Squelch Level"}, G, 2, 0xFF,
                             [](bool) { return squelchItems(); }));
    fields.append(choiceBits("option.vox_level", {"声控等级", "VOV Gain Level"}, G, 3, 0xFF, voxLevelItems));
    fields.append(choiceBits("option.back_light", {"背光灯", "Back Light"}, G, 6, 0xC0, backLightItems));
    fields.append(choiceBits("option.channel_display", {"信道显示方式", "Channel Disp Way"}, G, 5, 0x10,
                             channelDisplayItems));
    fields.append(choiceBits("option.scan_way", {"扫描方式", "Scan Way"}, G, 6, 0x30, scanWayItems));

    Field priority = flag("option.priority_scan", {"优先扫描", "Priority Scan"}, G, 6, 3);
    const Writer storePriority = priority.write;
    priority.write = [=](const QString &text) {
        if (flagValue(text) != 1)
            return storePriority(text);
        // Switching priority scan on takes the first channel in use.
        const int first = firstChannelInUse();
        if (first == 0)
            return QStringLiteral("priority scan needs a channel in use");
        storeImageBit(G, 6, 3, true);
        Img(G, 8) = qint16(first);
        return QString();
    };
    fields.append(priority);
    fields.append({"option.priority_channel", {"优先扫描信道", "Priority Channel"}, FieldKind::Number,
                   {{G, 8, 0xFF}}, 0,
                   [G](bool) { return QString::number(qBound(1, int(Img(G, 8)), int(LastChannelRow))); },
                   [G](const QString &text) {
                       const QString t = text.trimmed();
                       if (!imageBit(G, 6, 3))
                           return QStringLiteral("priority scan is off");
                       if (!isWholeNumberText(t) || t.toInt() < 1 || t.toInt() > LastChannelRow)
                           return QStringLiteral("\"%1\" is no channel 1..128").arg(t);
                       Img(G, 8) = qint16(t.toInt());
                       return QString();
                   },
                   [](bool) { return priorityChannelItems(); }});
    fields.append(choiceBits("option.ptt_id", {"PTT-ID 类型", "PTT-ID"}, G, 6, 0x03, pttIdItems));
    fields.append({"option.dtmf_code", {"DTMF 码组", "DTMF Code"}, FieldKind::Text,
                   wholeBytes(DtmfRow, 0, SettingsPlace::DtmfCodeLength), 0,
                   [](bool) {
                       QString code;
                       for (int b = 0; b < SettingsPlace::DtmfCodeLength; ++b)
                           code += DtmfDigitToChar(Img(DtmfRow, b));
                       return code;
                   },
                   [](const QString &text) {
                       const QString t = text.trimmed();
                       if (t.size() > SettingsPlace::DtmfCodeLength || dtmfCodeText(t).size() != t.size())
                           return QStringLiteral("\"%1\" is no DTMF code of up to 8 digits 0-9 A-F").arg(t);
                       const QString code = dtmfCodeText(t);
                       for (int b = 0; b < SettingsPlace::DtmfCodeLength; ++b)
                           Img(DtmfRow, b) = qint16(b < code.size() ? DtmfCharToDigit(code.at(b)) : Empty);
                       return QString();
                   },
                   {}});

    Field workMode = choiceBits("option.work_mode", {"工作模式", "Work Mode"}, G, 5, 0x01, workModeItems);
    const Writer storeMode = workMode.write;
    workMode.write = [=](const QString &text) {
        if (imageBit(G, 5, 5) && choiceIndex(workModeItems, text) == 0)
            return QStringLiteral("only channel mode is on");
        return storeMode(text);
    };
    fields.append(workMode);
    Field onlyChannel = flag("option.only_channel", {"仅工作在信道模式", "Only Channel Mode"}, G, 5, 5);
    const Writer storeOnly = onlyChannel.write;
    onlyChannel.write = [=](const QString &text) {
        const QString refused = storeOnly(text);
        if (refused.isEmpty() && flagValue(text) == 1)
            storeImageBit(G, 5, 0, true); // the window selects channel mode with it
        return refused;
    };
    fields.append(onlyChannel);
    fields.append(flag("option.power_save", {"省电", "Save"}, G, 5, 7));
    fields.append(flag("option.beep", {"哔音", "Beep"}, G, 5, 3));
    fields.append(flag("option.manual_setup", {"手动设置", "Manual set-up"}, G, 12, 4, true));
    fields.append(flag("option.send_stop_code", {"发送关机码", "Send Stop Code"}, G, 12, 5, true));
}

// --- DTMF, FM presets, scan, keys, message, power -----------------------------

void addDtmfFields(QVector<Field> &fields)
{
    fields.append(choiceBits("dtmf.pre_time", {"首位数码延迟时间(毫秒)", "Pre-Time(ms)"}, DtmfRow, 8, 0xFF,
                             [](bool) { return dtmfPreTimeItems(); }));
    fields.append(choiceBits("dtmf.interval", {"数码间隔时间(毫秒)", "Intervals(ms)"}, DtmfRow, 9, 0xFF,
                             [](bool) { return dtmfStepTimeItems(); }));
    fields.append(choiceBits("dtmf.duration", {"数码延迟时间(毫秒)", "Duration(ms)"}, DtmfRow, 10, 0xFF,
                             [](bool) { return dtmfStepTimeItems(); }));
    fields.append(flag("dtmf.side_tone", {"DTMF 侧音", "DTMF Side Tone"}, GeneralRow, 5, 6));
}

void addFmFields(QVector<Field> &fields)
{
    constexpr int HighestCode = 210;
    for (int k = 0; k < 16; ++k)
        fields.append({QStringLiteral("fm.%1").arg(k), {"收音频道", "Radio Channel"}, FieldKind::Frequency,
                       {{FmPresetRow, k, 0xFF}}, 0,
                       [k](bool) {
                           const int code = Img(FmPresetRow, k);
                           return code > HighestCode ? QString() : FmFreqText(code);
                       },
                       [k](const QString &text) {
                           const QString t = text.trimmed();
                           if (t.size() > 5)
                               return QStringLiteral("\"%1\" is longer than 5 characters").arg(t);
                           if (!t.isEmpty() && (!isFrequencyText(t) || fmPresetCode(t) == Empty))
                               return QStringLiteral("\"%1\" is outside 87.0..108.0 MHz").arg(t);
                           Img(FmPresetRow, k) = qint16(fmPresetCode(t));
                           return QString();
                       },
                       {}});
}

int scanKind()
{
    return qMin(int(Img(SettingsPlace::ScanRow, 0)), int(SelectedPriority));
}

void addScanFields(QVector<Field> &fields)
{
    const int S = SettingsPlace::ScanRow;
    Field kind = choiceBits("scan.priority", {"优先", "Priority"}, S, 0, 0xFF, scanPriorityItems);
    const Writer storeKind = kind.write;
    kind.write = [=](const QString &text) {
        const QString refused = storeKind(text);
        if (refused.isEmpty()) {
            // The revert list is rebuilt for the new kind and its selection stored.
            const int k = scanKind();
            Img(S, 4) = qint16(revertValueOfItem(k, revertItemOfValue(k, Img(S, 4))));
        }
        return refused;
    };
    fields.append(kind);
    fields.append({"scan.priority_channel", {"优先信道", "Priority Channel"}, FieldKind::Number, {{S, 1, 0xFF}}, 0,
                   [S](bool) {
                       const int channel = Img(S, 1);
                       const bool shown = scanKind() == FixedPriority && channel >= 1 && channel <= 16;
                       return shown ? QString::number(channel) : QString();
                   },
                   [S](const QString &text) {
                       const QString t = text.trimmed();
                       if (scanKind() != FixedPriority)
                           return QStringLiteral("the priority is not fixed");
                       if (t.isEmpty()) {
                           Img(S, 1) = Empty;
                           return QString();
                       }
                       if (!isWholeNumberText(t) || t.size() > 2 || t.toInt() < 1 || t.toInt() > 16)
                           return QStringLiteral("the priority channel must be between 1 and 16");
                       Img(S, 1) = qint16(t.toInt());
                       return QString();
                   },
                   {}});
    const auto lookBack = [&](const char *id, Bilingual caption, int byte) {
        fields.append({id, caption, FieldKind::Choice, {{S, byte, 0xFF}}, 0,
                       [=](bool) { return lookBackItems().at(lookBackItemOfByte(Img(S, byte))); },
                       [=](const QString &text) {
                           const Items items = [](bool) { return lookBackItems(); };
                           if (scanKind() == NoPriority)
                               return QStringLiteral("look-back times need a priority");
                           const int item = choiceIndex(items, text);
                           if (item < 0)
                               return unknownItem(items, text);
                           Img(S, byte) = qint16(lookBackByteOfItem(item));
                           return QString();
                       },
                       [](bool) { return lookBackItems(); }});
    };
    lookBack("scan.look_back_a", {"回扫时间 A(秒)", "Look Back Time A(s)"}, 2);
    lookBack("scan.look_back_b", {"回扫时间 B(秒)", "Look Back Time B(s)"}, 3);
    fields.append({"scan.revert", {"返回信道", "Revert Channel"}, FieldKind::Choice, {{S, 4, 0xFF}}, 0,
                   [S](bool chinese) {
                       const int k = scanKind();
                       return revertChannelItems(k, chinese).at(revertItemOfValue(k, Img(S, 4)));
                   },
                   [S](const QString &text) {
                       const int k = scanKind();
                       const Items items = [k](bool chinese) { return revertChannelItems(k, chinese); };
                       const int item = choiceIndex(items, text);
                       if (item < 0)
                           return unknownItem(items, text);
                       Img(S, 4) = qint16(revertValueOfItem(k, item));
                       return QString();
                   },
                   [S](bool chinese) { return revertChannelItems(scanKind(), chinese); }});
    const auto seconds = [&](const char *id, Bilingual caption, int lowByte) {
        fields.append({id, caption, FieldKind::Number, {{S, lowByte, 0xFF}, {S, lowByte + 1, 0xFF}}, 0,
                       [=](bool) {
                           return QString::number(qMin(Img(S, lowByte + 1) * 256 + Img(S, lowByte), LongestScanDelay));
                       },
                       [=](const QString &text) {
                           const QString t = text.trimmed();
                           if (!isWholeNumberText(t) || t.toInt() > LongestScanDelay)
                               return QStringLiteral("\"%1\" is not 0..300 seconds").arg(t);
                           Img(S, lowByte) = qint16(t.toInt() % 256);
                           Img(S, lowByte + 1) = qint16(t.toInt() / 256);
                           return QString();
                       },
                       {}});
    };
    seconds("scan.dropout_delay", {"扫描接收恢复延迟时间(秒)", "Dropout Delay Time (s)"}, 5);
    seconds("scan.tx_dwell", {"扫描发射恢复延迟时间(秒)", "TX Dwell Time (s)"}, 7);
}

void addKeyFields(QVector<Field> &fields)
{
    const auto key = [&](const char *id, Bilingual caption, int byte) {
        fields.append({id, caption, FieldKind::Choice, {{SettingsPlace::KeyRow, byte, 0xFF}}, 0,
                       [byte](bool chinese) {
                           return keyFunctionItems(chinese).at(keyItemOfCode(Img(SettingsPlace::KeyRow, byte)));
                       },
                       [byte](const QString &text) {
                           const int item = choiceIndex(keyFunctionItems, text);
                           if (item < 0)
                               return unknownItem(keyFunctionItems, text);
                           Img(SettingsPlace::KeyRow, byte) = qint16(keyCodeOfItem(item));
                           return QString();
                       },
                       keyFunctionItems});
    };
    key("key.pf1", {"PF1", "PF1"}, SettingsPlace::Pf1Byte);
    key("key.pf2", {"PF2", "PF2"}, SettingsPlace::Pf2Byte);
}

void addMessageAndPower(QVector<Field> &fields)
{
    using namespace SettingsPlace;
    fields.append({"message", {"嵌入信息", "Embedded Message"}, FieldKind::Text,
                   wholeBytes(MessageRow, MessageFirstByte, MessageLength), 0,
                   [](bool) {
                       QString text;
                       for (int b = MessageFirstByte; b < MessageFirstByte + MessageLength; ++b)
                           if (Img(MessageRow, b) > 0x20 && Img(MessageRow, b) < 0x7F)
                               text += QChar(Img(MessageRow, b));
                       return text;
                   },
                   [](const QString &text) {
                       const QString t = text.trimmed();
                       if (t.size() > MessageLength)
                           return QStringLiteral("\"%1\" is longer than 5 characters").arg(t);
                       for (const QChar ch : t)
                           if (!isMessageCharacter(ch))
                               return QStringLiteral("\"%1\" holds a character outside printable ASCII").arg(t);
                       for (int j = 0; j < MessageLength; ++j)
                           Img(MessageRow, MessageFirstByte + j) = qint16(j < t.size() ? t.at(j).unicode() : Empty);
                       return QString();
                   },
                   {}});
    const auto level = [&](const char *id, Bilingual caption, int byte) {
        fields.append({id, caption, FieldKind::Number, {{PowerRow, byte, 0xFF}}, 0,
                       [byte](bool) { return QString::number(Img(PowerRow, byte)); },
                       [byte](const QString &text) {
                           const QString t = text.trimmed();
                           if (!isWholeNumberText(t) || t.toInt() > 255)
                               return QStringLiteral("\"%1\" is not 0..255").arg(t);
                           Img(PowerRow, byte) = qint16(t.toInt());
                           return QString();
                       },
                       {}});
    };
    level("power.low", {"低功率", "Low power"}, 0);
    level("power.high", {"高功率", "High power"}, 1);
}

QVector<Field> buildCatalogue()
{
    QVector<Field> fields;
    for (int n = FirstChannelRow; n <= LastChannelRow; ++n)
        addChannelFields(fields, n);
    addVfoFields(fields);
    addOptionFields(fields);
    addDtmfFields(fields);
    addFmFields(fields);
    addScanFields(fields);
    addKeyFields(fields);
    addMessageAndPower(fields);
    return fields;
}

} // namespace

const QVector<Field> &fieldCatalogue()
{
    static const QVector<Field> fields = buildCatalogue();
    return fields;
}

const Field *findField(const QString &id)
{
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        const QVector<Field> &fields = fieldCatalogue();
        for (int i = 0; i < fields.size(); ++i)
            h.insert(fields.at(i).id, i);
        return h;
    }();
    const auto it = index.constFind(id);
    return it == index.constEnd() ? nullptr : &fieldCatalogue().at(*it);
}

QString readField(const Codeplug &image, const Field &field, bool chinese)
{
    FieldScope scope(image);
    return field.read(chinese);
}

QStringList readAllFields(const Codeplug &image, bool chinese)
{
    FieldScope scope(image);
    QStringList texts;
    for (const Field &field : fieldCatalogue())
        texts << field.read(chinese);
    return texts;
}

QString writeField(Codeplug &image, const Field &field, const QString &text)
{
    FieldScope scope(image);
    const QString refused = field.write(text);
    if (refused.isEmpty())
        image = Codeplug::fromImage();
    return refused;
}

int uncoveredMask(int row, int column)
{
    static const std::array<quint8, Codeplug::Size> covered = [] {
        std::array<quint8, Codeplug::Size> bits{};
        for (const Field &field : fieldCatalogue())
            for (const FieldByte &b : field.bytes)
                bits[b.row * RowBytes + b.column] |= quint8(b.mask);
        return bits;
    }();
    return ~covered[row * RowBytes + column] & 0xFF;
}

std::pair<int, int> workingRange(const Codeplug &image)
{
    FieldScope scope(image);
    return RangeFromImage();
}
