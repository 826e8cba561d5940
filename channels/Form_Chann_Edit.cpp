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
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <tuple>

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
    const std::pair<QComboBox *, Bilingual> lists[] = {{Combo_Decode, EditorCaption::Decode},
                                                        {Combo_Encode, EditorCaption::Encode},
                                                        {Combo_TXP, EditorCaption::Power},
                                                        {Combo_WN, EditorCaption::Bandwidth}};
    for (const auto &[list, caption] : lists)
        connect(list, qOverload<int>(&QComboBox::activated), this, [this, list = list, caption = caption](int p) {
            editField(caption, [&](Codeplug &image, const ChannelTarget &target) {
                if (list == Combo_TXP)
                    return setPower(image, target, p);
                if (list == Combo_WN)
                    return setBandwidth(image, target, p);
                return setTone(image, target, list == Combo_Decode ? ToneSlot::Decode : ToneSlot::Encode, p);
            });
        });
    const std::tuple<QCheckBox *, Bilingual, ChannelOption> optionBoxes[] = {
        {Check_Bcl, EditorCaption::Bcl, ChannelOption::Bcl},
        {Check_VOX, EditorCaption::Vox, ChannelOption::Vox},
        {Check_TxStop, EditorCaption::TxStop, ChannelOption::TxStop},
        {Check_Scan, EditorCaption::ScanAdd, ChannelOption::ScanAdd}};
    for (const auto &[check, caption, option] : optionBoxes)
        connect(check, &QCheckBox::clicked, this, [this, caption = caption, option = option](bool on) {
            editField(caption, [&](Codeplug &image, const ChannelTarget &target) {
                return setOption(image, target, option, on);
            });
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

    {
        // Loading shows the current channel; it is no step to another one.
        const QSignalBlocker blocker(VScroll1);
        VScroll1->setValue(document().currentChannel());
    }
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

ChannelEditOutcome Form_Chann_Edit::editField(
    const Bilingual &caption, const std::function<ChannelEditOutcome(Codeplug &, const ChannelTarget &)> &change,
    bool joinPrevious)
{
    return editField(channelLabel(document().currentChannel(), caption), change, joinPrevious);
}

ChannelEditOutcome Form_Chann_Edit::editField(
    const EditLabel &label, const std::function<ChannelEditOutcome(Codeplug &, const ChannelTarget &)> &change,
    bool joinPrevious)
{
    const ChannelTarget target{document().currentChannel(), ChannelEncoding::Editor, document().workRange()};
    ChannelEditOutcome outcome{ChannelEditOutcome::Refused, ChannelMessage::None, std::nullopt};
    editImage(label, [&](Codeplug &image) { outcome = change(image, target); }, joinPrevious);
    return outcome;
}

void Form_Chann_Edit::bringChannel(int n)
{
    document().setCurrentChannel(n);
    rebuildGridCaption();
    const WorkRange range = document().workRange();
    editImage(channelLabel(n, isChannelEmpty(image(), n) ? Bilingual{"清除", "cleared"} : EditorCaption::Transmit),
              [&](Codeplug &image) { settleEditorChannel(image, n, range); });
    showChannel(n);
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
    // Outside the range the receive frequency stands in for the transmit one.
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

void Form_Chann_Edit::showEmptyChannel(int)
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
    {
        const QSignalBlocker blocker(Text_CHN);
        Text_CHN->setText(QString::number(value));
    }
    bringChannel(value);
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
    bringChannel(n);
}

void Form_Chann_Edit::Text_RX_Freq_Change()
{
    setTransmitBoxEnabled(!Text_RX_Freq->text().trimmed().isEmpty());
}

void Form_Chann_Edit::Text_RX_Freq_LostFocus()
{
    const int n = document().currentChannel();
    const std::optional<double> entry = frequencyEntryValue(Text_RX_Freq->text());
    const EditLabel label = entry ? channelLabel(n, EditorCaption::Receive) : channelLabel(n, "清除", "cleared");
    const ChannelEditOutcome outcome = editField(label, [&](Codeplug &image, const ChannelTarget &target) {
        return setReceive(image, target, entry, OutOfRangePolicy::StoreLowerLimit);
    });
    if (outcome.message == ChannelMessage::ReceiveOutOfRange) {
        showMessage("接收频率超出范围 ！", "Over the range of receive frequency .");
        Text_RX_Freq->setText(lowerLimitText(document().workRange()));
    }
    showChannel(n);
}

void Form_Chann_Edit::Text_TX_Freq_LostFocus()
{
    const int n = document().currentChannel();
    // An emptied box stores nothing.
    if (const std::optional<double> entry = frequencyEntryValue(Text_TX_Freq->text())) {
        const ChannelEditOutcome outcome =
            editField(EditorCaption::Transmit, [&](Codeplug &image, const ChannelTarget &target) {
                return setTransmit(image, target, entry, OutOfRangePolicy::StoreLowerLimit);
            });
        if (outcome.message == ChannelMessage::TransmitOutOfRange) {
            showMessage("发射频率超出范围 ！", "Over the range of Transmit frequency .");
            Text_TX_Freq->setText(lowerLimitText(document().workRange()));
        }
    }
    showChannel(n);
}

void Form_Chann_Edit::Text_Name_Change()
{
    const QString name = Text_Name->text();
    editField(
        EditorCaption::Name,
        [&](Codeplug &image, const ChannelTarget &target) { return setName(image, target, name); }, true);
}

bool Form_Chann_Edit::stepChannelByKey(int key)
{
    static constexpr std::pair<int, int> steps[] = {
        {Qt::Key_Up, -1}, {Qt::Key_Down, 1}, {Qt::Key_PageUp, -10}, {Qt::Key_PageDown, 10}};
    for (const auto &[stepKey, step] : steps) {
        if (key != stepKey)
            continue;
        // The bar may still hold another value than the number typed.
        const int target = document().currentChannel() + step;
        {
            const QSignalBlocker blocker(VScroll1);
            VScroll1->setValue(target);
        }
        VScroll1_Change(target);
        return true;
    }
    return false;
}

bool Form_Chann_Edit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text_CHN && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->modifiers() == Qt::NoModifier
        && stepChannelByKey(static_cast<QKeyEvent *>(event)->key()))
        return true;
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

#include "moc_Form_Chann_Edit.cpp"
