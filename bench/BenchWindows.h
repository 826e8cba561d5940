#pragma once
#include "platform/WindowRegistry.h"
#include "sim/RadioSimulator.h"

#include <cstdio>

// Every child window the benchmarks open, by the name they print.
inline const struct {
    WindowId id;
    const char *name;
} benchWindows[] = {
    {WindowId::frm_chann, "frm_chann"},           {WindowId::Form_Chann_Edit, "Form_Chann_Edit"},
    {WindowId::frm_option, "frm_option"},         {WindowId::Form_Edit_scan, "Form_Edit_scan"},
    {WindowId::Form_edit_Key, "Form_edit_Key"},   {WindowId::frm_dtmf, "frm_dtmf"},
    {WindowId::Form_Edit_Test, "Form_Edit_Test"}, {WindowId::Form_Edit_Message, "Form_Edit_Message"},
    {WindowId::Form_Comm_Read, "Form_Comm_Read"}, {WindowId::Form_Comm_Write, "Form_Comm_Write"},
    {WindowId::Form_open_chann, "Form_open_chann"}, {WindowId::Form_save_chann, "Form_save_chann"},
    {WindowId::Form_setup, "Form_setup"},         {WindowId::Form_type, "Form_type"},
    {WindowId::frmAbout, "frmAbout"},
};

// Starts `radio` pacing both directions at the line rate, as port 1 of
// `registry`; false, said on the error stream, when it cannot start.
inline bool startRadioAsPort1(RadioSimulator &radio, WindowRegistry &registry)
{
    QString error;
    if (!radio.start(&error)) {
        std::fprintf(stderr, "no pseudo-terminal: %s\n", qPrintable(error));
        return false;
    }
    radio.setPaced(true);
    registry.ports().mapPortNumber(1, radio.devicePath());
    return true;
}
