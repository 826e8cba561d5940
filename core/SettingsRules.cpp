#include "core/SettingsRules.h"

#include "core/ChannelUse.h"
#include "core/Codecs.h"
#include "core/NumberText.h"
#include "core/SettingPlaces.h"
#include "core/WorkingRange.h"
#include "core/SettingsChoices.h"

#include <cmath>

QString DtmfDigitToChar(int digit)
{
    if (digit >= 0 && digit <= 9)
        return QString(QChar('0' + digit));
    if (digit >= 10 && digit <= 15)
        return QString(QChar('A' + digit - 10));
    return QString();
}

int DtmfCharToDigit(QChar ch)
{
    const char16_t c = ch.unicode();
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QString dtmfCodeText(const QString &text)
{
    QString code;
    for (const QChar ch : text) {
        const int digit = DtmfCharToDigit(ch);
        if (digit < 0)
            continue;
        code += DtmfDigitToChar(digit);
        if (code.size() == SettingBytes::DtmfCodeLength)
            break;
    }
    return code;
}

int keyItemOfCode(int code)
{
    if (code < 0 || code >= KeyFunctionCount)
        return 0;
    return code == 0 ? 1 : code;
}

int keyCodeOfItem(int item)
{
    if (item == 0)
        return 255;
    return item == 1 ? 0 : item;
}

int lookBackItemOfByte(int value)
{
    // A value beyond the list first becomes 90, which then reads as item 89
    // (4.95 s) like every other value above 1.
    if (value > LookBackItemCount)
        value = LookBackItemCount - 1;
    return qMax(0, value - 1);
}

int lookBackByteOfItem(int item)
{
    return item == 0 ? 0 : item + 1;
}

int fmPresetCode(const QString &text)
{
    if (text.trimmed().isEmpty())
        return 255;
    const double f = numericValue(text);
    if (f < FmLowerMHz || f > FmUpperMHz)
        return 255;
    // The small addition keeps 98.1, held as 98.0999..., at 111 steps.
    return static_cast<int>(std::floor((f - FmLowerMHz) * 10.0 + 1e-7));
}

std::array<int, 2> rangeLimitBytes(int mhz)
{
    const int h = mhz / 100 % 10, t = mhz / 10 % 10, u = mhz % 10;
    return {u * 16, h * 16 + t};
}

RangeLimitFault lowerLimitFault(double lower, double upper)
{
    if (lower < LowestRangeLimitMHz)
        return RangeLimitFault::OutsideBand;
    return upper < lower ? RangeLimitFault::Crossed : RangeLimitFault::None;
}

RangeLimitFault upperLimitFault(double lower, double upper)
{
    if (upper > HighestRangeLimitMHz)
        return RangeLimitFault::OutsideBand;
    return lower > upper ? RangeLimitFault::Crossed : RangeLimitFault::None;
}

Bilingual rangeLimitMessage(bool lower, RangeLimitFault fault)
{
    if (lower)
        return fault == RangeLimitFault::OutsideBand
            ? Bilingual{"下限频率不可小于本机最低工作频率",
                        "frequency of lower limit can't less than the lowest of work frequency. "}
            : Bilingual{"下限频率不可大于上限频率", "frequency of lower limit can't more than frequency of upper limit."};
    return fault == RangeLimitFault::OutsideBand
        ? Bilingual{"上限频率不可大于本机最高工作频率",
                    "frequency of upper limit can't more than the highest of work frequency. "}
        : Bilingual{"上限频率不可小于下限频率", "frequency of upper limit can't less than frequency of lower limit."};
}

void storeRangeLimit(Codeplug &image, bool lower, int mhz)
{
    const int first = lower ? 0 : 2;
    const auto bytes = rangeLimitBytes(mhz);
    image.at(Region::RangeRow, first) = qint16(bytes[0]);
    image.at(Region::RangeRow, first + 1) = qint16(bytes[1]);
}

bool isMessageCharacter(QChar ch)
{
    return ch.unicode() >= 0x20 && ch.unicode() <= 0x7E;
}

std::optional<Frequency> vfoReceiveField(const QString &text, const WorkRange &range)
{
    const double f = numericValue(text);
    if (text.size() >= 10 || !insideWorkingRange(f, range))
        return std::nullopt;
    return Frequency::truncated(f);
}

std::optional<Frequency> vfoOffsetField(const QString &text)
{
    const double f = numericValue(text);
    if (text.size() > 8 || f > HighestVfoOffsetMHz)
        return std::nullopt;
    return Frequency::truncated(f);
}

bool vfoTransmitInRange(const Codeplug &image, int direction, const WorkRange &range)
{
    return insideWorkingRange(checkedTransmitMHz(Frequency::read(image, Region::VfoRow, 0),
                                                 Frequency::read(image, Region::VfoRow, 4), direction),
                              range);
}

int vfoShiftDirection(const Codeplug &image)
{
    return qMin(storedSetting(image, SettingId::VfoDirection), int(shiftDirectionItems(Language::English).size()) - 1);
}

bool keepVfoShiftInRange(Codeplug &image, const WorkRange &range)
{
    if (vfoTransmitInRange(image, vfoShiftDirection(image), range))
        return true;
    storeSetting(image, SettingId::VfoDirection, 0);
    return false;
}

void storeVfoReceive(Codeplug &image, Frequency rx)
{
    storeSetting(image, SettingId::VfoDirection, 0);
    rx.store(image, Region::VfoRow, 0);
}

void storeVfoOffset(Codeplug &image, Frequency offset)
{
    offset.store(image, Region::VfoRow, 4);
}

QString vfoReceiveText(const Codeplug &image)
{
    return frequencyText(image, Region::VfoRow, 0);
}

QString vfoOffsetText(const Codeplug &image)
{
    return frequencyText(image, Region::VfoRow, 4);
}

void clearVfoOffset(Codeplug &image)
{
    for (int b = 4; b < 8; ++b)
        image.at(Region::VfoRow, b) = Region::Empty;
}

namespace {

SettingId vfoToneCode(ToneSlot slot)
{
    return slot == ToneSlot::Decode ? SettingId::VfoDecodeCode : SettingId::VfoEncodeCode;
}

SettingId vfoToneInversion(ToneSlot slot)
{
    return slot == ToneSlot::Decode ? SettingId::VfoDecodeInverted : SettingId::VfoEncodeInverted;
}

} // namespace

int vfoTonePosition(const Codeplug &image, ToneSlot slot)
{
    return tonePositionOfCode(storedSetting(image, vfoToneCode(slot)), storedSetting(image, vfoToneInversion(slot)) != 0,
                              ToneOverflow::LastEntry);
}

void storeVfoTone(Codeplug &image, ToneSlot slot, int position)
{
    const ToneCode tone = toneCodeOfPosition(position);
    storeSetting(image, vfoToneCode(slot), tone.code);
    storeSetting(image, vfoToneInversion(slot), tone.inverted);
}

int firstChannelInUse(const Codeplug &image)
{
    for (int n = Region::FirstChannelRow; n <= Region::LastChannelRow; ++n)
        if (hasCompleteReceiveFrequency(image, n))
            return n;
    return 0;
}

bool switchPriorityScanOn(Codeplug &image)
{
    const int first = firstChannelInUse(image);
    if (first == 0)
        return false;
    storeSetting(image, SettingId::PriorityScan, 1);
    storeSetting(image, SettingId::PriorityChannel, first);
    return true;
}

void storeOnlyChannelMode(Codeplug &image, bool on)
{
    if (on)
        storeSetting(image, SettingId::WorkMode, 1);
    storeSetting(image, SettingId::OnlyChannel, on);
}

int scanKind(const Codeplug &image)
{
    return settingValue(image, SettingId::ScanPriority);
}

QStringList revertItems(const Codeplug &image, Language language)
{
    return revertChannelItems(scanKind(image), language);
}

int powerLevel(const Codeplug &image, PowerLevel level)
{
    return storedSetting(image, level == PowerLevel::Low ? SettingId::PowerLow : SettingId::PowerHigh);
}

void storePowerLevel(Codeplug &image, PowerLevel level, int value)
{
    storeSetting(image, level == PowerLevel::Low ? SettingId::PowerLow : SettingId::PowerHigh, value);
    storeSetting(image, SettingId::PowerAdjusted, int(level));
}

QString fmPresetText(const Codeplug &image, int k)
{
    const int code = image.cell(Region::FmPresetRow, k);
    return code > FmHighestCode ? QString() : FmFreqText(code);
}

void storeFmPreset(Codeplug &image, int k, const QString &text)
{
    image.at(Region::FmPresetRow, k) = static_cast<qint16>(fmPresetCode(text));
}

QString messageText(const Codeplug &image)
{
    using namespace SettingBytes;
    QString text;
    for (int b = MessageFirstByte; b < MessageFirstByte + MessageLength; ++b) {
        const int code = image.cell(MessageRow, b);
        if (code > 0x20 && code < 0x7F)
            text += QChar(code);
    }
    return text;
}

void storeMessage(Codeplug &image, const QString &text)
{
    using namespace SettingBytes;
    for (int j = 0; j < MessageLength; ++j)
        image.at(MessageRow, MessageFirstByte + j) =
            static_cast<qint16>(j < text.size() ? text.at(j).unicode() : Region::Empty);
}

QString dtmfCode(const Codeplug &image)
{
    QString code;
    for (int b = 0; b < SettingBytes::DtmfCodeLength; ++b)
        code += DtmfDigitToChar(image.cell(Region::DtmfRow, b));
    return code;
}

void storeDtmfCode(Codeplug &image, const QString &code)
{
    for (int b = 0; b < SettingBytes::DtmfCodeLength; ++b)
        image.at(Region::DtmfRow, b) = qint16(b < code.size() ? DtmfCharToDigit(code.at(b)) : Region::Empty);
}
