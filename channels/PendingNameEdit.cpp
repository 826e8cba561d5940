#include "channels/PendingNameEdit.h"

#include "channels/frm_chann.h"
#include "platform/WindowRegistry.h"

void CommitPendingGridNameEdit(WindowRegistry &registry)
{
    if (auto *grid = registry.get<frm_chann>(WindowId::frm_chann))
        grid->commitPendingNameEdit();
}
