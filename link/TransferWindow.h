#pragma once
#include "link/RadioLinkWindow.h"

#include <QDeadlineTimer>

class QLabel;
class QProgressBar;
class QPushButton;

// What the read and write windows share: a status line, a progress bar, a
// start button, Cancel and Help, and one link with the radio.
class TransferWindow : public RadioLinkWindow {
    Q_OBJECT
public:
    QLabel *Label_tr_count;
    // Under the status line while connecting: the attempt, and the seconds
    // left of a pause before the next one.
    QLabel *Label_attempt;
    QProgressBar *ProgressBar1;
    QPushButton *Command_Cancel;
    QPushButton *Command_Help;

    // Ends the link at once: nothing of it outlives the window.
    bool Form_Unload() override;

protected:
    TransferWindow(WindowId id, LinkKind kind, const LinkTiming &timing, WindowRegistry &registry);

    QPushButton *const startButton; // the window's read or write button

    // Geometry and the pending grid name; captions are the window's own.
    void loadTransferWindow();
    // Starts the link on the chosen port unless one is under way.
    void startTransfer();
    void Command_Cancel_Click();
    void linkFailed(LinkFailure why) override;
    QString failureSummary(LinkFailure why) const override;
    // Rows the radio acknowledged in the write under way; 0 for a read.
    virtual int rowsWritten() const { return 0; }

private:
    void showAttempt(int attempt, int attempts);
    void showRestartPause(int ms);
    void tickRestartPause();

    QTimer *const m_pauseTicker;
    QDeadlineTimer m_pauseEnd;
};
