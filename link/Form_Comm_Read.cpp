#include "link/Form_Comm_Read.h"

#include "core/ChannelEdits.h"

#include "core/Texts.h"
#include "platform/CodeplugDocument.h"
#include "platform/WindowLanguage.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

Form_Comm_Read::Form_Comm_Read(WindowRegistry &registry, const LinkTiming &timing)
    : TransferWindow(WindowId::Form_Comm_Read, LinkKind::Read, timing, registry),
      Command_read(startButton)
{
    setObjectName(QStringLiteral("Form_Comm_Read"));
    Command_read->setObjectName(QStringLiteral("Command_read"));
    connect(Command_read, &QPushButton::clicked, this, &Form_Comm_Read::Command_read_Click);
    connect(link, &LinkEngine::progress, this, &Form_Comm_Read::showProgress);
    connect(link, &LinkEngine::completed, this, &Form_Comm_Read::showCompletion);
}

void Form_Comm_Read::Form_Load()
{
    ChildWindow::Form_Load();
    setWindowTitle(langText("从对讲机读取数据", "Read Data From Radio"));
    Command_read->setText(langText("读取", "Read"));
    Command_Cancel->setText(langText("取消", "Cancel"));
    Command_Help->setText(langText("帮助", "Help"));
    loadTransferWindow();
}

void Form_Comm_Read::Command_read_Click()
{
    startTransfer();
}

void Form_Comm_Read::showProgress(int blockIndex)
{
    ProgressBar1->setVisible(true);
    // The bar stays short of full until the read completes.
    ProgressBar1->setValue(blockIndex * 100 / (Protocol::ReadRows + 1));
    Label_tr_count->setText(langText("正在读取 ", "Reading ") + QString::number(blockIndex)
                            + langText(" 数据块", " Data Block"));
}

void Form_Comm_Read::showCompletion()
{
    // One undo step gives back what the read replaced.
    editImage(plainLabel("从对讲机读取数据", "read from the radio"),
              [this](Codeplug &image) {
                  image.copyRowsFrom(link->codeplug(), Protocol::KeptReadRows);
                  settleArrivedImage(image);
              });
    document().markSaved();
    ProgressBar1->setVisible(true);
    ProgressBar1->setValue(100);
    Label_tr_count->setText(langText("数据读出正常 ！", "Read Data in gear. "));
}

#include "moc_Form_Comm_Read.cpp"
