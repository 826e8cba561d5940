#include "fields/FieldBuilders.h"

#include "core/BitField.h"
#include "core/Codecs.h"
#include "core/FrequencyEntry.h"
#include "core/NumberText.h"
#include "core/Texts.h"

#include <QRegularExpression>

namespace FieldRows {

int choiceIndex(const Items &items, const QString &text)
{
    const QString wanted = text.trimmed();
    for (Language language : {Language::English, Language::Chinese}) {
        const QStringList list = items(language);
        for (int i = 0; i < list.size(); ++i)
            if (list.at(i).trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
                return i;
    }
    return -1;
}

QString unknownItem(const Items &items, const QString &text, Language language)
{
    const QStringList list = items(language);
    if (list.size() > 12)
        return langText(language, "“%1”不在其列表中", "\"%1\" is not an item of its list").arg(text.trimmed());
    QStringList shown;
    for (const QString &item : list)
        shown << item.trimmed();
    return langText(language, "“%1”不是以下之一：%2", "\"%1\" is not one of: %2").arg(text.trimmed(), shown.join(langText(language, "、", ", ")));
}

int flagValue(const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("on") || t == QLatin1String("1") || t == QString::fromUtf8(On.chinese))
        return 1;
    if (t == QLatin1String("off") || t == QLatin1String("0") || t == QString::fromUtf8(Off.chinese))
        return 0;
    return -1;
}

bool isFrequencyText(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d+(\\.\\d*)?$"));
    return pattern.match(text).hasMatch();
}

bool isWholeNumberText(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d+$"));
    return pattern.match(text).hasMatch();
}

QString notAFrequency(Language language) { return langText(language, "“%1”不是频率", "\"%1\" is not a frequency"); }

QString longerThanFive(Language language) { return langText(language, "“%1”超过 5 个字符", "\"%1\" is longer than 5 characters"); }

QString unknownTone(Language language) { return langText(language, "未知亚音“%1”", "unknown tone \"%1\""); }

QString neitherOnNorOff(Language language) { return langText(language, "“%1”既不是开也不是关", "\"%1\" is neither on nor off"); }

QString isOutOfRange(const QString &text, const WorkRange &range, Language language)
{
    return langText(language, "%1 %2", "%1 is %2").arg(text, outOfRange(range, language));
}

QString outOfRange(const WorkRange &range, Language language)
{
    return langText(language, "超出工作频率范围 %1..%2 MHz", "outside the working range %1..%2 MHz").arg(range.low).arg(range.high);
}

std::optional<Frequency> channelEntry(const QString &text, const WorkRange &range, QString &refusal,
                                      Language language)
{
    const QString notFrequency = notAFrequency(language).arg(text);
    if (!isFrequencyText(text)) {
        refusal = notFrequency;
        return std::nullopt;
    }
    const CheckedEntry checked = checkFrequencyEntry(text, range);
    if (!checked.outOfRange)
        return checked.frequency;
    // In the band, yet refused: a whole number with leading zeros, which
    // padding would turn into another number ("0438" into 043800000).
    refusal = isFrequencyInBand(numericValue(text), range) ? notFrequency
                                                           : isOutOfRange(text, range, language);
    return std::nullopt;
}

std::optional<Frequency> channelValue(const FieldValue &value, const WorkRange &range, QString &refusal,
                                      Language language)
{
    const Frequency *f = std::get_if<Frequency>(&value);
    if (!f) {
        if (!std::holds_alternative<std::monostate>(value))
            refusal = notOfItsKind(language);
        return std::nullopt;
    }
    // Snapped as an entry's value is, so that a value and its text store
    // the same bytes.
    if (!isFrequencyInBand(f->mhz(), range)) {
        refusal = isOutOfRange(frequencyValueText(*f), range, language);
        return std::nullopt;
    }
    return Frequency::snapped(f->mhz());
}

QString frequencyValueText(Frequency value)
{
    const qint64 steps = value.steps();
    return QStringLiteral("%1.%2").arg(steps / Frequency::StepsPerMHz).arg(steps % Frequency::StepsPerMHz, 5, 10,
                                                                           QLatin1Char('0'));
}

QString notOfItsKind(Language language)
{
    return langText(language, "值的种类与参数不符", "the value is not of the field's kind");
}

QString checkPosition(int position, const Items &items, Language language)
{
    return position >= 0 && position < items(language).size() ? QString()
                                                               : unknownItem(items, QString::number(position), language);
}

static bool isNameText(const QString &text)
{
    for (const QChar ch : text)
        if (ch != QLatin1Char(' ') && CodeToChar(CharToCode(QString(ch))) != QString(ch).toUpper())
            return false;
    return true;
}

QString checkName(const QString &name, Language language)
{
    if (name.size() > 5)
        return longerThanFive(language).arg(name);
    if (!isNameText(name))
        return langText(language, "“%1”含有 0-9 A-Z - _ + * 和空格以外的字符",
                        "\"%1\" holds a character outside 0-9 A-Z - _ + * and space").arg(name);
    return QString();
}

QString readOnly(Codeplug &, const QString &, Language language)
{
    return langText(language, "此参数由其他参数得出，不能单独设置", "this field is derived; it cannot be set on its own");
}

QString readOnlyValue(Codeplug &image, const FieldValue &, Language language) { return readOnly(image, {}, language); }

QVector<FieldByte> wholeBytes(int row, int first, int count)
{
    QVector<FieldByte> bytes;
    for (int c = first; c < first + count; ++c)
        bytes.append({row, c, 0xFF});
    return bytes;
}

namespace {

Field settingField(SettingId id, FieldKind kind)
{
    const SettingPlace &p = settingPlace(id);
    QVector<FieldByte> bytes;
    for (int k = 0; k < p.width; ++k)
        bytes.append({p.row, p.byte + k, p.mask});
    Field f{QString::fromLatin1(p.key), p.caption, kind, bytes, 0, {}, {}, {}, {}, {}};
    if (p.items)
        f.choices = p.items;
    return f;
}

} // namespace

Field settingChoice(SettingId id)
{
    Field f = settingField(id, FieldKind::Choice);
    const Items items = f.choices;
    // A value past the list's end selects its last item.
    const auto position = [=](const Codeplug &image) {
        return qMin(settingValue(image, id), int(items(Language::English).size()) - 1);
    };
    f.read = [=](const Codeplug &image, Language language) { return items(language).at(position(image)); };
    f.value = [=](const Codeplug &image) { return ChoiceValue{position(image)}; };
    f.write = [=](Codeplug &image, const QString &text, Language language) {
        const int index = choiceIndex(items, text);
        if (index < 0)
            return unknownItem(items, text, language);
        setSetting(image, id, index);
        return QString();
    };
    f.store = storeAs<ChoiceValue>([=](Codeplug &image, ChoiceValue v, Language language) {
        const QString refused = checkPosition(v.index, items, language);
        if (refused.isEmpty())
            setSetting(image, id, v.index);
        return refused;
    });
    return f;
}

Field settingFlag(SettingId id, Bilingual refused)
{
    Field f = settingField(id, FieldKind::Flag);
    f.read = [=](const Codeplug &image, Language language) {
        return bilingualText(settingValue(image, id) ? On : Off, language);
    };
    f.value = [=](const Codeplug &image) { return settingValue(image, id) != 0; };
    f.write = [=](Codeplug &image, const QString &text, Language language) {
        const int on = flagValue(text);
        if (on < 0)
            return neitherOnNorOff(language).arg(text.trimmed());
        return setSetting(image, id, on) ? QString() : langText(language, refused);
    };
    f.store = storeAs<bool>([=](Codeplug &image, bool on, Language language) {
        return setSetting(image, id, on) ? QString() : langText(language, refused);
    });
    f.choices = [](Language language) { return bilingualItems({On, Off}, language); };
    return f;
}

Field settingNumber(SettingId id, int lowest, int highest, Bilingual refusal)
{
    Field f = settingField(id, FieldKind::Number);
    f.read = [=](const Codeplug &image, Language) { return QString::number(settingValue(image, id)); };
    f.value = [=](const Codeplug &image) { return NumberValue{settingValue(image, id)}; };
    const auto store = [=](Codeplug &image, int value, const QString &text, Language language) {
        if (value < lowest || value > highest || !setSetting(image, id, value))
            return langText(language, refusal).arg(text);
        return QString();
    };
    f.write = [=](Codeplug &image, const QString &text, Language language) {
        const QString t = text.trimmed();
        return isWholeNumberText(t) ? store(image, t.toInt(), t, language) : langText(language, refusal).arg(t);
    };
    f.store = storeAs<NumberValue>([=](Codeplug &image, NumberValue v, Language language) {
        return store(image, v.value, QString::number(v.value), language);
    });
    return f;
}

Field guarded(Field field, const Precondition &refusal)
{
    const Writer write = field.write;
    const ValueWriter store = field.store;
    const Items items = field.choices;
    field.write = [=](Codeplug &image, const QString &text, Language language) {
        const FieldValue value = items ? FieldValue(ChoiceValue{choiceIndex(items, text)}) : FieldValue();
        const QString refused = refusal(image, value, language);
        return refused.isEmpty() ? write(image, text, language) : refused;
    };
    field.store = [=](Codeplug &image, const FieldValue &value, Language language) {
        const QString refused = refusal(image, value, language);
        return refused.isEmpty() ? store(image, value, language) : refused;
    };
    return field;
}

Field flag(const QString &id, Bilingual caption, int row, int column, int bit, bool inverted)
{
    Field f{id, caption, FieldKind::Flag, {{row, column, 1 << bit}}, 0, {}, {}, {}, {}, {}};
    f.read = [=](const Codeplug &image, Language language) {
        return bilingualText(imageBit(image, row, column, bit) != inverted ? On : Off, language);
    };
    f.value = [=](const Codeplug &image) { return imageBit(image, row, column, bit) != inverted; };
    f.store = storeAs<bool>([=](Codeplug &image, bool on, Language) {
        storeImageBit(image, row, column, bit, on != inverted);
        return QString();
    });
    f.write = [=](Codeplug &image, const QString &text, Language language) {
        const int on = flagValue(text);
        if (on < 0)
            return neitherOnNorOff(language).arg(text.trimmed());
        storeImageBit(image, row, column, bit, (on == 1) != inverted);
        return QString();
    };
    f.choices = [](Language language) { return bilingualItems({On, Off}, language); };
    return f;
}

} // namespace FieldRows
