#include "settings/frm_option.h"

#include "core/Codecs.h"
#include "core/Image.h"
#include "core/NumberText.h"
#include "platform/Layouts.h"
#include "platform/Messages.h"
#include "platform/Texts.h"
#include "platform/InputHooks.h"
#include "platform/KeyFilter.h"
#include "settings/SettingsRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

using namespace Region;

namespace {

// Read-modify-write of the bits `mask` of one image byte.
void storeBits(int row, int byte, int mask, int value)
{
    Img(row, byte) = static_cast<qint16>((Img(row, byte) & ~mask & 0xFF) | (value & mask));
}

void storeBit(int row, int byte, int bit, bool on)
{
    storeBits(row, byte, 1 << bit, on ? 1 << bit : 0);
}

bool bitSet(int row, int byte, int bit)
{
    return (Img(row, byte) >> bit) & 1;
}

// Selects a stored value, or the last item when the value lies beyond the
// list.
void selectClamped(QComboBox *list, int value)
{
    list->setCurrentIndex(qBound(0, value, list->count() - 1));
}

void fillList(QComboBox *list, const QStringList &items)
{
    list->clear();
    list->addItems(items);
}

QStringList numberItems(int first, int last)
{
    QStringList items;
    for (int i = first; i <= last; ++i)
        items << QString::number(i);
    return items;
}

bool channelInUse(int n)
{
    for (int b = 0; b < 4; ++b)
        if (Img(n, b) == Empty)
            return false;
    return true;
}

// Byte 10 of the VFO record.
constexpr int VfoFlags = 10;
constexpr int ShiftMask = 0xC0;

} // namespace

frm_option::frm_option(WindowRegistry &registry)
    : ChildWindow(WindowId::frm_option, registry)
{
    setObjectName(QStringLiteral("frm_option"));
    const auto make = [this](auto *widget, const char *name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    Frame2 = make(new QGroupBox(this), "Frame2");
    Label_tot = make(new QLabel(this), "Label_tot");
    Combo_TOT = make(new QComboBox(this), "Combo_TOT");
    Label_sql = make(new QLabel(this), "Label_sql");
    Combo_Sql = make(new QComboBox(this), "Combo_Sql");
    Label_vox_Lever = make(new QLabel(this), "Label_vox_Lever");
    Combo_VOX_lever = make(new QComboBox(this), "Combo_VOX_lever");
    Label_lamp = make(new QLabel(this), "Label_lamp");
    Combo_Lamp = make(new QComboBox(this), "Combo_Lamp");
    Label_mdf = make(new QLabel(this), "Label_mdf");
    Combo_Mdf = make(new QComboBox(this), "Combo_Mdf");
    Frame_Scan = make(new QGroupBox(this), "Frame_Scan");
    Label_Scan = make(new QLabel(this), "Label_Scan");
    Combo_Scan = make(new QComboBox(this), "Combo_Scan");
    Check_Pri = make(new QCheckBox(this), "Check_Pri");
    Label_Pri_CH = make(new QLabel(this), "Label_Pri_CH");
    Combo_Pri_ch = make(new QComboBox(this), "Combo_Pri_ch");
    Frame1 = make(new QGroupBox(this), "Frame1");
    Label_Pttid = make(new QLabel(this), "Label_Pttid");
    Combo_Pttid = make(new QComboBox(this), "Combo_Pttid");
    Label_dtmf_Code = make(new QLabel(this), "Label_dtmf_Code");
    Text_DTMF_Code = make(new QLineEdit(this), "Text_DTMF_Code");
    Frame_mode = make(new QGroupBox(this), "Frame_mode");
    Option_freq = make(new QRadioButton(this), "Option_freq");
    Option_chann = make(new QRadioButton(this), "Option_chann");
    Check_Only_Chann = make(new QCheckBox(this), "Check_Only_Chann");
    Frame5 = make(new QGroupBox(this), "Frame5");
    Check_Save = make(new QCheckBox(this), "Check_Save");
    Check_Beep = make(new QCheckBox(this), "Check_Beep");
    Check_Menu = make(new QCheckBox(this), "Check_Menu");
    Check_Pttoff_Code = make(new QCheckBox(this), "Check_Pttoff_Code");
    Frame_vfo = make(new QGroupBox(this), "Frame_vfo");
    Label_RX_freq = make(new QLabel(this), "Label_RX_freq");
    Text_RX_Freq = make(new QLineEdit(this), "Text_RX_Freq");
    Label_Decode = make(new QLabel(this), "Label_Decode");
    Combo_Decode = make(new QComboBox(this), "Combo_Decode");
    Label_Encode = make(new QLabel(this), "Label_Encode");
    Combo_Encode = make(new QComboBox(this), "Combo_Encode");
    Label_Step = make(new QLabel(this), "Label_Step");
    Combo_Step = make(new QComboBox(this), "Combo_Step");
    Label_Sft_d = make(new QLabel(this), "Label_Sft_d");
    Combo_Sft_d = make(new QComboBox(this), "Combo_Sft_d");
    Label_offset = make(new QLabel(this), "Label_offset");
    Text_Offset_Freq = make(new QLineEdit(this), "Text_Offset_Freq");
    Label_WN = make(new QLabel(this), "Label_WN");
    Combo_WN = make(new QComboBox(this), "Combo_WN");
    Label_TXP = make(new QLabel(this), "Label_TXP");
    Combo_TXP = make(new QComboBox(this), "Combo_TXP");
    Frame_Freq_range = make(new QGroupBox(this), "Frame_Freq_range");
    Text_pvfo_d0 = make(new QLineEdit(this), "Text_pvfo_d0");
    Label_to = make(new QLabel(this), "Label_to");
    Text_pvfo_d1 = make(new QLineEdit(this), "Text_pvfo_d1");
    Label3 = make(new QLabel(this), "Label3");
    Command_close = make(new QPushButton(this), "Command_close");
    Command_help = make(new QPushButton(this), "Command_help");
    buildLayout();

    // The list handlers run on the user's choice only, so that loading the
    // controls writes nothing back.
    const auto onChoice = [this](QComboBox *list, void (frm_option::*handler)()) {
        connect(list, &QComboBox::activated, this, handler);
    };
    onChoice(Combo_TOT, &frm_option::Combo_TOT_Click);
    onChoice(Combo_Sql, &frm_option::Combo_Sql_Click);
    onChoice(Combo_VOX_lever, &frm_option::Combo_VOX_lever_Click);
    onChoice(Combo_Lamp, &frm_option::Combo_Lamp_Click);
    onChoice(Combo_Mdf, &frm_option::Combo_Mdf_Click);
    onChoice(Combo_Scan, &frm_option::Combo_Scan_Click);
    onChoice(Combo_Pttid, &frm_option::Combo_Pttid_Click);
    onChoice(Combo_Pri_ch, &frm_option::Combo_Pri_ch_Click);
    onChoice(Combo_Sft_d, &frm_option::Combo_Sft_d_Click);
    onChoice(Combo_Decode, &frm_option::Combo_Decode_Click);
    onChoice(Combo_Encode, &frm_option::Combo_Encode_Click);
    onChoice(Combo_Step, &frm_option::Combo_Step_Click);
    onChoice(Combo_WN, &frm_option::Combo_WN_Click);
    onChoice(Combo_TXP, &frm_option::Combo_TXP_Click);
    for (QComboBox *list : {Combo_TOT, Combo_Sql, Combo_VOX_lever, Combo_Lamp, Combo_Mdf,
                            Combo_Scan, Combo_Pri_ch, Combo_Pttid, Combo_Decode, Combo_Encode,
                            Combo_Step, Combo_WN, Combo_TXP})
        discardTypedKeys(list);

    connect(Check_Save, &QCheckBox::clicked, this, &frm_option::Check_Save_Click);
    connect(Check_Beep, &QCheckBox::clicked, this, &frm_option::Check_Beep_Click);
    connect(Check_Menu, &QCheckBox::clicked, this, &frm_option::Check_Menu_Click);
    connect(Check_Pttoff_Code, &QCheckBox::clicked, this, &frm_option::Check_Pttoff_Code_Click);
    connect(Check_Only_Chann, &QCheckBox::clicked, this, &frm_option::Check_Only_Chann_Click);
    connect(Check_Pri, &QCheckBox::clicked, this, &frm_option::Check_Pri_Click);
    connect(Option_chann, &QRadioButton::clicked, this, &frm_option::Option_chann_Click);
    connect(Option_freq, &QRadioButton::clicked, this, &frm_option::Option_freq_Click);

    KeyRule dtmf = KeyRule::only("0123456789abcdefABCDEF");
    dtmf.limit = SettingsPlace::DtmfCodeLength;
    dtmf.upperCase = true;
    filterKeys(Text_DTMF_Code, dtmf);
    connect(Text_DTMF_Code, &QLineEdit::textEdited, this, &frm_option::Text_DTMF_Code_Change);

    KeyRule receive = KeyRule::only(DecimalDigits);
    receive.noLeadingPoint = true;
    receive.limit = 9;
    receive.limited = QString::fromLatin1(Digits);
    filterKeys(Text_RX_Freq, receive);
    connect(Text_RX_Freq, &QLineEdit::textEdited, this, &frm_option::Text_RX_Freq_Change);
    onFocusLost(Text_RX_Freq, [this] { Text_RX_Freq_LostFocus(); });
    KeyRule offset = receive;
    offset.enter = true;
    offset.limit = 8;
    filterKeys(Text_Offset_Freq, offset);
    connect(Text_Offset_Freq, &QLineEdit::textEdited, this, &frm_option::Text_Offset_Freq_Change);
    onFocusLost(Text_Offset_Freq, [this] { Text_Offset_Freq_LostFocus(); });
    KeyRule limit = KeyRule::only(DecimalDigits);
    limit.enter = true;
    for (QLineEdit *box : {Text_pvfo_d0, Text_pvfo_d1})
        filterKeys(box, limit);
    onFocusLost(Text_pvfo_d0, [this] { Text_pvfo_d0_LostFocus(); });
    onFocusLost(Text_pvfo_d1, [this] { Text_pvfo_d1_LostFocus(); });

    connect(Command_close, &QPushButton::clicked, this, &ChildWindow::closeWindow);
}

void frm_option::buildLayout()
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

    auto *vfo = new QGridLayout(Frame_vfo);
    const std::pair<QLabel *, QWidget *> vfoRows[] = {
        {Label_RX_freq, Text_RX_Freq}, {Label_Decode, Combo_Decode}, {Label_Encode, Combo_Encode},
        {Label_Step, Combo_Step},      {Label_Sft_d, Combo_Sft_d},   {Label_offset, Text_Offset_Freq},
        {Label_WN, Combo_WN},          {Label_TXP, Combo_TXP}};
    row = 0;
    for (const auto &[label, field] : vfoRows) {
        vfo->addWidget(label, row, 0);
        vfo->addWidget(field, row++, 1);
    }

    auto *range = new QHBoxLayout(Frame_Freq_range);
    range->addWidget(Text_pvfo_d0, 1);
    range->addWidget(Label_to);
    range->addWidget(Text_pvfo_d1, 1);
    range->addWidget(Label3);

    // Three columns of groups, each column topped up with free space.
    auto *columns = new QHBoxLayout;
    const std::initializer_list<QGroupBox *> columnGroups[] = {
        {Frame2, Frame_mode}, {Frame_Scan, Frame1, Frame5}, {Frame_vfo, Frame_Freq_range}};
    for (const auto &groups : columnGroups) {
        auto *column = new QVBoxLayout;
        for (QGroupBox *group : groups)
            column->addWidget(group);
        column->addStretch();
        columns->addLayout(column, 1);
    }

    auto *buttons = centeredButtonRow({Command_close, Command_help});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
}

void frm_option::Form_Load()
{
    ChildWindow::Form_Load();
    const QSize main = mainWindowSize();
    const int w = qRound(main.width() / 1.04);
    const int h = qRound(main.height() / 1.5);
    placeWindow(qMax(0, (main.width() - w) / 2 - twips(100)), (main.height() - h) / 4, w, h);
    setCaptions();
    fillLists();
    LoadFromImage();
}

void frm_option::Form_Activate()
{
    LoadFromImage();
}

bool frm_option::Form_Unload()
{
    m_unloading = true;
    return ChildWindow::Form_Unload();
}

void frm_option::setCaptions()
{
    setWindowTitle(langText("可选参数", "Optional Features"));
    Label_tot->setText(langText("超时定时器[分钟]", "Time Out Timer[Min]"));
    Label_sql->setText(langText("静噪等级", "Squelch Level"));
    Label_vox_Lever->setText(langText("声控等级", "VOV Gain Level"));
    Label_lamp->setText(langText("背光灯", "Back Light"));
    Label_mdf->setText(langText("信道显示方式", "Channel Disp Way"));
    Frame_Scan->setTitle(langText("扫描", "Scan"));
    Label_Scan->setText(langText("扫描方式", "Scan Way"));
    Check_Pri->setText(langText("优先扫描", "Priority Scan"));
    Label_Pri_CH->setText(langText("优先扫描信道", "Priority Channel"));
    Label_Pttid->setText(langText("PTT-ID 类型", "PTT-ID"));
    Label_dtmf_Code->setText(langText("DTMF 码组", "DTMF Code"));
    Frame_mode->setTitle(langText("工作模式", "Work Mode"));
    Option_freq->setText(langText("频率模式", "Frequncy"));
    Option_chann->setText(langText(" 信道模式", "Channel"));
    Check_Only_Chann->setText(langText("仅工作在信道模式", "Only Channel Mode"));
    Check_Save->setText(langText("省电", "Save"));
    Check_Beep->setText(langText("哔音", "Beep"));
    Check_Menu->setText(langText("手动设置", "Manual set-up"));
    Check_Pttoff_Code->setText(langText("发送关机码", "Send Stop Code"));
    Frame_vfo->setTitle(langText("频率模式", "Frequncy Mode"));
    Label_RX_freq->setText(langText("接收频率(MHZ)", "RX Frequncy(MHZ)"));
    Label_Decode->setText(langText("解码", "Decode"));
    Label_Encode->setText(langText("编码", "Encode"));
    Label_Step->setText(langText("步进频率(KHZ)", "Step(KHZ)"));
    Label_Sft_d->setText(langText("频差方向", "Duplex"));
    Label_offset->setText(langText("频差频率(MHZ)", "Offset Frequncy(MHZ) "));
    Label_WN->setText(langText("信道带宽", "Wide / Narrow"));
    Label_TXP->setText(langText("发射功率", "TX Power"));
    Frame_Freq_range->setTitle(langText("工作频率范围", "Frequncy Range"));
    Label_to->setText(QStringLiteral("---"));
    Label3->setText(QStringLiteral("MHZ"));
    Command_close->setText(langText("关闭", "Close"));
    Command_help->setText(langText("帮助", "Help"));
}

void frm_option::fillLists()
{
    const QString off = langText("关", "OFF");
    fillList(Combo_TOT, QStringList{off} + numberItems(1, 7));
    fillList(Combo_Sql, numberItems(0, 9));
    fillList(Combo_VOX_lever, QStringList{off} + numberItems(1, 9));
    fillList(Combo_Lamp, {off, langText("按键点亮", "Key"), langText("持续点亮", "Cont")});
    fillList(Combo_Mdf, {langText("频率", "Frequncy"), langText("名称", "Name")});
    fillList(Combo_Scan, {langText("搜索", "SE"), langText("时间", "TO"), langText("载波", "CO")});
    fillPriorityChannels(false);
    fillList(Combo_Pttid, {off, langText("按下发射", "BOT"), langText("松开发射", "EOT"),
                           langText("两者", "BOTH")});

    QStringList tones{off};
    for (int i = 1; i <= ToneListEnd; ++i)
        tones << ToneNames[i].trimmed();
    fillList(Combo_Decode, tones);
    fillList(Combo_Encode, tones);
    fillList(Combo_Step, {QStringLiteral("5.00K"), QStringLiteral("6.25K"), QStringLiteral("10.00K"),
                          QStringLiteral("12.50K"), QStringLiteral("20.00K"), QStringLiteral("25.00K")});
    fillList(Combo_Sft_d, {langText("关", "Off"), langText("加频", "Plus"), langText("减频", "Minus")});
    fillList(Combo_WN, {langText("窄带", "Narrow"), langText("宽带", "Wide")});
    fillList(Combo_TXP, {langText("低功率", "Low"), langText("高功率", "High")});
}

void frm_option::fillPriorityChannels(bool onlyInUse)
{
    QStringList channels;
    for (int n = FirstChannelRow; n <= LastChannelRow; ++n)
        if (!onlyInUse || channelInUse(n))
            channels << QString::number(n);
    fillList(Combo_Pri_ch, channels);
}

void frm_option::LoadFromImage()
{
    loadGeneralSettings();
    loadFrequencyMode();
}

void frm_option::loadGeneralSettings()
{
    const auto byte = [](int b) { return int(Img(GeneralRow, b)); };
    selectClamped(Combo_TOT, byte(4));
    selectClamped(Combo_Sql, byte(2));
    selectClamped(Combo_VOX_lever, byte(3));
    selectClamped(Combo_Lamp, (byte(6) >> 6) & 3);
    selectClamped(Combo_Pttid, byte(6) & 3);
    selectClamped(Combo_Scan, (byte(6) >> 4) & 3);
    Combo_Mdf->setCurrentIndex(bitSet(GeneralRow, 5, 4) ? 1 : 0);

    QString code;
    for (int b = 0; b < SettingsPlace::DtmfCodeLength; ++b)
        code += DtmfDigitToChar(Img(DtmfRow, b));
    Text_DTMF_Code->setText(code);

    (bitSet(GeneralRow, 5, 0) ? Option_chann : Option_freq)->setChecked(true);
    const bool onlyChannel = bitSet(GeneralRow, 5, 5);
    Check_Only_Chann->setChecked(onlyChannel);
    if (onlyChannel)
        Option_chann->setChecked(true);
    Option_chann->setEnabled(!onlyChannel);
    Option_freq->setEnabled(!onlyChannel);

    Check_Save->setChecked(bitSet(GeneralRow, 5, 7));
    Check_Beep->setChecked(bitSet(GeneralRow, 5, 3));
    Check_Menu->setChecked(!bitSet(GeneralRow, 12, 4));
    Check_Pttoff_Code->setChecked(!bitSet(GeneralRow, 12, 5));

    const bool priority = bitSet(GeneralRow, 6, 3);
    Check_Pri->setChecked(priority);
    Combo_Pri_ch->setEnabled(priority);
    if (priority) {
        // The list may hold only the channels in use (priority scan was
        // switched on in this window): select the stored channel's entry,
        // and go back to the full list when it is not among them.
        int n = qMin(byte(8), int(LastChannelRow));
        if (n == 0)
            n = 1;
        int index = Combo_Pri_ch->findText(QString::number(n));
        if (index < 0) {
            fillPriorityChannels(false);
            index = n - 1;
        }
        Combo_Pri_ch->setCurrentIndex(index);
    }
}

void frm_option::loadFrequencyMode()
{
    const auto [lower, upper] = RangeFromImage();
    WorkRangeLowMHz = lower;
    WorkRangeHighMHz = upper;
    Text_pvfo_d0->setText(QString::number(lower));
    Text_pvfo_d1->setText(QString::number(upper));

    const auto vfo = [](int b) { return int(Img(VfoRow, b)); };
    Text_RX_Freq->setText(FreqFromBytes(vfo(0), vfo(1), vfo(2), vfo(3)));
    Text_Offset_Freq->setText(FreqFromBytes(vfo(4), vfo(5), vfo(6), vfo(7)));
    selectClamped(Combo_Sft_d, (vfo(VfoFlags) >> 6) & 3);
    Combo_TXP->setCurrentIndex(vfo(VfoFlags) & 1);
    Combo_WN->setCurrentIndex((vfo(VfoFlags) >> 1) & 1);
    Combo_Decode->setCurrentIndex(toneIndexOfCode(vfo(8), bitSet(VfoRow, VfoFlags, 4)));
    Combo_Encode->setCurrentIndex(toneIndexOfCode(vfo(9), bitSet(VfoRow, VfoFlags, 5)));
    selectClamped(Combo_Step, Img(GeneralRow, 9));
}

// General settings ------------------------------------------------------

void frm_option::Combo_TOT_Click() { Img(GeneralRow, 4) = Combo_TOT->currentIndex(); }
void frm_option::Combo_Sql_Click() { Img(GeneralRow, 2) = Combo_Sql->currentIndex(); }
void frm_option::Combo_VOX_lever_Click() { Img(GeneralRow, 3) = Combo_VOX_lever->currentIndex(); }
void frm_option::Combo_Lamp_Click() { storeBits(GeneralRow, 6, 0xC0, Combo_Lamp->currentIndex() << 6); }
void frm_option::Combo_Mdf_Click() { storeBits(GeneralRow, 5, 0x10, Combo_Mdf->currentIndex() << 4); }
void frm_option::Combo_Scan_Click() { storeBits(GeneralRow, 6, 0x30, Combo_Scan->currentIndex() << 4); }
void frm_option::Combo_Pttid_Click() { storeBits(GeneralRow, 6, 0x03, Combo_Pttid->currentIndex()); }

void frm_option::Combo_Pri_ch_Click()
{
    Img(GeneralRow, 8) = static_cast<qint16>(numericValue(Combo_Pri_ch->currentText()));
}

void frm_option::Check_Save_Click() { storeBit(GeneralRow, 5, 7, Check_Save->isChecked()); }
void frm_option::Check_Beep_Click() { storeBit(GeneralRow, 5, 3, Check_Beep->isChecked()); }
void frm_option::Check_Menu_Click() { storeBit(GeneralRow, 12, 4, !Check_Menu->isChecked()); }
void frm_option::Check_Pttoff_Code_Click() { storeBit(GeneralRow, 12, 5, !Check_Pttoff_Code->isChecked()); }
void frm_option::Option_chann_Click() { storeBit(GeneralRow, 5, 0, true); }
void frm_option::Option_freq_Click() { storeBit(GeneralRow, 5, 0, false); }

void frm_option::Check_Only_Chann_Click()
{
    const bool onlyChannel = Check_Only_Chann->isChecked();
    if (onlyChannel) {
        Option_chann->setChecked(true);
        Option_chann_Click();
    }
    Option_chann->setEnabled(!onlyChannel);
    Option_freq->setEnabled(!onlyChannel);
    storeBit(GeneralRow, 5, 5, onlyChannel);
}

void frm_option::Check_Pri_Click()
{
    if (!Check_Pri->isChecked()) {
        // Turning priority scan off needs no channel.
        storeBit(GeneralRow, 6, 3, false);
        Combo_Pri_ch->setEnabled(false);
        return;
    }
    bool anyInUse = false;
    for (int n = FirstChannelRow; n <= LastChannelRow && !anyInUse; ++n)
        anyInUse = channelInUse(n);
    if (!anyInUse) {
        Check_Pri->setChecked(false);
        return;
    }
    storeBit(GeneralRow, 6, 3, true);
    Combo_Pri_ch->setEnabled(true);
    fillPriorityChannels(true);
    Combo_Pri_ch->setCurrentIndex(0);
    Combo_Pri_ch_Click();
}

void frm_option::Text_DTMF_Code_Change()
{
    // Pasted text may hold anything: the box keeps the code it stands for.
    const QString code = dtmfCodeText(Text_DTMF_Code->text().trimmed());
    if (code != Text_DTMF_Code->text())
        Text_DTMF_Code->setText(code);
    for (int b = 0; b < SettingsPlace::DtmfCodeLength; ++b)
        Img(DtmfRow, b) = b < code.size() ? DtmfCharToDigit(code.at(b)) : Empty;
}

// Frequency mode ----------------------------------------------------------

void frm_option::showRxMessage()
{
    showMessage("接收频率超出范围 ！", "Over the range of RX frequency .");
}

void frm_option::showOffsetMessage()
{
    showMessage("频差频率超出范围 ！", "Over the range of Offset frequency .");
}

void frm_option::refocus(QWidget *box)
{
    // After the focus change that is under way.
    QTimer::singleShot(0, box, [box] { box->setFocus(Qt::OtherFocusReason); });
}

void frm_option::setShiftOff()
{
    Combo_Sft_d->setCurrentIndex(0);
    storeBits(VfoRow, VfoFlags, ShiftMask, 0);
}

bool frm_option::checkTransmitRange()
{
    const double rx = numericValue(Text_RX_Freq->text());
    const double offset = numericValue(Text_Offset_Freq->text());
    double tx = rx;
    if (Combo_Sft_d->currentIndex() == 1)
        tx = rx + offset;
    else if (Combo_Sft_d->currentIndex() == 2)
        tx = rx - offset;
    if (tx >= WorkRangeLowMHz && tx < WorkRangeHighMHz)
        return false;
    showMessage("发射频率超出范围 ！", "Over the range of TX frequency .");
    setShiftOff();
    return true;
}

void frm_option::Combo_Sft_d_Click()
{
    const int direction = Combo_Sft_d->currentIndex();
    storeBits(VfoRow, VfoFlags, ShiftMask, direction << 6);
    if (direction != 0)
        checkTransmitRange();
    LoadFromImage();
}

void frm_option::Text_RX_Freq_Change()
{
    if (Text_RX_Freq->text().size() > 9) {
        showRxMessage();
        Text_RX_Freq->clear();
        refocus(Text_RX_Freq);
    }
}

void frm_option::Text_RX_Freq_LostFocus()
{
    if (m_unloading)
        return;
    const QString text = Text_RX_Freq->text().trimmed();
    const double f = numericValue(text);
    FreqField field;
    if (text.size() < 10 && f >= WorkRangeLowMHz && f < WorkRangeHighMHz && FreqToBytes(text, field)) {
        setShiftOff();
        for (int b = 0; b < 4; ++b)
            Img(VfoRow, b) = field[b];
        LoadFromImage();
        return;
    }
    showRxMessage();
    Text_RX_Freq->clear();
    refocus(Text_RX_Freq);
}

void frm_option::Text_Offset_Freq_Change()
{
    const QString text = Text_Offset_Freq->text();
    FreqField field;
    if (numericValue(text) >= 70 || !FreqToBytes(text.isEmpty() ? QStringLiteral("0") : text, field)) {
        showOffsetMessage();
        Text_Offset_Freq->clear();
        Text_Offset_Freq_Change();
        return;
    }
    if (Combo_Sft_d->currentIndex() < 0)
        return;
    if (text.isEmpty()) {
        for (int b = 4; b < 8; ++b)
            Img(VfoRow, b) = Empty;
        return;
    }
    checkTransmitRange();
    for (int b = 0; b < 4; ++b)
        Img(VfoRow, 4 + b) = field[b];
}

void frm_option::Text_Offset_Freq_LostFocus()
{
    if (m_unloading)
        return;
    const QString text = Text_Offset_Freq->text();
    FreqField field;
    if (text.size() > 8 || numericValue(text) > 69.9875
        || !FreqToBytes(text.isEmpty() ? QStringLiteral("0") : text, field)) {
        showOffsetMessage();
        Text_Offset_Freq->clear();
        Text_Offset_Freq_Change();
        return;
    }
    checkTransmitRange();
    for (int b = 0; b < 4; ++b)
        Img(VfoRow, 4 + b) = field[b];
    LoadFromImage();
}

void frm_option::storeToneSelection(QComboBox *list, int codeByte, int invertBit)
{
    const auto [code, inverted] = toneCodeOfIndex(list->currentIndex());
    Img(VfoRow, codeByte) = static_cast<qint16>(code);
    storeBit(VfoRow, VfoFlags, invertBit, inverted);
}

void frm_option::Combo_Decode_Click() { storeToneSelection(Combo_Decode, 8, 4); }
void frm_option::Combo_Encode_Click() { storeToneSelection(Combo_Encode, 9, 5); }
void frm_option::Combo_Step_Click() { Img(GeneralRow, 9) = Combo_Step->currentIndex(); }
void frm_option::Combo_WN_Click() { storeBit(VfoRow, VfoFlags, 1, Combo_WN->currentIndex() == 1); }
void frm_option::Combo_TXP_Click() { storeBit(VfoRow, VfoFlags, 0, Combo_TXP->currentIndex() == 1); }

// Working range -----------------------------------------------------------

static void showLimitMessage(const char *chinese, const char *english)
{
    showMessage(langText(chinese, english), langText("操作提示", "Operate Prompt"));
}

void frm_option::Text_pvfo_d0_LostFocus()
{
    if (m_unloading)
        return;
    const double lo = numericValue(Text_pvfo_d0->text());
    const double hi = numericValue(Text_pvfo_d1->text());
    if (lo < 400) {
        showLimitMessage("下限频率不可小于本机最低工作频率",
                         "frequency of lower limit can't less than the lowest of work frequency. ");
        Text_pvfo_d0->setText(QStringLiteral("400"));
        refocus(Text_pvfo_d0);
    } else if (hi < lo) {
        showLimitMessage("下限频率不可大于上限频率",
                         "frequency of lower limit can't more than frequency of upper limit.");
        Text_pvfo_d0->setText(Text_pvfo_d1->text());
        refocus(Text_pvfo_d0);
    }
    StoreFrequencyRange();
    CheckFrequencyLimits();
}

void frm_option::Text_pvfo_d1_LostFocus()
{
    if (m_unloading)
        return;
    const double lo = numericValue(Text_pvfo_d0->text());
    const double hi = numericValue(Text_pvfo_d1->text());
    if (hi > 470) {
        showLimitMessage("上限频率不可大于本机最高工作频率",
                         "frequency of upper limit can't more than the highest of work frequency. ");
        Text_pvfo_d1->setText(QStringLiteral("470"));
        refocus(Text_pvfo_d1);
    } else if (lo > hi) {
        showLimitMessage("上限频率不可小于下限频率",
                         "frequency of upper limit can't less than frequency of lower limit.");
        Text_pvfo_d1->setText(Text_pvfo_d0->text());
        refocus(Text_pvfo_d1);
    }
    StoreFrequencyRange();
    CheckFrequencyLimits();
}

void frm_option::StoreFrequencyRange()
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
    LoadFromImage();
}

void frm_option::CheckFrequencyLimits()
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
