#include "channels/ChannelGridActions.h"

#include "channels/ChannelClipboard.h"
#include "channels/ChannelTableModel.h"
#include "core/ChannelCaptions.h"
#include "core/ChannelEdits.h"
#include "fields/ChannelPlanCsv.h"
#include "fields/CsvText.h"
#include "fields/FieldCommands.h"
#include "fields/GridEntries.h"
#include "platform/ChildWindow.h"
#include "platform/CodeplugDocument.h"
#include "platform/Messages.h"
#include "platform/OpenChannelFile.h"
#include "platform/WindowLanguage.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QTableView>

namespace {

constexpr int FirstColumn = ChannelTableModel::RxColumn, LastColumn = ChannelTableModel::NameColumn;
// A refusal names this many cells, then how many more.
constexpr int RefusalsNamed = 5;

Language language() { return windowLanguage(); }

EditLabel labelOf(const std::function<QString(Language)> &text)
{
    return {text(Language::Chinese), text(Language::English)};
}

// "channel 5", "channels 5–8", "3 channels".
QString channelsText(const QVector<int> &channels, Language language)
{
    if (channels.size() == 1)
        return langText(language, "信道 %1", "channel %1").arg(channels.first());
    if (channels.last() - channels.first() + 1 == channels.size())
        return langText(language, "信道 %1–%2", "channels %1–%2").arg(channels.first()).arg(channels.last());
    return langText(language, "%1 个信道", "%1 channels").arg(channels.size());
}

QString countText(int count, Language language)
{
    return langText(language, "%1 个信道", count == 1 ? "%1 channel" : "%1 channels").arg(count);
}

QString upperFirst(QString text)
{
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text;
}

bool isPlanFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("csv") || suffix == QLatin1String("chann");
}

// The one local file a drag carries, or empty.
QString draggedFile(const QMimeData *mime)
{
    if (!mime || mime->urls().size() != 1 || !mime->urls().first().isLocalFile())
        return {};
    const QString path = mime->urls().first().toLocalFile();
    return isPlanFile(path) ? path : QString();
}

} // namespace

ChannelGridActions::ChannelGridActions(ChildWindow &window, QTableView &view, ChannelTableModel &model)
    : QObject(&window), m_window(window), m_view(view), m_model(model)
{
    m_view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view.viewport()->setAcceptDrops(true);
}

// ---- Selection ----

QVector<int> ChannelGridActions::selectedChannels() const
{
    QVector<int> channels;
    for (const QModelIndex &cell : m_view.selectionModel()->selectedIndexes())
        channels << ChannelTableModel::channelOf(cell);
    if (channels.isEmpty() && m_view.currentIndex().isValid())
        channels << ChannelTableModel::channelOf(m_view.currentIndex());
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    return channels;
}

void ChannelGridActions::selectChannels(const QVector<int> &channels)
{
    QItemSelection selection;
    for (int n : channels)
        selection.select(m_model.cell(n, FirstColumn), m_model.cell(n, LastColumn));
    m_view.selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

bool ChannelGridActions::wholeChannelsSelected() const
{
    const QVector<int> channels = selectedChannels();
    for (int n : channels)
        for (int column = FirstColumn; column <= LastColumn; ++column)
            if (!m_view.selectionModel()->isSelected(m_model.cell(n, column)))
                return false;
    return !channels.isEmpty();
}

bool ChannelGridActions::numberPress(QMouseEvent *press)
{
    const QModelIndex at = m_view.indexAt(press->position().toPoint());
    if (!at.isValid() || at.column() != ChannelTableModel::NumberColumn || press->button() != Qt::LeftButton)
        return false;
    const int n = ChannelTableModel::channelOf(at);
    QVector<int> channels{n};
    if (press->modifiers() & Qt::ShiftModifier) {
        const int from = ChannelTableModel::channelOf(m_view.currentIndex());
        channels.clear();
        for (int k = qMin(from, n); k <= qMax(from, n); ++k)
            channels << k;
    } else if (press->modifiers() & Qt::ControlModifier) {
        channels = selectedChannels();
        if (!channels.contains(n))
            channels << n;
    }
    // The clicked channel becomes the current one, as a click on its cell does.
    m_view.selectionModel()->setCurrentIndex(m_model.cell(n, FirstColumn), QItemSelectionModel::NoUpdate);
    selectChannels(channels);
    return true;
}

// ---- Keys and menu ----

bool ChannelGridActions::gridKey(QKeyEvent *key)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (key->matches(QKeySequence::Copy))
        copy();
    else if (key->matches(QKeySequence::Cut))
        cut();
    else if (key->matches(QKeySequence::Paste))
        paste();
    else if (key->key() == Qt::Key_Space && modifiers == Qt::ShiftModifier)
        selectChannels(selectedChannels());
    else if (key->key() == Qt::Key_Delete && modifiers == Qt::NoModifier)
        emptyChannels();
    else if (key->key() == Qt::Key_Delete && modifiers == Qt::ControlModifier)
        removeChannels();
    else if (key->key() == Qt::Key_Insert && modifiers == Qt::NoModifier)
        insertChannel();
    else if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) && modifiers == Qt::AltModifier)
        move(key->key() == Qt::Key_Up ? -1 : 1);
    else if (enter && modifiers == Qt::ControlModifier && m_view.currentIndex().column() >= FirstColumn)
        fill(m_view.currentIndex().column(), m_view.currentIndex().data().toString());
    else if (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)
        showMenu(m_view.viewport()->mapToGlobal(m_view.visualRect(m_view.currentIndex()).center()));
    else
        return false;
    return true;
}

void ChannelGridActions::showMenu(const QPoint &globalPosition)
{
    const Language l = language();
    QMenu menu(&m_view);
    const auto add = [&](const char *chinese, const char *english, const QKeySequence &keys,
                         const std::function<void()> &run, QMenu *to = nullptr) {
        QAction *action = (to ? to : &menu)->addAction(langText(l, chinese, english));
        action->setObjectName(QString::fromLatin1(english));
        action->setShortcut(keys);
        action->setShortcutVisibleInContextMenu(true);
        connect(action, &QAction::triggered, this, run);
        return action;
    };
    add("复制", "Copy", QKeySequence::Copy, [this] { copy(); });
    add("剪切", "Cut", QKeySequence::Cut, [this] { cut(); });
    add("粘贴", "Paste", QKeySequence::Paste, [this] { paste(); });
    const int column = m_view.currentIndex().column();
    add("用当前单元格填充所选单元格", "Fill the selected cells", QKeySequence(Qt::CTRL | Qt::Key_Return),
        [this, column] { fill(column, m_view.currentIndex().data().toString()); });
    const QStringList choices = m_model.choices(column);
    if (!choices.isEmpty()) {
        QMenu *list = menu.addMenu(langText(l, "为所选信道设置", "Set for selected channels"));
        list->setObjectName(QStringLiteral("Set for selected channels"));
        for (int k = 0; k < choices.size(); ++k)
            list->addAction(choices.at(k).trimmed(), this, [this, column, k] { setForSelected(column, k); });
    }
    menu.addSeparator();
    add("选择整个信道", "Select channels", QKeySequence(Qt::SHIFT | Qt::Key_Space),
        [this] { selectChannels(selectedChannels()); });
    add("选择全部信道", "Select all channels", QKeySequence::SelectAll, [this] { m_view.selectAll(); });
    menu.addSeparator();
    add("清空信道", "Empty channels", QKeySequence(Qt::Key_Delete), [this] { emptyChannels(); });
    add("插入空信道", "Insert a channel", QKeySequence(Qt::Key_Insert), [this] { insertChannel(); });
    add("删除信道（后面的信道上移）", "Remove channels (later ones move up)", QKeySequence(Qt::CTRL | Qt::Key_Delete),
        [this] { removeChannels(); });
    add("上移", "Move up", QKeySequence(Qt::ALT | Qt::Key_Up), [this] { move(-1); });
    add("下移", "Move down", QKeySequence(Qt::ALT | Qt::Key_Down), [this] { move(1); });
    QMenu *sorting = menu.addMenu(langText(l, "排序", "Sort"));
    sorting->setObjectName(QStringLiteral("Sort"));
    add("按接收频率", "By receive frequency", {}, [this] { sort(ChannelSortKey::Receive); }, sorting);
    add("按名称", "By name", {}, [this] { sort(ChannelSortKey::Name); }, sorting);
    add("按亚音", "By tone", {}, [this] { sort(ChannelSortKey::Tone); }, sorting);
    menu.exec(globalPosition);
}

// ---- Gestures ----

void ChannelGridActions::refuse(const QString &text)
{
    showMessage(text);
}

bool ChannelGridActions::apply(const EditLabel &label, const std::function<void(Codeplug &)> &change,
                               const QString &note)
{
    CodeplugDocument &document = m_window.document();
    if (document.isLocked()) {
        m_window.reportOutcome(document.lockReason());
        return false;
    }
    const bool changed = m_window.editImage(label, change);
    const QString named = upperFirst(label.text(language() == Language::Chinese));
    m_window.reportOutcome(changed ? (note.isEmpty() ? named : named + langText("；", "; ") + note)
                                   : langText("没有改变", "Nothing changed"));
    return changed;
}

void ChannelGridActions::copy()
{
    const QVector<int> channels = selectedChannels();
    QVector<int> columns;
    for (const QModelIndex &cell : m_view.selectionModel()->selectedIndexes())
        if (!columns.contains(cell.column()))
            columns << cell.column();
    if (columns.isEmpty() && m_view.currentIndex().column() >= FirstColumn)
        columns << m_view.currentIndex().column();
    std::sort(columns.begin(), columns.end());
    const bool whole = wholeChannelsSelected();
    QVector<QStringList> cells;
    QVector<ChannelContent> contents;
    for (int n : channels) {
        QStringList line;
        for (int column : columns) {
            const QModelIndex cell = m_model.cell(n, column);
            const bool taken = m_view.selectionModel()->isSelected(cell) || cell == m_view.currentIndex();
            line << (taken ? cell.data().toString().trimmed() : QString());
        }
        cells << line;
        if (whole)
            contents << channelContent(m_window.image(), n);
    }
    QApplication::clipboard()->setMimeData(channelMimeData(cells, contents));
    const Language l = language();
    m_window.reportOutcome(langText(l, "已复制%1", "Copied %1").arg(channelsText(channels, l)));
}

void ChannelGridActions::cut()
{
    copy();
    const QVector<int> channels = selectedChannels();
    apply(labelOf([&](Language l) { return langText(l, "%1 已剪切", "cut %1").arg(channelsText(channels, l)); }),
          [&](Codeplug &image) {
              for (int n : channels)
                  storeChannelContent(image, n, emptyChannelContent());
          });
}

void ChannelGridActions::emptyChannels()
{
    const QVector<int> channels = selectedChannels();
    apply(labelOf([&](Language l) { return langText(l, "%1 已清空", "emptied %1").arg(channelsText(channels, l)); }),
          [&](Codeplug &image) {
              for (int n : channels)
                  storeChannelContent(image, n, emptyChannelContent());
          });
}

void ChannelGridActions::arrange(const EditLabel &label, const ChannelOrder &order)
{
    Codeplug after = m_window.image();
    const QVector<ReferenceLeft> left = arrangeChannels(after, order);
    QStringList notes;
    for (const ReferenceLeft &reference : left)
        notes << langText("%1 仍为 %2，该信道已不在原处", "%1 still names channel %2, which is gone")
                     .arg(langText(settingPlace(reference.id).caption).remove(QLatin1Char(':')).trimmed())
                     .arg(reference.channel);
    apply(label, [&](Codeplug &image) { image = after; }, notes.join(langText("；", "; ")));
}

void ChannelGridActions::insertChannel()
{
    const int n = ChannelTableModel::channelOf(m_view.currentIndex());
    const std::optional<ChannelOrder> order = insertedOrder(m_window.image(), n);
    if (!order) {
        refuse(langText("信道 128 已使用：插入会使它移出末尾。请先清空或删除一个信道。",
                        "Channel 128 is in use: inserting would push it off the end. Empty or remove a channel "
                        "first."));
        return;
    }
    arrange(labelOf([&](Language l) { return langText(l, "已在信道 %1 处插入空信道", "inserted a channel at %1").arg(n); }),
            *order);
}

void ChannelGridActions::removeChannels()
{
    const QVector<int> channels = selectedChannels();
    arrange(labelOf([&](Language l) { return langText(l, "%1 已删除", "removed %1").arg(channelsText(channels, l)); }),
            removedOrder(channels));
    selectChannels({});
}

void ChannelGridActions::move(int step)
{
    const QVector<int> channels = selectedChannels();
    const std::optional<ChannelOrder> order = movedOrder(channels, step);
    if (!order) {
        m_window.reportOutcome(step < 0 ? langText("信道 1 已在最上面", "Channel 1 is already at the top")
                                        : langText("信道 128 已在最下面", "Channel 128 is already at the bottom"));
        return;
    }
    const bool whole = wholeChannelsSelected();
    QVector<QModelIndex> cells = m_view.selectionModel()->selectedIndexes().toVector();
    arrange(labelOf([&](Language l) {
                return step < 0 ? langText(l, "%1 已上移", "moved %1 up").arg(channelsText(channels, l))
                                : langText(l, "%1 已下移", "moved %1 down").arg(channelsText(channels, l));
            }),
            *order);
    // The selection and the current cell go with the channels.
    const QModelIndex current = m_view.currentIndex();
    m_view.selectionModel()->setCurrentIndex(m_model.index(current.row() + step, current.column()),
                                             QItemSelectionModel::NoUpdate);
    QItemSelection moved;
    for (const QModelIndex &cell : cells)
        moved.select(m_model.index(cell.row() + step, cell.column()), m_model.index(cell.row() + step, cell.column()));
    m_view.selectionModel()->select(moved, QItemSelectionModel::ClearAndSelect);
    if (whole)
        selectChannels([&] {
            QVector<int> shifted;
            for (int n : channels)
                shifted << n + step;
            return shifted;
        }());
}

void ChannelGridActions::sort(ChannelSortKey key)
{
    QVector<int> places = selectedChannels();
    if (places.size() < 2) {
        places.clear();
        for (int n = 1; n <= Region::LastChannelRow; ++n)
            places << n;
    }
    const auto by = [key](Language l) {
        switch (key) {
        case ChannelSortKey::Receive:
            return langText(l, "接收频率", "receive frequency");
        case ChannelSortKey::Name:
            return langText(l, "名称", "name");
        default:
            return langText(l, "亚音", "tone");
        }
    };
    arrange(labelOf([&](Language l) {
                return langText(l, "%1 已按%2排序", "sorted %1 by %2").arg(channelsText(places, l), by(l));
            }),
            sortedOrder(m_window.image(), places, key));
}

// ---- Values into many cells ----

void ChannelGridActions::fill(int column, const QString &text)
{
    if (column < FirstColumn || column > LastColumn)
        return;
    QVector<int> channels;
    for (const QModelIndex &cell : m_view.selectionModel()->selectedIndexes())
        if (cell.column() == column)
            channels << ChannelTableModel::channelOf(cell);
    if (channels.isEmpty())
        channels << ChannelTableModel::channelOf(m_view.currentIndex());
    std::sort(channels.begin(), channels.end());
    QVector<GridEntry> entries;
    for (int n : channels)
        entries.append({n, column, text});
    storeEntries(entries, langText("没有填充任何单元格：", "Nothing was filled:"), labelOf([&](Language l) {
                     return langText(l, "%1 的%2已设置", "set %2 of %1")
                         .arg(channelsText(channels, l), bilingualText(GridColumnCaptions[column].caption, l));
                 }));
}

void ChannelGridActions::storeEntries(const QVector<GridEntry> &entries, const QString &refusal,
                                      const EditLabel &label)
{
    Codeplug after = m_window.image();
    const GridEntriesOutcome outcome = storeGridEntries(after, m_window.document().workRange(), entries, language());
    if (!outcome.ok()) {
        refuse(refusal + QLatin1Char('\n') + refusalLines(outcome, language(), RefusalsNamed));
        return;
    }
    apply(label, [&](Codeplug &image) { image = after; },
          outcome.snapped ? langText("%1 个频率已对齐到步进", "%1 frequencies snapped to the raster").arg(outcome.snapped)
                          : QString());
}

bool ChannelGridActions::refusePastLastChannel(int first, int last)
{
    if (last <= Region::LastChannelRow)
        return false;
    refuse(langText("信道不够：粘贴需要信道 %1–%2，最后一个信道是 128。",
                    "Not enough channels: the paste needs channels %1–%2, and the last channel is 128.")
               .arg(first)
               .arg(last));
    return true;
}

void ChannelGridActions::setForSelected(int column, int position)
{
    fill(column, m_model.choices(column).value(position));
}

void ChannelGridActions::paste()
{
    const QMimeData *mime = QApplication::clipboard()->mimeData();
    if (!mime)
        return;
    if (const auto channels = channelsOfMimeData(*mime))
        pasteChannels(*channels);
    else if (mime->hasText())
        pasteText(mime->text());
}

void ChannelGridActions::pasteChannels(const QVector<ChannelContent> &channels)
{
    QVector<int> targets = selectedChannels();
    if (!wholeChannelsSelected() || targets.size() != channels.size()) {
        const int first = ChannelTableModel::channelOf(m_view.currentIndex());
        targets.clear();
        for (int k = 0; k < channels.size(); ++k)
            targets << first + k;
    }
    if (refusePastLastChannel(targets.first(), targets.last()))
        return;
    apply(labelOf([&](Language l) { return langText(l, "已粘贴%1", "pasted %1").arg(countText(channels.size(), l)); }),
          [&](Codeplug &image) {
              for (int k = 0; k < channels.size(); ++k)
                  storeChannelContent(image, targets.at(k), channels.at(k));
          });
}

void ChannelGridActions::pasteText(const QString &text)
{
    QVector<QStringList> cells;
    QString fault;
    if (!cellsOfText(text, language(), cells, fault)) {
        refuse(langText("没有粘贴任何内容：", "Nothing was pasted:") + QLatin1Char('\n') + fault);
        return;
    }
    if (cells.isEmpty())
        return;
    // A first line that names columns says where each column goes.
    QVector<int> columns;
    bool header = true;
    for (const QString &cell : cells.first()) {
        const int column = cell.trimmed().isEmpty() ? -1 : gridColumnOfHeader(cell);
        header = header && column >= 0;
        columns << column;
    }
    if (header)
        cells.removeFirst();
    if (cells.isEmpty())
        return;
    if (!header) {
        columns.clear();
        for (int k = 0; k < cells.first().size(); ++k)
            columns << m_view.currentIndex().column() + k;
    }
    const int first = ChannelTableModel::channelOf(m_view.currentIndex());
    const int last = first + int(cells.size()) - 1;
    int widest = 0;
    for (const QStringList &line : cells)
        widest = qMax(widest, int(line.size()));
    if (refusePastLastChannel(first, last))
        return;
    if (!header && columns.value(widest - 1, LastColumn + 1) > LastColumn) {
        refuse(langText("列不够：粘贴的内容超出最后一列（名称）。",
                        "Not enough columns: the paste runs past the last column (Name)."));
        return;
    }
    QVector<GridEntry> entries;
    for (int r = 0; r < cells.size(); ++r)
        for (int k = 0; k < cells.at(r).size(); ++k) {
            const int column = columns.value(k, -1);
            if (column >= FirstColumn && column <= LastColumn)
                entries.append({first + r, column, cells.at(r).at(k)});
        }
    const int count = last - first + 1;
    storeEntries(entries, langText("没有粘贴任何内容：", "Nothing was pasted:"), labelOf([&](Language l) {
                     return langText(l, "已粘贴%1", "pasted %1").arg(countText(count, l));
                 }));
}

// ---- A plan dropped onto the grid ----

bool ChannelGridActions::dropEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        if (draggedFile(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString path = draggedFile(drop->mimeData());
        if (path.isEmpty())
            return false;
        drop->acceptProposedAction();
        const QModelIndex at = m_view.indexAt(drop->position().toPoint());
        dropFile(path, at.isValid() ? ChannelTableModel::channelOf(at) : 1);
        return true;
    }
    default:
        return false;
    }
}

void ChannelGridActions::dropFile(const QString &path, int channel)
{
    if (QFileInfo(path).suffix().compare(QLatin1String("chann"), Qt::CaseInsensitive) == 0) {
        openChannelFile(m_window, path);
        return;
    }
    if (m_window.document().isLocked()) {
        m_window.reportOutcome(m_window.document().lockReason());
        return;
    }
    // A plan in the generic layout fills the channels from the one it was
    // dropped on, skipping the rows the radio cannot hold; one in the
    // grid's own layout goes where its channel column says.
    QFile file(path);
    const bool generic = file.open(QIODevice::ReadOnly) && isGenericChannelCsv(file.read(MaxCsvBytes));
    GenericImportOptions options;
    if (generic) {
        options.renumber = true;
        options.skipUnsupported = true;
        options.firstChannel = channel;
    }
    const PlanImport plan = importPlanFile(path, m_window.image(), language(),
                                           generic ? CsvFormat::Generic : CsvFormat::Grid, options);
    const QStringList errors = plan.status != 0 ? QStringList{plan.error} : plan.imported.errors;
    if (plan.status != 0 || !plan.imported.ok) {
        showMessageWithDetails("信道表未导入，没有任何改变。", "The channel plan was not imported; nothing changed.",
                               errors.value(0), errors.join(QLatin1Char('\n')));
        return;
    }
    const QString name = QFileInfo(path).fileName();
    apply(labelOf([&](Language l) { return langText(l, "已导入 %1", "imported %1").arg(name); }),
          [&](Codeplug &image) { image = plan.imported.image; });
    if (!plan.imported.notes.isEmpty())
        showMessageWithDetails("信道表已导入，部分内容有调整。", "The channel plan was imported; some values were adapted.",
                               langText("%1 条说明，见详细信息。", "%1 notes: see the details.")
                                   .arg(plan.imported.notes.size()),
                               plan.imported.notes.join(QLatin1Char('\n')));
}

#include "moc_ChannelGridActions.cpp"
