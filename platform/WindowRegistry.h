#pragma once
#include "platform/ChildWindow.h"
#include "serial/PortDirectory.h"

#include <QObject>
#include <QPointer>
#include <functional>

class ChildWindow;
class CodeplugDocument;
class QMdiArea;
class QMdiSubWindow;
class QWidget;
class Session;
class StatusPanels;

// Owns the single instance of each child window. Windows reach each other
// only through it, so no window depends on another subsystem's window.
class WindowRegistry : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<ChildWindow *(WindowRegistry &)>;

    WindowRegistry(QWidget *mainWindow, QMdiArea *area, StatusPanels *panels, CodeplugDocument &document,
                   Session &session);

    void registerWindow(WindowId id, Factory factory);
    bool isRegistered(WindowId id) const;

    // Closes the open instance (running its unload) and loads a fresh one.
    // Returns the new window, or nullptr when the open one refused to close.
    ChildWindow *reopen(WindowId id);
    // Runs the window's unload and closes it; false when it refused.
    bool close(WindowId id);
    bool isOpen(WindowId id) const;
    ChildWindow *get(WindowId id) const;
    template <typename T> T *get(WindowId id) const { return qobject_cast<T *>(get(id)); }

    // Closes every child window, none of which may refuse.
    void closeAll();
    bool isClosingAll() const { return m_closingAll; }

    QWidget *mainWindow() const { return m_mainWindow; }
    QMdiArea *mdiArea() const { return m_area; }
    StatusPanels &statusPanels() const { return *m_panels; }
    // The document every window edits.
    CodeplugDocument &document() const { return m_document; }
    // The language, the chosen port and the open-window flags every window
    // shares.
    Session &session() const { return m_session; }
    // The program's serial ports: the port window lists them, the link
    // windows open them.
    PortDirectory &ports() { return m_ports; }

    // Called by a window whose close went through.
    void forget(ChildWindow *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Where the keyboard was when a window opened: it goes back there when
    // the window closes.
    struct KeyboardPlace {
        QPointer<QMdiSubWindow> window;
        QPointer<QWidget> control;
    };
    KeyboardPlace currentKeyboardPlace() const;
    void returnKeyboard(const KeyboardPlace &place);

    void onSubWindowActivated(QMdiSubWindow *sub);
    static void giveCloseItsOwnKey(QMdiSubWindow *sub);

    QWidget *m_mainWindow;
    QMdiArea *m_area;
    // Told apart by its address alone: events still reach the filter while
    // the area is being destroyed.
    QObject *m_viewport;
    StatusPanels *m_panels;
    CodeplugDocument &m_document;
    Session &m_session;
    PortDirectory m_ports;
    Factory m_factories[WindowIdCount];
    QPointer<ChildWindow> m_windows[WindowIdCount];
    KeyboardPlace m_returnTo[WindowIdCount];
    // A window opened since a close: the keyboard stays with it.
    int m_opened = 0;
    bool m_closingAll = false;
};
