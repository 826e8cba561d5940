#pragma once
#include "core/Bilingual.h"
#include "core/Codeplug.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QUndoStack;

// What an undo step changed, in both languages: "channel 5 receive
// frequency" / "信道 5 接收频率".
struct EditLabel {
    QString chinese;
    QString english;

    QString text(bool inChinese) const { return inChinese ? chinese : english; }
};

// "channel n <what>" / "信道 n <what>".
EditLabel channelLabel(int n, const char *chinese, const char *english);
// The same, named by a window's caption for the field ("TX Power" gives
// "channel n TX power").
EditLabel channelLabel(int n, const Bilingual &caption);
EditLabel plainLabel(const char *chinese, const char *english);
// A window's caption as a step's name: without its colon or padding, its
// words in lower case but for abbreviations.
EditLabel captionLabel(const Bilingual &caption);

// The windows' one document: the image they edit, their working range and
// the current channel. The main window makes it and the window registry
// hands it to every window; a window reads image(), changes it only
// through edit(), and updates itself from changed().
//
// It holds what the windows have always shared: Img(row, column)
// is image().at(row, column), WorkRangeLowMHz/WorkRangeHighMHz are
// workRange().low/.high, CurrentChannel is currentChannel(); the channel
// count is always 128 and needs no variable.
//
// Every change is one step of a QUndoStack. A step keeps only the rows it
// changed, before and after; the history holds at most 100 steps and at
// most 1 MB of them.
class CodeplugDocument : public QObject {
    Q_OBJECT
    Q_PROPERTY(int currentChannel READ currentChannel WRITE setCurrentChannel NOTIFY currentChannelChanged)
public:
    static constexpr int HistorySteps = 100;
    static constexpr qint64 HistoryBytes = 1024 * 1024;

    explicit CodeplugDocument(QObject *parent = nullptr);
    ~CodeplugDocument() override;

    const Codeplug &image() const { return m_image; }

    // The start-up state: this image and range, and no history.
    void start(const Codeplug &image, const WorkRange &range);

    // Applies `change` to the image as one undo step named `label`. Nothing
    // is recorded when the image stays as it was, and nothing changes while
    // the document is locked (refused() tells why). With `joinPrevious` the
    // step joins the one before when that has the same label, so that a
    // name typed key by key is undone at once. Returns true when the image
    // changed.
    bool edit(const EditLabel &label, const std::function<void(Codeplug &)> &change, bool joinPrevious = false);
    // The range panel's edit: the change, and the working range then taken
    // from the image's range row, as one step.
    bool editWithRange(const EditLabel &label, const std::function<void(Codeplug &)> &change);

    // The windows' working range. It changes only at its update points:
    // the start-up default, the model window's load and the range panel's
    // load, each from the image's range row, and the range panel's edits.
    // A read from the radio or a file load leaves it as it was. Taking the
    // image's range at a window's load changes no byte and is no step of
    // the user's, so it is not recorded: showing never writes history.
    WorkRange workRange() const { return m_range; }
    void adoptWorkRange(const WorkRange &range);

    // A change that follows the radio live (the power window's values): the
    // image takes it, the windows are told, but it is no step of the
    // history, since undoing it could not change the radio back.
    void followRadio(const std::function<void(Codeplug &)> &change);

    // While a link moves the image, the document refuses every change:
    // edits, undo and redo. `reason` is what panel 2 says meanwhile.
    void lock(const EditLabel &reason);
    void unlock();
    bool isLocked() const { return m_lock.has_value(); }
    // The reason of the lock in the windows' language, empty when unlocked.
    QString lockReason() const;

    // Whether the image differs from the last file saved or opened, or the
    // last read or write; markSaved() says it no longer does.
    bool isModified() const;
    void markSaved();

    // The channel the grid and the channel editor share, 1..128.
    int currentChannel() const { return m_currentChannel; }
    void setCurrentChannel(int n);

    // Undo and redo one step; they return the label of the step undone or
    // redone, in the windows' language, or an empty text when there was none.
    QString undo();
    QString redo();
    bool canUndo() const;
    bool canRedo() const;
    QUndoStack &history() const { return *m_history; }
    // Bytes the history's steps hold.
    qint64 historyBytes() const;

signals:
    // After every change of the image, rows firstRow..lastRow included.
    void changed(int firstRow, int lastRow);
    void rangeChanged();
    void currentChannelChanged(int channel);
    void modifiedChanged(bool modified);
    void lockChanged(bool locked);
    // A change, undo or redo asked for while locked; `reason` in the
    // windows' language.
    void refused(const QString &reason);

private:
    class Step;
    friend class Step;

    // A step of the rows `after` changes, or nullptr when none.
    Step *stepTo(const Codeplug &after, const EditLabel &label, bool joinPrevious);
    void push(Step *step);
    // Drops the oldest steps while the history holds more than HistoryBytes.
    void boundHistory();
    void announce();
    void announceModified();
    // True, after saying why, while locked.
    bool refuseWhileLocked();

    Codeplug m_image;
    WorkRange m_range{0, 0};
    int m_currentChannel = 1;
    QUndoStack *m_history;
    // The rows and range the last step applied or took back, told once
    // the stack is done with it.
    int m_firstChanged = -1;
    int m_lastChanged = -1;
    bool m_rangeTouched = false;
    std::optional<EditLabel> m_lock;
    // A change outside the history since the last save (followRadio).
    bool m_untrackedChange = false;
    bool m_modified = false;
};
