#include "core/ChannelRecord.h"

#include "core/Codecs.h"
#include "core/Image.h"
#include "core/NumberText.h"
#include "core/BitField.h"
#include "core/Bilingual.h"
#include "core/ModuleState.h"

#include <cmath>

namespace {

constexpr int NameLength = 5;

double frequencyAt(int n, int column)
{
    return numericValue(FreqFromBytes(Img(n, column), Img(n, column + 1), Img(n, column + 2),
                                      Img(n, column + 3)));
}

int direction(int n, int directionByte)
{
    const int d = imageBits(n, directionByte, DirectionMask);
    return d == 3 ? 0 : d;
}

void setDirection(int n, int directionByte, int d)
{
    storeImageBits(n, directionByte, DirectionMask, d);
}

void setOffsetZero(int n)
{
    for (int c = 4; c < 8; ++c)
        Img(n, c) = 0;
}

// Offset and direction from the stored receive value and a transmit text.
void storeOffsetFor(int n, const QString &txText, int directionByte)
{
    QString tx = txText;
    if (!StoreFrequency(tx, n, 4)) {
        makeSimplex(n, directionByte);
        return;
    }
    const double r = frequencyAt(n, 0);
    const double t = frequencyAt(n, 4);
    if (t == r) {
        makeSimplex(n, directionByte);
        return;
    }
    // Both values are whole multiples of 10 Hz; rounding the difference to
    // that unit keeps binary noise (438.02 - 438.01 = 0.0099999...) from
    // being snapped down a whole raster step.
    const double tenHzUnits = std::round(std::fabs(t - r) * 100000.0);
    QString difference = shortestDecimalText(tenHzUnits / 100000.0);
    StoreFrequency(difference, n, 4);
    setDirection(n, directionByte, t > r ? 1 : 2);
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

void markChannelEmpty(int n)
{
    for (int c = 0; c < RowBytes; ++c)
        Img(n, c) = Region::Empty;
}

QString channelRxText(int n)
{
    return FreqFromBytes(Img(n, 0), Img(n, 1), Img(n, 2), Img(n, 3));
}

double channelTxMHz(int n, int directionByte)
{
    const double r = frequencyAt(n, 0);
    switch (direction(n, directionByte)) {
    case 1:
        return r + frequencyAt(n, 4);
    case 2:
        return r - frequencyAt(n, 4);
    default:
        return r;
    }
}

bool storeFrequencyPair(int n, const QString &rxText, const QString &txText, int directionByte)
{
    QString rx = rxText;
    if (!StoreFrequency(rx, n, 0))
        return false;
    storeOffsetFor(n, txText, directionByte);
    return true;
}

bool storeTransmitFrequency(int n, const QString &txText, int directionByte)
{
    if (isChannelEmpty(n))
        return false;
    storeOffsetFor(n, txText, directionByte);
    return true;
}

void makeSimplex(int n, int directionByte)
{
    setOffsetZero(n);
    setDirection(n, directionByte, 0);
}

void clearDirection(int n, int directionByte)
{
    setDirection(n, directionByte, 0);
}

bool recordBit(int n, int byte, int bit)
{
    return imageBit(n, byte, bit);
}

void setRecordBit(int n, int byte, int bit, bool on)
{
    storeImageBit(n, byte, bit, on);
}

QStringList toneSelectorItems()
{
    return toneSelectorItems(UseChinese);
}

QStringList toneSelectorItems(bool chinese)
{
    QStringList items;
    items.reserve(LastTonePosition + 1);
    items << bilingualText(ToneOff, chinese);
    for (int p = 1; p <= LastTonePosition; ++p)
        items << ToneNames[p].trimmed();
    return items;
}

// --- Grid encoding --------------------------------------------------------

GridTone gridToneFromPosition(int position)
{
    if (position > DcsNormalEnd)
        return {position - 104, true};
    return {qMax(position, 0), false};
}

int gridPositionFromTone(int code, bool inverted)
{
    if (code <= CtcssCount || !inverted)
        return code;
    const int position = code + 104;
    return position > LastTonePosition ? -1 : position;
}

int gridTonePosition(int n, ToneSlot slot)
{
    return gridPositionFromTone(Img(n, toneCodeByte(slot)),
                                recordBit(n, GridDirectionByte, toneInversionBit(slot)));
}

void storeGridTone(int n, ToneSlot slot, int position)
{
    const GridTone tone = gridToneFromPosition(position);
    Img(n, toneCodeByte(slot)) = qint16(tone.code);
    setRecordBit(n, GridDirectionByte, toneInversionBit(slot), tone.inverted);
}

QString gridToneText(int n, ToneSlot slot)
{
    const int position = gridTonePosition(n, slot);
    if (position == 0)
        return bilingualText(ToneOff, UseChinese);
    return position < 0 ? QString() : ToneNames[position];
}

void storeGridPower(int n, int position)
{
    setRecordBit(n, GridDirectionByte, 0, position > 0);
}

QStringList gridPowerItems(bool chinese)
{
    return bilingualItems({{"低", "Low"}, {"高", "High"}}, chinese);
}

QString gridPowerText(int n)
{
    return gridPowerItems(UseChinese).at(recordBit(n, GridDirectionByte, 0) ? 1 : 0);
}

void storeGridBandwidth(int n, int position)
{
    setRecordBit(n, GridDirectionByte, 1, position > 0);
}

QStringList gridBandwidthItems(bool chinese)
{
    return bilingualItems({{"窄带", "Narrow"}, {"宽带", "Wide"}}, chinese);
}

QString gridBandwidthText(int n)
{
    return gridBandwidthItems(UseChinese).at(recordBit(n, GridDirectionByte, 1) ? 1 : 0);
}

QString gridName(int n)
{
    if (!recordBit(n, GridDirectionByte, 3))
        return QString();
    const int codes[NameLength] = {Img(n, 11), Img(n, 12), Img(n, 13), Img(n, 14), Img(n, 15)};
    return nameFromCodes(codes);
}

void storeGridName(int n, const QString &text)
{
    const QString name = text.trimmed().left(NameLength);
    for (int k = 0; k < NameLength; ++k)
        Img(n, 11 + k) = k < name.size() ? qint16(CharToCode(name.mid(k, 1))) : qint16(Region::Empty);
    setRecordBit(n, GridDirectionByte, 3, !name.isEmpty());
}

void initChannelDefaults(int n)
{
    setOffsetZero(n);
    Img(n, 8) = 0;
    Img(n, 9) = 0;
    Img(n, 10) = 3;
    for (int c = 11; c < RowBytes; ++c)
        Img(n, c) = Region::Empty;
}

// --- Editor encoding ------------------------------------------------------

EditorTone editorToneFromPosition(int position)
{
    if (position <= 0)
        return {Region::Empty, Region::Empty};
    if (position <= CtcssCount)
        return {0, position - 1};
    if (position <= DcsNormalEnd)
        return {1, position - 51};
    return {2, position - 155};
}

int editorPositionFromTone(int kind, int index)
{
    // Only the kind decides: kind 0 with index 255 is the last CTCSS tone.
    switch (kind) {
    case 0:
        return qMin(index, 49) + 1;
    case 1:
        return qMin(index + 51, int(DcsNormalEnd));
    case 2:
        return qMin(index + 155, LastTonePosition);
    default:
        return 0;
    }
}

int editorTonePosition(int n, ToneSlot slot)
{
    const int kindByte = editorKindByte(slot);
    return editorPositionFromTone(Img(n, kindByte), Img(n, kindByte + 1));
}

void storeEditorTone(int n, ToneSlot slot, int position)
{
    const EditorTone tone = editorToneFromPosition(position);
    const int kindByte = editorKindByte(slot);
    Img(n, kindByte) = qint16(tone.kind);
    Img(n, kindByte + 1) = qint16(tone.index);
}

QStringList editorPowerItems(bool chinese)
{
    return bilingualItems({{"低", "Low"}, {"中", "Middle"}, {"高", "High"}}, chinese);
}

QStringList editorBandwidthItems(bool chinese)
{
    return bilingualItems({{"宽带", "Wide"}, {"窄带", "Narrow"}}, chinese);
}

int editorPowerLevel(int n)
{
    return imageBits(n, EditorDirectionByte, 0x03);
}

void storeEditorPower(int n, int position)
{
    storeImageBits(n, EditorDirectionByte, 0x03, position);
}

int editorBandwidth(int n)
{
    return recordBit(n, OptionByte, 5) ? 1 : 0;
}

void storeEditorBandwidth(int n, int position)
{
    setRecordBit(n, OptionByte, 5, position > 0);
}

QString editorName(int n)
{
    int codes[NameLength];
    for (int k = 0; k < NameLength; ++k)
        codes[k] = Img(nameByteRow(n, k), nameByteColumn(n, k));
    return nameFromCodes(codes);
}

void storeEditorName(int n, const QString &text)
{
    const QString name = text.trimmed().left(NameLength);
    for (int k = 0; k < NameLength; ++k)
        Img(nameByteRow(n, k), nameByteColumn(n, k)) =
            k < name.size() ? qint16(CharToCode(name.mid(k, 1))) : qint16(Region::Empty);
}

void clearEditorName(int n)
{
    storeEditorName(n, QString());
}

void initEditorChannelDefaults(int n)
{
    setOffsetZero(n);
    for (int c = 8; c <= 11; ++c)
        Img(n, c) = Region::Empty;
    Img(n, 12) = 6;
    Img(n, 13) = 0;
    Img(n, 14) = Region::Empty;
    Img(n, 15) = Region::Empty;
    clearEditorName(n);
}
