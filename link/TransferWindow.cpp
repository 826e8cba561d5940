#include "link/TransferWindow.h"

#include "channels/PendingNameEdit.h"
#include "link/LinkOutcome.h"
#include "platform/Layouts.h"
#include "platform/Messages.h"
#include "platform/WindowLanguage.h"
#include "platform/WindowRegistry.h"
#include "core/Texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TransferWindow::TransferWindow(WindowId id, LinkKind kind, const LinkTiming &timing,
                               WindowRegistry &registry)
    : RadioLinkWindow(id, kind, timing, registry), Label_tr_count(new QLabel(this)),
      Label_attempt(new QLabel(this)), ProgressBar1(new QProgressBar(this)),
      Command_Cancel(new QPushButton(this)), Command_Help(new QPushButton(this)),
      startButton(new QPushButton(this)), m_pauseTicker(new QTimer(this))
{
    Label_tr_count->setObjectName(QStringLiteral("Label_tr_count"));
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    Command_Cancel->setObjectName(QStringLiteral("Command_Cancel"));
    Command_Help->setObjectName(QStringLiteral("Command_Help"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setVisible(false);
    Label_tr_count->setAlignment(Qt::AlignCenter);
    Label_attempt->setObjectName(QStringLiteral("Label_attempt"));
    Label_attempt->setAlignment(Qt::AlignCenter);

    auto *buttons = centeredButtonRow({startButton, Command_Cancel, Command_Help});
    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(Label_tr_count);
    layout->addWidget(Label_attempt);
    layout->addWidget(ProgressBar1);
    layout->addStretch();
    layout->addLayout(buttons);

    setMainAction(startButton);
    setEscapeButton(Command_Cancel);

    connect(Command_Cancel, &QPushButton::clicked, this, &TransferWindow::Command_Cancel_Click);
    // The window closes itself once the transfer completed.
    connect(link, &LinkEngine::completed, Timer4, qOverload<>(&QTimer::start));

    m_pauseTicker->setInterval(250);
    connect(m_pauseTicker, &QTimer::timeout, this, &TransferWindow::tickRestartPause);
    connect(link, &LinkEngine::attemptStarted, this, &TransferWindow::showAttempt);
    connect(link, &LinkEngine::restartPauseStarted, this, &TransferWindow::showRestartPause);
    connect(link, &LinkEngine::identified, Label_attempt, &QLabel::clear);
    connect(link, &LinkEngine::completed, this, [this] { reportOutcome(linkCompletedText(link->kind(), linkPort().spec)); });
}

void TransferWindow::loadTransferWindow()
{
    const QSize main = mainWindowSize();
    const int w = qRound(main.width() / 1.6);
    const int h = main.height() / 3;
    placeWindow((main.width() - w) / 2, qRound((main.height() - h) / 1.45), w, h);
    CommitPendingGridNameEdit(registry());
    startButton->setFocus();
}

void TransferWindow::showAttempt(int attempt, int attempts)
{
    m_pauseTicker->stop();
    Label_attempt->setText(langText("第 %1 次尝试，共 %2 次", "attempt %1 of %2").arg(attempt).arg(attempts));
}

void TransferWindow::showRestartPause(int ms)
{
    m_pauseEnd.setRemainingTime(ms);
    tickRestartPause();
    m_pauseTicker->start();
}

void TransferWindow::tickRestartPause()
{
    const int seconds = int((m_pauseEnd.remainingTime() + 999) / 1000);
    Label_attempt->setText(langText("%1 秒后重试", "next attempt in %1 s").arg(seconds));
}

void TransferWindow::startTransfer()
{
    if (link->isBusy()) {
        showMessage("正在与对讲机进行读写操作 ！", "Read-write operating with transceiver .");
        return;
    }
    Label_attempt->clear();
    if (startLink()) {
        ProgressBar1->setValue(0);
        Label_tr_count->setText(langText("正在与对讲机联络 ！", "Connecting with transceiver. "));
    }
}

void TransferWindow::Command_Cancel_Click()
{
    if (link->isBusy()) {
        showMessage("正在进行读写操作,请勿关窗口 ！,", "Read-write operating，don't close the window. ,");
        return;
    }
    link->cancel();
    closeWindow();
}

void TransferWindow::linkFailed(LinkFailure why)
{
    RadioLinkWindow::linkFailed(why);
    // The final state takes the place of the last progress and countdown.
    m_pauseTicker->stop();
    ProgressBar1->setValue(0);
    ProgressBar1->setVisible(false);
    Label_tr_count->setText(langText("与对讲机通讯故障 ！", "Communication fault."));
    Label_attempt->setText(finalStateText(link->kind(), rowsWritten()));
    reportOutcome(rowsWritten() > 0 ? halfWrittenText(rowsWritten()) : linkFailedText(link->kind(), why));
}

QString TransferWindow::failureSummary(LinkFailure why) const
{
    return rowsWritten() > 0 ? halfWrittenText(rowsWritten()) : RadioLinkWindow::failureSummary(why);
}

bool TransferWindow::Form_Unload()
{
    m_pauseTicker->stop();
    link->cancel();
    Timer4->stop();
    return RadioLinkWindow::Form_Unload();
}

#include "moc_TransferWindow.cpp"
