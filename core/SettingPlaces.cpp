#include "core/SettingPlaces.h"

#include "core/BitField.h"
#include "core/SettingsCaptions.h"
#include "core/SettingsChoices.h"
#include "core/SettingsRules.h"

#include <array>

namespace {

using namespace Region;
using S = SettingId;
constexpr int ScanRow = SettingBytes::ScanRow;
constexpr int KeyRow = SettingBytes::KeyRow;
constexpr Bilingual NoCaption{"", ""};

const std::array<SettingPlace, SettingCount> &places()
{
    // Lists that are the same in both languages.
    const auto squelch = [](Language) { return squelchItems(); };
    const auto priorityChannels = [](Language) { return priorityChannelItems(); };
    const auto steps = [](Language) { return tuningStepItems(); };
    const auto preTimes = [](Language) { return dtmfPreTimeItems(); };
    const auto stepTimes = [](Language) { return dtmfStepTimeItems(); };
    const auto lookBack = [](Language) { return lookBackItems(); };
    const auto seconds = [](Language) { return scanSecondsItems(); };
    static const std::array<SettingPlace, SettingCount> table{{
        {S::TimeOut, "option.time_out", OptionCaption::TimeOut, GeneralRow, 4, 0xFF, false, 1, timeOutItems},
        {S::Squelch, "option.squelch", OptionCaption::Squelch, GeneralRow, 2, 0xFF, false, 1, squelch},
        {S::VoxLevel, "option.vox_level", OptionCaption::VoxLevel, GeneralRow, 3, 0xFF, false, 1, voxLevelItems},
        {S::BackLight, "option.back_light", OptionCaption::BackLight, GeneralRow, 6, 0xC0, false, 1, backLightItems},
        {S::ChannelDisplay, "option.channel_display", OptionCaption::ChannelDisplay, GeneralRow, 5, 0x10, false, 1,
         channelDisplayItems},
        {S::ScanWay, "option.scan_way", OptionCaption::ScanWay, GeneralRow, 6, 0x30, false, 1, scanWayItems},
        {S::PriorityScan, "option.priority_scan", OptionCaption::PriorityScan, GeneralRow, 6, 0x08},
        {S::PriorityChannel, "option.priority_channel", OptionCaption::PriorityChannel, GeneralRow, 8, 0xFF, false, 1,
         priorityChannels},
        {S::PttId, "option.ptt_id", OptionCaption::PttId, GeneralRow, 6, 0x03, false, 1, pttIdItems},
        {S::WorkMode, "option.work_mode", OptionCaption::WorkMode, GeneralRow, 5, 0x01, false, 1, workModeItems},
        {S::OnlyChannel, "option.only_channel", OptionCaption::OnlyChannel, GeneralRow, 5, 0x20},
        {S::PowerSave, "option.power_save", OptionCaption::PowerSave, GeneralRow, 5, 0x80},
        {S::Beep, "option.beep", OptionCaption::Beep, GeneralRow, 5, 0x08},
        {S::ManualSetup, "option.manual_setup", OptionCaption::ManualSetup, GeneralRow, 12, 0x10, true},
        {S::SendStopCode, "option.send_stop_code", OptionCaption::SendStopCode, GeneralRow, 12, 0x20, true},

        {S::DtmfPreTime, "dtmf.pre_time", DtmfCaption::PreTime, DtmfRow, 8, 0xFF, false, 1, preTimes},
        {S::DtmfInterval, "dtmf.interval", DtmfCaption::Interval, DtmfRow, 9, 0xFF, false, 1, stepTimes},
        {S::DtmfDuration, "dtmf.duration", DtmfCaption::Duration, DtmfRow, 10, 0xFF, false, 1, stepTimes},
        {S::DtmfSideTone, "dtmf.side_tone", DtmfCaption::SideTone, GeneralRow, 5, 0x40},

        {S::VfoDecodeCode, "vfo.decode", VfoCaption::Decode, VfoRow, 8, 0xFF},
        {S::VfoEncodeCode, "vfo.encode", VfoCaption::Encode, VfoRow, 9, 0xFF},
        {S::VfoDecodeInverted, "", NoCaption, VfoRow, VfoFlags, 0x10},
        {S::VfoEncodeInverted, "", NoCaption, VfoRow, VfoFlags, 0x20},
        {S::VfoStep, "vfo.step", VfoCaption::Step, GeneralRow, 9, 0xFF, false, 1, steps},
        {S::VfoDirection, "vfo.direction", VfoCaption::Direction, VfoRow, VfoFlags, VfoShiftMask, false, 1,
         shiftDirectionItems},
        {S::VfoBandwidth, "vfo.bandwidth", VfoCaption::Bandwidth, VfoRow, VfoFlags, 0x02, false, 1, vfoBandwidthItems},
        {S::VfoPower, "vfo.power", VfoCaption::Power, VfoRow, VfoFlags, 0x01, false, 1, vfoPowerItems},

        {S::ScanPriority, "scan.priority", ScanCaption::Priority, ScanRow, 0, 0xFF, false, 1, scanPriorityItems},
        {S::ScanPriorityChannel, "scan.priority_channel", ScanCaption::PriorityChannel, ScanRow, 1, 0xFF},
        {S::LookBackA, "scan.look_back_a", ScanCaption::LookBackA, ScanRow, 2, 0xFF, false, 1, lookBack},
        {S::LookBackB, "scan.look_back_b", ScanCaption::LookBackB, ScanRow, 3, 0xFF, false, 1, lookBack},
        // The revert list depends on the scan kind (revertChannelItems).
        {S::Revert, "scan.revert", ScanCaption::Revert, ScanRow, 4, 0xFF},
        {S::DropoutDelay, "scan.dropout_delay", ScanCaption::DropoutDelay, ScanRow, 5, 0xFF, false, 2, seconds},
        {S::TxDwell, "scan.tx_dwell", ScanCaption::TxDwell, ScanRow, 7, 0xFF, false, 2, seconds},

        {S::Pf1, "key.pf1", KeyCaption::Pf1, KeyRow, SettingBytes::Pf1Byte, 0xFF, false, 1, keyFunctionItems},
        {S::Pf2, "key.pf2", KeyCaption::Pf2, KeyRow, SettingBytes::Pf2Byte, 0xFF, false, 1, keyFunctionItems},

        {S::PowerLow, "power.low", PowerCaption::Low, PowerRow, 0, 0xFF},
        {S::PowerHigh, "power.high", PowerCaption::High, PowerRow, 1, 0xFF},
        {S::PowerAdjusted, "", NoCaption, PowerRow, 2, 0xFF},
    }};
    return table;
}

} // namespace

const SettingPlace &settingPlace(SettingId id)
{
    const SettingPlace &place = places()[std::size_t(id)];
    Q_ASSERT(place.id == id);
    return place;
}

int storedSetting(const Codeplug &image, SettingId id)
{
    const SettingPlace &p = settingPlace(id);
    int value = 0;
    for (int k = p.width - 1; k >= 0; --k)
        value = value * 256 + imageBits(image, p.row, p.byte + k, p.mask);
    return p.inverted ? value ^ 1 : value;
}

void storeSetting(Codeplug &image, SettingId id, int value)
{
    const SettingPlace &p = settingPlace(id);
    if (p.inverted)
        value ^= 1;
    for (int k = 0; k < p.width; ++k, value /= 256)
        storeImageBits(image, p.row, p.byte + k, p.mask, p.width > 1 ? value % 256 : value);
}

int settingValue(const Codeplug &image, SettingId id)
{
    const int stored = storedSetting(image, id);
    switch (id) {
    case S::PriorityChannel:
        return qBound(1, stored, int(LastChannelRow));
    case S::ScanPriority:
        // A value beyond the list reads as its last kind.
        return qMin(stored, int(SelectedPriority));
    case S::ScanPriorityChannel:
        return stored >= 1 && stored <= LastScanPriorityChannel && scanKind(image) == FixedPriority ? stored : 0;
    case S::LookBackA:
    case S::LookBackB:
        return lookBackItemOfByte(stored);
    case S::Revert:
        return revertItemOfValue(scanKind(image), stored);
    case S::DropoutDelay:
    case S::TxDwell:
        return qMin(stored, LongestScanDelay);
    case S::Pf1:
    case S::Pf2:
        return keyItemOfCode(stored);
    default:
        return stored;
    }
}

bool setSetting(Codeplug &image, SettingId id, int value)
{
    switch (id) {
    case S::PriorityScan:
        if (value)
            return switchPriorityScanOn(image);
        break;
    case S::OnlyChannel:
        storeOnlyChannelMode(image, value != 0);
        return true;
    case S::ScanPriority:
        storeSetting(image, id, value);
        // The revert list is rebuilt for the new kind and its selection stored.
        storeSetting(image, S::Revert, revertValueOfItem(scanKind(image), settingValue(image, S::Revert)));
        return true;
    case S::ScanPriorityChannel:
        if (scanKind(image) != FixedPriority || value < 0 || value > LastScanPriorityChannel)
            return false;
        value = value == 0 ? Empty : value;
        break;
    case S::LookBackA:
    case S::LookBackB:
        value = lookBackByteOfItem(value);
        break;
    case S::Revert:
        value = revertValueOfItem(scanKind(image), value);
        break;
    case S::DropoutDelay:
    case S::TxDwell:
        if (value < 0 || value > LongestScanDelay)
            return false;
        break;
    case S::Pf1:
    case S::Pf2:
        value = keyCodeOfItem(value);
        break;
    default:
        break;
    }
    storeSetting(image, id, value);
    return true;
}
