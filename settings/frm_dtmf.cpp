#include "settings/frm_dtmf.h"

#include "platform/CodeplugDocument.h"
#include "platform/InputHooks.h"
#include "platform/Layouts.h"
#include "core/Texts.h"
#include "core/SettingsChoices.h"
#include "core/SettingsCaptions.h"
#include "platform/WindowLanguage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frm_dtmf::frm_dtmf(WindowRegistry &registry)
    : ChildWindow(WindowId::frm_dtmf, registry),
      Frame1(new QGroupBox(this)), Label_First_Delay(new QLabel(this)),
      Combo_First_delay(new QComboBox(this)), Label_Dtmf_Space(new QLabel(this)),
      Combo_DTMF_SPACE(new QComboBox(this)), Label_Dtmf_Delay(new QLabel(this)),
      Combo_DTMF_DELAY(new QComboBox(this)), Check_dtmfST(new QCheckBox(this)),
      Command_close(new QPushButton(this)), Command_help(new QPushButton(this))
{
    setObjectName(QStringLiteral("frm_dtmf"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label_First_Delay->setObjectName(QStringLiteral("Label_First_Delay"));
    Combo_First_delay->setObjectName(QStringLiteral("Combo_First_delay"));
    Label_Dtmf_Space->setObjectName(QStringLiteral("Label_Dtmf_Space"));
    Combo_DTMF_SPACE->setObjectName(QStringLiteral("Combo_DTMF_SPACE"));
    Label_Dtmf_Delay->setObjectName(QStringLiteral("Label_Dtmf_Delay"));
    Combo_DTMF_DELAY->setObjectName(QStringLiteral("Combo_DTMF_DELAY"));
    Check_dtmfST->setObjectName(QStringLiteral("Check_dtmfST"));
    Command_close->setObjectName(QStringLiteral("Command_close"));
    Command_help->setObjectName(QStringLiteral("Command_help"));

    auto *grid = new QGridLayout(Frame1);
    grid->addWidget(Label_First_Delay, 0, 0);
    grid->addWidget(Combo_First_delay, 0, 1);
    grid->addWidget(Label_Dtmf_Space, 1, 0);
    grid->addWidget(Combo_DTMF_SPACE, 1, 1);
    grid->addWidget(Label_Dtmf_Delay, 2, 0);
    grid->addWidget(Combo_DTMF_DELAY, 2, 1);
    grid->addWidget(Check_dtmfST, 3, 0, 1, 2);
    // The lists hold numbers of four digits: they keep the width that shows
    // them, and the room left over stays beside them.
    grid->setColumnStretch(2, 1);
    auto *buttons = centeredButtonRow({Command_close, Command_help});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addStretch();
    layout->addLayout(buttons);

    for (const auto &[list, id] : boundLists()) {
        const auto choose = [this, list = list, id = id] { editSetting(id, list->currentIndex()); };
        connect(list, &QComboBox::activated, this, choose);
        onListTextTyped(list, choose);
    }
    connect(Check_dtmfST, &QCheckBox::clicked, this, &frm_dtmf::Check_dtmfST_Click);
    connect(Command_close, &QPushButton::clicked, this, &ChildWindow::closeWindow);
    setEscapeButton(Command_close); // Close is always allowed
}

void frm_dtmf::Form_Load()
{
    ChildWindow::Form_Load();
    const QSize main = mainWindowSize();
    const int w = qRound(main.width() / 1.2);
    const int h = qRound(main.height() / 1.5);
    placeWindow((main.width() - w) / 2, 0, w, h);

    setWindowTitle(langText("DTMF 设置", "DTMF Setting"));
    Label_First_Delay->setText(langText(DtmfCaption::PreTime));
    Label_Dtmf_Space->setText(langText(DtmfCaption::Interval));
    Label_Dtmf_Delay->setText(langText(DtmfCaption::Duration));
    Check_dtmfST->setText(langText(DtmfCaption::SideTone));
    Command_close->setText(langText("关闭", "Close"));
    Command_help->setText(langText("帮助", "Help"));

    Combo_First_delay->clear();
    Combo_First_delay->addItems(dtmfPreTimeItems());
    Combo_DTMF_SPACE->clear();
    Combo_DTMF_SPACE->addItems(dtmfStepTimeItems());
    Combo_DTMF_DELAY->clear();
    Combo_DTMF_DELAY->addItems(dtmfStepTimeItems());
    LoadDtmfValues();
}

void frm_dtmf::Form_Activate()
{
    LoadDtmfValues();
}

void frm_dtmf::LoadDtmfValues()
{
    // The loaded values are written back as the lists show them.
    for (const auto &[list, id] : boundLists()) {
        list->setCurrentIndex(qBound(0, settingValue(image(), id), list->count() - 1));
        editSetting(id, list->currentIndex());
    }
    Check_dtmfST->setChecked(settingValue(image(), SettingId::DtmfSideTone));
    Check_dtmfST_Click();
}

std::vector<std::pair<QComboBox *, SettingId>> frm_dtmf::boundLists() const
{
    return {{Combo_First_delay, SettingId::DtmfPreTime},
            {Combo_DTMF_SPACE, SettingId::DtmfInterval},
            {Combo_DTMF_DELAY, SettingId::DtmfDuration}};
}

void frm_dtmf::Check_dtmfST_Click()
{
    editSetting(SettingId::DtmfSideTone, Check_dtmfST->isChecked());
}

void frm_dtmf::showDocumentChange(int, int)
{
    LoadDtmfValues();
}

#include "moc_frm_dtmf.cpp"
