#pragma once
#include "platform/ChildWindow.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The optional features: general settings of the radio, the frequency
// (VFO) mode and the working frequency range. Every change goes into the
// image at once; whatever the window shows comes from the image.
class frm_option : public ChildWindow {
    Q_OBJECT
public:
    explicit frm_option(WindowRegistry &registry);

    void Form_Load() override;
    void Form_Activate() override;
    bool Form_Unload() override;

    // Shows the image; writes nothing back.
    void LoadFromImage();

    QGroupBox *Frame2;
    QLabel *Label_tot;
    QComboBox *Combo_TOT;
    QLabel *Label_sql;
    QComboBox *Combo_Sql;
    QLabel *Label_vox_Lever;
    QComboBox *Combo_VOX_lever;
    QLabel *Label_lamp;
    QComboBox *Combo_Lamp;
    QLabel *Label_mdf;
    QComboBox *Combo_Mdf;
    QGroupBox *Frame_Scan;
    QLabel *Label_Scan;
    QComboBox *Combo_Scan;
    QCheckBox *Check_Pri;
    QLabel *Label_Pri_CH;
    QComboBox *Combo_Pri_ch;
    QGroupBox *Frame1;
    QLabel *Label_Pttid;
    QComboBox *Combo_Pttid;
    QLabel *Label_dtmf_Code;
    QLineEdit *Text_DTMF_Code;
    QGroupBox *Frame_mode;
    QRadioButton *Option_freq;
    QRadioButton *Option_chann;
    QCheckBox *Check_Only_Chann;
    QGroupBox *Frame5;
    QCheckBox *Check_Save;
    QCheckBox *Check_Beep;
    QCheckBox *Check_Menu;
    QCheckBox *Check_Pttoff_Code;

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
    QGroupBox *Frame_Freq_range;
    QLineEdit *Text_pvfo_d0;
    QLabel *Label_to;
    QLineEdit *Text_pvfo_d1;
    QLabel *Label3;

    QPushButton *Command_close;
    QPushButton *Command_help;

private:
    void buildLayout();
    void setCaptions();
    void fillLists();
    void fillPriorityChannels(bool onlyInUse);
    void loadGeneralSettings();
    void loadFrequencyMode();

    void Combo_TOT_Click();
    void Combo_Sql_Click();
    void Combo_VOX_lever_Click();
    void Combo_Lamp_Click();
    void Combo_Mdf_Click();
    void Combo_Scan_Click();
    void Combo_Pttid_Click();
    void Combo_Pri_ch_Click();
    void Check_Save_Click();
    void Check_Beep_Click();
    void Check_Menu_Click();
    void Check_Pttoff_Code_Click();
    void Option_chann_Click();
    void Option_freq_Click();
    void Check_Only_Chann_Click();
    void Check_Pri_Click();
    void Text_DTMF_Code_Change();

    void Text_RX_Freq_Change();
    void Text_RX_Freq_LostFocus();
    void Text_Offset_Freq_Change();
    void Text_Offset_Freq_LostFocus();
    void Combo_Sft_d_Click();
    void Combo_Decode_Click();
    void Combo_Encode_Click();
    void Combo_Step_Click();
    void Combo_WN_Click();
    void Combo_TXP_Click();
    void Text_pvfo_d0_LostFocus();
    void Text_pvfo_d1_LostFocus();
    void StoreFrequencyRange();
    void CheckFrequencyLimits();

    // True when the transmit frequency was out of range (the direction is
    // then reset to off).
    bool checkTransmitRange();
    void setShiftOff();
    void showRxMessage();
    void showOffsetMessage();
    void storeToneSelection(QComboBox *list, int codeByte, int invertBit);
    void refocus(QWidget *box);

    // Focus losses while the window goes away are no edits.
    bool m_unloading = false;
};
