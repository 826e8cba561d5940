#pragma once
#include "core/Bilingual.h"
#include "core/SettingPlaces.h"
#include "platform/ChildWindow.h"

#include <QObject>
#include <functional>
#include <utility>
#include <vector>

class QBoxLayout;

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

// The general options of the radio: time-out, squelch, VOX, back light,
// channel display, scan, PTT-ID with its DTMF code, work mode and the
// switches. Every change goes into the image at once. The controls are
// children of `window`.
class OptionGeneralPanel : public QObject {
    Q_OBJECT
public:
    explicit OptionGeneralPanel(ChildWindow *window);

    // Adds the panel's two columns of groups to the window's row of columns.
    void addColumns(QBoxLayout *row);

    void setCaptions();
    void fillLists();
    void loadFromImage();

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

private:
    const Codeplug &image() const;
    // One undo step named by the control's caption.
    void edit(const Bilingual &caption, const std::function<void(Codeplug &)> &change);

    void buildGroups();
    void fillPriorityChannels(bool onlyInUse);

    // The controls that show a setting's value as it is: a list's position
    // or a box's check.
    std::vector<std::pair<QComboBox *, SettingId>> boundLists() const;
    std::vector<std::pair<QCheckBox *, SettingId>> boundBoxes() const;
    // Stores a control's value as one undo step; false where the setting's
    // rule refused it.
    bool store(SettingId id, int value);

    void Combo_Pri_ch_Click();
    void Check_Only_Chann_Click();
    void Check_Pri_Click();
    void Text_DTMF_Code_Change();

    ChildWindow *m_window;
};
