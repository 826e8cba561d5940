#pragma once
#include "core/Bilingual.h"
#include "platform/ChildWindow.h"

#include <QComboBox>
#include <QStringList>
#include <QTimer>
#include <QObject>
#include <QWidget>
#include <functional>

// What the panels of the optional features window share. A panel owns the
// behaviour of a group of the window's controls; the controls themselves are
// children of the window, named as its controls, and laid out in its layout
// (so that the window's minimum size follows their captions at once). An
// edit that changes more than its own control has the whole window show the
// image again.

template <typename Widget>
Widget *namedControl(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

inline void fillList(QComboBox *list, const QStringList &items)
{
    list->clear();
    list->addItems(items);
}

// Selects a stored value, or the last item when the value lies beyond the
// list.
inline void selectClamped(QComboBox *list, int value)
{
    list->setCurrentIndex(qBound(0, value, list->count() - 1));
}

// Puts the focus back on a box after the focus change that is under way.
inline void refocusLater(QWidget *box)
{
    QTimer::singleShot(0, box, [box] { box->setFocus(Qt::OtherFocusReason); });
}

// A panel whose boxes check their text when they lose the focus.
class OptionPanel : public QObject {
    Q_OBJECT
public:
    explicit OptionPanel(ChildWindow *window) : QObject(window), m_window(window) {}

    // Focus losses while the window goes away are no edits.
    void windowClosing() { m_closing = true; }

signals:
    // The edit changed what other controls of the window show.
    void imageChanged();

protected:
    bool closing() const { return m_closing; }
    ChildWindow &window() const { return *m_window; }
    const Codeplug &image() const { return m_window->image(); }
    // One undo step named by the control's caption.
    void edit(const Bilingual &caption, const std::function<void(Codeplug &)> &change, bool joinPrevious = false)
    {
        m_window->editSetting(caption, change, joinPrevious);
    }

private:
    ChildWindow *m_window;
    bool m_closing = false;
};
