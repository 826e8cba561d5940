#pragma once
// The captions of the two channel windows, which the field catalogue and
// the channel plan CSV name their fields by.
#include "core/Bilingual.h"

#include <QString>

// The channel grid's columns: the catalogue field each shows ("channel"
// for the channel number), its caption, and the spaces that widen the
// English header on either side.
struct GridColumnCaption {
    const char *field;
    Bilingual caption;
    int englishPadding;
};
constexpr int GridColumnCount = 8;
constexpr GridColumnCaption GridColumnCaptions[GridColumnCount] = {
    {"channel", {"信道号", "Channel"}, 0},
    {"receive", {"接收频率(MHZ)", "RX Frequency"}, 0},
    {"transmit", {"发射频率(MHZ)", "TX Frequency"}, 0},
    {"decode", {"QT/DQT解码", "CTCSS/DCS Dec"}, 0},
    {"encode", {"QT/DQT编码", "CTCSS/DCS Enc"}, 0},
    {"power", {"发射功率", "TX Power"}, 1},
    {"bandwidth", {"信道带宽", "W/N"}, 2},
    {"name", {"信道名称", "Name"}, 2},
};

// The header as the grid draws it: a leading "^" centres the column.
inline QString gridHeaderFormat(int column, Language language)
{
    const GridColumnCaption &c = GridColumnCaptions[column];
    const QString padding(language == Language::Chinese ? 0 : c.englishPadding, QLatin1Char(' '));
    return QLatin1Char('^') + padding + bilingualText(c.caption, language) + padding;
}

// The single-channel editor's labels.
namespace EditorCaption {
constexpr Bilingual Receive{"接收频率", "Receive Frequency "};
constexpr Bilingual Transmit{"发射频率", "Transmit Frequency"};
constexpr Bilingual Decode{"QT/DQT 解码", "QT/DQT Decode"};
constexpr Bilingual Encode{"QT/DQT 编码", "QT/DQT Encode"};
constexpr Bilingual Power{"发射功率", "TX Power"};
constexpr Bilingual Bandwidth{"宽带/窄带", "Wide/Narror"};
constexpr Bilingual Name{"信道名称", "Channel Name"};
constexpr Bilingual Vox{"声控发射", "VOX"};
constexpr Bilingual Bcl{"繁忙锁定", "BCL"};
constexpr Bilingual ScanAdd{"扫描添加", "Scan Add"};
constexpr Bilingual TxStop{"禁止发射", "TX Stop"};
} // namespace EditorCaption
