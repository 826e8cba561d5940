// The scan settings, the programmable keys, the embedded message and the
// transmit power adjustment.
#include "fields/FieldBuilders.h"

#include "core/SettingsCaptions.h"
#include "core/SettingsChoices.h"
#include "core/SettingsRules.h"
#include "core/Texts.h"

namespace FieldRows {

using namespace Region;

namespace {

// The scan's priority channel, 1..16, or none (stored as 0) when emptied.
QString storePriorityChannel(Codeplug &image, const FieldValue &value, Language language)
{
    const NumberValue *channel = std::get_if<NumberValue>(&value);
    if (!channel && !std::holds_alternative<std::monostate>(value))
        return notOfItsKind(language);
    if (scanKind(image) != FixedPriority)
        return langText(language, "优先不是固定的", "the priority is not fixed");
    if ((channel && channel->value < 1) || !setSetting(image, SettingId::ScanPriorityChannel, channel ? channel->value : 0))
        return langText(language, "优先信道必须在 1 到 16 之间", "the priority channel must be between 1 and 16");
    return QString();
}

// The revert list of the image's priority kind.
Items revertList(const Codeplug &image)
{
    const int k = scanKind(image);
    return [k](Language language) { return revertChannelItems(k, language); };
}

} // namespace

void addScanFields(QVector<Field> &fields)
{
    using S = SettingId;
    fields.append(settingChoice(S::ScanPriority));
    const SettingPlace &channel = settingPlace(S::ScanPriorityChannel);
    fields.append({channel.key, channel.caption, FieldKind::Number, {{channel.row, channel.byte, channel.mask}}, 0,
                   [](const Codeplug &image, Language) {
                       const int shown = settingValue(image, S::ScanPriorityChannel);
                       return shown ? QString::number(shown) : QString();
                   },
                   [](Codeplug &image, const QString &text, Language language) {
                       const QString t = text.trimmed();
                       if (t.isEmpty())
                           return storePriorityChannel(image, {}, language);
                       if (!isWholeNumberText(t) || t.size() > 2)
                           return storePriorityChannel(image, NumberValue{0}, language);
                       return storePriorityChannel(image, NumberValue{t.toInt()}, language);
                   },
                   {},
                   [](const Codeplug &image) {
                       const int shown = settingValue(image, S::ScanPriorityChannel);
                       return shown ? FieldValue(NumberValue{shown}) : FieldValue();
                   },
                   storePriorityChannel});
    for (S id : {S::LookBackA, S::LookBackB})
        fields.append(guarded(settingChoice(id), [](const Codeplug &image, const FieldValue &, Language language) {
            return scanKind(image) == NoPriority ? langText(language, "回看时间需要设置优先", "look-back times need a priority")
                                                 : QString();
        }));
    // The revert list depends on the image's priority kind, so the field
    // has no fixed list of choices.
    const SettingPlace &revert = settingPlace(S::Revert);
    fields.append({revert.key, revert.caption, FieldKind::Choice, {{revert.row, revert.byte, revert.mask}}, 0,
                   [](const Codeplug &image, Language language) {
                       return revertItems(image, language).at(settingValue(image, S::Revert));
                   },
                   [](Codeplug &image, const QString &text, Language language) {
                       const Items items = revertList(image);
                       const int item = choiceIndex(items, text);
                       if (item < 0)
                           return unknownItem(items, text, language);
                       setSetting(image, S::Revert, item);
                       return QString();
                   },
                   {}, [](const Codeplug &image) { return ChoiceValue{settingValue(image, S::Revert)}; },
                   storeAs<ChoiceValue>([](Codeplug &image, ChoiceValue item, Language language) {
                       const QString refused = checkPosition(item.index, revertList(image), language);
                       if (refused.isEmpty())
                           setSetting(image, S::Revert, item.index);
                       return refused;
                   })});
    for (S id : {S::DropoutDelay, S::TxDwell})
        fields.append(settingNumber(id, 0, LongestScanDelay, {"“%1”不在 0..300 秒之内", "\"%1\" is not 0..300 seconds"}));
}

void addKeyFields(QVector<Field> &fields)
{
    fields.append(settingChoice(SettingId::Pf1));
    fields.append(settingChoice(SettingId::Pf2));
}

void addMessageAndPower(QVector<Field> &fields)
{
    using namespace SettingBytes;
    const auto store = [](Codeplug &image, const QString &text, Language language) {
        const QString t = text.trimmed();
        if (t.size() > MessageLength)
            return longerThanFive(language).arg(t);
        for (const QChar ch : t)
            if (!isMessageCharacter(ch))
                return langText(language, "“%1”含有可打印 ASCII 以外的字符",
                                "\"%1\" holds a character outside printable ASCII").arg(t);
        storeMessage(image, t);
        return QString();
    };
    fields.append({"message", MessageCaption, FieldKind::Text,
                   wholeBytes(MessageRow, MessageFirstByte, MessageLength), 0,
                   [](const Codeplug &image, Language) { return messageText(image); }, store, {},
                   [](const Codeplug &image) { return FieldValue(messageText(image)); }, storeAs<QString>(store)});
    for (SettingId id : {SettingId::PowerLow, SettingId::PowerHigh})
        fields.append(settingNumber(id, 0, 255, {"“%1”不在 0..255 之内", "\"%1\" is not 0..255"}));
}

} // namespace FieldRows
