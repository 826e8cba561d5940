#pragma once
#include "core/SettingPlaces.h"
#include "platform/ChildWindow.h"

#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The scan information: priority kind and channel, look-back times, revert
// channel, dropout delay and transmit dwell time.
class Form_Edit_scan : public ChildWindow {
    Q_OBJECT
public:
    explicit Form_Edit_scan(WindowRegistry &registry);

    void Form_Load() override;
    void Form_Activate() override;

    // Shows the image; writes nothing back.
    void LoadScanWindow();

    QLabel *Label_pri;
    QComboBox *Combo_pri;
    QLabel *Label_prich;
    QLineEdit *Text_prich;
    QLabel *Label_BA;
    QComboBox *Combo_BA;
    QLabel *Label_BB;
    QComboBox *Combo_BB;
    QLabel *Label_BC;
    QComboBox *Combo_BC;
    QLabel *Label_RYC;
    QComboBox *Combo_RYC;
    QLabel *Label_TYC;
    QComboBox *Combo_TYC;
    QPushButton *Command_close;
    QPushButton *Command_help;

protected:
    void showDocumentChange(int firstRow, int lastRow) override;

private:
    void fillRevertList(int kind);
    // The lists that show a setting's value as it is.
    std::vector<std::pair<QComboBox *, SettingId>> boundLists() const;

    void Combo_pri_Click();
    void Text_prich_Change();
};
