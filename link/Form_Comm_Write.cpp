#include "link/Form_Comm_Write.h"

#include "core/Image.h"
#include "platform/Messages.h"
#include "platform/Texts.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

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
    if (link->state.busy) {
        showMessage("正在与对讲机进行读写操作 ！", "Read-write operating with transceiver .");
        return;
    }
    using namespace Region;
    Img(GeneralRow, 10) = 0;
    Img(GeneralRow, 11) = 0;
    Img(GeneralRow, 12) = Img(GeneralRow, 12) & 0x30;
    MarkFirstUsedChannel();
    ApplyFixedRows();
    if (CheckVfoRange()) {
        showMessage("频率模式下的接收或发射频率超出频率限制范围",
                    "Receiving or transmitting frequency that frequency Mode out of frequency "
                    "limitation range ");
        return;
    }
    if (const int channel = CheckChannelRanges(); channel > 0) {
        const QString number = QString::number(channel);
        showMessage(langText(QStringLiteral("信道 ") + number
                                 + QStringLiteral(" 中的接收或发射频率超出频率限制范围"),
                             QStringLiteral("Channel ") + number
                                 + QStringLiteral("that Receiving or transmitting frequency  out "
                                                  "of frequency limitation range ")));
        return;
    }
    startTransfer();
}

void Form_Comm_Write::showProgress(int blockIndex)
{
    ProgressBar1->setVisible(true);
    ProgressBar1->setValue(blockIndex * 100 / 255);
    Label_tr_count->setText(langText("正在写入  ", "Writing  ") + QString::number(blockIndex - 1)
                            + langText("  数据块", "  Data Block"));
}

void Form_Comm_Write::showCompletion()
{
    Label_tr_count->setText(langText("数据写入完毕 ！", "Complete writing Data "));
}
