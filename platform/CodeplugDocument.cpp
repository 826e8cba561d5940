#include "platform/CodeplugDocument.h"

#include "core/Codeplug.h"
#include "platform/WindowLanguage.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <QVector>
#include <algorithm>
#include <array>
#include <optional>

EditLabel channelLabel(int n, const char *chinese, const char *english)
{
    return {QStringLiteral("信道 %1 ").arg(n) + QString::fromUtf8(chinese),
            QStringLiteral("channel %1 ").arg(n) + QString::fromUtf8(english)};
}

EditLabel captionLabel(const Bilingual &caption)
{
    const auto bare = [](const char *text) {
        QString s = QString::fromUtf8(text).trimmed();
        while (s.endsWith(QLatin1Char(':')) || s.endsWith(QChar(0xFF1A)))
            s.chop(1);
        return s.trimmed();
    };
    QStringList words = bare(caption.english).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString &word : words)
        if (word != word.toUpper())
            word = word.toLower();
    return {bare(caption.chinese), words.join(QLatin1Char(' '))};
}

EditLabel channelLabel(int n, const Bilingual &caption)
{
    const EditLabel field = captionLabel(caption);
    return {QStringLiteral("信道 %1 ").arg(n) + field.chinese, QStringLiteral("channel %1 ").arg(n) + field.english};
}

EditLabel plainLabel(const char *chinese, const char *english)
{
    return {QString::fromUtf8(chinese), QString::fromUtf8(english)};
}

// One undo step: the rows it changed, before and after, and the working
// range when it changed that.
class CodeplugDocument::Step : public QUndoCommand {
public:
    struct Row {
        int row;
        std::array<qint16, RowBytes> before;
        std::array<qint16, RowBytes> after;
    };

    Step(CodeplugDocument &document, const EditLabel &label, bool joinPrevious)
        : QUndoCommand(label.english), m_document(document), m_label(label), m_joinPrevious(joinPrevious)
    {
    }

    Step *clone() const
    {
        auto *copy = new Step(m_document, m_label, m_joinPrevious);
        copy->rows = rows;
        copy->rangeBefore = rangeBefore;
        copy->rangeAfter = rangeAfter;
        return copy;
    }

    const EditLabel &label() const { return m_label; }
    // Pushed again after the history was bounded: the image already holds it.
    void skipNextRedo() { m_skipRedo = true; }

    qint64 bytes() const
    {
        return qint64(sizeof(Step)) + rows.size() * qint64(sizeof(Row))
            + 2 * (m_label.chinese.size() + m_label.english.size());
    }

    void redo() override
    {
        if (m_skipRedo) {
            m_skipRedo = false;
            return;
        }
        apply(false);
    }
    void undo() override { apply(true); }

    int id() const override { return m_joinPrevious ? 1 : -1; }
    bool mergeWith(const QUndoCommand *command) override
    {
        const auto *other = static_cast<const Step *>(command);
        if (other->m_label.english != m_label.english || other->rangeAfter)
            return false;
        for (const Row &changed : other->rows) {
            auto mine = std::find_if(rows.begin(), rows.end(), [&](const Row &r) { return r.row == changed.row; });
            if (mine != rows.end())
                mine->after = changed.after;
            else
                rows.append(changed);
        }
        return true;
    }

    QVector<Row> rows;
    std::optional<WorkRange> rangeBefore;
    std::optional<WorkRange> rangeAfter;

private:
    void apply(bool back)
    {
        CodeplugDocument &d = m_document;
        for (const Row &r : rows) {
            const auto &cells = back ? r.before : r.after;
            for (int c = 0; c < RowBytes; ++c)
                d.m_image.at(r.row, c) = cells[c];
            d.m_firstChanged = d.m_firstChanged < 0 ? r.row : qMin(d.m_firstChanged, r.row);
            d.m_lastChanged = qMax(d.m_lastChanged, r.row);
        }
        if (rangeAfter) {
            d.m_range = back ? *rangeBefore : *rangeAfter;
            d.m_rangeTouched = true;
        }
    }

    CodeplugDocument &m_document;
    EditLabel m_label;
    bool m_joinPrevious;
    bool m_skipRedo = false;
};

CodeplugDocument::CodeplugDocument(QObject *parent)
    : QObject(parent), m_history(new QUndoStack(this))
{
    m_history->setUndoLimit(HistorySteps);
}

CodeplugDocument::~CodeplugDocument() = default;

bool CodeplugDocument::edit(const EditLabel &label, const std::function<void(Codeplug &)> &change, bool joinPrevious)
{
    if (refuseWhileLocked())
        return false;
    Codeplug after = m_image;
    change(after);
    Step *step = stepTo(after, label, joinPrevious);
    if (!step)
        return false;
    push(step);
    return true;
}

bool CodeplugDocument::editWithRange(const EditLabel &label, const std::function<void(Codeplug &)> &change)
{
    if (refuseWhileLocked())
        return false;
    Codeplug after = m_image;
    change(after);
    const WorkRange range = workRangeOf(after);
    const bool rangeMoves = range.low != m_range.low || range.high != m_range.high;
    Step *step = stepTo(after, label, false);
    if (!step && !rangeMoves)
        return false;
    if (!step)
        step = new Step(*this, label, false);
    if (rangeMoves) {
        step->rangeBefore = m_range;
        step->rangeAfter = range;
    }
    push(step);
    return true;
}

CodeplugDocument::Step *CodeplugDocument::stepTo(const Codeplug &after, const EditLabel &label, bool joinPrevious)
{
    auto *step = new Step(*this, label, joinPrevious);
    for (int r = 0; r < RadioRows; ++r) {
        Step::Row row{r, {}, {}};
        bool differs = false;
        for (int c = 0; c < RowBytes; ++c) {
            row.before[c] = m_image.cell(r, c);
            row.after[c] = after.cell(r, c);
            differs |= row.before[c] != row.after[c];
        }
        if (differs)
            step->rows.append(row);
    }
    if (step->rows.isEmpty()) {
        delete step;
        return nullptr;
    }
    return step;
}

void CodeplugDocument::start(const Codeplug &image, const WorkRange &range)
{
    m_history->clear();
    m_image = image;
    m_range = range;
    m_untrackedChange = false;
    emit rangeChanged();
    emit changed(0, RadioRows - 1);
    announceModified();
}

void CodeplugDocument::adoptWorkRange(const WorkRange &range)
{
    if (range.low == m_range.low && range.high == m_range.high)
        return;
    m_range = range;
    emit rangeChanged();
}

void CodeplugDocument::followRadio(const std::function<void(Codeplug &)> &change)
{
    Codeplug after = m_image;
    change(after);
    int first = -1, last = -1;
    for (int r = 0; r < RadioRows; ++r)
        for (int c = 0; c < RowBytes; ++c)
            if (after.cell(r, c) != m_image.cell(r, c)) {
                first = first < 0 ? r : first;
                last = r;
            }
    if (first < 0)
        return;
    m_image = after;
    m_untrackedChange = true;
    emit changed(first, last);
    announceModified();
}

void CodeplugDocument::lock(const EditLabel &reason)
{
    const bool was = isLocked();
    m_lock = reason;
    if (!was)
        emit lockChanged(true);
}

void CodeplugDocument::unlock()
{
    if (!isLocked())
        return;
    m_lock.reset();
    emit lockChanged(false);
}

QString CodeplugDocument::lockReason() const
{
    return m_lock ? m_lock->text(windowLanguage() == Language::Chinese) : QString();
}

bool CodeplugDocument::refuseWhileLocked()
{
    if (!isLocked())
        return false;
    emit refused(lockReason());
    return true;
}

bool CodeplugDocument::isModified() const
{
    return m_untrackedChange || !m_history->isClean();
}

void CodeplugDocument::markSaved()
{
    m_untrackedChange = false;
    m_history->setClean();
    announceModified();
}

void CodeplugDocument::announceModified()
{
    if (isModified() == m_modified)
        return;
    m_modified = !m_modified;
    emit modifiedChanged(m_modified);
}

void CodeplugDocument::setCurrentChannel(int n)
{
    if (n == m_currentChannel)
        return;
    m_currentChannel = n;
    emit currentChannelChanged(n);
}

void CodeplugDocument::push(Step *step)
{
    m_history->push(step);
    boundHistory();
    announce();
}

void CodeplugDocument::boundHistory()
{
    if (historyBytes() <= HistoryBytes)
        return;
    // QUndoStack drops its oldest steps by count only (the undo limit).
    // For the byte bound the newest steps that fit are copied, the stack
    // is cleared, and the copies are pushed again without being applied a
    // second time: a push always empties the redo side, so the whole
    // history is undo steps that the image already holds.
    QList<Step *> kept;
    qint64 total = 0;
    const int clean = m_history->cleanIndex();
    const int count = m_history->count();
    for (int i = count - 1; i >= 0; --i) {
        const auto *step = static_cast<const Step *>(m_history->command(i));
        if (total + step->bytes() > HistoryBytes)
            break;
        total += step->bytes();
        kept.prepend(step->clone());
    }
    // The saved state moves with the steps it lies between; dropped with
    // them, no state of the history is the saved one any more.
    const int cleanKept = clean - (count - int(kept.size()));
    m_history->clear();
    if (cleanKept == 0)
        m_history->setClean();
    for (Step *step : kept) {
        step->skipNextRedo();
        m_history->push(step);
        if (m_history->index() == cleanKept)
            m_history->setClean();
    }
    if (cleanKept < 0)
        m_history->resetClean();
}

qint64 CodeplugDocument::historyBytes() const
{
    qint64 total = 0;
    for (int i = 0; i < m_history->count(); ++i)
        total += static_cast<const Step *>(m_history->command(i))->bytes();
    return total;
}

void CodeplugDocument::announce()
{
    announceModified();
    const int first = m_firstChanged;
    const int last = m_lastChanged;
    const bool range = m_rangeTouched;
    m_firstChanged = m_lastChanged = -1;
    m_rangeTouched = false;
    if (range)
        emit rangeChanged();
    if (first >= 0)
        emit changed(first, last);
}

bool CodeplugDocument::canUndo() const
{
    return m_history->canUndo();
}

bool CodeplugDocument::canRedo() const
{
    return m_history->canRedo();
}

QString CodeplugDocument::undo()
{
    if (!canUndo() || refuseWhileLocked())
        return {};
    const auto *step = static_cast<const Step *>(m_history->command(m_history->index() - 1));
    const QString label = step->label().text(windowLanguage() == Language::Chinese);
    m_history->undo();
    announce();
    return label;
}

QString CodeplugDocument::redo()
{
    if (!canRedo() || refuseWhileLocked())
        return {};
    const auto *step = static_cast<const Step *>(m_history->command(m_history->index()));
    const QString label = step->label().text(windowLanguage() == Language::Chinese);
    m_history->redo();
    announce();
    return label;
}

#include "moc_CodeplugDocument.cpp"
