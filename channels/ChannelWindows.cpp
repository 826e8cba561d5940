#include "channels/ChannelWindows.h"

#include "platform/WindowRegistry.h"

void registerChannelWindows(WindowRegistry &registry)
{
    Q_UNUSED(registry);
}
