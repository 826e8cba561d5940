// The frequency mode (VFO) record and the working range.
#include "fields/FieldBuilders.h"

#include "core/BitField.h"
#include "core/ChannelRecord.h"
#include "core/Codecs.h"
#include "core/NumberText.h"
#include "core/SettingsChoices.h"
#include "core/SettingsRules.h"

#include <cmath>

namespace FieldRows {

using namespace Region;

namespace {

constexpr int VfoFlags = 10;

// The options window's transmit check: receive +/- offset by direction
// inside the working range (upper limit outside).
bool vfoTransmitInRange(const Codeplug &image, int direction)
{
    const double rx = frequencyMHz(image, VfoRow, 0);
    const double offset = frequencyMHz(image, VfoRow, 4);
    const double tx = direction == 1 ? rx + offset : direction == 2 ? rx - offset : rx;
    const WorkRange range = workRangeOf(image);
    return tx >= range.low && tx < range.high;
}

} // namespace

void addVfoFields(QVector<Field> &fields)
{
    fields.append({"vfo.receive", {"接收频率(MHZ)", "RX Frequncy(MHZ)"}, FieldKind::Frequency,
                   wholeBytes(VfoRow, 0, 4), 0,
                   [](const Codeplug &image, bool) { return frequencyText(image, VfoRow, 0); },
                   [](Codeplug &image, const QString &text) {
                       const QString t = text.trimmed();
                       FreqField field;
                       if (!isFrequencyText(t) || t.size() >= 10 || !FreqToBytes(t, field))
                           return QStringLiteral("\"%1\" is not a frequency").arg(t);
                       const double f = numericValue(t);
                       const WorkRange range = workRangeOf(image);
                       if (f < range.low || f >= range.high)
                           return QStringLiteral("%1 is %2").arg(t, outOfRange(range));
                       storeImageBits(image, VfoRow, VfoFlags, DirectionMask, 0);
                       for (int b = 0; b < 4; ++b)
                           image.at(VfoRow, b) = field[b];
                       return QString();
                   },
                   {}});
    fields.append({"vfo.offset", {"频差频率(MHZ)", "Offset Frequncy(MHZ) "}, FieldKind::Frequency,
                   wholeBytes(VfoRow, 4, 4), 0,
                   [](const Codeplug &image, bool) { return frequencyText(image, VfoRow, 4); },
                   [](Codeplug &image, const QString &text) {
                       const QString t = text.trimmed();
                       FreqField field;
                       if (!t.isEmpty() && !isFrequencyText(t))
                           return QStringLiteral("\"%1\" is not a frequency").arg(t);
                       if (t.size() > 8 || numericValue(t) > 69.9875
                           || !FreqToBytes(t.isEmpty() ? QStringLiteral("0") : t, field))
                           return QStringLiteral("offset %1 is 70 MHz or more").arg(t);
                       for (int b = 0; b < 4; ++b)
                           image.at(VfoRow, 4 + b) = field[b];
                       // As the window does: a shift that now leaves the range is turned off.
                       if (!vfoTransmitInRange(image, imageBits(image, VfoRow, VfoFlags, DirectionMask)))
                           storeImageBits(image, VfoRow, VfoFlags, DirectionMask, 0);
                       return QString();
                   },
                   {}});
    Field direction = choiceBits("vfo.direction", {"频差方向", "Duplex"}, VfoRow, VfoFlags, DirectionMask,
                                 shiftDirectionItems);
    const Writer storeDirection = direction.write;
    direction.write = [storeDirection](Codeplug &image, const QString &text) {
        const int d = choiceIndex(shiftDirectionItems, text);
        if (d > 0 && !vfoTransmitInRange(image, d))
            return QStringLiteral("the transmit frequency would be %1").arg(outOfRange(workRangeOf(image)));
        return storeDirection(image, text);
    };
    fields.append(direction);
    const Items tones = [](bool chinese) { return toneSelectorItems(chinese); };
    const auto vfoTone = [&](const char *id, Bilingual caption, int codeByte, int invertBit) {
        fields.append({id, caption, FieldKind::GridTone,
                       {{VfoRow, codeByte, 0xFF}, {VfoRow, VfoFlags, 1 << invertBit}}, 0,
                       [=](const Codeplug &image, bool chinese) {
                           return tones(chinese).at(toneIndexOfCode(image.cell(VfoRow, codeByte),
                                                                    imageBit(image, VfoRow, VfoFlags, invertBit)));
                       },
                       [=](Codeplug &image, const QString &text) {
                           const int index = choiceIndex(tones, text);
                           if (index < 0)
                               return QStringLiteral("unknown tone \"%1\"").arg(text.trimmed());
                           const auto [code, inverted] = toneCodeOfIndex(index);
                           image.at(VfoRow, codeByte) = qint16(code);
                           storeImageBit(image, VfoRow, VfoFlags, invertBit, inverted);
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
                       [lower](const Codeplug &image, bool) {
                           const auto [lo, hi] = RangeFromImage(image);
                           return QString::number(lower ? lo : hi);
                       },
                       [=](Codeplug &image, const QString &text) {
                           const QString t = text.trimmed();
                           if (!isFrequencyText(t))
                               return QStringLiteral("\"%1\" is not a whole MHz value").arg(t);
                           const int value = int(std::floor(numericValue(t)));
                           const auto [lo, hi] = RangeFromImage(image);
                           if (lower && value < 400)
                               return QStringLiteral("the lower limit cannot be below 400 MHz");
                           if (lower && value > hi)
                               return QStringLiteral("the lower limit cannot exceed the upper limit %1").arg(hi);
                           if (!lower && value > 470)
                               return QStringLiteral("the upper limit cannot be above 470 MHz");
                           if (!lower && value < lo)
                               return QStringLiteral("the upper limit cannot be below the lower limit %1").arg(lo);
                           const auto bytes = rangeLimitBytes(value);
                           image.at(RangeRow, firstByte) = qint16(bytes[0]);
                           image.at(RangeRow, firstByte + 1) = qint16(bytes[1]);
                           return QString();
                       },
                       {}});
    };
    limit("range.low", {"工作频率范围 下限", "Frequncy Range low"}, 0, true);
    limit("range.high", {"工作频率范围 上限", "Frequncy Range high"}, 2, false);
}

} // namespace FieldRows
