#include "platform/MenuKeys.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProxyStyle>
#include <QShortcut>
#include <QTimer>

namespace {

// Qt walks the menu bar by keyboard (Alt alone, the arrows, Enter on a
// plain item) only where the style says the platform does; the program does
// so on every platform.
class KeyboardMenuStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// F10 opens the first menu. Qt's arrows then move from menu to menu; when
// they reach a plain item of the bar (one without a menu) the bar itself
// takes the keys, so Enter runs the item, and the focus goes back where it
// was once the walk ends.
class F10Walk : public QObject {
public:
    F10Walk(QWidget *mainWindow, QMenuBar *bar) : QObject(bar), m_bar(bar)
    {
        auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), mainWindow);
        connect(f10, &QShortcut::activated, this, &F10Walk::openFirstMenu);
        for (QAction *item : bar->actions())
            if (item->menu())
                connect(item->menu(), &QMenu::aboutToHide, this, [this] {
                    QTimer::singleShot(0, this, &F10Walk::followHighlight);
                });
        bar->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_bar || !m_walking)
            return false;
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)
                QTimer::singleShot(0, this, &F10Walk::endWalk);
        } else if (event->type() == QEvent::FocusOut
                   && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
            // A menu that the arrows open borrows the keys; the walk goes on.
            m_walking = false;
        }
        return false;
    }

private:
    void openFirstMenu()
    {
        for (QAction *action : m_bar->actions())
            if (action->isVisible() && action->isEnabled()) {
                m_returnFocus = QApplication::focusWidget();
                m_walking = true;
                m_bar->setActiveAction(action);
                return;
            }
    }
    void followHighlight()
    {
        QAction *action = m_bar->activeAction();
        if (m_walking && action && !action->menu() && !QApplication::activePopupWidget())
            m_bar->setFocus(Qt::MenuBarFocusReason);
    }
    void endWalk()
    {
        m_walking = false;
        if (m_bar->hasFocus()) {
            m_bar->setActiveAction(nullptr);
            if (m_returnFocus)
                m_returnFocus->setFocus(Qt::MenuBarFocusReason);
        }
    }

    QMenuBar *m_bar;
    QPointer<QWidget> m_returnFocus;
    bool m_walking = false;
};

} // namespace

void enableMenuKeys(QWidget *mainWindow, QMenuBar *bar)
{
    auto *style = new KeyboardMenuStyle;
    style->setParent(bar);
    bar->setStyle(style);
    new F10Walk(mainWindow, bar);
}
