#include "link/LinkWindows.h"

#include "link/Form_Adjust_Txp.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "link/Form_setup.h"
#include "platform/WindowRegistry.h"

void registerLinkWindows(WindowRegistry &registry)
{
    registry.registerWindow(WindowId::Form_setup, [](WindowRegistry &r) { return new Form_setup(r); });
    registry.registerWindow(WindowId::Form_Comm_Read,
                            [](WindowRegistry &r) { return new Form_Comm_Read(r); });
    registry.registerWindow(WindowId::Form_Comm_Write,
                            [](WindowRegistry &r) { return new Form_Comm_Write(r); });
    registry.registerWindow(WindowId::Form_Adjust_Txp,
                            [](WindowRegistry &r) { return new Form_Adjust_Txp(r); });
}
