#pragma once
#include <QString>
#include <QtGlobal>

// The state that several windows share for the whole run. None of it is
// saved between runs: every start begins from the same defaults.

constexpr int ModelCount = 7;
extern QString ModelNames[ModelCount];
extern qint16 BandLimits[2 * ModelCount]; // low limits 0..6, high limits 7..13
extern qint16 ModelIndex;

// The working frequency range, whole MHz; every frequency entry is checked
// against it.
extern double WorkRangeLowMHz;
extern double WorkRangeHighMHz;

extern qint16 ChannelCount;
extern qint16 CurrentChannel;    // 1..128, shared by the grid and the channel editor
extern bool UseChinese;          // caption language
extern QString VersionText;
extern qint16 CommPortNo;        // 1..8
extern bool PortError;           // the last port open failed
extern QString ChannelFileName;  // last channel file loaded or saved

// Every child window of the main window. Each has an open-window flag that
// its load sets and its unload clears; the language switch reopens the
// windows whose flag is set.
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
extern bool WindowOpenFlag[WindowIdCount];

inline bool &OpenFlag(WindowId id) { return WindowOpenFlag[static_cast<int>(id)]; }

// Fills ModelNames and BandLimits and sets the working range from the
// selected model's band.
void InitModelTable();
