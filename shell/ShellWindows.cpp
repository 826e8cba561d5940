#include "shell/ShellWindows.h"

#include "platform/WindowRegistry.h"
#include "shell/Form_type.h"
#include "shell/frmAbout.h"

void registerShellWindows(WindowRegistry &registry)
{
    registry.registerWindow(WindowId::Form_type, [](WindowRegistry &r) { return new Form_type(r); });
    registry.registerWindow(WindowId::frmAbout, [](WindowRegistry &r) { return new frmAbout(r); });
}
