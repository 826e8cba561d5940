#include "settings/Form_Edit_scan.h"

#include "platform/CodeplugDocument.h"
#include "core/Codeplug.h"
#include "core/NumberText.h"
#include "platform/InputHooks.h"
#include "platform/KeyFilter.h"
#include "platform/Layouts.h"
#include "platform/Messages.h"
#include "core/Texts.h"
#include "core/SettingsChoices.h"
#include "core/SettingPlaces.h"
#include "core/SettingsRules.h"
#include "core/SettingsCaptions.h"
#include "platform/WindowLanguage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Form_Edit_scan::Form_Edit_scan(WindowRegistry &registry)
    : ChildWindow(WindowId::Form_Edit_scan, registry)
{
    setObjectName(QStringLiteral("Form_Edit_scan"));
    const auto make = [this](auto *widget, const char *name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    Label_pri = make(new QLabel(this), "Label_pri");
    Combo_pri = make(new QComboBox(this), "Combo_pri");
    Label_prich = make(new QLabel(this), "Label_prich");
    Text_prich = make(new QLineEdit(this), "Text_prich");
    Label_BA = make(new QLabel(this), "Label_BA");
    Combo_BA = make(new QComboBox(this), "Combo_BA");
    Label_BB = make(new QLabel(this), "Label_BB");
    Combo_BB = make(new QComboBox(this), "Combo_BB");
    Label_BC = make(new QLabel(this), "Label_BC");
    Combo_BC = make(new QComboBox(this), "Combo_BC");
    Label_RYC = make(new QLabel(this), "Label_RYC");
    Combo_RYC = make(new QComboBox(this), "Combo_RYC");
    Label_TYC = make(new QLabel(this), "Label_TYC");
    Combo_TYC = make(new QComboBox(this), "Combo_TYC");
    Command_close = make(new QPushButton(this), "Command_close");
    Command_help = make(new QPushButton(this), "Command_help");

    auto *grid = new QGridLayout;
    const std::pair<QLabel *, QWidget *> rows[] = {
        {Label_pri, Combo_pri}, {Label_prich, Text_prich}, {Label_BA, Combo_BA}, {Label_BB, Combo_BB},
        {Label_BC, Combo_BC},   {Label_RYC, Combo_RYC},    {Label_TYC, Combo_TYC}};
    int row = 0;
    for (const auto &[label, field] : rows) {
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row++, 1);
    }
    grid->setColumnStretch(1, 1);
    auto *buttons = centeredButtonRow({Command_close, Command_help});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    const auto onChoice = [this](QComboBox *list, const std::function<void()> &choose) {
        connect(list, &QComboBox::activated, this, choose);
        onListTextTyped(list, choose);
    };
    onChoice(Combo_pri, [this] { Combo_pri_Click(); });
    for (const auto &[list, id] : boundLists())
        onChoice(list, [this, list = list, id = id] { editSetting(id, list->currentIndex()); });
    // Digits only, at most two; Backspace is refused as well.
    KeyRule prich = KeyRule::only(Digits);
    prich.backspace = false;
    prich.limit = 2;
    filterKeys(Text_prich, prich);
    connect(Text_prich, &QLineEdit::textEdited, this, &Form_Edit_scan::Text_prich_Change);
    connect(Command_close, &QPushButton::clicked, this, &ChildWindow::closeWindow);
    setEscapeButton(Command_close); // Close is always allowed
}

void Form_Edit_scan::Form_Load()
{
    ChildWindow::Form_Load();
    const QSize main = mainWindowSize();
    const int w = qRound(main.width() / 1.8);
    const int h = qRound(main.height() / 1.4);
    placeWindow((main.width() - w) / 2, qMax(0, (main.height() - h) / 8), w, h);

    setWindowTitle(langText("扫描信息", "Scan Information"));
    Label_pri->setText(langText(ScanCaption::Priority));
    Label_prich->setText(langText(ScanCaption::PriorityChannel));
    Label_BA->setText(langText(ScanCaption::LookBackA));
    Label_BB->setText(langText(ScanCaption::LookBackB));
    Label_BC->setText(langText(ScanCaption::Revert));
    Label_RYC->setText(langText(ScanCaption::DropoutDelay));
    Label_TYC->setText(langText(ScanCaption::TxDwell));
    Command_close->setText(langText("关闭", "Close"));
    Command_help->setText(langText("帮助", "Help"));

    Combo_pri->clear();
    Combo_pri->addItems(scanPriorityItems(windowLanguage()));
    const QStringList lookBack = lookBackItems();
    Combo_BA->clear();
    Combo_BA->addItems(lookBack);
    Combo_BB->clear();
    Combo_BB->addItems(lookBack);
    const QStringList seconds = scanSecondsItems();
    Combo_RYC->clear();
    Combo_RYC->addItems(seconds);
    Combo_TYC->clear();
    Combo_TYC->addItems(seconds);
    LoadScanWindow();
}

void Form_Edit_scan::Form_Activate()
{
    LoadScanWindow();
}

void Form_Edit_scan::fillRevertList(int kind)
{
    Combo_BC->clear();
    Combo_BC->addItems(revertChannelItems(kind, windowLanguage()));
}

std::vector<std::pair<QComboBox *, SettingId>> Form_Edit_scan::boundLists() const
{
    return {{Combo_BA, SettingId::LookBackA},
            {Combo_BB, SettingId::LookBackB},
            {Combo_BC, SettingId::Revert},
            {Combo_RYC, SettingId::DropoutDelay},
            {Combo_TYC, SettingId::TxDwell}};
}

void Form_Edit_scan::showDocumentChange(int, int)
{
    LoadScanWindow();
}

void Form_Edit_scan::LoadScanWindow()
{
    const int kind = settingValue(image(), SettingId::ScanPriority);
    Combo_pri->setCurrentIndex(kind);
    const int channel = settingValue(image(), SettingId::ScanPriorityChannel);
    Text_prich->setText(channel ? QString::number(channel) : QString());
    fillRevertList(kind);
    for (const auto &[list, id] : boundLists())
        list->setCurrentIndex(settingValue(image(), id));

    setFieldEnabled(Text_prich, kind == FixedPriority);
    setFieldEnabled(Combo_BA, kind != NoPriority);
    setFieldEnabled(Combo_BB, kind != NoPriority);
}

void Form_Edit_scan::Combo_pri_Click()
{
    // The kind, and the revert channel that the kind's list then shows, are
    // one step.
    editSetting(SettingId::ScanPriority, Combo_pri->currentIndex());
    LoadScanWindow();
}

void Form_Edit_scan::Text_prich_Change()
{
    if (Combo_pri->currentIndex() != FixedPriority)
        return;
    const QString text = Text_prich->text().trimmed();
    if (text.isEmpty()) {
        editSetting(SettingId::ScanPriorityChannel, 0, true);
        return;
    }
    const double n = numericValue(text);
    if (n < 1 || n > LastScanPriorityChannel) {
        showMessage("优先信道号在 1 - 16 之间 ！", "Priority channel must be between 1 and 16 !");
        Text_prich->clear();
        Text_prich_Change();
        return;
    }
    editSetting(SettingId::ScanPriorityChannel, int(n), true);
}

#include "moc_Form_Edit_scan.cpp"
