#include "settings/OptionVfoPanel.h"

#include "core/ChannelRecord.h"
#include "core/Codecs.h"
#include "platform/CodeplugDocument.h"
#include "core/Codeplug.h"
#include "core/NumberText.h"
#include "platform/InputHooks.h"
#include "platform/KeyFilter.h"
#include "platform/Messages.h"
#include "core/Texts.h"
#include "core/SettingsCaptions.h"
#include "core/SettingsChoices.h"
#include "core/SettingPlaces.h"
#include "core/SettingsRules.h"
#include "platform/WindowLanguage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

OptionVfoPanel::OptionVfoPanel(ChildWindow *window)
    : OptionPanel(window)
{
    Frame_vfo = namedControl(new QGroupBox(window), "Frame_vfo");
    Label_RX_freq = namedControl(new QLabel(window), "Label_RX_freq");
    Text_RX_Freq = namedControl(new QLineEdit(window), "Text_RX_Freq");
    Label_Decode = namedControl(new QLabel(window), "Label_Decode");
    Combo_Decode = namedControl(new QComboBox(window), "Combo_Decode");
    Label_Encode = namedControl(new QLabel(window), "Label_Encode");
    Combo_Encode = namedControl(new QComboBox(window), "Combo_Encode");
    Label_Step = namedControl(new QLabel(window), "Label_Step");
    Combo_Step = namedControl(new QComboBox(window), "Combo_Step");
    Label_Sft_d = namedControl(new QLabel(window), "Label_Sft_d");
    Combo_Sft_d = namedControl(new QComboBox(window), "Combo_Sft_d");
    Label_offset = namedControl(new QLabel(window), "Label_offset");
    Text_Offset_Freq = namedControl(new QLineEdit(window), "Text_Offset_Freq");
    Label_WN = namedControl(new QLabel(window), "Label_WN");
    Combo_WN = namedControl(new QComboBox(window), "Combo_WN");
    Label_TXP = namedControl(new QLabel(window), "Label_TXP");
    Combo_TXP = namedControl(new QComboBox(window), "Combo_TXP");
    buildGroup();

    // The list handlers run on the user's choice only, so that loading the
    // controls writes nothing back. The shift list alone takes typed keys.
    connect(Combo_Sft_d, &QComboBox::activated, this, &OptionVfoPanel::Combo_Sft_d_Click);
    connect(Combo_Decode, &QComboBox::activated, this, &OptionVfoPanel::Combo_Decode_Click);
    connect(Combo_Encode, &QComboBox::activated, this, &OptionVfoPanel::Combo_Encode_Click);
    for (const auto &[list, id] : boundLists())
        connect(list, &QComboBox::activated, this,
                [this, list = list, id = id] { this->window().editSetting(id, list->currentIndex()); });
    for (QComboBox *list : {Combo_Decode, Combo_Encode, Combo_Step, Combo_WN, Combo_TXP})
        discardTypedKeys(list);

    KeyRule receive = KeyRule::only(DecimalDigits);
    receive.noLeadingPoint = true;
    receive.limit = 9;
    receive.limited = QString::fromLatin1(Digits);
    filterKeys(Text_RX_Freq, receive);
    connect(Text_RX_Freq, &QLineEdit::textEdited, this, &OptionVfoPanel::Text_RX_Freq_Change);
    onFocusLost(Text_RX_Freq, [this] { Text_RX_Freq_LostFocus(); });
    KeyRule offset = receive;
    offset.enter = true;
    offset.limit = 8;
    filterKeys(Text_Offset_Freq, offset);
    connect(Text_Offset_Freq, &QLineEdit::textEdited, this, &OptionVfoPanel::Text_Offset_Freq_Change);
    onFocusLost(Text_Offset_Freq, [this] { Text_Offset_Freq_LostFocus(); });
}

void OptionVfoPanel::buildGroup()
{
    auto *vfo = new QGridLayout(Frame_vfo);
    const std::pair<QLabel *, QWidget *> vfoRows[] = {
        {Label_RX_freq, Text_RX_Freq}, {Label_Decode, Combo_Decode}, {Label_Encode, Combo_Encode},
        {Label_Step, Combo_Step},      {Label_Sft_d, Combo_Sft_d},   {Label_offset, Text_Offset_Freq},
        {Label_WN, Combo_WN},          {Label_TXP, Combo_TXP}};
    int row = 0;
    for (const auto &[label, field] : vfoRows) {
        vfo->addWidget(label, row, 0);
        vfo->addWidget(field, row++, 1);
    }
}

void OptionVfoPanel::setCaptions()
{
    Frame_vfo->setTitle(langText("频率模式", "Frequncy Mode"));
    Label_RX_freq->setText(langText(VfoCaption::Receive));
    Label_Decode->setText(langText(VfoCaption::Decode));
    Label_Encode->setText(langText(VfoCaption::Encode));
    Label_Step->setText(langText(VfoCaption::Step));
    Label_Sft_d->setText(langText(VfoCaption::Direction));
    Label_offset->setText(langText(VfoCaption::Offset));
    Label_WN->setText(langText(VfoCaption::Bandwidth));
    Label_TXP->setText(langText(VfoCaption::Power));
}

void OptionVfoPanel::fillLists()
{
    const QStringList tones = toneSelectorItems(windowLanguage());
    fillList(Combo_Decode, tones);
    fillList(Combo_Encode, tones);
    fillList(Combo_Step, tuningStepItems());
    fillList(Combo_Sft_d, shiftDirectionItems(windowLanguage()));
    fillList(Combo_WN, vfoBandwidthItems(windowLanguage()));
    fillList(Combo_TXP, vfoPowerItems(windowLanguage()));
}

void OptionVfoPanel::loadFromImage()
{
    Text_RX_Freq->setText(vfoReceiveText(image()));
    Text_Offset_Freq->setText(vfoOffsetText(image()));
    selectClamped(Combo_Sft_d, settingValue(image(), SettingId::VfoDirection));
    for (const auto &[list, id] : boundLists())
        selectClamped(list, settingValue(image(), id));
    Combo_Decode->setCurrentIndex(vfoTonePosition(image(), ToneSlot::Decode));
    Combo_Encode->setCurrentIndex(vfoTonePosition(image(), ToneSlot::Encode));
}

std::vector<std::pair<QComboBox *, SettingId>> OptionVfoPanel::boundLists() const
{
    return {{Combo_Step, SettingId::VfoStep}, {Combo_WN, SettingId::VfoBandwidth}, {Combo_TXP, SettingId::VfoPower}};
}

void OptionVfoPanel::showRxMessage()
{
    showMessage("接收频率超出范围 ！", "Over the range of RX frequency .");
}

void OptionVfoPanel::showOffsetMessage()
{
    showMessage("频差频率超出范围 ！", "Over the range of Offset frequency .");
}

bool OptionVfoPanel::editKeepingTransmitInRange(const Bilingual &caption,
                                                const std::function<void(Codeplug &)> &change, bool joinPrevious)
{
    // The change and the direction it may cost are one step: one gesture.
    bool inRange = true;
    edit(
        caption,
        [&](Codeplug &image) {
            change(image);
            inRange = keepVfoShiftInRange(image, window().document().workRange());
        },
        joinPrevious);
    if (inRange)
        return false;
    showMessage("发射频率超出范围 ！", "Over the range of TX frequency .");
    Combo_Sft_d->setCurrentIndex(0);
    return true;
}

void OptionVfoPanel::Combo_Sft_d_Click()
{
    const int direction = Combo_Sft_d->currentIndex();
    editKeepingTransmitInRange(VfoCaption::Direction,
                               [&](Codeplug &image) { setSetting(image, SettingId::VfoDirection, direction); });
    emit imageChanged();
}

void OptionVfoPanel::Text_RX_Freq_Change()
{
    if (Text_RX_Freq->text().size() > 9) {
        showRxMessage();
        Text_RX_Freq->clear();
        refocusLater(Text_RX_Freq);
    }
}

void OptionVfoPanel::Text_RX_Freq_LostFocus()
{
    if (closing())
        return;
    if (const std::optional<Frequency> rx = vfoReceiveField(Text_RX_Freq->text().trimmed(), window().document().workRange())) {
        Combo_Sft_d->setCurrentIndex(0);
        edit(VfoCaption::Receive, [&](Codeplug &image) { storeVfoReceive(image, *rx); });
        emit imageChanged();
        return;
    }
    showRxMessage();
    Text_RX_Freq->clear();
    refocusLater(Text_RX_Freq);
}

void OptionVfoPanel::Text_Offset_Freq_Change()
{
    const QString text = Text_Offset_Freq->text();
    const double value = numericValue(text);
    const std::optional<Frequency> offset = value < 70 ? Frequency::truncated(value) : std::nullopt;
    if (!offset) {
        showOffsetMessage();
        Text_Offset_Freq->clear();
        Text_Offset_Freq_Change();
        return;
    }
    if (Combo_Sft_d->currentIndex() < 0)
        return;
    if (text.isEmpty()) {
        edit(VfoCaption::Offset, clearVfoOffset, true);
        return;
    }
    editKeepingTransmitInRange(VfoCaption::Offset, [&](Codeplug &image) { storeVfoOffset(image, *offset); }, true);
}

void OptionVfoPanel::Text_Offset_Freq_LostFocus()
{
    if (closing())
        return;
    const std::optional<Frequency> offset = vfoOffsetField(Text_Offset_Freq->text());
    if (!offset) {
        showOffsetMessage();
        Text_Offset_Freq->clear();
        Text_Offset_Freq_Change();
        return;
    }
    editKeepingTransmitInRange(VfoCaption::Offset, [&](Codeplug &image) { storeVfoOffset(image, *offset); });
    emit imageChanged();
}

void OptionVfoPanel::Combo_Decode_Click()
{
    edit(VfoCaption::Decode,
         [this](Codeplug &image) { storeVfoTone(image, ToneSlot::Decode, Combo_Decode->currentIndex()); });
}

void OptionVfoPanel::Combo_Encode_Click()
{
    edit(VfoCaption::Encode,
         [this](Codeplug &image) { storeVfoTone(image, ToneSlot::Encode, Combo_Encode->currentIndex()); });
}

#include "moc_OptionVfoPanel.cpp"
