#pragma once
// The labels of the settings panels, which the field catalogue names its
// fields by.
#include "core/Bilingual.h"

// The frequency mode (VFO) group of the optional features window.
namespace VfoCaption {
constexpr Bilingual Receive{"接收频率(MHZ)", "RX Frequncy(MHZ)"};
constexpr Bilingual Decode{"解码", "Decode"};
constexpr Bilingual Encode{"编码", "Encode"};
constexpr Bilingual Step{"步进频率(KHZ)", "Step(KHZ)"};
constexpr Bilingual Direction{"频差方向", "Duplex"};
constexpr Bilingual Offset{"频差频率(MHZ)", "Offset Frequncy(MHZ) "};
constexpr Bilingual Bandwidth{"信道带宽", "Wide / Narrow"};
constexpr Bilingual Power{"发射功率", "TX Power"};
} // namespace VfoCaption
