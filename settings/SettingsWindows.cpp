#include "settings/SettingsWindows.h"

#include "platform/WindowRegistry.h"
#include "settings/Form_Edit_Message.h"
#include "settings/Form_Edit_Test.h"
#include "settings/Form_Edit_scan.h"
#include "settings/Form_edit_Key.h"
#include "settings/frm_dtmf.h"
#include "settings/frm_option.h"

void registerSettingsWindows(WindowRegistry &registry)
{
    registry.registerWindow(WindowId::frm_option, [](WindowRegistry &r) { return new frm_option(r); });
    registry.registerWindow(WindowId::Form_Edit_scan,
                            [](WindowRegistry &r) { return new Form_Edit_scan(r); });
    registry.registerWindow(WindowId::Form_edit_Key, [](WindowRegistry &r) { return new Form_edit_Key(r); });
    registry.registerWindow(WindowId::frm_dtmf, [](WindowRegistry &r) { return new frm_dtmf(r); });
    registry.registerWindow(WindowId::Form_Edit_Message,
                            [](WindowRegistry &r) { return new Form_Edit_Message(r); });
    registry.registerWindow(WindowId::Form_Edit_Test,
                            [](WindowRegistry &r) { return new Form_Edit_Test(r); });
}
