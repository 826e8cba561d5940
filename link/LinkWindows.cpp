#include "link/LinkWindows.h"

#include "platform/WindowRegistry.h"

void registerLinkWindows(WindowRegistry &registry)
{
    Q_UNUSED(registry);
}
