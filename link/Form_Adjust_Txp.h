#pragma once
#include "core/SettingsRules.h"
#include "link/RadioLinkWindow.h"

#include <QHash>

class QFrame;

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
    // Status panel 2 keeps why the link ended, before the window closes.
    void reportLinkEnd();
    // The radio answered once: a later close means it stopped answering.
    bool m_answered = false;
    void storePowerValue(PowerLevel level, int value);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QFrame *focusFrame(QScrollBar *bar);
    void showFocus(QScrollBar *bar, bool focused);
    QHash<QScrollBar *, QFrame *> m_focusFrames;
};
