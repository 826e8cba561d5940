#pragma once
#include "core/ChannelRows.h"

#include <QObject>
#include <QVector>
#include <functional>

class ChannelTableModel;
class ChildWindow;
class QEvent;
class QKeyEvent;
class QMouseEvent;
class QPoint;
class QTableView;
struct EditLabel;
struct GridEntry;

// The channel grid's gestures on many cells and whole channels: selection
// of channels, copy, cut and paste, fill, empty, insert, remove, move and
// sort, the context menu that lists them, and a plan dropped onto the grid.
// Each gesture is one undo step of the document, named in panel 2; none
// changes what a single cell does.
class ChannelGridActions : public QObject {
    Q_OBJECT
public:
    ChannelGridActions(ChildWindow &window, QTableView &view, ChannelTableModel &model);

    // A key pressed on the grid; true when it was one of these gestures.
    bool gridKey(QKeyEvent *key);
    // A press on the number column selects channels; true when it was one.
    bool numberPress(QMouseEvent *press);
    // Drag and drop events of the grid's viewport; true when taken.
    bool dropEvent(QEvent *event);
    void showMenu(const QPoint &globalPosition);

    // The channels with a selected cell, ascending; the current one when no
    // cell is selected.
    QVector<int> selectedChannels() const;

    void copy();
    void cut();
    void paste();
    // `text` into every selected cell of `column`, all or none.
    void fill(int column, const QString &text);
    // List position `position` of `column` for every selected channel.
    void setForSelected(int column, int position);
    void emptyChannels();
    void insertChannel();
    void removeChannels();
    void move(int step);
    void sort(ChannelSortKey key);
    // A .csv plan or a .chann file dropped on channel `channel`.
    void dropFile(const QString &path, int channel);

private:
    // Applies `change` as one step named `label` unless a link holds the
    // document; panel 2 then names the step, followed by `note`.
    bool apply(const EditLabel &label, const std::function<void(Codeplug &)> &change, const QString &note = {});
    // The channels rearranged by `order`, as one step.
    void arrange(const EditLabel &label, const ChannelOrder &order);
    void selectChannels(const QVector<int> &channels);
    bool wholeChannelsSelected() const;
    void pasteChannels(const QVector<ChannelContent> &channels);
    void pasteText(const QString &text);
    // Stores the texts into their cells, all or none, as one step named
    // `label`; a refusal starts with `refusal` and lists the cells refused.
    void storeEntries(const QVector<GridEntry> &entries, const QString &refusal, const EditLabel &label);
    // Refuses, with a message, a paste into channels first..last that runs
    // past channel 128.
    bool refusePastLastChannel(int first, int last);
    // Refuses a gesture with a message box.
    void refuse(const QString &text);

    ChildWindow &m_window;
    QTableView &m_view;
    ChannelTableModel &m_model;
};
