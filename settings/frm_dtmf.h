#pragma once
#include "core/SettingPlaces.h"
#include "platform/ChildWindow.h"

#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The DTMF timings and the side-tone switch. Unlike the other settings
// editors, loading writes the shown values back, so that a stored value
// beyond a list becomes the list's last value.
class frm_dtmf : public ChildWindow {
    Q_OBJECT
public:
    explicit frm_dtmf(WindowRegistry &registry);

    void Form_Load() override;
    void Form_Activate() override;

    void LoadDtmfValues();

    QGroupBox *Frame1;
    QLabel *Label_First_Delay;
    QComboBox *Combo_First_delay;
    QLabel *Label_Dtmf_Space;
    QComboBox *Combo_DTMF_SPACE;
    QLabel *Label_Dtmf_Delay;
    QComboBox *Combo_DTMF_DELAY;
    QCheckBox *Check_dtmfST;
    QPushButton *Command_close;
    QPushButton *Command_help;

protected:
    void showDocumentChange(int firstRow, int lastRow) override;

private:
    std::vector<std::pair<QComboBox *, SettingId>> boundLists() const;
    void Check_dtmfST_Click();
};
