#pragma once
#include <QtGlobal>

// The model table: the radio models the program knows and their bands.
// Only entry 0 is ever chosen.
constexpr int ModelCount = 7;
constexpr const char *ModelNames[ModelCount] = {"KVD9",      "ZN3T VHF1", "ZN3T UHF1", "ZN3T UHF2",
                                                "ZN3T UHF3", "ZN3T UHF4", "ZN3T FULL"};
// Low limits of entries 0..6, then their high limits, in whole MHz. The
// high limits were given as 470.0005, 88.9875, 174.9875, 246.9875, 390.9875,
// 520.9875 and 600.9875 and are kept rounded half to even.
constexpr qint16 BandLimits[2 * ModelCount] = {400, 66, 136, 244, 350, 450, 100,
                                               470, 89, 175, 247, 391, 521, 601};
