#pragma once
#include "link/TransferWindow.h"

// Reads the whole image from the radio; rows 0..253 change only when every
// block has arrived.
class Form_Comm_Read : public TransferWindow {
    Q_OBJECT
public:
    explicit Form_Comm_Read(WindowRegistry &registry, const LinkTiming &timing = LinkTiming::real());

    void Form_Load() override;

    QPushButton *const Command_read;

private:
    void Command_read_Click();
    void showProgress(int blockIndex);
    void showCompletion();
};
