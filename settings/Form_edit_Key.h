#pragma once
#include "core/SettingPlaces.h"
#include "platform/ChildWindow.h"

#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

// The functions of the two programmable keys PF1 and PF2.
class Form_edit_Key : public ChildWindow {
    Q_OBJECT
public:
    explicit Form_edit_Key(WindowRegistry &registry);

    void Form_Load() override;
    void Form_Activate() override;

    // Shows the image; writes nothing back.
    void LoadKeys();

    QLabel *Label_PF1;
    QComboBox *Combo_pf1;
    QLabel *Label_PF2;
    QComboBox *Combo_pf2;
    QPushButton *Command_close;
    QPushButton *Command_help;

protected:
    void showDocumentChange(int firstRow, int lastRow) override;

private:
    std::vector<std::pair<QComboBox *, SettingId>> boundLists() const;
    void StoreKeys();
};
