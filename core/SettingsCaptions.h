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

// The general group of the optional features window.
namespace OptionCaption {
constexpr Bilingual TimeOut{"超时定时器[分钟]", "Time Out Timer[Min]"};
constexpr Bilingual Squelch{"静噪等级", "Squelch Level"};
constexpr Bilingual VoxLevel{"声控等级", "VOV Gain Level"};
constexpr Bilingual BackLight{"背光灯", "Back Light"};
constexpr Bilingual ChannelDisplay{"信道显示方式", "Channel Disp Way"};
constexpr Bilingual ScanWay{"扫描方式", "Scan Way"};
constexpr Bilingual PriorityScan{"优先扫描", "Priority Scan"};
constexpr Bilingual PriorityChannel{"优先扫描信道", "Priority Channel"};
constexpr Bilingual PttId{"PTT-ID 类型", "PTT-ID"};
constexpr Bilingual DtmfCode{"DTMF 码组", "DTMF Code"};
constexpr Bilingual WorkMode{"工作模式", "Work Mode"};
constexpr Bilingual OnlyChannel{"仅工作在信道模式", "Only Channel Mode"};
constexpr Bilingual PowerSave{"省电", "Save"};
constexpr Bilingual Beep{"哔音", "Beep"};
constexpr Bilingual ManualSetup{"手动设置", "Manual set-up"};
constexpr Bilingual SendStopCode{"发送关机码", "Send Stop Code"};
} // namespace OptionCaption

// The DTMF settings window.
namespace DtmfCaption {
constexpr Bilingual PreTime{"首位数码延迟时间(毫秒)", "Pre-Time(ms)"};
constexpr Bilingual Interval{"数码间隔时间(毫秒)", "Intervals(ms)"};
constexpr Bilingual Duration{"数码延迟时间(毫秒)", "Duration(ms)"};
constexpr Bilingual SideTone{"DTMF 侧音", "DTMF Side Tone"};
} // namespace DtmfCaption

// The scan information window.
namespace ScanCaption {
constexpr Bilingual Priority{"优先", "Priority"};
constexpr Bilingual PriorityChannel{"优先信道", "Priority Channel"};
constexpr Bilingual LookBackA{"回扫时间 A(秒)", "Look Back Time A(s)"};
constexpr Bilingual LookBackB{"回扫时间 B(秒)", "Look Back Time B(s)"};
constexpr Bilingual Revert{"返回信道", "Revert Channel"};
constexpr Bilingual DropoutDelay{"扫描接收恢复延迟时间(秒)", "Dropout Delay Time (s)"};
constexpr Bilingual TxDwell{"扫描发射恢复延迟时间(秒)", "TX Dwell Time (s)"};
} // namespace ScanCaption

// The key assignment window's labels, the same in both languages, and the
// embedded message window's title.
namespace KeyCaption {
constexpr Bilingual Pf1{"PF1", "PF1"};
constexpr Bilingual Pf2{"PF2", "PF2"};
} // namespace KeyCaption
constexpr Bilingual MessageCaption{"嵌入信息", "Embedded Message"};

// The power adjustment window's labels.
namespace PowerCaption {
constexpr Bilingual Low{"低功率", "Low Power"};
constexpr Bilingual High{"高功率", "High Power"};
} // namespace PowerCaption
