#include "shell/WindowCatalog.h"

#include "channels/ChannelWindows.h"
#include "files/FileWindows.h"
#include "link/LinkWindows.h"
#include "settings/SettingsWindows.h"
#include "shell/ShellWindows.h"

void registerAllWindows(WindowRegistry &registry)
{
    registerChannelWindows(registry);
    registerLinkWindows(registry);
    registerSettingsWindows(registry);
    registerFileWindows(registry);
    registerShellWindows(registry);
}
