#pragma once
// What the catalogue's regions build their fields from: the checks of typed
// text and the generic rows. Internal to the catalogue.
#include "fields/FieldCatalogue.h"

#include "core/Frequency.h"
#include "core/SettingPlaces.h"

#include <optional>

namespace FieldRows {

using Reader = decltype(Field::read);
using Writer = decltype(Field::write);
using Items = std::function<QStringList(Language language)>;
using ValueReader = decltype(Field::value);
using ValueWriter = decltype(Field::store);

constexpr Bilingual On{"开", "On"};
constexpr Bilingual Off{"关", "Off"};

// The position of `text` among a list's items in either language, or -1.
int choiceIndex(const Items &items, const QString &text);
QString unknownItem(const Items &items, const QString &text, Language language);
// A flag as text: on/off in either language, or 1/0; -1 for neither.
int flagValue(const QString &text);
bool isFrequencyText(const QString &text);
bool isWholeNumberText(const QString &text);
QString outOfRange(const WorkRange &range, Language language);
// Refusals several fields share, in `language`; each takes the entered
// text as %1.
QString notAFrequency(Language language);
QString longerThanFive(Language language);
QString neitherOnNorOff(Language language);
QString unknownTone(Language language);
// "<text> is outside the working range ...".
QString isOutOfRange(const QString &text, const WorkRange &range, Language language);
// A channel frequency entry read by the channel editors' rules: the
// frequency to store, or none and the reason it was refused.
std::optional<Frequency> channelEntry(const QString &text, const WorkRange &range, QString &refusal,
                                      Language language);
// The same for a value: a frequency snapped onto the raster, or none for
// nothing (an emptied box) or with the reason it was refused.
std::optional<Frequency> channelValue(const FieldValue &value, const WorkRange &range, QString &refusal,
                                      Language language);
// A frequency as a refusal quotes it, with the grid's five decimals.
QString frequencyValueText(Frequency value);
// The refusal of a value of another kind than the field holds.
QString notOfItsKind(Language language);
// A value writer for the values of type T, which refuses any other kind.
template <typename T, typename Store>
ValueWriter storeAs(Store store)
{
    return [store](Codeplug &image, const FieldValue &value, Language language) {
        const T *v = std::get_if<T>(&value);
        return v ? QString(store(image, *v, language)) : notOfItsKind(language);
    };
}
// A list position: refused past the list's end.
QString checkPosition(int position, const Items &items, Language language);
QString checkName(const QString &name, Language language);
QString readOnly(Codeplug &image, const QString &text, Language language);
QString readOnlyValue(Codeplug &image, const FieldValue &value, Language language);

QVector<FieldByte> wholeBytes(int row, int first, int count);
Field flag(const QString &id, Bilingual caption, int row, int column, int bit, bool inverted = false);

// The fields of the settings' places (core/SettingPlaces.h), named and
// captioned there and read and written through the settings' values: an
// item of the setting's list; on or off; a whole number lowest..highest,
// refused with `refusal` (which takes the text as %1). `refused` answers
// a value that the setting's rule refuses.
Field settingChoice(SettingId id);
Field settingFlag(SettingId id, Bilingual refused = {"", ""});
Field settingNumber(SettingId id, int lowest, int highest, Bilingual refusal);
// A field whose writes are first asked `refusal` with the value to store
// (a text the field's list reads as its position): a non-empty answer
// refuses it and nothing is stored.
using Precondition = std::function<QString(const Codeplug &image, const FieldValue &value, Language language)>;
Field guarded(Field field, const Precondition &refusal);

// The regions, in catalogue order.
void addChannelFields(QVector<Field> &fields, int n);
void addVfoFields(QVector<Field> &fields);
void addOptionFields(QVector<Field> &fields);
void addDtmfFields(QVector<Field> &fields);
void addFmFields(QVector<Field> &fields);
void addScanFields(QVector<Field> &fields);
void addKeyFields(QVector<Field> &fields);
void addMessageAndPower(QVector<Field> &fields);

} // namespace FieldRows
