#pragma once
#include "core/Codeplug.h"

#include <QString>
#include <QtGlobal>

// The state that several windows share for the whole run. None of it is
// saved between runs: every start begins from the same defaults.

constexpr int ModelCount = 7;
extern QString ModelNames[ModelCount];
extern qint16 BandLimits[2 * ModelCount]; // low limits 0..6, high limits 7..13
extern qint16 ModelIndex;

extern QString VersionText;
extern QString ChannelFileName;  // last channel file loaded or saved

// Fills ModelNames and BandLimits.
void InitModelTable();
