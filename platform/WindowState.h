#pragma once

// Every child window of the main window. Each has an open-window flag in
// the session that its load sets and its unload clears.
enum class WindowId {
    frmAbout,
    frm_option,
    frm_chann,
    Form_setup,
    Form_type,
    Form_save_chann,
    Form_open_chann,
    Form_Comm_Read,
    Form_Comm_Write,
    Form_Edit_Test,
    Form_Edit_Message,
    Form_Adjust_Txp,
    frm_dtmf,
    Form_Chann_Edit,
    Form_Edit_scan,
    Form_edit_Key,
    Form_open_menu,
    Form_save_menu,
    Count
};
constexpr int WindowIdCount = static_cast<int>(WindowId::Count);
