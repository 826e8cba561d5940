#pragma once
#include <QMainWindow>
#include <QString>
#include <memory>
#include <optional>

#include "core/Codeplug.h"

class CodeplugDocument;
class Session;
class QAction;
class QMdiArea;
class QMenu;
class QToolBar;
class SessionEnd;
class StatusPanels;
class WindowRegistry;

// The main window: menus, tool bar and status bar around the client area
// that holds every child window. It starts the program and ends it.
class MDImain : public QMainWindow {
    Q_OBJECT
public:
    MDImain();
    ~MDImain() override;

    // Start-up: shared state, default image, captions, then the channel grid.
    void MDIForm_Load();

    WindowRegistry &registry() const { return *m_registry; }
    CodeplugDocument &document() const { return *m_document; }
    Session &session() const { return *m_session; }
    StatusPanels &statusPanels() const { return *m_panels; }
    QAction *menuItem(const QString &name) const;

    // The entry of the model table chosen: entry 0 from start-up, never
    // changed.
    qint16 ModelIndex = 0;

    void Language_chn_Click();
    void Language_eng_Click();
    void Toolbar1_ButtonClick(const QString &key);
    // Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z: the open text editor's own undo
    // and redo, else the document's, named in status panel 2.
    void undoEdit();
    void redoEdit();
    // The session ends under the program (logout, SIGTERM): unsaved changes
    // go to the recovery file; SIGTERM then closes the program without a
    // question.
    void keepUnsavedWork(bool thenClose);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildToolBar();
    // The undo keys: actions of the main window outside its menus, which
    // stay as they are.
    void addUndoKeys();
    // Menu captions, status panels 1, 2, 3, 4, 6, 8 and the window caption.
    // At start-up the model item and panel 6 read "机 型" and "频 段".
    void setCaptions(bool startUp);
    void switchLanguage(bool chinese);
    void openWindow(int id);
    // Whether the program may end now: at once while nothing is unsaved,
    // else as the user answers. Save opens the save window, and the
    // program ends once that window saved.
    bool mayLeave();
    // Panel 2 names the undo or redo done; a later change makes that stale.
    void noteHistoryStep(const QString &text);
    // At start-up: wide enough for the grid's eight columns; true when it grew.
    bool growForTheGrid();

    QMdiArea *m_area;
    QToolBar *m_toolBar;
    std::unique_ptr<StatusPanels> m_panels;
    CodeplugDocument *m_document;
    Session *m_session;
    WindowRegistry *m_registry;
    SessionEnd *m_sessionEnd;
    // The image the recovery file holds, kept when the session ended.
    std::optional<Codeplug> m_kept;
    QString m_historyNote;
};
