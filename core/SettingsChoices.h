#pragma once
#include "core/Language.h"

#include <QStringList>

// The list items of the settings windows in either language. The windows
// fill their lists from here and the field catalogue reads and writes the
// same texts, so each text lives in one place.

// --- Optional features window ---------------------------------------------
QStringList timeOutItems(Language language);        // "关" / "OFF", "1".."7"
QStringList squelchItems();                    // "0".."9"
QStringList voxLevelItems(Language language);       // "关" / "OFF", "1".."9"
QStringList backLightItems(Language language);
QStringList channelDisplayItems(Language language);
QStringList scanWayItems(Language language);
QStringList pttIdItems(Language language);
QStringList priorityChannelItems();            // "1".."128"
QStringList workModeItems(Language language);       // 0 frequency mode, 1 channel mode
QStringList tuningStepItems();
QStringList shiftDirectionItems(Language language);
QStringList vfoBandwidthItems(Language language);   // 0 Narrow, 1 Wide
QStringList vfoPowerItems(Language language);       // 0 Low, 1 High

// --- DTMF window ----------------------------------------------------------
QStringList dtmfPreTimeItems();                // 50..4500 ms, step 50
QStringList dtmfStepTimeItems();               // 50..6400 ms, step 25

// --- Scan window ----------------------------------------------------------
enum ScanPriorityKind { NoPriority = 0, FixedPriority = 1, SelectedPriority = 2 };
QStringList scanPriorityItems(Language language);
QStringList lookBackItems();                   // "0.50".."5.00"
constexpr int LongestScanDelay = 300;
QStringList scanSecondsItems();                // "0".."300"
// The revert-channel list for a priority kind, and the stored value of its
// item k.
QStringList revertChannelItems(int kind, Language language);
inline int revertValueOfItem(int kind, int item) { return kind == SelectedPriority ? item + 2 : item; }
// The item a stored revert value selects, limited to the list.
int revertItemOfValue(int kind, int value);

// --- Key window -----------------------------------------------------------
QStringList keyFunctionItems(Language language);
