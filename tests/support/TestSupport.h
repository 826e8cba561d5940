#pragma once
// Helpers shared by the window tests.
#include "core/Codeplug.h"
#include "platform/Messages.h"
#include "platform/Session.h"
#include "platform/WindowRegistry.h"
#include "shell/MDImain.h"
#include "support/TestImage.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// A started main window, as the program has it right after start-up, with
// message boxes recorded instead of shown.
// Its state folder ($XDG_STATE_HOME), where an ended session keeps unsaved
// changes, is `stateFolder`, else a private one, never the user's.
struct StartedProgram {
    QTemporaryDir ownState;
    MessageRecorder messages;
    std::unique_ptr<MDImain> main;

    explicit StartedProgram(const QString &stateFolder = QString())
    {
        qputenv("XDG_STATE_HOME", QFile::encodeName(stateFolder.isEmpty() ? ownState.path() : stateFolder));
        main = std::make_unique<MDImain>();
        runningDocument() = &main->document();
        main->MDIForm_Load();
        QApplication::processEvents();
    }
    ~StartedProgram()
    {
        messages.answer = SaveAnswer::Discard;
        main->close();
        runningDocument() = nullptr;
    }
    WindowRegistry &registry() { return main->registry(); }
    Session &session() { return main->session(); }
    template <typename T> T *window(WindowId id) { return registry().get<T>(id); }
};

// The control of that name in `window`; a test without it cannot go on.
template <typename T> T *control(QWidget *window, const char *name)
{
    T *c = window->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

// Chooses an item of a list as a person does: opens the list and clicks it.
inline void clickListItem(QComboBox *list, int position)
{
    list->showPopup();
    QAbstractItemView *view = list->view();
    const QModelIndex index = view->model()->index(position, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}
