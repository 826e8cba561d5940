#pragma once
#include "platform/ChildWindow.h"
#include "serial/PortDirectory.h"

#include <QFutureWatcher>

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
    // The tooltips and the device line anew from the last look at the ports.
    void refreshDevices();
    // Looks at the ports again when a device came or went since the last look.
    void lookForChange();
    // Looks at the ports on another thread, unless a look is under way.
    void look();

    QTimer *m_refresh;
    // The last look at the ports, and what it depended on.
    PortSnapshot m_snapshot;
    QStringList m_stamp;
    bool m_looked = false; // m_snapshot holds a look
    // A look under way on another thread.
    QFutureWatcher<PortSnapshot> m_looking;
    // Confirmed while the last opening of a port had failed: the window
    // stays open and says why.
    bool m_confirmedAfterFailure = false;
};
