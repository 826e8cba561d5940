#pragma once
#include "platform/ChildWindow.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimer;

// Chooses which of the eight serial ports the links open.
class Form_setup : public ChildWindow {
    Q_OBJECT
public:
    explicit Form_setup(WindowRegistry &registry);

    void Form_Load() override;

    QGroupBox *Frame1;
    QRadioButton *Option[8]; // Option1 .. Option8
    QPushButton *Command_ok;
    QPushButton *Command1;
    // Below the list: the device behind the chosen port, and why it cannot
    // be opened when that is so.
    QLabel *Label_device;

private:
    void Command_ok_Click();
    void showChosenDevice();
    // The tooltips and the device line anew from what the system lists.
    void refreshDevices();

    QTimer *m_refresh;
};
