#include "files/FileWindows.h"

#include "files/FileWindow.h"
#include "platform/WindowRegistry.h"

void registerFileWindows(WindowRegistry &registry)
{
    const struct {
        WindowId id;
        FileWindow::Kind kind;
    } windows[] = {{WindowId::Form_open_chann, FileWindow::Kind::OpenChannel},
                   {WindowId::Form_save_chann, FileWindow::Kind::SaveChannel},
                   {WindowId::Form_open_menu, FileWindow::Kind::OpenMenu},
                   {WindowId::Form_save_menu, FileWindow::Kind::SaveMenu}};
    for (const auto &w : windows) {
        const FileWindow::Kind kind = w.kind;
        registry.registerWindow(w.id, [kind](WindowRegistry &r) { return new FileWindow(kind, r); });
    }
}
