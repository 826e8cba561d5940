#include "fields/FieldCatalogue.h"

#include "fields/FieldBuilders.h"
#include "core/Codecs.h"

#include <QHash>

using namespace Region;

namespace {

QVector<Field> buildCatalogue()
{
    using namespace FieldRows;
    QVector<Field> fields;
    for (int n = FirstChannelRow; n <= LastChannelRow; ++n)
        addChannelFields(fields, n);
    addVfoFields(fields);
    addOptionFields(fields);
    addDtmfFields(fields);
    addFmFields(fields);
    addScanFields(fields);
    addKeyFields(fields);
    addMessageAndPower(fields);
    return fields;
}

} // namespace

const QVector<Field> &fieldCatalogue()
{
    static const QVector<Field> fields = buildCatalogue();
    return fields;
}

const Field *findField(const QString &id)
{
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        const QVector<Field> &fields = fieldCatalogue();
        for (int i = 0; i < fields.size(); ++i)
            h.insert(fields.at(i).id, i);
        return h;
    }();
    const auto it = index.constFind(id);
    return it == index.constEnd() ? nullptr : &fieldCatalogue().at(*it);
}

QString readField(const Codeplug &image, const Field &field, Language language)
{
    return field.read(image, language);
}

QStringList readAllFields(const Codeplug &image, Language language)
{
    QStringList texts;
    for (const Field &field : fieldCatalogue())
        texts << field.read(image, language);
    return texts;
}

QString writeField(Codeplug &image, const Field &field, const QString &text, Language language)
{
    // The text a field shows already is no change, even where its rule would
    // refuse it (a derived offset, a channel not in use, a priority channel
    // while priority scan is off) or store other bytes (a value past a
    // list's end): show's output can be handed back to set, and what set
    // changes is exactly what diff lists.
    if (text == field.read(image, Language::English) || text == field.read(image, Language::Chinese))
        return {};
    // A refusal leaves the image as it was, whatever the rule touched first.
    Codeplug changed = image;
    const QString refused = field.write(changed, text, language);
    if (refused.isEmpty())
        image = changed;
    return refused;
}

FieldValue readValue(const Codeplug &image, const Field &field)
{
    return field.value(image);
}

QString writeValue(Codeplug &image, const Field &field, const FieldValue &value, Language language)
{
    if (value == field.value(image))
        return {};
    Codeplug changed = image;
    const QString refused = field.store(changed, value, language);
    if (refused.isEmpty())
        image = changed;
    return refused;
}

int uncoveredMask(int row, int column)
{
    static const std::array<quint8, Codeplug::Size> covered = [] {
        std::array<quint8, Codeplug::Size> bits{};
        for (const Field &field : fieldCatalogue())
            for (const FieldByte &b : field.bytes)
                bits[b.row * RowBytes + b.column] |= quint8(b.mask);
        return bits;
    }();
    return ~covered[row * RowBytes + column] & 0xFF;
}

std::pair<int, int> workingRange(const Codeplug &image)
{
    return RangeFromImage(image);
}
