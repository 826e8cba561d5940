#pragma once
#include "platform/ChildWindow.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

// The 16 FM broadcast presets in a grid, edited in place. A committed cell
// reaches the image when the grid loses the focus.
class Form_Edit_Test : public ChildWindow {
    Q_OBJECT
public:
    explicit Form_Edit_Test(WindowRegistry &registry);

    void Form_Load() override;
    void Form_Activate() override;

    void ShowPresets();

    // Grid rows 1..16 are the presets 0..15 (row 0 is the header).
    QTableWidget *MSF_chann;
    QLineEdit *Text_Edit;
    QPushButton *Command_close;
    QPushButton *Command_help;

protected:
    void showDocumentChange(int firstRow, int lastRow) override;

private:
    QString cellText(int row) const;
    void setCellText(int row, const QString &text);

    void MSF_chann_Click(int tableRow, int column);
    void MSF_chann_LeaveCell();
    void MSF_chann_LostFocus();
    void Text_Edit_Change();
    void StorePreset(int row);
    void showRangeMessage();

    // The grid row that the in-place editor was opened on, 0 when none.
    int m_editRow = 0;
};
