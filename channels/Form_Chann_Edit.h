#pragma once
#include "core/Bilingual.h"
#include "core/ChannelEdits.h"
#include "platform/ChildWindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

// The single-channel editor: one channel (the current channel) as a form, in the
// editor encoding, with the options the grid does not show. Every change
// goes to the image at once, through the channel edit layer; the form is
// always rebuilt from the image, and rebuilding it changes nothing.
class Form_Chann_Edit : public ChildWindow {
    Q_OBJECT
public:
    explicit Form_Chann_Edit(WindowRegistry &registry);

    void Form_Load() override;
    void Form_Activate() override;

    void showEditorChannel(int n);
    void showEmptyChannel(int n);
    void fillEditorLists();

    // The gesture that brings channel n into the editor (opening it from
    // the grid, stepping, typing a number): n becomes the current channel,
    // what the editor cannot show of it is settled in one step of its own
    // (settleEditorChannel), and it is shown.
    void bringChannel(int n);

    QLabel *Label_CHN;
    QLineEdit *Text_CHN;
    QScrollBar *VScroll1;
    QLabel *Label_RX_freq;
    QLineEdit *Text_RX_Freq;
    QLabel *Label_TX_freq;
    QLineEdit *Text_TX_Freq;
    QLabel *Label_Decode;
    QComboBox *Combo_Decode;
    QLabel *Label_Encode;
    QComboBox *Combo_Encode;
    QLabel *Label_TXP;
    QComboBox *Combo_TXP;
    QLabel *Label_WN;
    QComboBox *Combo_WN;
    QLabel *Label_Name;
    QLineEdit *Text_Name;
    QCheckBox *Check_VOX;
    QCheckBox *Check_Bcl;
    QCheckBox *Check_Scan;
    QCheckBox *Check_TxStop;
    QPushButton *Command_close;
    QPushButton *Command_help;

protected:
    void showDocumentChange(int firstRow, int lastRow) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void VScroll1_Change(int value);
    // Up, Down, PageUp and PageDown in the number box step from the channel
    // shown, wrapping as the scroll bar does; false for any other key.
    bool stepChannelByKey(int key);
    bool Text_CHN_KeyPress(QChar digit);
    void Text_CHN_Change();
    void Text_RX_Freq_Change();
    void Text_RX_Freq_LostFocus();
    void Text_TX_Freq_LostFocus();
    void Text_Name_Change();

    // Shows channel n as the image holds it.
    void showChannel(int n);
    void enableFields(bool enabled);
    void setTransmitBoxEnabled(bool enabled);
    void rebuildGridCaption();
    // One undo step on the current channel through the edit layer, named
    // by the field's caption, with its outcome.
    ChannelEditOutcome editField(const Bilingual &caption,
                                 const std::function<ChannelEditOutcome(Codeplug &, const ChannelTarget &)> &change,
                                 bool joinPrevious = false);
    ChannelEditOutcome editField(const EditLabel &label,
                                 const std::function<ChannelEditOutcome(Codeplug &, const ChannelTarget &)> &change,
                                 bool joinPrevious = false);

    bool m_listsFilled = false;
};
