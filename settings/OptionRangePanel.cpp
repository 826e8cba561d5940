#include "settings/OptionRangePanel.h"

#include "core/Codecs.h"
#include "core/Image.h"
#include "core/ModuleState.h"
#include "core/NumberText.h"
#include "platform/InputHooks.h"
#include "platform/KeyFilter.h"
#include "platform/Messages.h"
#include "core/Texts.h"
#include "core/SettingsRules.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

using namespace Region;

namespace {
void showLimitMessage(const char *chinese, const char *english)
{
    showMessage(langText(chinese, english), langText("操作提示", "Operate Prompt"));
}
} // namespace

OptionRangePanel::OptionRangePanel(QWidget *window)
    : OptionPanel(window)
{
    Frame_Freq_range = namedControl(new QGroupBox(window), "Frame_Freq_range");
    Text_pvfo_d0 = namedControl(new QLineEdit(window), "Text_pvfo_d0");
    Label_to = namedControl(new QLabel(window), "Label_to");
    Text_pvfo_d1 = namedControl(new QLineEdit(window), "Text_pvfo_d1");
    Label3 = namedControl(new QLabel(window), "Label3");

    auto *range = new QHBoxLayout(Frame_Freq_range);
    range->addWidget(Text_pvfo_d0, 1);
    range->addWidget(Label_to);
    range->addWidget(Text_pvfo_d1, 1);
    range->addWidget(Label3);

    KeyRule limit = KeyRule::only(DecimalDigits);
    limit.enter = true;
    for (QLineEdit *box : {Text_pvfo_d0, Text_pvfo_d1})
        filterKeys(box, limit);
    onFocusLost(Text_pvfo_d0, [this] { Text_pvfo_d0_LostFocus(); });
    onFocusLost(Text_pvfo_d1, [this] { Text_pvfo_d1_LostFocus(); });
}

void OptionRangePanel::setCaptions()
{
    Frame_Freq_range->setTitle(langText("工作频率范围", "Frequncy Range"));
    Label_to->setText(QStringLiteral("---"));
    Label3->setText(QStringLiteral("MHZ"));
}

void OptionRangePanel::loadFromImage()
{
    const auto [lower, upper] = RangeFromImage();
    WorkRangeLowMHz = lower;
    WorkRangeHighMHz = upper;
    Text_pvfo_d0->setText(QString::number(lower));
    Text_pvfo_d1->setText(QString::number(upper));
}

void OptionRangePanel::Text_pvfo_d0_LostFocus()
{
    if (closing())
        return;
    const double lo = numericValue(Text_pvfo_d0->text());
    const double hi = numericValue(Text_pvfo_d1->text());
    if (lo < 400) {
        showLimitMessage("下限频率不可小于本机最低工作频率",
                         "frequency of lower limit can't less than the lowest of work frequency. ");
        Text_pvfo_d0->setText(QStringLiteral("400"));
        refocusLater(Text_pvfo_d0);
    } else if (hi < lo) {
        showLimitMessage("下限频率不可大于上限频率",
                         "frequency of lower limit can't more than frequency of upper limit.");
        Text_pvfo_d0->setText(Text_pvfo_d1->text());
        refocusLater(Text_pvfo_d0);
    }
    StoreFrequencyRange();
    CheckFrequencyLimits();
}

void OptionRangePanel::Text_pvfo_d1_LostFocus()
{
    if (closing())
        return;
    const double lo = numericValue(Text_pvfo_d0->text());
    const double hi = numericValue(Text_pvfo_d1->text());
    if (hi > 470) {
        showLimitMessage("上限频率不可大于本机最高工作频率",
                         "frequency of upper limit can't more than the highest of work frequency. ");
        Text_pvfo_d1->setText(QStringLiteral("470"));
        refocusLater(Text_pvfo_d1);
    } else if (lo > hi) {
        showLimitMessage("上限频率不可小于下限频率",
                         "frequency of upper limit can't less than frequency of lower limit.");
        Text_pvfo_d1->setText(Text_pvfo_d0->text());
        refocusLater(Text_pvfo_d1);
    }
    StoreFrequencyRange();
    CheckFrequencyLimits();
}

void OptionRangePanel::StoreFrequencyRange()
{
    // The whole MHz of each box, whatever its spelling ("0400" is 400).
    const auto whole = [](QLineEdit *box) {
        return qBound(0, int(std::floor(numericValue(box->text()))), 999);
    };
    const auto lower = rangeLimitBytes(whole(Text_pvfo_d0));
    const auto upper = rangeLimitBytes(whole(Text_pvfo_d1));
    Img(RangeRow, 0) = lower[0];
    Img(RangeRow, 1) = lower[1];
    Img(RangeRow, 2) = upper[0];
    Img(RangeRow, 3) = upper[1];
    emit imageChanged();
}

void OptionRangePanel::CheckFrequencyLimits()
{
    if (CheckVfoRange()) {
        showMessage("频率模式下的接收或发射频率超出频率限制范围",
                    "Receiving or transmitting frequency that frequency Mode out of frequency "
                    "limitation range ");
        return;
    }
    const int n = CheckChannelRanges();
    if (n != 0)
        showMessage(langText(QStringLiteral("信道 %1 中的接收或发射频率超出频率限制范围").arg(n),
                             QStringLiteral("Channel %1that Receiving or transmitting frequency  out "
                                            "of frequency limitation range ")
                                 .arg(n)));
}
