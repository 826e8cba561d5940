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
    Field f{QString::fromLatin1(p.key), p.caption, kind, bytes, 0, {}, {}, {}};
    if (p.items)
        f.choices = p.items;
    return f;
}

} // namespace

Field settingChoice(SettingId id)
{
    Field f = settingField(id, FieldKind::Choice);
    const Items items = f.choices;
    f.read = [=](const Codeplug &image, Language language) {
        const QStringList list = items(language);
        return list.at(qMin(settingValue(image, id), int(list.size()) - 1));
    };
    f.write = [=](Codeplug &image, const QString &text, Language language) {
        const int index = choiceIndex(items, text);
        if (index < 0)
            return unknownItem(items, text, language);
        setSetting(image, id, index);
        return QString();
    };
    return f;
}

Field settingFlag(SettingId id, Bilingual refused)
{
    Field f = settingField(id, FieldKind::Flag);
    f.read = [=](const Codeplug &image, Language language) {
        return bilingualText(settingValue(image, id) ? On : Off, language);
    };
    f.write = [=](Codeplug &image, const QString &text, Language language) {
        const int on = flagValue(text);
        if (on < 0)
            return neitherOnNorOff(language).arg(text.trimmed());
        return setSetting(image, id, on) ? QString() : langText(language, refused);
    };
    f.choices = [](Language language) { return bilingualItems({On, Off}, language); };
    return f;
}

Field settingNumber(SettingId id, int lowest, int highest, Bilingual refusal)
{
    Field f = settingField(id, FieldKind::Number);
    f.read = [=](const Codeplug &image, Language) { return QString::number(settingValue(image, id)); };
    f.write = [=](Codeplug &image, const QString &text, Language language) {
        const QString t = text.trimmed();
        if (!isWholeNumberText(t) || t.toInt() < lowest || t.toInt() > highest || !setSetting(image, id, t.toInt()))
            return langText(language, refusal).arg(t);
        return QString();
    };
    return f;
}

Field guarded(Field field, const Precondition &refusal)
{
    const Writer write = field.write;
    field.write = [=](Codeplug &image, const QString &text, Language language) {
        const QString refused = refusal(image, text, language);
        return refused.isEmpty() ? write(image, text, language) : refused;
    };
    return field;
}

Field flag(const QString &id, Bilingual caption, int row, int column, int bit, bool inverted)
{
    Field f{id, caption, FieldKind::Flag, {{row, column, 1 << bit}}, 0, {}, {}, {}};
    f.read = [=](const Codeplug &image, Language language) {
        return bilingualText(imageBit(image, row, column, bit) != inverted ? On : Off, language);
    };
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
