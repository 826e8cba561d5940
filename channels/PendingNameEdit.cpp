#include "channels/PendingNameEdit.h"

#include "platform/WindowRegistry.h"

// The body comes with the channel grid.
void CommitPendingGridNameEdit(WindowRegistry &registry)
{
    Q_UNUSED(registry);
}
