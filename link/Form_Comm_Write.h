#pragma once
#include "link/TransferWindow.h"

// Prepares and checks the image, then writes rows 0..254 to the radio.
class Form_Comm_Write : public TransferWindow {
    Q_OBJECT
public:
    explicit Form_Comm_Write(WindowRegistry &registry, const LinkTiming &timing = LinkTiming::real());

    void Form_Load() override;

    QPushButton *const Command_Write;

private:
    void Command_Write_Click();
    void showProgress(int blockIndex);
    void showCompletion();
    int rowsWritten() const override { return m_rowsWritten; }

    // The most rows the radio acknowledged in any attempt of this write: a
    // restart sends from row 0 again, but the radio keeps what it took.
    int m_rowsWritten = 0;
};
