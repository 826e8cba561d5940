// The optional features, the DTMF settings and the FM presets.
#include "fields/FieldBuilders.h"

#include "core/ChannelUse.h"
#include "core/Codecs.h"
#include "core/SettingsCaptions.h"
#include "core/SettingsChoices.h"
#include "core/SettingsRules.h"
#include "core/Texts.h"

namespace FieldRows {

using namespace Region;

void addOptionFields(QVector<Field> &fields)
{
    using S = SettingId;
    for (S id : {S::TimeOut, S::Squelch, S::VoxLevel, S::BackLight, S::ChannelDisplay, S::ScanWay})
        fields.append(settingChoice(id));
    fields.append(settingFlag(S::PriorityScan, {"优先扫描需要一个已使用的信道", "priority scan needs a channel in use"}));
    fields.append(guarded(settingNumber(S::PriorityChannel, FirstChannelRow, LastChannelRow,
                                        {"“%1”不是信道 1..128", "\"%1\" is no channel 1..128"}),
                          [](const Codeplug &image, const FieldValue &, Language language) {
                              return settingValue(image, S::PriorityScan)
                                  ? QString()
                                  : langText(language, "优先扫描已关闭", "priority scan is off");
                          }));
    fields.append(settingChoice(S::PttId));
    const auto storeCode = [](Codeplug &image, const QString &text, Language language) {
        const QString t = text.trimmed();
        if (t.size() > SettingBytes::DtmfCodeLength || dtmfCodeText(t).size() != t.size())
            return langText(language, "“%1”不是最多 8 位 0-9 A-F 的 DTMF 码",
                            "\"%1\" is no DTMF code of up to 8 digits 0-9 A-F").arg(t);
        storeDtmfCode(image, dtmfCodeText(t));
        return QString();
    };
    fields.append({"option.dtmf_code", OptionCaption::DtmfCode, FieldKind::Text,
                   wholeBytes(DtmfRow, 0, SettingBytes::DtmfCodeLength), 0,
                   [](const Codeplug &image, Language) { return dtmfCode(image); }, storeCode, {},
                   [](const Codeplug &image) { return FieldValue(dtmfCode(image)); }, storeAs<QString>(storeCode)});
    fields.append(guarded(settingChoice(S::WorkMode), [](const Codeplug &image, const FieldValue &value, Language language) {
        return settingValue(image, S::OnlyChannel) && value == FieldValue(ChoiceValue{0})
            ? langText(language, "“只用信道模式”已打开", "only channel mode is on")
            : QString();
    }));
    for (S id : {S::OnlyChannel, S::PowerSave, S::Beep, S::ManualSetup, S::SendStopCode})
        fields.append(settingFlag(id));
}

void addDtmfFields(QVector<Field> &fields)
{
    using S = SettingId;
    for (S id : {S::DtmfPreTime, S::DtmfInterval, S::DtmfDuration})
        fields.append(settingChoice(id));
    fields.append(settingFlag(S::DtmfSideTone));
}

// An FM preset's value: its frequency, 87.0 MHz and whole 0.1 MHz steps
// above (the preset's code), or nothing for an empty preset.
namespace {

constexpr qint64 FmStep = Frequency::StepsPerMHz / 10;
constexpr Frequency FmLowest = Frequency::fromSteps(qint64(FmLowerMHz) * Frequency::StepsPerMHz);

FieldValue fmPresetValue(const Codeplug &image, int k)
{
    const int code = image.cell(FmPresetRow, k);
    return code > FmHighestCode ? FieldValue() : FieldValue(FmLowest + Frequency::fromSteps(code * FmStep));
}

QString storeFmPresetValue(Codeplug &image, int k, const FieldValue &value, Language language)
{
    const Frequency *f = std::get_if<Frequency>(&value);
    if (!f && !std::holds_alternative<std::monostate>(value))
        return notOfItsKind(language);
    const qint64 code = f ? (*f - FmLowest).steps() / FmStep : Empty;
    if (f && (*f < FmLowest || code > FmHighestCode))
        return langText(language, "“%1”超出 87.0..108.0 MHz", "\"%1\" is outside 87.0..108.0 MHz")
            .arg(frequencyValueText(*f));
    image.at(FmPresetRow, k) = qint16(code);
    return QString();
}

} // namespace

void addFmFields(QVector<Field> &fields)
{
    for (int k = 0; k < 16; ++k)
        fields.append({QStringLiteral("fm.%1").arg(k), {"收音频道", "Radio Channel"}, FieldKind::Frequency,
                       {{FmPresetRow, k, 0xFF}}, 0,
                       [k](const Codeplug &image, Language) { return fmPresetText(image, k); },
                       [k](Codeplug &image, const QString &text, Language language) {
                           const QString t = text.trimmed();
                           if (t.size() > 5)
                               return longerThanFive(language).arg(t);
                           if (!t.isEmpty() && (!isFrequencyText(t) || fmPresetCode(t) == Empty))
                               return langText(language, "“%1”超出 87.0..108.0 MHz", "\"%1\" is outside 87.0..108.0 MHz").arg(t);
                           storeFmPreset(image, k, t);
                           return QString();
                       },
                       {}, [k](const Codeplug &image) { return fmPresetValue(image, k); },
                       [k](Codeplug &image, const FieldValue &value, Language language) {
                           return storeFmPresetValue(image, k, value, language);
                       }});
}

} // namespace FieldRows
