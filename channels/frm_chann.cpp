#include "channels/frm_chann.h"

#include "core/ChannelCaptions.h"
#include "core/ChannelRecord.h"
#include "core/FrequencyEntry.h"
#include "core/Codecs.h"
#include "core/Codeplug.h"
#include "core/NumberText.h"
#include "platform/CodeplugDocument.h"
#include "platform/InputHooks.h"
#include "platform/KeyFilter.h"
#include "platform/Messages.h"
#include "core/Texts.h"
#include "platform/WindowLanguage.h"
#include "platform/WindowRegistry.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QSignalBlocker>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStringListModel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int GridColumns = GridColumnCount;
constexpr int RxColumn = 1, TxColumn = 2, DecodeColumn = 3, EncodeColumn = 4, PowerColumn = 5,
              BandwidthColumn = 6, NameColumn = 7;
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

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

frm_chann::frm_chann(WindowRegistry &registry)
    : ChildWindow(WindowId::frm_chann, registry),
      MSF_chann(new QTableWidget(Region::LastChannelRow, GridColumns, this)),
      Text_Edit(new QLineEdit(MSF_chann->viewport())),
      Combo_edit(new QComboBox(MSF_chann->viewport())), Command_Clear(new QPushButton(this)),
      Command_Edit(new QPushButton(this)), Command_close(new QPushButton(this)),
      Command_help(new QPushButton(this)), m_toneList(new QStringListModel(this)),
      m_powerList(new QStringListModel(this)), m_bandwidthList(new QStringListModel(this))
{
    setObjectName(QStringLiteral("frm_chann"));
    MSF_chann->setObjectName(QStringLiteral("MSF_chann"));
    Text_Edit->setObjectName(QStringLiteral("Text_Edit"));
    Combo_edit->setObjectName(QStringLiteral("Combo_edit"));
    Command_Clear->setObjectName(QStringLiteral("Command_Clear"));
    Command_Edit->setObjectName(QStringLiteral("Command_Edit"));
    Command_close->setObjectName(QStringLiteral("Command_close"));
    Command_help->setObjectName(QStringLiteral("Command_help"));

    MSF_chann->verticalHeader()->hide();
    MSF_chann->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MSF_chann->verticalHeader()->setDefaultSectionSize(MSF_chann->fontMetrics().height() + 8);
    MSF_chann->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Hiding a focused cell editor hands the focus on as Tab would; the grid
    // must not take that as a move to the next cell.
    MSF_chann->setTabKeyNavigation(false);
    MSF_chann->setSelectionMode(QAbstractItemView::SingleSelection);
    MSF_chann->setSelectionBehavior(QAbstractItemView::SelectItems);
    MSF_chann->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MSF_chann->horizontalHeader()->setHighlightSections(false);
    MSF_chann->horizontalHeader()->setStretchLastSection(true);
    // Every cell item lives as long as the window; rebuilding a row only
    // changes texts.
    const QPalette pal = palette();
    for (int row = 0; row < MSF_chann->rowCount(); ++row) {
        for (int column = 0; column < GridColumns; ++column) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            if (column == 0) {
                // The number column is fixed, like the header: never current.
                item->setText(QString::number(row + 1));
                item->setFlags(Qt::NoItemFlags);
                item->setBackground(pal.button());
                item->setForeground(pal.buttonText());
            }
            MSF_chann->setItem(row, column, item);
        }
    }

    Text_Edit->hide();
    // Framed, so the open editor stands out from the cells; centred like them.
    Text_Edit->setFrame(true);
    Text_Edit->setAlignment(Qt::AlignCenter);
    Text_Edit->installEventFilter(this);
    KeyRule cellRule = KeyRule::anything();
    cellRule.handler = [this](QChar key) { return Text_Edit_KeyPress(key); };
    filterKeys(Text_Edit, cellRule);
    MSF_chann->installEventFilter(this);
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

    connect(MSF_chann, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previousRow, int previousColumn) {
                if (previousRow >= 0 && previousColumn > 0)
                    MSF_chann_LeaveCell(previousRow + 1, previousColumn);
                // Any move to another row, by key or mouse, makes that row's
                // channel the one the editor opens, as a click does.
                if (row >= 0 && row != previousRow)
                    followCurrentRow(row + 1);
            });
    connect(MSF_chann, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (column > 0 && row + 1 == currentGridRow() && column == currentGridColumn())
            MSF_chann_Click();
    });
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
    m_toneList->setStringList(toneSelectorItems(windowLanguage()));
    m_powerList->setStringList(gridPowerItems(windowLanguage()));
    m_bandwidthList->setStringList(gridBandwidthItems(windowLanguage()));

    const QSize main = mainWindowSize();
    const QSize inner = mainInnerSize();
    const int w = qRound(main.width() / 1.2);
    const int h = qRound(main.height() / 1.3);
    placeWindow(qMax(0, (inner.width() - w) / 2), qMax(0, (inner.height() - h) / 8), w, h);

    Text_Edit->hide();
    document().setCurrentChannel(1);
    for (int n = 1; n <= Region::LastChannelRow; ++n)
        refreshChannelRow(n);
    showChannelCaption();
    makeStoredChannelCurrent();
}

QWidget *frm_chann::keyboardHome() const
{
    return MSF_chann;
}

void frm_chann::Form_Activate()
{
    for (int n = 1; n <= Region::LastChannelRow; ++n)
        refreshChannelRow(n);
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
    const QSignalBlocker quiet(MSF_chann);
    MSF_chann->setCurrentCell(n - 1, RxColumn);
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
    for (int column = 0; column < GridColumns; ++column) {
        const QString caption = headerCaption(column, windowLanguage());
        const bool centred = gridHeaderFormat(column, windowLanguage()).startsWith(QLatin1Char('^'));
        const Qt::Alignment alignment = centred ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter);
        auto *header = new QTableWidgetItem(caption);
        header->setTextAlignment(alignment);
        MSF_chann->setHorizontalHeaderItem(column, header);
        for (int row = 0; row < MSF_chann->rowCount(); ++row)
            MSF_chann->item(row, column)->setTextAlignment(alignment);
        MSF_chann->horizontalHeader()->resizeSection(column, columnWidth(column, windowLanguage()));
    }
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
    return MSF_chann->currentRow() + 1;
}

int frm_chann::currentGridColumn() const
{
    return MSF_chann->currentColumn();
}

QString frm_chann::cellText(int row, int column) const
{
    return MSF_chann->item(row - 1, column)->text();
}

void frm_chann::setCell(int row, int column, const QString &text)
{
    QTableWidgetItem *item = MSF_chann->item(row - 1, column);
    if (item->text() != text)
        item->setText(text);
}

void frm_chann::showDocumentChange(int firstRow, int lastRow)
{
    // Everything the grid shows of channel n lies in row n.
    for (int n = qMax(firstRow, 1); n <= qMin(lastRow, int(Region::LastChannelRow)); ++n)
        refreshChannelRow(n);
}

void frm_chann::refreshChannelRow(int n)
{
    const Codeplug &image = this->image();
    if (isChannelEmpty(image, n)) {
        setCell(n, RxColumn, QString());
        setCell(n, TxColumn, QString());
        blankChannelRow(n);
        return;
    }
    setCell(n, RxColumn, channelRxText(image, n));
    setCell(n, DecodeColumn, gridToneText(image, n, ToneSlot::Decode, windowLanguage()));
    setCell(n, TxColumn, gridTransmitText(image, n));
    setCell(n, EncodeColumn, gridToneText(image, n, ToneSlot::Encode, windowLanguage()));
    setCell(n, PowerColumn, gridPowerText(image, n, windowLanguage()));
    setCell(n, BandwidthColumn, gridBandwidthText(image, n, windowLanguage()));
    setCell(n, NameColumn, gridName(image, n));
}

void frm_chann::blankChannelRow(int n)
{
    for (int column = DecodeColumn; column <= NameColumn; ++column)
        setCell(n, column, QString());
    editImage(channelLabel(n, "清除", "cleared"), [n](Codeplug &image) { markChannelEmpty(image, n); });
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

void frm_chann::placeOver(QWidget *editor, int row, int column, bool fullHeight)
{
    const QRect cell = MSF_chann->visualItemRect(MSF_chann->item(row - 1, column));
    if (fullHeight)
        editor->setGeometry(cell);
    else
        editor->setGeometry(cell.x(), cell.y(), cell.width(), editor->sizeHint().height());
}

void frm_chann::showCellEditor()
{
    const int r = currentGridRow();
    const int c = currentGridColumn();
    if (r < 1 || c < 1)
        return;
    m_savedText = cellText(r, c);
    const bool editorAllowed = c <= TxColumn
        || (!cellText(r, RxColumn).trimmed().isEmpty()
            && (c != EncodeColumn || !cellText(r, TxColumn).trimmed().isEmpty()));
    if (!editorAllowed) {
        Text_Edit->hide();
        Combo_edit->hide();
        m_editRow = m_editColumn = 0;
        return;
    }
    m_editRow = r;
    m_editColumn = c;
    if (c >= DecodeColumn && c <= BandwidthColumn) {
        Text_Edit->hide();
        QStringListModel *list = c == PowerColumn ? m_powerList
            : c == BandwidthColumn               ? m_bandwidthList
                                                 : m_toneList;
        Combo_edit->setModel(list);
        Combo_edit->setCurrentIndex(Combo_edit->findText(m_savedText.trimmed()));
        Combo_edit->setEditText(m_savedText);
        placeOver(Combo_edit, r, c, false);
        Combo_edit->show();
        Combo_edit->raise();
        Combo_edit->setFocus();
        return;
    }
    Combo_edit->hide();
    Text_Edit->setMaxLength(c == NameColumn ? NameEditLength : FrequencyEditLength);
    Text_Edit->setText(m_savedText);
    Text_Edit->selectAll();
    placeOver(Text_Edit, r, c, true);
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
    if (editorOpenHere) {
        if (column >= DecodeColumn && column <= BandwidthColumn)
            setCell(row, column, Combo_edit->currentText());
        else
            commitCell(row, column, Text_Edit->text());
    }
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

void frm_chann::MSF_chann_Scroll()
{
    Text_Edit->hide();
}

void frm_chann::moveTo(int row, int column)
{
    MSF_chann->setCurrentCell(row - 1, column);
    showCellEditor();
}

void frm_chann::commitCell(int row, int column, const QString &entry)
{
    if (column == RxColumn)
        commitReceive(row, entry);
    else if (column == TxColumn)
        commitTransmit(row, entry);
    else if (column == NameColumn)
        commitName(row, entry);
}

void frm_chann::commitReceive(int n, const QString &entry)
{
    if (entry.trimmed().isEmpty()) {
        setCell(n, RxColumn, QString());
        setCell(n, TxColumn, QString());
        blankChannelRow(n);
        return;
    }
    const WorkRange range = document().workRange();
    const CheckedEntry checked = checkFrequencyEntry(entry, range);
    if (checked.outOfRange) {
        showMessage("接收频率超出范围 ！", "Over the range of receive frequency .");
        Text_Edit->setText(checked.text);
    }
    setCell(n, RxColumn, checked.text);
    editImage(channelLabel(n, "接收频率", "receive frequency"), [&](Codeplug &image) {
        ::commitReceive(image, n, checked.frequency, ChannelEncoding::Grid, range);
    });
    refreshChannelRow(n);
}

void frm_chann::commitTransmit(int n, const QString &entry)
{
    const bool entryEmpty = entry.trimmed().isEmpty();
    if (!entryEmpty && (cellText(n, RxColumn).trimmed().isEmpty() || isChannelEmpty(image(), n))) {
        showMessage("请先输入接收频率 ！", "Please input the receive frequency in advance.");
        Text_Edit->clear();
        return;
    }
    const EditLabel label = channelLabel(n, "发射频率", "transmit frequency");
    if (entryEmpty) {
        editImage(label, [&](Codeplug &image) {
            ::commitTransmit(image, n, std::nullopt, ChannelEncoding::Grid, document().workRange());
        });
        refreshChannelRow(n);
        return;
    }
    const CheckedEntry checked = checkFrequencyEntry(entry, document().workRange());
    if (checked.outOfRange) {
        showMessage("发射频率超出范围 ！", "Over the range of transmit frequency .");
        Text_Edit->setText(checked.text);
    }
    setCell(n, TxColumn, checked.text);
    editImage(label, [&](Codeplug &image) {
        ::commitTransmit(image, n, checked.frequency, ChannelEncoding::Grid, document().workRange());
    });
    refreshChannelRow(n);
}

void frm_chann::commitName(int n, const QString &entry)
{
    setCell(n, NameColumn, entry);
    editImage(channelLabel(n, "名称", "name"), [&](Codeplug &image) { storeGridName(image, n, entry); });
    refreshChannelRow(n);
}

void frm_chann::commitPendingNameEdit()
{
    if (currentGridColumn() == NameColumn && m_editColumn == NameColumn
        && m_editRow == currentGridRow())
        commitName(m_editRow, Text_Edit->text());
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
        commitCell(r, c, Text_Edit->text());
    }
    const int nextRow = qMin(r + 1, int(Region::LastChannelRow));
    if (c == RxColumn)
        moveTo(r, TxColumn);
    else if (c == TxColumn && cellText(r, RxColumn).isEmpty() && cellText(r, TxColumn).isEmpty())
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
    if (c == DecodeColumn && cellText(r, TxColumn).trimmed().isEmpty())
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
    const int n = m_editRow;
    if (n == 0 || position < 0)
        return;
    switch (m_editColumn) {
    case DecodeColumn:
        editImage(channelLabel(n, "解码", "decode tone"),
                        [&](Codeplug &image) { storeGridTone(image, n, ToneSlot::Decode, position); });
        break;
    case EncodeColumn:
        editImage(channelLabel(n, "编码", "encode tone"),
                        [&](Codeplug &image) { storeGridTone(image, n, ToneSlot::Encode, position); });
        break;
    case PowerColumn:
        editImage(channelLabel(n, "功率", "power"),
                        [&](Codeplug &image) { storeGridPower(image, n, position); });
        break;
    case BandwidthColumn:
        editImage(channelLabel(n, "带宽", "bandwidth"),
                        [&](Codeplug &image) { storeGridBandwidth(image, n, position); });
        break;
    default:
        break;
    }
}

void frm_chann::Command_Clear_Click()
{
    editImage(plainLabel("清除全部信道", "clear of all channels"), [](Codeplug &image) {
        for (int row = Region::NameTableFirstRow; row <= Region::NameTableLastRow; ++row)
            for (int column = 0; column < RowBytes; ++column)
                image.at(row, column) = Region::Empty;
        for (int n = 1; n <= Region::LastChannelRow; ++n)
            markChannelEmpty(image, n);
    });
    for (int n = 1; n <= Region::LastChannelRow; ++n)
        refreshChannelRow(n);
    // Clear asks nothing: undo gives back what it took.
    reportOutcome(langText("已清除全部信道（Ctrl+Z 可撤销）", "Cleared all channels (Ctrl+Z undoes)"));
    m_editRow = m_editColumn = 0;
    Text_Edit->clear();
    Combo_edit->setEditText(QString());
    Text_Edit->hide();
    Combo_edit->hide();
}

void frm_chann::Command_Edit_Click()
{
    registry().reopen(WindowId::Form_Chann_Edit);
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
            commitCell(m_editRow, m_editColumn, Text_Edit->text());
    } else if (watched == Combo_edit || watched == Combo_edit->lineEdit()) {
        if (keyPress)
            return Combo_edit_KeyPress(key);
        if (event->type() == QEvent::FocusIn)
            m_savedText = Combo_edit->currentText();
    }
    return ChildWindow::eventFilter(watched, event);
}
