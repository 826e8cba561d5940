#pragma once
#include "platform/ChildWindow.h"

class QLineEdit;
class QPushButton;

// The five-character message that the radio shows. The text reaches the
// image as it stood before each key press.
class Form_Edit_Message : public ChildWindow {
    Q_OBJECT
public:
    explicit Form_Edit_Message(WindowRegistry &registry);

    void Form_Load() override;
    void Form_Activate() override;

    void ShowMessage();

    QLineEdit *Text_MS1;
    QPushButton *Command_close;
    QPushButton *Command_help;

protected:
    void showDocumentChange(int firstRow, int lastRow) override;

private:
    bool Text_MS1_KeyPress(QChar key);
    void Text_MS1_Change();
    void StoreMessage(const QString &text);
};
