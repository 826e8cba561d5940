#pragma once
#include "platform/ChildWindow.h"

class QComboBox;
class QLabel;
class QPushButton;

// Shows the radio model and the working range; opening it takes the
// working range from the image again.
class Form_type : public ChildWindow {
    Q_OBJECT
public:
    explicit Form_type(WindowRegistry &registry);

    void Form_Load() override;

    QLabel *Label1;
    QComboBox *Combo_type;
    QLabel *Label2;
    QLabel *Label_band;
    QPushButton *Command_enter;
    QPushButton *Command_Cancel;

private:
    void Combo_type_Change();
};
