#pragma once
#include <QStringList>

// The list items of the settings windows in either language. The windows
// fill their lists from here and the field catalogue reads and writes the
// same texts, so each text lives in one place.

// --- Optional features window ---------------------------------------------
QStringList timeOutItems(bool chinese);        // "关" / "OFF", "1".."7"
QStringList squelchItems();                    // "0".."9"
QStringList voxLevelItems(bool chinese);       // "关" / "OFF", "1".."9"
QStringList backLightItems(bool chinese);
QStringList channelDisplayItems(bool chinese);
QStringList scanWayItems(bool chinese);
QStringList pttIdItems(bool chinese);
QStringList priorityChannelItems();            // "1".."128"
QStringList workModeItems(bool chinese);       // 0 frequency mode, 1 channel mode
QStringList tuningStepItems();
QStringList shiftDirectionItems(bool chinese);
QStringList vfoBandwidthItems(bool chinese);   // 0 Narrow, 1 Wide
QStringList vfoPowerItems(bool chinese);       // 0 Low, 1 High

// --- DTMF window ----------------------------------------------------------
QStringList dtmfPreTimeItems();                // 50..4500 ms, step 50
QStringList dtmfStepTimeItems();               // 50..6400 ms, step 25

// --- Scan window ----------------------------------------------------------
enum ScanPriorityKind { NoPriority = 0, FixedPriority = 1, SelectedPriority = 2 };
QStringList scanPriorityItems(bool chinese);
QStringList lookBackItems();                   // "0.50".."5.00"
constexpr int LongestScanDelay = 300;
QStringList scanSecondsItems();                // "0".."300"
// The revert-channel list for a priority kind, and the stored value of its
// item k.
QStringList revertChannelItems(int kind, bool chinese);
inline int revertValueOfItem(int kind, int item) { return kind == SelectedPriority ? item + 2 : item; }
// The item a stored revert value selects, limited to the list.
int revertItemOfValue(int kind, int value);

// --- Key window -----------------------------------------------------------
QStringList keyFunctionItems(bool chinese);
