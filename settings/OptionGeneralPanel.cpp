#include "settings/OptionGeneralPanel.h"

#include "core/ChannelUse.h"
#include "core/Codecs.h"
#include "core/Codeplug.h"
#include "core/NumberText.h"
#include "platform/InputHooks.h"
#include "platform/KeyFilter.h"
#include "core/Texts.h"
#include "platform/WindowLanguage.h"
#include "settings/OptionPanel.h"
#include "core/SettingsChoices.h"
#include "core/SettingPlaces.h"
#include "core/SettingsRules.h"
#include "core/SettingsCaptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Region;

OptionGeneralPanel::OptionGeneralPanel(ChildWindow *window)
    : QObject(window), m_window(window)
{
    Frame2 = namedControl(new QGroupBox(window), "Frame2");
    Label_tot = namedControl(new QLabel(window), "Label_tot");
    Combo_TOT = namedControl(new QComboBox(window), "Combo_TOT");
    Label_sql = namedControl(new QLabel(window), "Label_sql");
    Combo_Sql = namedControl(new QComboBox(window), "Combo_Sql");
    Label_vox_Lever = namedControl(new QLabel(window), "Label_vox_Lever");
    Combo_VOX_lever = namedControl(new QComboBox(window), "Combo_VOX_lever");
    Label_lamp = namedControl(new QLabel(window), "Label_lamp");
    Combo_Lamp = namedControl(new QComboBox(window), "Combo_Lamp");
    Label_mdf = namedControl(new QLabel(window), "Label_mdf");
    Combo_Mdf = namedControl(new QComboBox(window), "Combo_Mdf");
    Frame_Scan = namedControl(new QGroupBox(window), "Frame_Scan");
    Label_Scan = namedControl(new QLabel(window), "Label_Scan");
    Combo_Scan = namedControl(new QComboBox(window), "Combo_Scan");
    Check_Pri = namedControl(new QCheckBox(window), "Check_Pri");
    Label_Pri_CH = namedControl(new QLabel(window), "Label_Pri_CH");
    Combo_Pri_ch = namedControl(new QComboBox(window), "Combo_Pri_ch");
    Frame1 = namedControl(new QGroupBox(window), "Frame1");
    Label_Pttid = namedControl(new QLabel(window), "Label_Pttid");
    Combo_Pttid = namedControl(new QComboBox(window), "Combo_Pttid");
    Label_dtmf_Code = namedControl(new QLabel(window), "Label_dtmf_Code");
    Text_DTMF_Code = namedControl(new QLineEdit(window), "Text_DTMF_Code");
    Frame_mode = namedControl(new QGroupBox(window), "Frame_mode");
    Option_freq = namedControl(new QRadioButton(window), "Option_freq");
    Option_chann = namedControl(new QRadioButton(window), "Option_chann");
    Check_Only_Chann = namedControl(new QCheckBox(window), "Check_Only_Chann");
    Frame5 = namedControl(new QGroupBox(window), "Frame5");
    Check_Save = namedControl(new QCheckBox(window), "Check_Save");
    Check_Beep = namedControl(new QCheckBox(window), "Check_Beep");
    Check_Menu = namedControl(new QCheckBox(window), "Check_Menu");
    Check_Pttoff_Code = namedControl(new QCheckBox(window), "Check_Pttoff_Code");
    buildGroups();

    // The lists and boxes store on the user's choice only, so that loading
    // the controls writes nothing back.
    for (const auto &[list, id] : boundLists()) {
        connect(list, &QComboBox::activated, this, [this, list = list, id = id] { store(id, list->currentIndex()); });
        discardTypedKeys(list);
    }
    connect(Combo_Pri_ch, &QComboBox::activated, this, &OptionGeneralPanel::Combo_Pri_ch_Click);
    discardTypedKeys(Combo_Pri_ch);
    for (const auto &[box, id] : boundBoxes())
        connect(box, &QCheckBox::clicked, this, [this, box = box, id = id] { store(id, box->isChecked()); });
    connect(Check_Only_Chann, &QCheckBox::clicked, this, &OptionGeneralPanel::Check_Only_Chann_Click);
    connect(Check_Pri, &QCheckBox::clicked, this, &OptionGeneralPanel::Check_Pri_Click);
    connect(Option_chann, &QRadioButton::clicked, this, [this] { store(SettingId::WorkMode, 1); });
    connect(Option_freq, &QRadioButton::clicked, this, [this] { store(SettingId::WorkMode, 0); });

    KeyRule dtmf = KeyRule::only("0123456789abcdefABCDEF");
    dtmf.limit = SettingBytes::DtmfCodeLength;
    dtmf.upperCase = true;
    filterKeys(Text_DTMF_Code, dtmf);
    connect(Text_DTMF_Code, &QLineEdit::textEdited, this, &OptionGeneralPanel::Text_DTMF_Code_Change);
}

void OptionGeneralPanel::buildGroups()
{
    auto *general = new QGridLayout(Frame2);
    const std::pair<QLabel *, QComboBox *> generalRows[] = {
        {Label_tot, Combo_TOT}, {Label_sql, Combo_Sql}, {Label_vox_Lever, Combo_VOX_lever},
        {Label_lamp, Combo_Lamp}, {Label_mdf, Combo_Mdf}};
    int row = 0;
    for (const auto &[label, list] : generalRows) {
        general->addWidget(label, row, 0);
        general->addWidget(list, row++, 1);
    }

    auto *scan = new QGridLayout(Frame_Scan);
    scan->addWidget(Label_Scan, 0, 0);
    scan->addWidget(Combo_Scan, 0, 1);
    scan->addWidget(Check_Pri, 1, 0, 1, 2);
    scan->addWidget(Label_Pri_CH, 2, 0);
    scan->addWidget(Combo_Pri_ch, 2, 1);

    auto *ptt = new QGridLayout(Frame1);
    ptt->addWidget(Label_Pttid, 0, 0);
    ptt->addWidget(Combo_Pttid, 0, 1);
    ptt->addWidget(Label_dtmf_Code, 1, 0);
    ptt->addWidget(Text_DTMF_Code, 1, 1);

    auto *mode = new QVBoxLayout(Frame_mode);
    mode->addWidget(Option_freq);
    mode->addWidget(Option_chann);
    mode->addWidget(Check_Only_Chann);

    auto *switches = new QVBoxLayout(Frame5);
    for (QCheckBox *box : {Check_Save, Check_Beep, Check_Menu, Check_Pttoff_Code})
        switches->addWidget(box);
}

void OptionGeneralPanel::addColumns(QBoxLayout *row)
{
    // Each column is topped up with free space.
    const std::initializer_list<QGroupBox *> columnGroups[] = {{Frame2, Frame_mode},
                                                               {Frame_Scan, Frame1, Frame5}};
    for (const auto &groups : columnGroups) {
        auto *column = new QVBoxLayout;
        for (QGroupBox *group : groups)
            column->addWidget(group);
        column->addStretch();
        row->addLayout(column, 1);
    }
}

void OptionGeneralPanel::setCaptions()
{
    Label_tot->setText(langText(OptionCaption::TimeOut));
    Label_sql->setText(langText(OptionCaption::Squelch));
    Label_vox_Lever->setText(langText(OptionCaption::VoxLevel));
    Label_lamp->setText(langText(OptionCaption::BackLight));
    Label_mdf->setText(langText(OptionCaption::ChannelDisplay));
    Frame_Scan->setTitle(langText("扫描", "Scan"));
    Label_Scan->setText(langText(OptionCaption::ScanWay));
    Check_Pri->setText(langText(OptionCaption::PriorityScan));
    Label_Pri_CH->setText(langText(OptionCaption::PriorityChannel));
    Label_Pttid->setText(langText(OptionCaption::PttId));
    Label_dtmf_Code->setText(langText(OptionCaption::DtmfCode));
    Frame_mode->setTitle(langText(OptionCaption::WorkMode));
    Option_freq->setText(langText("频率模式", "Frequncy"));
    Option_chann->setText(langText(" 信道模式", "Channel"));
    Check_Only_Chann->setText(langText(OptionCaption::OnlyChannel));
    Check_Save->setText(langText(OptionCaption::PowerSave));
    Check_Beep->setText(langText(OptionCaption::Beep));
    Check_Menu->setText(langText(OptionCaption::ManualSetup));
    Check_Pttoff_Code->setText(langText(OptionCaption::SendStopCode));
}

const Codeplug &OptionGeneralPanel::image() const
{
    return m_window->image();
}

void OptionGeneralPanel::edit(const Bilingual &caption, const std::function<void(Codeplug &)> &change)
{
    m_window->editSetting(caption, change);
}

std::vector<std::pair<QComboBox *, SettingId>> OptionGeneralPanel::boundLists() const
{
    return {{Combo_TOT, SettingId::TimeOut},     {Combo_Sql, SettingId::Squelch},
            {Combo_VOX_lever, SettingId::VoxLevel}, {Combo_Lamp, SettingId::BackLight},
            {Combo_Mdf, SettingId::ChannelDisplay}, {Combo_Scan, SettingId::ScanWay},
            {Combo_Pttid, SettingId::PttId}};
}

std::vector<std::pair<QCheckBox *, SettingId>> OptionGeneralPanel::boundBoxes() const
{
    return {{Check_Save, SettingId::PowerSave},
            {Check_Beep, SettingId::Beep},
            {Check_Menu, SettingId::ManualSetup},
            {Check_Pttoff_Code, SettingId::SendStopCode}};
}

bool OptionGeneralPanel::store(SettingId id, int value)
{
    return m_window->editSetting(id, value);
}

void OptionGeneralPanel::fillLists()
{
    fillList(Combo_TOT, timeOutItems(windowLanguage()));
    fillList(Combo_Sql, squelchItems());
    fillList(Combo_VOX_lever, voxLevelItems(windowLanguage()));
    fillList(Combo_Lamp, backLightItems(windowLanguage()));
    fillList(Combo_Mdf, channelDisplayItems(windowLanguage()));
    fillList(Combo_Scan, scanWayItems(windowLanguage()));
    fillPriorityChannels(false);
    fillList(Combo_Pttid, pttIdItems(windowLanguage()));
}

void OptionGeneralPanel::fillPriorityChannels(bool onlyInUse)
{
    if (!onlyInUse) {
        fillList(Combo_Pri_ch, priorityChannelItems());
        return;
    }
    QStringList channels;
    for (int n = FirstChannelRow; n <= LastChannelRow; ++n)
        if (hasCompleteReceiveFrequency(image(), n))
            channels << QString::number(n);
    fillList(Combo_Pri_ch, channels);
}

void OptionGeneralPanel::loadFromImage()
{
    for (const auto &[list, id] : boundLists())
        selectClamped(list, settingValue(image(), id));
    for (const auto &[box, id] : boundBoxes())
        box->setChecked(settingValue(image(), id));

    Text_DTMF_Code->setText(dtmfCode(image()));

    (settingValue(image(), SettingId::WorkMode) ? Option_chann : Option_freq)->setChecked(true);
    const bool onlyChannel = settingValue(image(), SettingId::OnlyChannel);
    Check_Only_Chann->setChecked(onlyChannel);
    if (onlyChannel)
        Option_chann->setChecked(true);
    Option_chann->setEnabled(!onlyChannel);
    Option_freq->setEnabled(!onlyChannel);

    const bool priority = settingValue(image(), SettingId::PriorityScan);
    Check_Pri->setChecked(priority);
    Combo_Pri_ch->setEnabled(priority);
    if (priority) {
        // The list may hold only the channels in use (priority scan was
        // switched on in this window): select the stored channel's entry,
        // and go back to the full list when it is not among them.
        const int n = settingValue(image(), SettingId::PriorityChannel);
        int index = Combo_Pri_ch->findText(QString::number(n));
        if (index < 0) {
            fillPriorityChannels(false);
            index = n - 1;
        }
        Combo_Pri_ch->setCurrentIndex(index);
    }
}

void OptionGeneralPanel::Combo_Pri_ch_Click()
{
    store(SettingId::PriorityChannel, numericValue(Combo_Pri_ch->currentText()));
}

void OptionGeneralPanel::Check_Only_Chann_Click()
{
    const bool onlyChannel = Check_Only_Chann->isChecked();
    if (onlyChannel)
        Option_chann->setChecked(true);
    Option_chann->setEnabled(!onlyChannel);
    Option_freq->setEnabled(!onlyChannel);
    store(SettingId::OnlyChannel, onlyChannel);
}

void OptionGeneralPanel::Check_Pri_Click()
{
    if (!Check_Pri->isChecked()) {
        // Turning priority scan off needs no channel.
        store(SettingId::PriorityScan, false);
        Combo_Pri_ch->setEnabled(false);
        return;
    }
    if (!store(SettingId::PriorityScan, true)) {
        Check_Pri->setChecked(false);
        return;
    }
    Combo_Pri_ch->setEnabled(true);
    fillPriorityChannels(true);
    Combo_Pri_ch->setCurrentIndex(0);
    Combo_Pri_ch_Click();
}

void OptionGeneralPanel::Text_DTMF_Code_Change()
{
    // Pasted text may hold anything: the box keeps the code it stands for.
    const QString code = dtmfCodeText(Text_DTMF_Code->text().trimmed());
    if (code != Text_DTMF_Code->text())
        Text_DTMF_Code->setText(code);
    edit(OptionCaption::DtmfCode, [&](Codeplug &image) { storeDtmfCode(image, code); });
}

#include "moc_OptionGeneralPanel.cpp"
// The panels' shared base has no source of its own.
#include "moc_OptionPanel.cpp"
