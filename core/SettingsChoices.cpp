#include "core/SettingsChoices.h"

#include "core/Bilingual.h"
#include "core/SettingsRules.h"

namespace {
constexpr Bilingual Off{"关", "OFF"};
} // namespace

QStringList timeOutItems(Language language)
{
    return QStringList{bilingualText(Off, language)} + numberItems(1, 1, 7);
}

QStringList squelchItems()
{
    return numberItems(0, 1, 10);
}

QStringList voxLevelItems(Language language)
{
    return QStringList{bilingualText(Off, language)} + numberItems(1, 1, 9);
}

QStringList backLightItems(Language language)
{
    return bilingualItems({Off, {"按键点亮", "Key"}, {"持续点亮", "Cont"}}, language);
}

QStringList channelDisplayItems(Language language)
{
    return bilingualItems({{"频率", "Frequncy"}, {"名称", "Name"}}, language);
}

QStringList scanWayItems(Language language)
{
    return bilingualItems({{"搜索", "SE"}, {"时间", "TO"}, {"载波", "CO"}}, language);
}

QStringList pttIdItems(Language language)
{
    return bilingualItems({Off, {"按下发射", "BOT"}, {"松开发射", "EOT"}, {"两者", "BOTH"}}, language);
}

QStringList priorityChannelItems()
{
    return numberItems(1, 1, 128);
}

QStringList workModeItems(Language language)
{
    return bilingualItems({{"频率模式", "Frequncy"}, {" 信道模式", "Channel"}}, language);
}

QStringList tuningStepItems()
{
    return {QStringLiteral("5.00K"),  QStringLiteral("6.25K"),  QStringLiteral("10.00K"),
            QStringLiteral("12.50K"), QStringLiteral("20.00K"), QStringLiteral("25.00K")};
}

QStringList shiftDirectionItems(Language language)
{
    return bilingualItems({{"关", "Off"}, {"加频", "Plus"}, {"减频", "Minus"}}, language);
}

QStringList vfoBandwidthItems(Language language)
{
    return bilingualItems({{"窄带", "Narrow"}, {"宽带", "Wide"}}, language);
}

QStringList vfoPowerItems(Language language)
{
    return bilingualItems({{"低功率", "Low"}, {"高功率", "High"}}, language);
}

QStringList dtmfPreTimeItems()
{
    return numberItems(50, 50, 90);
}

QStringList dtmfStepTimeItems()
{
    return numberItems(50, 25, 255);
}

QStringList scanPriorityItems(Language language)
{
    return bilingualItems({{"无", "None"}, {"固定", "Fixed"}, {"选定", "Selected"}}, language);
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

QStringList revertChannelItems(int kind, Language language)
{
    const Bilingual selected{"选定", "Selected"}, selectedTalk{"选定+当前通话", "Selected+Talk Back"};
    const Bilingual priority{"优先", "Priority"}, priorityTalk{"优先+当前通话", "Priority+Talk Back"};
    if (kind == NoPriority)
        return bilingualItems({selected, selectedTalk}, language);
    if (kind == FixedPriority)
        return bilingualItems({selected, selectedTalk, priority, priorityTalk}, language);
    return bilingualItems({priority, priorityTalk}, language);
}

int revertItemOfValue(int kind, int value)
{
    if (kind == SelectedPriority && value > 1)
        value -= 2;
    return qMin(value, int(revertChannelItems(kind, Language::English).size()) - 1);
}

QStringList keyFunctionItems(Language language)
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
                          language);
}
