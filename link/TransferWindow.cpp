#include "link/TransferWindow.h"

#include "channels/PendingNameEdit.h"
#include "platform/Layouts.h"
#include "platform/Messages.h"
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
      ProgressBar1(new QProgressBar(this)), Command_Cancel(new QPushButton(this)),
      Command_Help(new QPushButton(this)), startButton(new QPushButton(this))
{
    Label_tr_count->setObjectName(QStringLiteral("Label_tr_count"));
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    Command_Cancel->setObjectName(QStringLiteral("Command_Cancel"));
    Command_Help->setObjectName(QStringLiteral("Command_Help"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setVisible(false);
    Label_tr_count->setAlignment(Qt::AlignCenter);

    auto *buttons = centeredButtonRow({startButton, Command_Cancel, Command_Help});
    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(Label_tr_count);
    layout->addWidget(ProgressBar1);
    layout->addStretch();
    layout->addLayout(buttons);

    // The keyboard reaches the start button first.
    setTabOrder(startButton, Command_Cancel);
    setTabOrder(Command_Cancel, Command_Help);

    connect(Command_Cancel, &QPushButton::clicked, this, &TransferWindow::Command_Cancel_Click);
    connect(Timer4, &QTimer::timeout, this, &TransferWindow::Timer4_Timer);
    connect(link, &LinkEngine::failed, this, &TransferWindow::showFailure);
}

void TransferWindow::loadTransferWindow()
{
    const QSize main = mainWindowSize();
    const int w = qRound(main.width() / 1.6);
    const int h = main.height() / 3;
    placeWindow((main.width() - w) / 2, qRound((main.height() - h) / 1.45), w, h);
    CommitPendingGridNameEdit(registry());
}

void TransferWindow::startTransfer()
{
    if (link->isBusy()) {
        showMessage("正在与对讲机进行读写操作 ！", "Read-write operating with transceiver .");
        return;
    }
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

void TransferWindow::Timer4_Timer()
{
    if (link->isDone())
        closeWindow();
}

void TransferWindow::showFailure()
{
    ProgressBar1->setValue(0);
    Label_tr_count->setText(langText("与对讲机通讯故障 ！", "Communication fault."));
}

bool TransferWindow::Form_Unload()
{
    link->cancel();
    Timer4->stop();
    return ChildWindow::Form_Unload();
}
