#include "core/SettingsChoices.h"

#include "core/Bilingual.h"
#include "core/SettingsRules.h"

namespace {
constexpr Bilingual Off{"关", "OFF"};
} // namespace

QStringList timeOutItems(bool chinese)
{
    return QStringList{bilingualText(Off, chinese)} + numberItems(1, 1, 7);
}

QStringList squelchItems()
{
    return numberItems(0, 1, 10);
}

QStringList voxLevelItems(bool chinese)
{
    return QStringList{bilingualText(Off, chinese)} + numberItems(1, 1, 9);
}

QStringList backLightItems(bool chinese)
{
    return bilingualItems({Off, {"按键点亮", "Key"}, {"持续点亮", "Cont"}}, chinese);
}

QStringList channelDisplayItems(bool chinese)
{
    return bilingualItems({{"频率", "Frequncy"}, {"名称", "Name"}}, chinese);
}

QStringList scanWayItems(bool chinese)
{
    return bilingualItems({{"搜索", "SE"}, {"时间", "TO"}, {"载波", "CO"}}, chinese);
}

QStringList pttIdItems(bool chinese)
{
    return bilingualItems({Off, {"按下发射", "BOT"}, {"松开发射", "EOT"}, {"两者", "BOTH"}}, chinese);
}

QStringList priorityChannelItems()
{
    return numberItems(1, 1, 128);
}

QStringList workModeItems(bool chinese)
{
    return bilingualItems({{"频率模式", "Frequncy"}, {" 信道模式", "Channel"}}, chinese);
}

QStringList tuningStepItems()
{
    return {QStringLiteral("5.00K"),  QStringLiteral("6.25K"),  QStringLiteral("10.00K"),
            QStringLiteral("12.50K"), QStringLiteral("20.00K"), QStringLiteral("25.00K")};
}

QStringList shiftDirectionItems(bool chinese)
{
    return bilingualItems({{"关", "Off"}, {"加频", "Plus"}, {"减频", "Minus"}}, chinese);
}

QStringList vfoBandwidthItems(bool chinese)
{
    return bilingualItems({{"窄带", "Narrow"}, {"宽带", "Wide"}}, chinese);
}

QStringList vfoPowerItems(bool chinese)
{
    return bilingualItems({{"低功率", "Low"}, {"高功率", "High"}}, chinese);
}

QStringList dtmfPreTimeItems()
{
    return numberItems(50, 50, 90);
}

QStringList dtmfStepTimeItems()
{
    return numberItems(50, 25, 255);
}

QStringList scanPriorityItems(bool chinese)
{
    return bilingualItems({{"无", "None"}, {"固定", "Fixed"}, {"选定", "Selected"}}, chinese);
}

QStringList lookBackItems()
{
    QStringList items;
    for (int i = 50; i <= 500; i += 5)
        items << QString::number(i / 100.0, 'f', 2);
    return items;
}

QStringList scanSecondsItems()
{
    return numberItems(0, 1, LongestScanDelay + 1);
}

QStringList revertChannelItems(int kind, bool chinese)
{
    const Bilingual selected{"选定", "Selected"}, selectedTalk{"选定+当前通话", "Selected+Talk Back"};
    const Bilingual priority{"优先", "Priority"}, priorityTalk{"优先+当前通话", "Priority+Talk Back"};
    if (kind == NoPriority)
        return bilingualItems({selected, selectedTalk}, chinese);
    if (kind == FixedPriority)
        return bilingualItems({selected, selectedTalk, priority, priorityTalk}, chinese);
    return bilingualItems({priority, priorityTalk}, chinese);
}

int revertItemOfValue(int kind, int value)
{
    if (kind == SelectedPriority && value > 1)
        value -= 2;
    return qMin(value, int(revertChannelItems(kind, false).size()) - 1);
}

QStringList keyFunctionItems(bool chinese)
{
    return bilingualItems({{"无", "None"},
                           {"自动拨号", "Autodial"},
                           {"按键锁定", "Key Lock"},
                           {"按键锁定及备份", "Key Lock with Backup"},
                           {"监听", "Monitor"},
                           {"监听瞬时", "Monitor Momentary"},
                           {"扫描", "Scan"},
                           {"扫描 + 暂时删除", "Scan+Temporary Delete"},
                           {"扰频器", "Scrambler"},
                           {"取消静噪", "Squelch Off"},
                           {"瞬时取消静噪", "Squelch Off Momentary"},
                           {"暂时删除", "Temporary Delete"}},
                          chinese);
}
