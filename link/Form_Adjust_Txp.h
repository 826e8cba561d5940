#pragma once
#include "link/RadioLinkWindow.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QScrollBar;

// Adjusts the radio's low and high transmit power live; it lives only as
// long as the link with the radio is up.
class Form_Adjust_Txp : public RadioLinkWindow {
    Q_OBJECT
public:
    explicit Form_Adjust_Txp(WindowRegistry &registry, const LinkTiming &timing = LinkTiming::real());

    void Form_Load() override;
    // Ends the link, telling the radio when its port is still open.
    bool Form_Unload() override;

    QLabel *Label_Low;
    QScrollBar *HScroll_L;
    QLabel *Label_L;
    QLabel *Label_High;
    QScrollBar *HScroll_H;
    QLabel *Label_H;
    QProgressBar *ProgressBar1;
    QPushButton *Command_Close;
    QPushButton *Command_Help;

private:
    void takeReportedValues();
    void showValues();
    void sendPowerRecord();
    void HScroll_L_Change();
    void HScroll_H_Change();
    // Low (byte 0) or high (byte 1) power value, and which one was moved.
    void storePowerValue(int byte, int value);
};
