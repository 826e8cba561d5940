#include "settings/OptionRangePanel.h"

#include "core/Codecs.h"
#include "platform/CodeplugDocument.h"
#include "core/Codeplug.h"
#include "core/NumberText.h"
#include "platform/InputHooks.h"
#include "platform/KeyFilter.h"
#include "platform/Messages.h"
#include "core/Texts.h"
#include "core/SettingsRules.h"
#include "core/WritePreparation.h"
#include "platform/WindowLanguage.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

using namespace Region;

namespace {
constexpr Bilingual RangeCaption{"工作频率范围", "Frequncy Range"};

void showLimitMessage(bool lower, RangeLimitFault fault)
{
    const Bilingual message = rangeLimitMessage(lower, fault);
    showMessage(langText(message.chinese, message.english), langText("操作提示", "Operate Prompt"));
}
} // namespace

OptionRangePanel::OptionRangePanel(ChildWindow *window)
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
    Frame_Freq_range->setTitle(langText(RangeCaption));
    Label_to->setText(QStringLiteral("---"));
    Label3->setText(QStringLiteral("MHZ"));
}

void OptionRangePanel::loadFromImage()
{
    window().document().adoptWorkRange(workRangeOf(image()));
    showRange();
}

void OptionRangePanel::showRange()
{
    const auto [lower, upper] = RangeFromImage(image());
    Text_pvfo_d0->setText(QString::number(lower));
    Text_pvfo_d1->setText(QString::number(upper));
}

void OptionRangePanel::Text_pvfo_d0_LostFocus()
{
    if (closing())
        return;
    const double lo = numericValue(Text_pvfo_d0->text());
    const double hi = numericValue(Text_pvfo_d1->text());
    if (const RangeLimitFault fault = lowerLimitFault(lo, hi); fault != RangeLimitFault::None) {
        showLimitMessage(true, fault);
        Text_pvfo_d0->setText(fault == RangeLimitFault::OutsideBand ? QString::number(LowestRangeLimitMHz)
                                                                    : Text_pvfo_d1->text());
        refocusLater(Text_pvfo_d0);
    }
    storeRange();
    CheckFrequencyLimits();
}

void OptionRangePanel::Text_pvfo_d1_LostFocus()
{
    if (closing())
        return;
    const double lo = numericValue(Text_pvfo_d0->text());
    const double hi = numericValue(Text_pvfo_d1->text());
    if (const RangeLimitFault fault = upperLimitFault(lo, hi); fault != RangeLimitFault::None) {
        showLimitMessage(false, fault);
        Text_pvfo_d1->setText(fault == RangeLimitFault::OutsideBand ? QString::number(HighestRangeLimitMHz)
                                                                    : Text_pvfo_d0->text());
        refocusLater(Text_pvfo_d1);
    }
    storeRange();
    CheckFrequencyLimits();
}

void OptionRangePanel::storeRange()
{
    // The whole MHz of each box, whatever its spelling ("0400" is 400).
    const auto whole = [](QLineEdit *box) {
        return qBound(0, int(std::floor(numericValue(box->text()))), 999);
    };
    // The edit and the working range the window then takes from it are one
    // step.
    window().document().editWithRange(captionLabel(RangeCaption), [&](Codeplug &image) {
        storeRangeLimit(image, true, whole(Text_pvfo_d0));
        storeRangeLimit(image, false, whole(Text_pvfo_d1));
    });
    emit imageChanged();
}

void OptionRangePanel::CheckFrequencyLimits()
{
    const WritePreparation check = checkRanges(image());
    if (!check.ready())
        showMessageWithSummary(check.message(windowLanguage()), check.summary(windowLanguage()));
}

#include "moc_OptionRangePanel.cpp"
