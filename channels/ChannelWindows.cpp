#include "channels/ChannelWindows.h"

#include "channels/Form_Chann_Edit.h"
#include "channels/frm_chann.h"
#include "platform/WindowRegistry.h"

void registerChannelWindows(WindowRegistry &registry)
{
    registry.registerWindow(WindowId::frm_chann, [](WindowRegistry &r) { return new frm_chann(r); });
    registry.registerWindow(WindowId::Form_Chann_Edit,
                            [](WindowRegistry &r) { return new Form_Chann_Edit(r); });
}
