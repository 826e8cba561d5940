// The frequency mode (VFO) record and the working range.
#include "fields/FieldBuilders.h"

#include "core/ChannelRecord.h"
#include "core/Codecs.h"
#include "core/FrequencyEntry.h"
#include "core/NumberText.h"
#include "core/SettingsCaptions.h"
#include "core/SettingsChoices.h"
#include "core/SettingsRules.h"
#include "core/Texts.h"

#include <cmath>

namespace FieldRows {

using namespace Region;

namespace {

QString tooLargeOffset(Language language)
{
    return langText(language, "频差 %1 达到或超过 70 MHz", "offset %1 is 70 MHz or more");
}

ValueReader frequencyAt(int row, int column)
{
    return [=](const Codeplug &image) { return Frequency::read(image, row, column); };
}

} // namespace

void addVfoFields(QVector<Field> &fields)
{
    fields.append({"vfo.receive", VfoCaption::Receive, FieldKind::Frequency,
                   wholeBytes(VfoRow, 0, 4), 0,
                   [](const Codeplug &image, Language) { return frequencyText(image, VfoRow, 0); },
                   [](Codeplug &image, const QString &text, Language language) {
                       const QString t = text.trimmed();
                       if (!isFrequencyText(t) || t.size() >= 10 || !isEncodableFrequency(numericValue(t)))
                           return notAFrequency(language).arg(t);
                       const WorkRange range = workRangeOf(image);
                       const std::optional<Frequency> rx = vfoReceiveField(t, range);
                       if (!rx)
                           return isOutOfRange(t, range, language);
                       storeVfoReceive(image, *rx);
                       return QString();
                   },
                   {}, frequencyAt(VfoRow, 0),
                   storeAs<Frequency>([](Codeplug &image, Frequency rx, Language language) {
                       const WorkRange range = workRangeOf(image);
                       if (!isFrequencyInBand(rx.mhz(), range))
                           return isOutOfRange(frequencyValueText(rx), range, language);
                       storeVfoReceive(image, rx);
                       return QString();
                   })});
    fields.append({"vfo.offset", VfoCaption::Offset, FieldKind::Frequency,
                   wholeBytes(VfoRow, 4, 4), 0,
                   [](const Codeplug &image, Language) { return frequencyText(image, VfoRow, 4); },
                   [](Codeplug &image, const QString &text, Language language) {
                       const QString t = text.trimmed();
                       if (!t.isEmpty() && !isFrequencyText(t))
                           return notAFrequency(language).arg(t);
                       const std::optional<Frequency> offset = vfoOffsetField(t);
                       if (!offset)
                           return tooLargeOffset(language).arg(t);
                       storeVfoOffset(image, *offset);
                       keepVfoShiftInRange(image, workRangeOf(image));
                       return QString();
                   },
                   {}, frequencyAt(VfoRow, 4),
                   storeAs<Frequency>([](Codeplug &image, Frequency offset, Language language) {
                       if (offset.mhz() > HighestVfoOffsetMHz)
                           return tooLargeOffset(language).arg(frequencyValueText(offset));
                       storeVfoOffset(image, offset);
                       keepVfoShiftInRange(image, workRangeOf(image));
                       return QString();
                   })});
    fields.append(guarded(settingChoice(SettingId::VfoDirection),
                          [](const Codeplug &image, const FieldValue &value, Language language) {
        const ChoiceValue *d = std::get_if<ChoiceValue>(&value);
        if (d && d->index > 0 && !vfoTransmitInRange(image, d->index, workRangeOf(image)))
            return langText(language, "发射频率将%1", "the transmit frequency would be %1").arg(outOfRange(workRangeOf(image), language));
        return QString();
    }));
    const Items tones = [](Language language) { return toneSelectorItems(language); };
    const auto vfoTone = [&](SettingId code, SettingId inversion, ToneSlot slot) {
        const SettingPlace &c = settingPlace(code), &i = settingPlace(inversion);
        fields.append({c.key, c.caption, FieldKind::GridTone, {{c.row, c.byte, c.mask}, {i.row, i.byte, i.mask}}, 0,
                       [=](const Codeplug &image, Language language) { return tones(language).at(vfoTonePosition(image, slot)); },
                       [=](Codeplug &image, const QString &text, Language language) {
                           const int index = choiceIndex(tones, text);
                           if (index < 0)
                               return unknownTone(language).arg(text.trimmed());
                           storeVfoTone(image, slot, index);
                           return QString();
                       },
                       tones, [=](const Codeplug &image) { return ToneValue{vfoTonePosition(image, slot)}; },
                       storeAs<ToneValue>([=](Codeplug &image, ToneValue tone, Language language) {
                           if (!checkPosition(tone.position, tones, language).isEmpty())
                               return unknownTone(language).arg(tone.position);
                           storeVfoTone(image, slot, tone.position);
                           return QString();
                       })});
    };
    vfoTone(SettingId::VfoDecodeCode, SettingId::VfoDecodeInverted, ToneSlot::Decode);
    vfoTone(SettingId::VfoEncodeCode, SettingId::VfoEncodeInverted, ToneSlot::Encode);
    for (SettingId id : {SettingId::VfoStep, SettingId::VfoBandwidth, SettingId::VfoPower})
        fields.append(settingChoice(id));

    const auto limit = [&](const char *id, Bilingual caption, bool lower) {
        const int firstByte = lower ? 0 : 2;
        const auto store = [lower](Codeplug &image, int value, Language language) {
            const auto [lo, hi] = RangeFromImage(image);
            const RangeLimitFault fault = lower ? lowerLimitFault(value, hi) : upperLimitFault(lo, value);
            if (fault != RangeLimitFault::None)
                return langText(language, rangeLimitMessage(lower, fault)).trimmed();
            storeRangeLimit(image, lower, value);
            return QString();
        };
        fields.append({id, caption, FieldKind::Number, {{RangeRow, firstByte, 0xF0}, {RangeRow, firstByte + 1, 0xFF}},
                       0,
                       [lower](const Codeplug &image, Language) {
                           const auto [lo, hi] = RangeFromImage(image);
                           return QString::number(lower ? lo : hi);
                       },
                       [=](Codeplug &image, const QString &text, Language language) {
                           const QString t = text.trimmed();
                           if (!isFrequencyText(t))
                               return langText(language, "“%1”不是整数 MHz 值", "\"%1\" is not a whole MHz value").arg(t);
                           return store(image, int(std::floor(numericValue(t))), language);
                       },
                       {},
                       [lower](const Codeplug &image) {
                           const auto [lo, hi] = RangeFromImage(image);
                           return NumberValue{lower ? lo : hi};
                       },
                       storeAs<NumberValue>([=](Codeplug &image, NumberValue v, Language language) {
                           return store(image, v.value, language);
                       })});
    };
    limit("range.low", {"工作频率范围 下限", "Frequncy Range low"}, true);
    limit("range.high", {"工作频率范围 上限", "Frequncy Range high"}, false);
}

} // namespace FieldRows
