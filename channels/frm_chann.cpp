#include "channels/frm_chann.h"

#include "channels/ChannelCellDelegate.h"
#include "channels/ChannelGridActions.h"
#include "channels/ChannelTableModel.h"
#include "channels/Form_Chann_Edit.h"
#include "core/ChannelCaptions.h"
#include "core/ChannelEdits.h"
#include "core/FrequencyEntry.h"
#include "core/Codeplug.h"
#include "platform/CodeplugDocument.h"
#include "platform/InputHooks.h"
#include "platform/KeyFilter.h"
#include "platform/Messages.h"
#include "core/Texts.h"
#include "platform/WindowLanguage.h"
#include "platform/WindowRegistry.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QSignalBlocker>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int GridColumns = ChannelTableModel::ColumnCount;
constexpr int RxColumn = ChannelTableModel::RxColumn, TxColumn = ChannelTableModel::TxColumn,
              DecodeColumn = ChannelTableModel::DecodeColumn, EncodeColumn = ChannelTableModel::EncodeColumn,
              PowerColumn = ChannelTableModel::PowerColumn, BandwidthColumn = ChannelTableModel::BandwidthColumn,
              NameColumn = ChannelTableModel::NameColumn;
constexpr int FrequencyEditLength = 10; // the key rule stops typing beyond this
constexpr int NameEditLength = 5;

// The widest text each column has to show besides its header.
const char *const widestContent[GridColumns] = {"128", "000.00000", "000.00000", "D023N", "D023N",
                                                "High", "Narrow", "WWWWW"};

// A column's header text, without the format's centring mark.
QString headerCaption(int column, Language language)
{
    const QString format = gridHeaderFormat(column, language);
    return format.startsWith(QLatin1Char('^')) ? format.mid(1) : format;
}

// The message that answers an entry the edit layer replaced or refused.
void showEntryMessage(ChannelMessage message)
{
    switch (message) {
    case ChannelMessage::ReceiveOutOfRange:
        showMessage("接收频率超出范围 ！", "Over the range of receive frequency .");
        break;
    case ChannelMessage::TransmitOutOfRange:
        showMessage("发射频率超出范围 ！", "Over the range of transmit frequency .");
        break;
    case ChannelMessage::ReceiveFirst:
        showMessage("请先输入接收频率 ！", "Please input the receive frequency in advance.");
        break;
    default:
        break;
    }
}

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

frm_chann::frm_chann(WindowRegistry &registry)
    : ChildWindow(WindowId::frm_chann, registry),
      MSF_chann(new QTableView(this)), Text_Edit(new QLineEdit(MSF_chann->viewport())),
      Combo_edit(new QComboBox(MSF_chann->viewport())), Command_Clear(new QPushButton(this)),
      Command_Edit(new QPushButton(this)), Command_close(new QPushButton(this)),
      Command_help(new QPushButton(this)), m_model(new ChannelTableModel(document(), windowLanguage(), this)),
      m_delegate(new ChannelCellDelegate(*m_model, this)), m_actions(nullptr)
{
    setObjectName(QStringLiteral("frm_chann"));
    MSF_chann->setObjectName(QStringLiteral("MSF_chann"));
    Text_Edit->setObjectName(QStringLiteral("Text_Edit"));
    Combo_edit->setObjectName(QStringLiteral("Combo_edit"));
    Command_Clear->setObjectName(QStringLiteral("Command_Clear"));
    Command_Edit->setObjectName(QStringLiteral("Command_Edit"));
    Command_close->setObjectName(QStringLiteral("Command_close"));
    Command_help->setObjectName(QStringLiteral("Command_help"));

    MSF_chann->setModel(m_model);
    MSF_chann->setItemDelegate(m_delegate);
    MSF_chann->verticalHeader()->hide();
    MSF_chann->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MSF_chann->verticalHeader()->setDefaultSectionSize(MSF_chann->fontMetrics().height() + 8);
    MSF_chann->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Hiding a focused cell editor hands the focus on as Tab would; the grid
    // must not take that as a move to the next cell.
    MSF_chann->setTabKeyNavigation(false);
    MSF_chann->setSelectionBehavior(QAbstractItemView::SelectItems);
    // Selection of many cells and channels, and the gestures on them.
    m_actions = new ChannelGridActions(*this, *MSF_chann, *m_model);
    MSF_chann->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MSF_chann->horizontalHeader()->setHighlightSections(false);
    MSF_chann->horizontalHeader()->setStretchLastSection(true);

    Text_Edit->hide();
    // Framed, so the open editor stands out from the cells; centred like them.
    Text_Edit->setFrame(true);
    Text_Edit->setAlignment(Qt::AlignCenter);
    Text_Edit->installEventFilter(this);
    KeyRule cellRule = KeyRule::anything();
    cellRule.handler = [this](QChar key) { return Text_Edit_KeyPress(key); };
    filterKeys(Text_Edit, cellRule);
    MSF_chann->installEventFilter(this);
    MSF_chann->viewport()->installEventFilter(this);
    Combo_edit->hide();
    Combo_edit->setEditable(true);
    Combo_edit->setInsertPolicy(QComboBox::NoInsert);
    Combo_edit->setCompleter(nullptr);
    Combo_edit->installEventFilter(this);
    Combo_edit->lineEdit()->installEventFilter(this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    // Clear blanks every channel without asking: it stands last, so that Tab
    // from the grid reaches the harmless buttons first.
    for (QPushButton *button : {Command_Edit, Command_close, Command_help, Command_Clear}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
        buttons->addStretch();
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(MSF_chann, 1);
    layout->addLayout(buttons);

    connect(MSF_chann->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current, const QModelIndex &previous) {
                if (previous.isValid() && previous.column() > 0)
                    MSF_chann_LeaveCell(previous.row() + 1, previous.column());
                // Any move to another row, by key or mouse, makes that row's
                // channel the one the editor opens, as a click does.
                if (current.isValid() && (!previous.isValid() || current.row() != previous.row()))
                    followCurrentRow(current.row() + 1);
            });
    connect(MSF_chann, &QAbstractItemView::clicked, this, [this](const QModelIndex &cell) {
        if (cell.column() > 0 && cell == MSF_chann->currentIndex())
            MSF_chann_Click();
    });
    // The caption names the current channel, wherever it was changed.
    connect(&document(), &CodeplugDocument::currentChannelChanged, this, &frm_chann::showChannelCaption);
    connect(MSF_chann->verticalScrollBar(), &QScrollBar::valueChanged, this, &frm_chann::MSF_chann_Scroll);
    connect(MSF_chann->horizontalScrollBar(), &QScrollBar::valueChanged, this, &frm_chann::MSF_chann_Scroll);
    connect(Combo_edit->lineEdit(), &QLineEdit::textEdited, this, &frm_chann::Combo_edit_Change);
    connect(Combo_edit, qOverload<int>(&QComboBox::activated), this, &frm_chann::Combo_edit_Click);
    connect(Command_Clear, &QPushButton::clicked, this, &frm_chann::Command_Clear_Click);
    connect(Command_Edit, &QPushButton::clicked, this, &frm_chann::Command_Edit_Click);
    connect(Command_close, &QPushButton::clicked, this, &frm_chann::Command_close_Click);
}

void frm_chann::Form_Load()
{
    ChildWindow::Form_Load();
    applyHeader();
    Command_Clear->setText(langText("清除", "Clear"));
    Command_Edit->setText(langText("信道编辑", "Channel Edit"));
    Command_close->setText(langText("关闭", "Close"));
    Command_help->setText(langText("帮助", "Help"));

    const QSize main = mainWindowSize();
    const QSize inner = mainInnerSize();
    const int w = qRound(main.width() / 1.2);
    const int h = qRound(main.height() / 1.3);
    placeWindow(qMax(0, (inner.width() - w) / 2), qMax(0, (inner.height() - h) / 8), w, h);

    Text_Edit->hide();
    document().setCurrentChannel(1);
    showChannelCaption();
    makeStoredChannelCurrent();
}

QWidget *frm_chann::keyboardHome() const
{
    return MSF_chann;
}

void frm_chann::Form_Activate()
{
    // The view shows the document as it is; activation shows every cell
    // from it again.
    m_model->forgetLeftTexts();
    makeStoredChannelCurrent();
}

// ---- Keyboard: the current cell and typing into it ----

void frm_chann::makeStoredChannelCurrent()
{
    if (m_editRow != 0)
        return;
    const int current = document().currentChannel();
    const int n = current >= 1 && current <= Region::LastChannelRow ? current : 1;
    if (currentGridRow() == n && currentGridColumn() > 0)
        return;
    // Not a move by the user: no cell is left, nothing is committed.
    const QSignalBlocker quiet(MSF_chann->selectionModel());
    MSF_chann->setCurrentIndex(m_model->cell(n, RxColumn));
    MSF_chann->viewport()->update();
}

bool frm_chann::typeIntoCell(QKeyEvent *key)
{
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        || currentGridColumn() < 1)
        return false;
    MSF_chann_Click();
    if (!Text_Edit->isVisible())
        return false;
    QKeyEvent typed(QEvent::KeyPress, key->key(), key->modifiers(), text);
    QCoreApplication::sendEvent(Text_Edit, &typed);
    return true;
}

bool frm_chann::Form_Unload()
{
    if (isBusy() && !closingWithMainWindow()) {
        showMessage("正在进行读写操作,请勿关窗口 ！,", "Read-write operating，don't close the window.,");
        return false;
    }
    return ChildWindow::Form_Unload();
}

int frm_chann::columnWidth(int column, Language language) const
{
    const QString caption = headerCaption(column, language);
    const int text = qMax(QFontMetrics(MSF_chann->horizontalHeader()->font()).horizontalAdvance(caption),
                          MSF_chann->fontMetrics().horizontalAdvance(QString::fromLatin1(widestContent[column])));
    // The style's margins on both sides of a header text and a grid line.
    return text + 16;
}

void frm_chann::applyHeader()
{
    // The captions and their centring come from the model.
    for (int column = 0; column < GridColumns; ++column)
        MSF_chann->horizontalHeader()->resizeSection(column, columnWidth(column, windowLanguage()));
    // The window never gets so narrow that a column hides behind a scroll
    // bar, in either language: the main window makes room for the grid once,
    // at start-up, and the grid then keeps its share in both.
    int columns = 0;
    for (Language language : {Language::Chinese, Language::English}) {
        int sum = 0;
        for (int column = 0; column < GridColumns; ++column)
            sum += columnWidth(column, language);
        columns = qMax(columns, sum);
    }
    MSF_chann->setMinimumWidth(columns + MSF_chann->verticalScrollBar()->sizeHint().width()
                               + 2 * MSF_chann->frameWidth());
}

int frm_chann::currentGridRow() const
{
    return MSF_chann->currentIndex().row() + 1;
}

int frm_chann::currentGridColumn() const
{
    return MSF_chann->currentIndex().column();
}

QString frm_chann::cellText(int row, int column) const
{
    return m_model->cell(row, column).data().toString();
}

void frm_chann::showChannelCaption()
{
    setWindowTitle(langText("信道参数编辑 [ 信道 - ", "Channel Information [ Channel - ")
                   + QString::number(document().currentChannel()) + QStringLiteral(" ]"));
}

void frm_chann::setBusy(bool reading, bool writing)
{
    m_reading = reading;
    m_writing = writing;
}

void frm_chann::placeOver(QWidget *editor, int row, int column)
{
    QStyleOptionViewItem option;
    option.rect = MSF_chann->visualRect(m_model->cell(row, column));
    m_delegate->updateEditorGeometry(editor, option, m_model->cell(row, column));
}

void frm_chann::showCellEditor()
{
    const int r = currentGridRow();
    const int c = currentGridColumn();
    if (r < 1 || c < 1)
        return;
    const QModelIndex cell = m_model->cell(r, c);
    m_savedText = cell.data().toString();
    if (!(m_model->flags(cell) & Qt::ItemIsEditable)) {
        Text_Edit->hide();
        Combo_edit->hide();
        m_editRow = m_editColumn = 0;
        return;
    }
    m_editRow = r;
    m_editColumn = c;
    if (c >= DecodeColumn && c <= BandwidthColumn) {
        Text_Edit->hide();
        m_delegate->setEditorData(Combo_edit, cell);
        placeOver(Combo_edit, r, c);
        Combo_edit->show();
        Combo_edit->raise();
        Combo_edit->setFocus();
        return;
    }
    Combo_edit->hide();
    Text_Edit->setMaxLength(c == NameColumn ? NameEditLength : FrequencyEditLength);
    m_delegate->setEditorData(Text_Edit, cell);
    Text_Edit->selectAll();
    placeOver(Text_Edit, r, c);
    Text_Edit->show();
    Text_Edit->raise();
    Text_Edit->setFocus();
}

void frm_chann::followCurrentRow(int n)
{
    document().setCurrentChannel(n);
    showChannelCaption();
}

void frm_chann::MSF_chann_Click()
{
    followCurrentRow(currentGridRow());
    showCellEditor();
}

void frm_chann::MSF_chann_LeaveCell(int row, int column)
{
    document().setCurrentChannel(row);
    const bool editorOpenHere = row == m_editRow && column == m_editColumn;
    m_editRow = m_editColumn = 0;
    // A list stored its choice when it was made and leaves its text in the
    // cell; the text box stores now.
    if (editorOpenHere && column >= DecodeColumn && column <= BandwidthColumn)
        m_model->setData(m_model->cell(row, column), Combo_edit->currentText(), ChannelTableModel::LeftTextRole);
    else if (editorOpenHere)
        commitCell(row, column);
    Text_Edit->hide();
    Combo_edit->hide();
    Text_Edit->clear();
    Combo_edit->setEditText(QString());
}

void frm_chann::closeEditorToGrid()
{
    // Nothing is committed; the grid takes the focus before the editor
    // hides, so the arrow keys move between cells again.
    m_editRow = m_editColumn = 0;
    MSF_chann->setFocus(Qt::ShortcutFocusReason);
    Text_Edit->hide();
    Combo_edit->hide();
    Text_Edit->clear();
    Combo_edit->setEditText(QString());
}

void frm_chann::fillFromEditor()
{
    const int column = m_editColumn;
    const QString text = column >= DecodeColumn && column <= BandwidthColumn ? Combo_edit->currentText()
                                                                              : Text_Edit->text();
    closeEditorToGrid();
    m_actions->fill(column, text);
}

void frm_chann::MSF_chann_Scroll()
{
    Text_Edit->hide();
}

void frm_chann::moveTo(int row, int column)
{
    MSF_chann->setCurrentIndex(m_model->cell(row, column));
    showCellEditor();
}

void frm_chann::commitCell(int row, int column)
{
    const QModelIndex cell = m_model->cell(row, column);
    const QString entry = Text_Edit->text();
    const ChannelEditOutcome outcome = m_model->commit(cell, entry);
    showEntryMessage(column == TxColumn && entry.trimmed().isEmpty() ? ChannelMessage::None : outcome.message);
    if (outcome.message == ChannelMessage::ReceiveFirst)
        Text_Edit->clear();
    else if (outcome.message != ChannelMessage::None)
        Text_Edit->setText(lowerLimitText(document().workRange()));
}

void frm_chann::commitPendingNameEdit()
{
    if (currentGridColumn() == NameColumn && m_editColumn == NameColumn
        && m_editRow == currentGridRow())
        commitCell(m_editRow, NameColumn);
}

bool frm_chann::Text_Edit_KeyPress(QChar key)
{
    const int length = Text_Edit->text().trimmed().size();
    const bool enter = key == TypedKey::Enter;
    if (key != TypedKey::Backspace && length > 9)
        return true;
    if (m_editColumn == NameColumn && length > 4 && key != TypedKey::Backspace && !enter)
        return true;
    if (!enter)
        return false;

    const int r = m_editRow;
    const int c = m_editColumn;
    if (r == 0)
        return true;
    if (c == RxColumn || c == TxColumn) {
        // Committed here; leaving the cell afterwards has nothing left to do.
        m_editRow = m_editColumn = 0;
        commitCell(r, c);
    }
    const int nextRow = qMin(r + 1, int(Region::LastChannelRow));
    if (c == RxColumn)
        moveTo(r, TxColumn);
    else if (c == TxColumn && isChannelEmpty(image(), r))
        moveTo(nextRow, RxColumn);
    else if (c == TxColumn)
        moveTo(r, DecodeColumn);
    else if (c == NameColumn)
        moveTo(nextRow, RxColumn);
    return true;
}

bool frm_chann::Combo_edit_KeyPress(int key)
{
    if (!isEnterKey(key) || m_editRow == 0)
        return false;
    const int r = m_editRow;
    const int c = m_editColumn;
    if (c == DecodeColumn && isChannelEmpty(image(), r))
        moveTo(r, PowerColumn);
    else
        moveTo(r, c + 1);
    return true;
}

void frm_chann::Combo_edit_Change()
{
    // The combo box offers a list only: typing is undone at once.
    Combo_edit->setEditText(m_savedText);
    Combo_edit->setFocus();
}

void frm_chann::Combo_edit_Click(int position)
{
    m_savedText = Combo_edit->currentText();
    if (m_editRow == 0 || position < 0)
        return;
    m_delegate->setModelData(Combo_edit, m_model, m_model->cell(m_editRow, m_editColumn));
}

void frm_chann::Command_Clear_Click()
{
    if (document().isLocked()) {
        reportOutcome(document().lockReason());
        return;
    }
    editImage(plainLabel("清除全部信道", "clear of all channels"), clearAllChannels);
    // Clear asks nothing: undo gives back what it took.
    reportOutcome(langText("已清除全部信道（Ctrl+Z 可撤销）", "Cleared all channels (Ctrl+Z undoes)"));
    m_editRow = m_editColumn = 0;
    Text_Edit->clear();
    Combo_edit->setEditText(QString());
    Text_Edit->hide();
    Combo_edit->hide();
    // The keyboard leaves Clear at once: a second Enter must not clear again.
    MSF_chann->setFocus(Qt::OtherFocusReason);
}

void frm_chann::Command_Edit_Click()
{
    registry().reopen(WindowId::Form_Chann_Edit);
    if (auto *editor = registry().get<Form_Chann_Edit>(WindowId::Form_Chann_Edit))
        editor->bringChannel(document().currentChannel());
}

void frm_chann::Command_close_Click()
{
    if (isBusy()) {
        showMessage("正在进行读写操作,请勿关窗口 ！,", "Read-write operating，don't close the window. ,");
        return;
    }
    WindowRegistry &windows = registry();
    if (!windows.close(WindowId::frm_chann))
        return;
    windows.close(WindowId::Form_Chann_Edit);
    windows.close(WindowId::Form_open_chann);
    windows.close(WindowId::Form_save_chann);
}

bool frm_chann::eventFilter(QObject *watched, QEvent *event)
{
    const bool keyPress = event->type() == QEvent::KeyPress;
    const int key = keyPress ? static_cast<QKeyEvent *>(event)->key() : 0;
    const bool ctrlEnter = keyPress && isEnterKey(key)
        && (static_cast<QKeyEvent *>(event)->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
    if (watched == MSF_chann && keyPress && m_actions->gridKey(static_cast<QKeyEvent *>(event)))
        return true;
    if ((watched == MSF_chann || watched == MSF_chann->viewport()) && event->type() == QEvent::ContextMenu) {
        // From the keyboard the menu opens at the current cell.
        auto *menu = static_cast<QContextMenuEvent *>(event);
        m_actions->showMenu(menu->reason() == QContextMenuEvent::Keyboard
                                ? MSF_chann->viewport()->mapToGlobal(
                                      MSF_chann->visualRect(MSF_chann->currentIndex()).center())
                                : menu->globalPos());
        return true;
    }
    if (watched == MSF_chann->viewport()) {
        if (event->type() == QEvent::MouseButtonPress && m_actions->numberPress(static_cast<QMouseEvent *>(event)))
            return true;
        if (m_actions->dropEvent(event))
            return true;
    }
    if ((watched == Text_Edit || watched == Combo_edit || watched == Combo_edit->lineEdit()) && ctrlEnter
        && m_editRow != 0) {
        fillFromEditor();
        return true;
    }
    if (watched == MSF_chann && keyPress && (isEnterKey(key) || key == Qt::Key_F2)) {
        // The keyboard's way to a cell editor, as a click on the cell.
        if (currentGridColumn() > 0)
            MSF_chann_Click();
        return true;
    }
    if (watched == MSF_chann && keyPress && typeIntoCell(static_cast<QKeyEvent *>(event)))
        return true;
    if ((watched == Text_Edit || watched == Combo_edit || watched == Combo_edit->lineEdit())
        && keyPress && key == Qt::Key_Escape) {
        closeEditorToGrid();
        return true;
    }
    if (watched == Text_Edit) {
        // While the image is being written, a frequency typed and left is
        // committed at once so that the write sends it.
        if (event->type() == QEvent::FocusOut && isRealFocusLoss(event)
            && session().isWindowOpen(WindowId::Form_Comm_Write)
            && (m_editColumn == RxColumn || m_editColumn == TxColumn))
            commitCell(m_editRow, m_editColumn);
    } else if (watched == Combo_edit || watched == Combo_edit->lineEdit()) {
        if (keyPress)
            return Combo_edit_KeyPress(key);
        if (event->type() == QEvent::FocusIn)
            m_savedText = Combo_edit->currentText();
    }
    return ChildWindow::eventFilter(watched, event);
}

#include "moc_frm_chann.cpp"
