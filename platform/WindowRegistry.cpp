#include "platform/WindowRegistry.h"

#include "platform/ChildWindow.h"
#include "platform/DrawnIcons.h"
#include "platform/HelpWindow.h"
#include "platform/Layouts.h"

#include <QAction>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTimer>

static int indexOf(WindowId id) { return static_cast<int>(id); }

WindowRegistry::WindowRegistry(QWidget *mainWindow, QMdiArea *area, StatusPanels *panels,
                               CodeplugDocument &document, Session &session)
    : QObject(mainWindow), m_mainWindow(mainWindow), m_area(area), m_panels(panels), m_document(document),
      m_session(session)
{
    connect(area, &QMdiArea::subWindowActivated, this, &WindowRegistry::onSubWindowActivated);
    // Windows larger than the client area stay reachable.
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_viewport = area->viewport();
    m_viewport->installEventFilter(this);
}

bool WindowRegistry::eventFilter(QObject *watched, QEvent *event)
{
    // The open windows keep their fractions when the main window grows,
    // shrinks or is maximised.
    if (watched == m_viewport && event->type() == QEvent::Resize)
        for (const QPointer<ChildWindow> &window : m_windows)
            if (window)
                window->followMainWindow();
    return QObject::eventFilter(watched, event);
}

void WindowRegistry::registerWindow(WindowId id, Factory factory)
{
    m_factories[indexOf(id)] = std::move(factory);
}

bool WindowRegistry::isRegistered(WindowId id) const
{
    return bool(m_factories[indexOf(id)]);
}

ChildWindow *WindowRegistry::reopen(WindowId id)
{
    if (!isRegistered(id))
        return nullptr;
    // A fresh instance returns the keyboard where the old one would have.
    const KeyboardPlace returnTo = isOpen(id) ? m_returnTo[indexOf(id)] : currentKeyboardPlace();
    if (isOpen(id) && !close(id))
        return nullptr;
    ++m_opened;
    m_returnTo[indexOf(id)] = returnTo;
    ChildWindow *window = m_factories[indexOf(id)](*this);
    // Tab reads every window as a person does, whatever order its controls
    // were made in.
    tabInLayoutOrder(window);
    connectHelp(window);
    m_windows[indexOf(id)] = window;
    QMdiSubWindow *sub = m_area->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    giveCloseItsOwnKey(sub);
    sub->setWindowIcon(programIcon());
    window->Form_Load();
    // A window may close itself from its own load.
    if (get(id) == window) {
        sub->show();
        // Shown with its captions, it knows its layout's minimum.
        window->fitToMainWindow();
        m_area->setActiveSubWindow(sub);
    }
    return get(id);
}

void WindowRegistry::giveCloseItsOwnKey(QMdiSubWindow *sub)
{
    // Qt puts Close on Ctrl+W too, where the main window writes to the
    // radio; two owners of one key would leave it doing nothing.
    if (QMenu *menu = sub->systemMenu())
        for (QAction *action : menu->actions())
            if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)))
                action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
}

bool WindowRegistry::close(WindowId id)
{
    ChildWindow *window = get(id);
    if (!window)
        return true;
    QWidget *frame = window->parentWidget() ? window->parentWidget() : window;
    frame->close();
    return get(id) == nullptr;
}

bool WindowRegistry::isOpen(WindowId id) const
{
    return get(id) != nullptr;
}

ChildWindow *WindowRegistry::get(WindowId id) const
{
    return m_windows[indexOf(id)].data();
}

void WindowRegistry::closeAll()
{
    m_closingAll = true;
    for (int i = 0; i < WindowIdCount; ++i)
        close(static_cast<WindowId>(i));
    m_closingAll = false;
}

void WindowRegistry::forget(ChildWindow *window)
{
    for (int i = 0; i < WindowIdCount; ++i) {
        if (m_windows[i] != window)
            continue;
        m_windows[i].clear();
        if (!m_closingAll)
            returnKeyboard(m_returnTo[i]);
        m_returnTo[i] = {};
    }
}

WindowRegistry::KeyboardPlace WindowRegistry::currentKeyboardPlace() const
{
    QMdiSubWindow *sub = m_area->activeSubWindow();
    if (!sub || !sub->widget())
        return {};
    return {sub, sub->widget()->focusWidget()};
}

void WindowRegistry::returnKeyboard(const KeyboardPlace &place)
{
    // Once the closing window is gone, as the area would otherwise hand the
    // keyboard to whatever control follows in another window's chain.
    const int openedBefore = m_opened;
    QTimer::singleShot(0, this, [this, place, openedBefore] {
        if (m_opened != openedBefore || !place.window)
            return;
        auto *window = qobject_cast<ChildWindow *>(place.window->widget());
        QWidget *control = window ? window->keyboardReturn(place.control) : place.control.data();
        m_area->setActiveSubWindow(place.window);
        if (control)
            control->setFocus(Qt::OtherFocusReason);
    });
}

void WindowRegistry::onSubWindowActivated(QMdiSubWindow *sub)
{
    if (!sub)
        return;
    if (auto *window = qobject_cast<ChildWindow *>(sub->widget()))
        if (get(window->windowId()) == window)
            window->Form_Activate();
}

#include "moc_WindowRegistry.cpp"
