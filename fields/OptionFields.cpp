// The optional features, the DTMF settings and the FM presets.
#include "fields/FieldBuilders.h"

#include "core/BitField.h"
#include "core/ChannelUse.h"
#include "core/Codecs.h"
#include "core/SettingsChoices.h"
#include "core/SettingsRules.h"

namespace FieldRows {

using namespace Region;

namespace {

int firstChannelInUse(const Codeplug &image)
{
    for (int n = FirstChannelRow; n <= LastChannelRow; ++n)
        if (hasCompleteReceiveFrequency(image, n))
            return n;
    return 0;
}

} // namespace

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
    priority.write = [=](Codeplug &image, const QString &text) {
        if (flagValue(text) != 1)
            return storePriority(image, text);
        // Switching priority scan on takes the first channel in use.
        const int first = firstChannelInUse(image);
        if (first == 0)
            return QStringLiteral("priority scan needs a channel in use");
        storeImageBit(image, G, 6, 3, true);
        image.at(G, 8) = qint16(first);
        return QString();
    };
    fields.append(priority);
    fields.append({"option.priority_channel", {"优先扫描信道", "Priority Channel"}, FieldKind::Number,
                   {{G, 8, 0xFF}}, 0,
                   [G](const Codeplug &image, bool) {
                       return QString::number(qBound(1, int(image.cell(G, 8)), int(LastChannelRow)));
                   },
                   [G](Codeplug &image, const QString &text) {
                       const QString t = text.trimmed();
                       if (!imageBit(image, G, 6, 3))
                           return QStringLiteral("priority scan is off");
                       if (!isWholeNumberText(t) || t.toInt() < 1 || t.toInt() > LastChannelRow)
                           return QStringLiteral("\"%1\" is no channel 1..128").arg(t);
                       image.at(G, 8) = qint16(t.toInt());
                       return QString();
                   },
                   [](bool) { return priorityChannelItems(); }});
    fields.append(choiceBits("option.ptt_id", {"PTT-ID 类型", "PTT-ID"}, G, 6, 0x03, pttIdItems));
    fields.append({"option.dtmf_code", {"DTMF 码组", "DTMF Code"}, FieldKind::Text,
                   wholeBytes(DtmfRow, 0, SettingsPlace::DtmfCodeLength), 0,
                   [](const Codeplug &image, bool) {
                       QString code;
                       for (int b = 0; b < SettingsPlace::DtmfCodeLength; ++b)
                           code += DtmfDigitToChar(image.cell(DtmfRow, b));
                       return code;
                   },
                   [](Codeplug &image, const QString &text) {
                       const QString t = text.trimmed();
                       if (t.size() > SettingsPlace::DtmfCodeLength || dtmfCodeText(t).size() != t.size())
                           return QStringLiteral("\"%1\" is no DTMF code of up to 8 digits 0-9 A-F").arg(t);
                       const QString code = dtmfCodeText(t);
                       for (int b = 0; b < SettingsPlace::DtmfCodeLength; ++b)
                           image.at(DtmfRow, b) = qint16(b < code.size() ? DtmfCharToDigit(code.at(b)) : Empty);
                       return QString();
                   },
                   {}});

    Field workMode = choiceBits("option.work_mode", {"工作模式", "Work Mode"}, G, 5, 0x01, workModeItems);
    const Writer storeMode = workMode.write;
    workMode.write = [=](Codeplug &image, const QString &text) {
        if (imageBit(image, G, 5, 5) && choiceIndex(workModeItems, text) == 0)
            return QStringLiteral("only channel mode is on");
        return storeMode(image, text);
    };
    fields.append(workMode);
    Field onlyChannel = flag("option.only_channel", {"仅工作在信道模式", "Only Channel Mode"}, G, 5, 5);
    const Writer storeOnly = onlyChannel.write;
    onlyChannel.write = [=](Codeplug &image, const QString &text) {
        const QString refused = storeOnly(image, text);
        if (refused.isEmpty() && flagValue(text) == 1)
            storeImageBit(image, G, 5, 0, true); // the window selects channel mode with it
        return refused;
    };
    fields.append(onlyChannel);
    fields.append(flag("option.power_save", {"省电", "Save"}, G, 5, 7));
    fields.append(flag("option.beep", {"哔音", "Beep"}, G, 5, 3));
    fields.append(flag("option.manual_setup", {"手动设置", "Manual set-up"}, G, 12, 4, true));
    fields.append(flag("option.send_stop_code", {"发送关机码", "Send Stop Code"}, G, 12, 5, true));
}

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
                       [k](const Codeplug &image, bool) {
                           const int code = image.cell(FmPresetRow, k);
                           return code > HighestCode ? QString() : FmFreqText(code);
                       },
                       [k](Codeplug &image, const QString &text) {
                           const QString t = text.trimmed();
                           if (t.size() > 5)
                               return QStringLiteral("\"%1\" is longer than 5 characters").arg(t);
                           if (!t.isEmpty() && (!isFrequencyText(t) || fmPresetCode(t) == Empty))
                               return QStringLiteral("\"%1\" is outside 87.0..108.0 MHz").arg(t);
                           image.at(FmPresetRow, k) = qint16(fmPresetCode(t));
                           return QString();
                       },
                       {}});
}

} // namespace FieldRows
