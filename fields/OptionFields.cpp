// The optional features, the DTMF settings and the FM presets.
#include "fields/FieldBuilders.h"

#include "core/BitField.h"
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
    const int G = GeneralRow;
    fields.append(choiceBits("option.time_out", OptionCaption::TimeOut, G, 4, 0xFF, timeOutItems));
    fields.append(choiceBits("option.squelch", OptionCaption::Squelch, G, 2, 0xFF,
                             [](bool) { return squelchItems(); }));
    fields.append(choiceBits("option.vox_level", OptionCaption::VoxLevel, G, 3, 0xFF, voxLevelItems));
    fields.append(choiceBits("option.back_light", OptionCaption::BackLight, G, 6, 0xC0, backLightItems));
    fields.append(choiceBits("option.channel_display", OptionCaption::ChannelDisplay, G, 5, 0x10,
                             channelDisplayItems));
    fields.append(choiceBits("option.scan_way", OptionCaption::ScanWay, G, 6, 0x30, scanWayItems));

    Field priority = flag("option.priority_scan", OptionCaption::PriorityScan, G, 6, 3);
    const Writer storePriority = priority.write;
    priority.write = [=](Codeplug &image, const QString &text) {
        if (flagValue(text) != 1)
            return storePriority(image, text);
        if (!switchPriorityScanOn(image))
            return langText("优先扫描需要一个已使用的信道", "priority scan needs a channel in use");
        return QString();
    };
    fields.append(priority);
    fields.append({"option.priority_channel", OptionCaption::PriorityChannel, FieldKind::Number,
                   {{G, 8, 0xFF}}, 0,
                   [G](const Codeplug &image, bool) {
                       return QString::number(qBound(1, int(image.cell(G, 8)), int(LastChannelRow)));
                   },
                   [G](Codeplug &image, const QString &text) {
                       const QString t = text.trimmed();
                       if (!imageBit(image, G, 6, 3))
                           return langText("优先扫描已关闭", "priority scan is off");
                       if (!isWholeNumberText(t) || t.toInt() < 1 || t.toInt() > LastChannelRow)
                           return langText("“%1”不是信道 1..128", "\"%1\" is no channel 1..128").arg(t);
                       image.at(G, 8) = qint16(t.toInt());
                       return QString();
                   },
                   [](bool) { return priorityChannelItems(); }});
    fields.append(choiceBits("option.ptt_id", OptionCaption::PttId, G, 6, 0x03, pttIdItems));
    fields.append({"option.dtmf_code", OptionCaption::DtmfCode, FieldKind::Text,
                   wholeBytes(DtmfRow, 0, SettingsPlace::DtmfCodeLength), 0,
                   [](const Codeplug &image, bool) { return dtmfCode(image); },
                   [](Codeplug &image, const QString &text) {
                       const QString t = text.trimmed();
                       if (t.size() > SettingsPlace::DtmfCodeLength || dtmfCodeText(t).size() != t.size())
                           return langText("“%1”不是最多 8 位 0-9 A-F 的 DTMF 码",
                                           "\"%1\" is no DTMF code of up to 8 digits 0-9 A-F").arg(t);
                       storeDtmfCode(image, dtmfCodeText(t));
                       return QString();
                   },
                   {}});

    Field workMode = choiceBits("option.work_mode", OptionCaption::WorkMode, G, 5, 0x01, workModeItems);
    const Writer storeMode = workMode.write;
    workMode.write = [=](Codeplug &image, const QString &text) {
        if (imageBit(image, G, 5, 5) && choiceIndex(workModeItems, text) == 0)
            return langText("“只用信道模式”已打开", "only channel mode is on");
        return storeMode(image, text);
    };
    fields.append(workMode);
    Field onlyChannel = flag("option.only_channel", OptionCaption::OnlyChannel, G, 5, 5);
    onlyChannel.write = [=](Codeplug &image, const QString &text) {
        const int on = flagValue(text);
        if (on < 0)
            return neitherOnNorOff().arg(text.trimmed());
        storeOnlyChannelMode(image, on == 1);
        return QString();
    };
    fields.append(onlyChannel);
    fields.append(flag("option.power_save", OptionCaption::PowerSave, G, 5, 7));
    fields.append(flag("option.beep", OptionCaption::Beep, G, 5, 3));
    fields.append(flag("option.manual_setup", OptionCaption::ManualSetup, G, 12, 4, true));
    fields.append(flag("option.send_stop_code", OptionCaption::SendStopCode, G, 12, 5, true));
}

void addDtmfFields(QVector<Field> &fields)
{
    fields.append(choiceBits("dtmf.pre_time", DtmfCaption::PreTime, DtmfRow, 8, 0xFF,
                             [](bool) { return dtmfPreTimeItems(); }));
    fields.append(choiceBits("dtmf.interval", DtmfCaption::Interval, DtmfRow, 9, 0xFF,
                             [](bool) { return dtmfStepTimeItems(); }));
    fields.append(choiceBits("dtmf.duration", DtmfCaption::Duration, DtmfRow, 10, 0xFF,
                             [](bool) { return dtmfStepTimeItems(); }));
    fields.append(flag("dtmf.side_tone", DtmfCaption::SideTone, GeneralRow, 5, 6));
}

void addFmFields(QVector<Field> &fields)
{
    for (int k = 0; k < 16; ++k)
        fields.append({QStringLiteral("fm.%1").arg(k), {"收音频道", "Radio Channel"}, FieldKind::Frequency,
                       {{FmPresetRow, k, 0xFF}}, 0,
                       [k](const Codeplug &image, bool) { return fmPresetText(image, k); },
                       [k](Codeplug &image, const QString &text) {
                           const QString t = text.trimmed();
                           if (t.size() > 5)
                               return longerThanFive().arg(t);
                           if (!t.isEmpty() && (!isFrequencyText(t) || fmPresetCode(t) == Empty))
                               return langText("“%1”超出 87.0..108.0 MHz", "\"%1\" is outside 87.0..108.0 MHz").arg(t);
                           storeFmPreset(image, k, t);
                           return QString();
                       },
                       {}});
}

} // namespace FieldRows
