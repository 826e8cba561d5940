#pragma once
// Helpers shared by the window tests.
#include "core/ModuleState.h"
#include "platform/Messages.h"
#include "platform/WindowRegistry.h"
#include "shell/MDImain.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <memory>

// A started main window, as the program has it right after start-up, with
// message boxes recorded instead of shown.
struct StartedProgram {
    MessageRecorder messages;
    std::unique_ptr<MDImain> main = std::make_unique<MDImain>();

    StartedProgram()
    {
        for (bool &flag : WindowOpenFlag)
            flag = false;
        main->MDIForm_Load();
        QApplication::processEvents();
    }
    ~StartedProgram()
    {
        main->close();
    }
    WindowRegistry &registry() { return main->registry(); }
    template <typename T> T *window(WindowId id) { return registry().get<T>(id); }
};
