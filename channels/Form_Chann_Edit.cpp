#include "channels/Form_Chann_Edit.h"

#include "core/ChannelCaptions.h"
#include "core/ChannelRecord.h"
#include "core/FrequencyEntry.h"
#include "channels/frm_chann.h"
#include "core/Codecs.h"
#include "core/Codeplug.h"
#include "core/NumberText.h"
#include "platform/CodeplugDocument.h"
#include "platform/InputHooks.h"
#include "platform/KeyFilter.h"
#include "platform/Messages.h"
#include "core/Texts.h"
#include "platform/WindowLanguage.h"
#include "platform/WindowRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int FirstChannel = 1;
constexpr int LastChannel = 128;
constexpr int NameLength = 5;

} // namespace

Form_Chann_Edit::Form_Chann_Edit(WindowRegistry &registry)
    : ChildWindow(WindowId::Form_Chann_Edit, registry), Label_CHN(new QLabel(this)),
      Text_CHN(new QLineEdit(this)), VScroll1(new QScrollBar(Qt::Vertical, this)),
      Label_RX_freq(new QLabel(this)), Text_RX_Freq(new QLineEdit(this)),
      Label_TX_freq(new QLabel(this)), Text_TX_Freq(new QLineEdit(this)),
      Label_Decode(new QLabel(this)), Combo_Decode(new QComboBox(this)),
      Label_Encode(new QLabel(this)), Combo_Encode(new QComboBox(this)), Label_TXP(new QLabel(this)),
      Combo_TXP(new QComboBox(this)), Label_WN(new QLabel(this)), Combo_WN(new QComboBox(this)),
      Label_Name(new QLabel(this)), Text_Name(new QLineEdit(this)), Check_VOX(new QCheckBox(this)),
      Check_Bcl(new QCheckBox(this)), Check_Scan(new QCheckBox(this)),
      Check_TxStop(new QCheckBox(this)), Command_close(new QPushButton(this)),
      Command_help(new QPushButton(this))
{
    setObjectName(QStringLiteral("Form_Chann_Edit"));
    const std::pair<QWidget *, const char *> names[] = {
        {Label_CHN, "Label_CHN"},         {Text_CHN, "Text_CHN"},
        {VScroll1, "VScroll1"},           {Label_RX_freq, "Label_RX_freq"},
        {Text_RX_Freq, "Text_RX_Freq"},   {Label_TX_freq, "Label_TX_freq"},
        {Text_TX_Freq, "Text_TX_Freq"},   {Label_Decode, "Label_Decode"},
        {Combo_Decode, "Combo_Decode"},   {Label_Encode, "Label_Encode"},
        {Combo_Encode, "Combo_Encode"},   {Label_TXP, "Label_TXP"},
        {Combo_TXP, "Combo_TXP"},         {Label_WN, "Label_WN"},
        {Combo_WN, "Combo_WN"},           {Label_Name, "Label_Name"},
        {Text_Name, "Text_Name"},         {Check_VOX, "Check_VOX"},
        {Check_Bcl, "Check_Bcl"},         {Check_Scan, "Check_Scan"},
        {Check_TxStop, "Check_TxStop"},   {Command_close, "Command_close"},
        {Command_help, "Command_help"}};
    for (const auto &[widget, name] : names)
        widget->setObjectName(QString::fromLatin1(name));

    VScroll1->setRange(0, LastChannel + 1);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(1);
    // The arrows sit right beside the number box, as tall as it is.
    VScroll1->setFixedHeight(Text_CHN->sizeHint().height());
    Text_CHN->setMaxLength(3);
    Text_CHN->setFixedWidth(Text_CHN->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    Text_Name->setMaxLength(NameLength);
    for (QLineEdit *box : {Text_CHN, Text_RX_Freq, Text_TX_Freq, Text_Name})
        box->installEventFilter(this);
    KeyRule channel = KeyRule::only(Digits);
    channel.backspace = false;
    channel.handler = [this](QChar digit) { return Text_CHN_KeyPress(digit); };
    filterKeys(Text_CHN, channel);
    filterKeys(Text_RX_Freq, KeyRule::only(DecimalDigits));
    filterKeys(Text_TX_Freq, KeyRule::only(DecimalDigits));
    // A full name takes no more characters; Backspace still shortens it.
    KeyRule name = KeyRule::anything();
    name.limit = NameLength;
    filterKeys(Text_Name, name);

    auto *fields = new QGridLayout;
    fields->addWidget(Label_CHN, 0, 0);
    auto *channelRow = new QHBoxLayout;
    channelRow->setSpacing(0);
    channelRow->addWidget(Text_CHN);
    channelRow->addWidget(VScroll1);
    channelRow->addStretch();
    fields->addLayout(channelRow, 0, 1);
    const std::pair<QLabel *, QWidget *> rows[] = {
        {Label_RX_freq, Text_RX_Freq}, {Label_TX_freq, Text_TX_Freq}, {Label_Decode, Combo_Decode},
        {Label_Encode, Combo_Encode},  {Label_TXP, Combo_TXP},         {Label_WN, Combo_WN},
        {Label_Name, Text_Name}};
    int row = 1;
    for (const auto &[label, field] : rows) {
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row, 1);
        ++row;
    }
    fields->setColumnStretch(1, 1);
    auto *checks = new QHBoxLayout;
    for (QCheckBox *check : {Check_VOX, Check_Bcl, Check_Scan, Check_TxStop})
        checks->addWidget(check);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command_close);
    buttons->addStretch();
    buttons->addWidget(Command_help);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(checks);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(VScroll1, &QScrollBar::valueChanged, this, &Form_Chann_Edit::VScroll1_Change);
    connect(Text_CHN, &QLineEdit::textChanged, this, &Form_Chann_Edit::Text_CHN_Change);
    connect(Text_RX_Freq, &QLineEdit::textChanged, this, &Form_Chann_Edit::Text_RX_Freq_Change);
    connect(Text_Name, &QLineEdit::textEdited, this, &Form_Chann_Edit::Text_Name_Change);
    connect(Combo_Decode, qOverload<int>(&QComboBox::activated), this, [this](int p) {
        editField(EditorCaption::Decode, [p](Codeplug &image, int n) { storeEditorTone(image, n, ToneSlot::Decode, p); });
    });
    connect(Combo_Encode, qOverload<int>(&QComboBox::activated), this, [this](int p) {
        editField(EditorCaption::Encode, [p](Codeplug &image, int n) { storeEditorTone(image, n, ToneSlot::Encode, p); });
    });
    connect(Combo_TXP, qOverload<int>(&QComboBox::activated), this, [this](int p) {
        editField(EditorCaption::Power, [p](Codeplug &image, int n) { storeEditorPower(image, n, p); });
    });
    connect(Combo_WN, qOverload<int>(&QComboBox::activated), this, [this](int p) {
        editField(EditorCaption::Bandwidth, [p](Codeplug &image, int n) { storeEditorBandwidth(image, n, p); });
    });
    connect(Check_Bcl, &QCheckBox::clicked, this, [this](bool on) {
        editField(EditorCaption::Bcl, [on](Codeplug &image, int n) { setRecordBit(image, n, OptionByte, BclBit, on); });
    });
    connect(Check_VOX, &QCheckBox::clicked, this, [this](bool on) {
        editField(EditorCaption::Vox, [on](Codeplug &image, int n) { setRecordBit(image, n, OptionByte, VoxBit, on); });
    });
    connect(Check_TxStop, &QCheckBox::clicked, this, [this](bool on) {
        editField(EditorCaption::TxStop,
                  [on](Codeplug &image, int n) { setRecordBit(image, n, OptionByte, TxStopBit, on); });
    });
    // Scan Add checked means the skip bit is clear.
    connect(Check_Scan, &QCheckBox::clicked, this, [this](bool on) {
        editField(EditorCaption::ScanAdd,
                  [on](Codeplug &image, int n) { setRecordBit(image, n, ScanSkipByte, ScanSkipBit, !on); });
    });
    connect(Command_close, &QPushButton::clicked, this, &ChildWindow::closeWindow);
    setEscapeButton(Command_close); // Close is always allowed
}

void Form_Chann_Edit::Form_Load()
{
    ChildWindow::Form_Load();
    setWindowTitle(langText("信道编辑", "Channel Edit"));
    Label_CHN->setText(langText("信道", "Channel"));
    Label_RX_freq->setText(langText(EditorCaption::Receive));
    Label_TX_freq->setText(langText(EditorCaption::Transmit));
    Label_Decode->setText(langText(EditorCaption::Decode));
    Label_Encode->setText(langText(EditorCaption::Encode));
    Label_TXP->setText(langText(EditorCaption::Power));
    Label_WN->setText(langText(EditorCaption::Bandwidth));
    Label_Name->setText(langText(EditorCaption::Name));
    Check_VOX->setText(langText(EditorCaption::Vox));
    Check_Bcl->setText(langText(EditorCaption::Bcl));
    Check_Scan->setText(langText(EditorCaption::ScanAdd));
    Check_TxStop->setText(langText(EditorCaption::TxStop));
    Command_close->setText(langText("关闭", "Close"));
    Command_help->setText(langText("帮助", "Help"));

    const QSize main = mainWindowSize();
    const QSize inner = mainInnerSize();
    const int w = qRound(main.width() / 1.5);
    const int h = qRound(main.height() / 1.25);
    placeWindow(qMax(0, (inner.width() - w) / 2), 0, w, h);

    VScroll1->setValue(document().currentChannel());
    showChannel(document().currentChannel());
}

void Form_Chann_Edit::Form_Activate()
{
    {
        // The number box names the channel shown, also when the grid moved on.
        const QSignalBlocker blocker(Text_CHN);
        Text_CHN->setText(QString::number(document().currentChannel()));
    }
    showChannel(document().currentChannel());
}

void Form_Chann_Edit::showDocumentChange(int, int)
{
    showChannel(document().currentChannel());
}

void Form_Chann_Edit::editField(const Bilingual &caption, const std::function<void(Codeplug &, int)> &change,
                                bool joinPrevious)
{
    const int n = document().currentChannel();
    editImage(channelLabel(n, caption), [&](Codeplug &image) { change(image, n); }, joinPrevious);
}

void Form_Chann_Edit::showChannel(int n)
{
    if (isChannelEmpty(image(), n))
        showEmptyChannel(n);
    else
        showEditorChannel(n);
}

void Form_Chann_Edit::fillEditorLists()
{
    if (!m_listsFilled) {
        const QStringList tones = toneSelectorItems(windowLanguage());
        Combo_Decode->addItems(tones);
        Combo_Encode->addItems(tones);
        Combo_TXP->addItems(editorPowerItems(windowLanguage()));
        Combo_WN->addItems(editorBandwidthItems(windowLanguage()));
        m_listsFilled = true;
    }
    enableFields(true);
}

void Form_Chann_Edit::enableFields(bool enabled)
{
    for (QWidget *field : std::initializer_list<QWidget *>{
             Combo_Decode, Combo_Encode, Combo_TXP, Combo_WN, Text_Name, Check_VOX, Check_Bcl,
             Check_Scan, Check_TxStop})
        field->setEnabled(enabled);
    setTransmitBoxEnabled(enabled);
    QPalette pal = Text_Name->palette();
    pal.setColor(QPalette::Base, enabled ? palette().color(QPalette::Base) : palette().color(QPalette::Window));
    Text_Name->setPalette(pal);
}

void Form_Chann_Edit::setTransmitBoxEnabled(bool enabled)
{
    Text_TX_Freq->setEnabled(enabled);
    QPalette pal = Text_TX_Freq->palette();
    pal.setColor(QPalette::Base, enabled ? palette().color(QPalette::Base) : palette().color(QPalette::Window));
    Text_TX_Freq->setPalette(pal);
}

void Form_Chann_Edit::showEditorChannel(int n)
{
    fillEditorLists();
    const Codeplug &image = this->image();
    const WorkRange range = document().workRange();
    Text_RX_Freq->setText(channelRxText(image, n));
    Combo_Decode->setCurrentIndex(editorTonePosition(image, n, ToneSlot::Decode));
    editField(EditorCaption::Transmit, [&](Codeplug &image, int n) { dropDirectionOutOfRange(image, n, range); });
    Text_TX_Freq->setText(editorTransmitText(image, n, range));
    Combo_Encode->setCurrentIndex(editorTonePosition(image, n, ToneSlot::Encode));
    Combo_TXP->setCurrentIndex(editorPowerLevel(image, n) < Combo_TXP->count() ? editorPowerLevel(image, n) : -1);
    Combo_WN->setCurrentIndex(editorBandwidth(image, n));
    Check_VOX->setChecked(recordBit(image, n, OptionByte, VoxBit));
    Check_Bcl->setChecked(recordBit(image, n, OptionByte, BclBit));
    Check_Scan->setChecked(!recordBit(image, n, ScanSkipByte, ScanSkipBit));
    Check_TxStop->setChecked(recordBit(image, n, OptionByte, TxStopBit));
    Text_Name->setText(editorName(image, n));
}

void Form_Chann_Edit::showEmptyChannel(int n)
{
    Text_RX_Freq->clear();
    Text_TX_Freq->clear();
    Text_Name->clear();
    for (QComboBox *list : {Combo_Decode, Combo_Encode, Combo_TXP, Combo_WN})
        list->setCurrentIndex(-1);
    // An empty channel shows nothing, options included.
    for (QCheckBox *check : {Check_VOX, Check_Bcl, Check_Scan, Check_TxStop})
        check->setChecked(false);
    enableFields(false);
    editImage(channelLabel(n, "清除", "cleared"), [n](Codeplug &image) {
        markChannelEmpty(image, n);
        clearEditorName(image, n);
    });
}

void Form_Chann_Edit::rebuildGridCaption()
{
    if (auto *grid = registry().get<frm_chann>(WindowId::frm_chann))
        grid->showChannelCaption();
}

void Form_Chann_Edit::VScroll1_Change(int value)
{
    // Stepping past either end wraps around.
    if (value > LastChannel) {
        VScroll1->setValue(FirstChannel);
        return;
    }
    if (value < FirstChannel) {
        VScroll1->setValue(LastChannel);
        return;
    }
    document().setCurrentChannel(value);
    rebuildGridCaption();
    {
        const QSignalBlocker blocker(Text_CHN);
        Text_CHN->setText(QString::number(value));
    }
    showChannel(value);
}

bool Form_Chann_Edit::Text_CHN_KeyPress(QChar ch)
{
    // A digit that would make the number exceed the last channel.
    QString result = Text_CHN->text();
    if (Text_CHN->hasSelectedText())
        result.remove(Text_CHN->selectionStart(), Text_CHN->selectedText().size());
    const int cursor = Text_CHN->hasSelectedText() ? Text_CHN->selectionStart() : Text_CHN->cursorPosition();
    result.insert(cursor, ch);
    return result.toInt() > LastChannel;
}

void Form_Chann_Edit::Text_CHN_Change()
{
    const QString text = Text_CHN->text();
    const int n = text.toInt();
    if (text.isEmpty() || n < FirstChannel || n > LastChannel) {
        // An invalid number keeps the focus in the box (after the focus
        // change that is under way).
        QTimer::singleShot(0, Text_CHN, [this] { Text_CHN->setFocus(); });
        return;
    }
    document().setCurrentChannel(n);
    rebuildGridCaption();
    showChannel(n);
}

void Form_Chann_Edit::Text_RX_Freq_Change()
{
    setTransmitBoxEnabled(!Text_RX_Freq->text().trimmed().isEmpty());
}

void Form_Chann_Edit::Text_RX_Freq_LostFocus()
{
    const int n = document().currentChannel();
    if (Text_RX_Freq->text().trimmed().isEmpty()) {
        showEmptyChannel(n);
        return;
    }
    const WorkRange range = document().workRange();
    const CheckedEntry checked = checkFrequencyEntry(Text_RX_Freq->text(), range);
    if (checked.outOfRange) {
        showMessage("接收频率超出范围 ！", "Over the range of receive frequency .");
        Text_RX_Freq->setText(checked.text);
    }
    if (isChannelEmpty(image(), n))
        fillEditorLists();
    editField(EditorCaption::Receive, [&](Codeplug &image, int n) {
        commitReceive(image, n, checked.frequency, ChannelEncoding::Editor, range);
    });
    showChannel(n);
}

void Form_Chann_Edit::Text_TX_Freq_LostFocus()
{
    const int n = document().currentChannel();
    if (!Text_TX_Freq->text().trimmed().isEmpty()) {
        const CheckedEntry checked = checkFrequencyEntry(Text_TX_Freq->text(), document().workRange());
        if (checked.outOfRange) {
            showMessage("发射频率超出范围 ！", "Over the range of Transmit frequency .");
            Text_TX_Freq->setText(checked.text);
        }
        editField(EditorCaption::Transmit, [&](Codeplug &image, int n) {
            commitTransmit(image, n, checked.frequency, ChannelEncoding::Editor, document().workRange());
        });
    }
    showChannel(n);
}

void Form_Chann_Edit::Text_Name_Change()
{
    if (!isChannelEmpty(image(), document().currentChannel()))
        editField(EditorCaption::Name, [this](Codeplug &image, int n) { storeEditorName(image, n, Text_Name->text()); },
                  true);
}

bool Form_Chann_Edit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && isRealFocusLoss(event)) {
        if (watched == Text_CHN)
            Text_CHN_Change();
        else if (watched == Text_RX_Freq)
            Text_RX_Freq_LostFocus();
        else if (watched == Text_TX_Freq)
            Text_TX_Freq_LostFocus();
        else if (watched == Text_Name)
            showChannel(document().currentChannel());
    }
    return ChildWindow::eventFilter(watched, event);
}
