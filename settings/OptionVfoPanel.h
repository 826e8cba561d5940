#pragma once
#include "core/SettingPlaces.h"
#include "settings/OptionPanel.h"

#include <utility>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// The frequency (VFO) mode: receive frequency, tones, step, shift, offset,
// bandwidth and power. The frequencies are checked against the working
// range; every accepted change goes into the image at once.
class OptionVfoPanel : public OptionPanel {
    Q_OBJECT
public:
    // The controls are children of `window`.
    explicit OptionVfoPanel(ChildWindow *window);

    void setCaptions();
    void fillLists();
    void loadFromImage();

    QGroupBox *Frame_vfo;
    QLabel *Label_RX_freq;
    QLineEdit *Text_RX_Freq;
    QLabel *Label_Decode;
    QComboBox *Combo_Decode;
    QLabel *Label_Encode;
    QComboBox *Combo_Encode;
    QLabel *Label_Step;
    QComboBox *Combo_Step;
    QLabel *Label_Sft_d;
    QComboBox *Combo_Sft_d;
    QLabel *Label_offset;
    QLineEdit *Text_Offset_Freq;
    QLabel *Label_WN;
    QComboBox *Combo_WN;
    QLabel *Label_TXP;
    QComboBox *Combo_TXP;

private:
    // The lists that show a setting's value as it is.
    std::vector<std::pair<QComboBox *, SettingId>> boundLists() const;
    void buildGroup();

    void Text_RX_Freq_Change();
    void Text_RX_Freq_LostFocus();
    void Text_Offset_Freq_Change();
    void Text_Offset_Freq_LostFocus();
    void Combo_Sft_d_Click();
    void Combo_Decode_Click();
    void Combo_Encode_Click();

    // True when the transmit frequency was out of range (the direction is
    // then reset to off).
    // Applies `change` and, in the same step, makes the VFO simplex when its
    // transmit frequency then lies outside the range (with the message);
    // true when it did.
    bool editKeepingTransmitInRange(const Bilingual &caption, const std::function<void(Codeplug &)> &change,
                                    bool joinPrevious = false);
    void showRxMessage();
    void showOffsetMessage();
};
