#include "link/Form_Comm_Write.h"

#include "core/WritePreparation.h"
#include "platform/CodeplugDocument.h"
#include "platform/Messages.h"
#include "core/Texts.h"
#include "platform/WindowLanguage.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

Form_Comm_Write::Form_Comm_Write(WindowRegistry &registry, const LinkTiming &timing)
    : TransferWindow(WindowId::Form_Comm_Write, LinkKind::Write, timing, registry),
      Command_Write(startButton)
{
    setObjectName(QStringLiteral("Form_Comm_Write"));
    Command_Write->setObjectName(QStringLiteral("Command_Write"));
    connect(Command_Write, &QPushButton::clicked, this, &Form_Comm_Write::Command_Write_Click);
    connect(link, &LinkEngine::progress, this, &Form_Comm_Write::showProgress);
    connect(link, &LinkEngine::completed, this, &Form_Comm_Write::showCompletion);
}

void Form_Comm_Write::Form_Load()
{
    ChildWindow::Form_Load();
    setWindowTitle(langText("写数据到对讲机", "Write Data to Radio"));
    Command_Write->setText(langText("写入", "Write"));
    Command_Cancel->setText(langText("取消", "Cancel"));
    Command_Help->setText(langText("帮助", "Help"));
    loadTransferWindow();
}

void Form_Comm_Write::Command_Write_Click()
{
    if (link->isBusy()) {
        showMessage("正在与对讲机进行读写操作 ！", "Read-write operating with transceiver .");
        return;
    }
    WritePreparation preparation;
    editImage(plainLabel("为写入做好准备", "prepared for writing"),
              [&](Codeplug &image) { preparation = PrepareImageForWrite(image); });
    if (!preparation.ready()) {
        showMessageWithSummary(preparation.message(windowLanguage()), preparation.summary(windowLanguage()));
        return;
    }
    link->setCodeplug(image());
    m_rowsWritten = 0;
    startTransfer();
}

void Form_Comm_Write::showProgress(int blockIndex)
{
    m_rowsWritten = qMax(m_rowsWritten, blockIndex);
    ProgressBar1->setVisible(true);
    ProgressBar1->setValue(blockIndex * 100 / Protocol::WriteRows);
    Label_tr_count->setText(langText("正在写入  ", "Writing  ") + QString::number(blockIndex - 1)
                            + langText("  数据块", "  Data Block"));
}

void Form_Comm_Write::showCompletion()
{
    Label_tr_count->setText(langText("数据写入完毕 ！", "Complete writing Data "));
    // The radio now holds the image.
    document().markSaved();
}

#include "moc_Form_Comm_Write.cpp"
