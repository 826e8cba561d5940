#pragma once
// Where each setting of the settings windows lies in the image, written
// once: the windows' controls and the field catalogue both read and write
// a setting through its id, never through its row and byte.
#include "core/Bilingual.h"
#include "core/Codeplug.h"

#include <QStringList>

enum class SettingId {
    // The general settings row.
    TimeOut,
    Squelch,
    VoxLevel,
    BackLight,
    ChannelDisplay,
    ScanWay,
    PriorityScan,
    PriorityChannel,
    PttId,
    WorkMode,
    OnlyChannel,
    PowerSave,
    Beep,
    ManualSetup,
    SendStopCode,
    // The DTMF timings and side tone.
    DtmfPreTime,
    DtmfInterval,
    DtmfDuration,
    DtmfSideTone,
    // The frequency mode (VFO): tone codes and their inversion bits, which
    // the VFO's tone rule joins into one list position, and the lists.
    VfoDecodeCode,
    VfoEncodeCode,
    VfoDecodeInverted,
    VfoEncodeInverted,
    VfoStep,
    VfoDirection,
    VfoBandwidth,
    VfoPower,
    // The scan information.
    ScanPriority,
    ScanPriorityChannel,
    LookBackA,
    LookBackB,
    Revert,
    DropoutDelay,
    TxDwell,
    // The programmable keys.
    Pf1,
    Pf2,
    // The power record: the two levels and which of them was adjusted last.
    PowerLow,
    PowerHigh,
    PowerAdjusted,
};
constexpr int SettingCount = int(SettingId::PowerAdjusted) + 1;

struct SettingPlace {
    SettingId id;
    const char *key;           // the catalogue's identifier; empty for a part of a joined setting
    Bilingual caption;
    int row;
    int byte;
    int mask;                  // the bits of `byte`; 0xFF the whole byte
    bool inverted = false;     // a one-bit setting whose set bit means off
    int width = 1;             // 2: a number of two bytes, low byte first
    // The list a control offers (choice texts, or the numbers of a number
    // list); none where the setting has no list of its own.
    QStringList (*items)(Language language) = nullptr;
};

// Every setting, in SettingId order.
const SettingPlace &settingPlace(SettingId id);

// The value the setting's bits hold: shifted down to bit 0, a one-bit
// setting with its inversion undone, two bytes joined.
int storedSetting(const Codeplug &image, SettingId id);
// Read-modify-write of exactly the setting's bits.
void storeSetting(Codeplug &image, SettingId id, int value);

// The value a control shows for the setting: its list position or number,
// by the setting's rule (a look-back byte as its list item, a key code as
// its item, the revert value by the scan kind, a priority channel within
// 1..128, the scan delays at most 300 s, the scan's priority channel 0 while
// none is shown).
int settingValue(const Codeplug &image, SettingId id);
// Stores a value shown by a control, with the rules that go with it: only
// channel mode also selects channel mode, priority scan on takes the first
// channel in use, a new scan kind keeps the revert selection its new list
// allows. False, with nothing stored, where the rule refuses the value: no
// channel in use for priority scan, a scan priority channel other than
// 0 (none) or 1..16 or while the priority is not fixed, a delay above 300.
bool setSetting(Codeplug &image, SettingId id, int value);
