#pragma once
#include "platform/ChildWindow.h"

class QLabel;
class QPushButton;

// The About box: title, version, description, legal notice, and a button
// that starts the system's information program.
class frmAbout : public ChildWindow {
    Q_OBJECT
public:
    explicit frmAbout(WindowRegistry &registry);

    void Form_Load() override;

    QLabel *lblTitle;
    QLabel *lblVersion;
    QLabel *lblDescription;
    QLabel *lblDisclaimer;
    QPushButton *cmdOK;
    QPushButton *cmdSysInfo;

private:
    void cmdSysInfo_Click();
};

// Starts the platform's system-information program; false when there is
// none to start.
bool StartSysInfo();
