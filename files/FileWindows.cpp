#include "files/FileWindows.h"

#include "platform/WindowRegistry.h"

void registerFileWindows(WindowRegistry &registry)
{
    Q_UNUSED(registry);
}
