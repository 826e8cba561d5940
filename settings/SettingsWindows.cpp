#include "settings/SettingsWindows.h"

#include "platform/WindowRegistry.h"

void registerSettingsWindows(WindowRegistry &registry)
{
    Q_UNUSED(registry);
}
