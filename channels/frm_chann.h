#pragma once
#include "core/Language.h"
#include "platform/ChildWindow.h"

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QTableView;
class ChannelCellDelegate;
class ChannelGridActions;
class ChannelTableModel;

// The channel grid: all 128 channels as a table (grid encoding), edited in
// place. The table is a view of the document's channels (ChannelTableModel);
// a text box is laid over the frequency and name cells, a combo box over
// the tone, power and bandwidth cells (ChannelCellDelegate); every commit is
// one edit of the document, and the view shows what the document holds.
class frm_chann : public ChildWindow {
    Q_OBJECT
public:
    explicit frm_chann(WindowRegistry &registry);

    void Form_Load() override;
    void Form_Activate() override;
    bool Form_Unload() override;

    // Grid row n shows channel n; column 0 holds the channel number.
    int currentGridRow() const;
    int currentGridColumn() const;
    QString cellText(int row, int column) const;
    // "Channel Information [ Channel - n ]" for the current channel.
    void showChannelCaption();

    // Stores the text of the name editor when it is open over the current
    // name cell, exactly as leaving that cell would.
    void commitPendingNameEdit();

    QWidget *keyboardHome() const override;

    // While the image is read or written the window refuses to close.
    void setBusy(bool reading, bool writing);

    QTableView *MSF_chann;
    QLineEdit *Text_Edit;
    QComboBox *Combo_edit;
    QPushButton *Command_Clear;
    QPushButton *Command_Edit;
    QPushButton *Command_close;
    QPushButton *Command_help;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void MSF_chann_Click();
    void MSF_chann_LeaveCell(int row, int column);
    void MSF_chann_Scroll();
    void Command_Clear_Click();
    void Command_Edit_Click();
    void Command_close_Click();
    bool Text_Edit_KeyPress(QChar key);
    bool Combo_edit_KeyPress(int key);
    void Combo_edit_Change();
    void Combo_edit_Click(int position);

    // The grid's current row is the channel the editor opens; the caption
    // names it.
    void followCurrentRow(int n);
    void showCellEditor();
    // The keyboard's starting point after every rebuild: the first cell of
    // the current channel (else channel 1), unless a cell editor is open.
    void makeStoredChannelCurrent();
    // A character typed on the grid opens the cell's editor and goes into it.
    bool typeIntoCell(QKeyEvent *key);
    // Escape: the open editor closes without a commit.
    void closeEditorToGrid();
    // Ctrl+Enter in a cell editor: its value into every selected cell of
    // its column.
    void fillFromEditor();
    // Stores the text box's entry into cell (row, column) and answers the
    // outcome with the cell's message; the text box then shows what
    // replaced a refused entry.
    void commitCell(int row, int column);
    void moveTo(int row, int column);
    void placeOver(QWidget *editor, int row, int column);
    void applyHeader();
    // The width that shows column `column`'s header and widest text whole.
    int columnWidth(int column, Language language) const;
    bool isBusy() const { return m_reading || m_writing; }

    // The cell that the open editor belongs to, or 0 when no editor is open:
    // leaving a cell commits only the editor that was opened for it.
    int m_editRow = 0;
    int m_editColumn = 0;
    QString m_savedText;
    bool m_reading = false;
    bool m_writing = false;
    ChannelTableModel *m_model;
    ChannelCellDelegate *m_delegate;
    ChannelGridActions *m_actions;
};
