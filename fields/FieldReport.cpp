#include "fields/FieldReport.h"

#include "core/ChannelUse.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <array>

namespace {

QRegularExpression fieldPattern(const QString &pattern)
{
    if (pattern.isEmpty())
        return QRegularExpression(QStringLiteral(".*"));
    return QRegularExpression(QRegularExpression::wildcardToRegularExpression(
        pattern, QRegularExpression::UnanchoredWildcardConversion).prepend(QLatin1Char('^')).append(QLatin1Char('$')));
}

// A field's caption as a person reads it, with its channel number and, for
// a channel's field, the encoding it reads: the grid's or the editor's.
QString fieldLabel(const Field &field, Language language)
{
    if (field.channel == 0) {
        if (language != Language::Chinese)
            return QString(field.id).replace(QLatin1Char('.'), QLatin1Char(' ')).replace(QLatin1Char('_'), QLatin1Char(' '));
        const QString caption = bilingualText(field.caption, Language::Chinese).trimmed();
        return field.id.startsWith(QLatin1String("fm.")) ? caption + QLatin1Char(' ') + field.id.mid(3) : caption;
    }
    const QString editorPrefix = QStringLiteral("channel.%1.editor.").arg(field.channel);
    const bool editor = field.id.startsWith(editorPrefix);
    if (language == Language::Chinese)
        return QStringLiteral("信道 %1 %2").arg(field.channel).arg(bilingualText(field.caption, Language::Chinese).trimmed())
            + (editor ? QStringLiteral("（信道编辑器编码）") : QStringLiteral("（信道表格编码）"));
    const QString name = field.id.mid(field.id.lastIndexOf(QLatin1Char('.')) + 1).replace(QLatin1Char('_'), QLatin1Char(' '));
    return QStringLiteral("channel %1 %2").arg(field.channel).arg(name)
        + (editor ? QStringLiteral(" (editor encoding)") : QStringLiteral(" (grid encoding)"));
}

// The encoding a field reads; settings outside the channels read the same in
// both (Both).
ListedEncoding encodingOf(const Field &field)
{
    if (field.channel == 0)
        return ListedEncoding::Both;
    return field.id.startsWith(QStringLiteral("channel.%1.editor.").arg(field.channel)) ? ListedEncoding::Editor
                                                                                         : ListedEncoding::Grid;
}

// Whether a listing in `shown` leaves out `field`'s lines where it can: a
// channel field of the other encoding.
bool ofOtherEncoding(const Field &field, ListedEncoding shown)
{
    const ListedEncoding own = encodingOf(field);
    return shown != ListedEncoding::Both && own != ListedEncoding::Both && own != shown;
}

bool isShown(const Codeplug &image, const Field &field, const QString &text)
{
    return !(field.channel != 0 && text.isEmpty() && isChannelEmpty(image, field.channel));
}

struct RawByte {
    int column;
    int value;
    int mask; // the bits no field covers
};

// The bytes of a row that no field fully covers; partly covered bytes
// only in rows of channels in use, since elsewhere they are unprogrammed.
QVector<RawByte> rawBytes(const Codeplug &image, int row)
{
    QVector<RawByte> bytes;
    const bool channelRow = row >= 1 && row <= 128;
    for (int c = 0; c < RowBytes; ++c) {
        const int mask = uncoveredMask(row, c);
        if (mask == 0 || (mask != 0xFF && channelRow && isChannelEmpty(image, row)))
            continue;
        bytes.append({c, image.at(row, c), mask});
    }
    return bytes;
}

QString hexByte(int value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

QString rawText(const QVector<RawByte> &bytes)
{
    QStringList parts;
    for (const RawByte &b : bytes)
        parts << QStringLiteral("%1:%2").arg(b.column).arg(hexByte(b.value))
                     + (b.mask == 0xFF ? QString() : QStringLiteral("&") + hexByte(b.mask));
    return parts.join(QLatin1Char(' '));
}

QString quoted(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("\"\"") : text;
}

} // namespace

namespace {

// What show lists: the fields the pattern picks with their texts, then the
// rows of bytes no field covers.
struct Shown {
    QVector<std::pair<const Field *, QString>> fields;
    QVector<std::pair<int, QVector<RawByte>>> rawRows;
};

Shown shownFields(const Codeplug &image, const QString &pattern, Language language)
{
    const QRegularExpression wanted = fieldPattern(pattern);
    Shown shown;
    for (const Field &field : fieldCatalogue()) {
        if (!wanted.match(field.id).hasMatch())
            continue;
        const QString text = readField(image, field, language);
        if (isShown(image, field, text))
            shown.fields.append({&field, text});
    }
    for (int row = 0; row < RadioRows; ++row) {
        const QVector<RawByte> bytes = rawBytes(image, row);
        if (!bytes.isEmpty() && wanted.match(QStringLiteral("raw.%1").arg(row)).hasMatch())
            shown.rawRows.append({row, bytes});
    }
    return shown;
}

} // namespace

QString showFields(const Codeplug &image, const QString &pattern, Language language)
{
    const Shown shown = shownFields(image, pattern, language);
    QString out;
    for (const auto &[field, text] : shown.fields) {
        out += field->id + QStringLiteral(" = ") + text;
        if (language == Language::Chinese)
            out += QStringLiteral("    # ") + fieldLabel(*field, Language::Chinese);
        out += QLatin1Char('\n');
    }
    for (const auto &[row, bytes] : shown.rawRows)
        out += QStringLiteral("raw.%1 = ").arg(row) + rawText(bytes) + QLatin1Char('\n');
    return out;
}

QJsonArray showFieldsJson(const Codeplug &image, const QString &pattern, Language language)
{
    const Shown shown = shownFields(image, pattern, language);
    QJsonArray list;
    for (const auto &[field, text] : shown.fields) {
        QJsonArray at;
        for (const FieldByte &b : field->bytes)
            at.append(QJsonObject{{"row", b.row}, {"byte", b.column}, {"mask", b.mask}});
        QJsonObject shown{{"id", field->id},
                          {"caption", bilingualText(field->caption, language)},
                          {"text", text},
                          {"bytes", at}};
        // A script learns before it sets a field what else that may change.
        QJsonArray sharing;
        for (const Field *other : sharingFields(*field))
            sharing.append(other->id);
        if (!sharing.isEmpty())
            shown.insert(QStringLiteral("sharesBytesWith"), sharing);
        list.append(shown);
    }
    for (const auto &[row, bytes] : shown.rawRows) {
        QJsonArray at;
        for (const RawByte &b : bytes)
            at.append(QJsonObject{{"row", row}, {"byte", b.column}, {"mask", b.mask}, {"value", b.value}});
        list.append(QJsonObject{{"id", QStringLiteral("raw.%1").arg(row)}, {"bytes", at}});
    }
    return list;
}

QVector<FieldChange> describeChanges(const Codeplug &expected, const Codeplug &actual, const QSet<int> &addresses,
                                     Language language, bool withRawBytes, ListedEncoding encoding)
{
    std::array<int, Codeplug::Size> differing{};
    for (int address : addresses)
        if (address >= 0 && address < Codeplug::Size)
            differing[address] = expected.byte(address) ^ actual.byte(address);

    QVector<FieldChange> lines;
    // A channel created or removed is one line, whatever its bytes hold.
    for (int n = 1; n <= 128; ++n) {
        const bool wasEmpty = isChannelEmpty(expected, n);
        if (wasEmpty == isChannelEmpty(actual, n) || differing[n * RowBytes] == 0)
            continue;
        const Field *receive = findField(QStringLiteral("channel.%1.receive").arg(n));
        const QString created = language == Language::Chinese ? QStringLiteral("信道 %1 已新建：%2") : QStringLiteral("channel %1 created: %2");
        const QString removed = language == Language::Chinese ? QStringLiteral("信道 %1 已删除") : QStringLiteral("channel %1 removed");
        lines.append({nullptr, wasEmpty ? created.arg(n).arg(readField(actual, *receive, language)) : removed.arg(n)});
        for (int c = 0; c < RowBytes; ++c)
            differing[n * RowBytes + c] = 0;
    }

    // Every field whose value or text changed and that covers a changed bit
    // (a frequency digit above 9 gives the same value other bytes hold): the
    // channel's two encodings share bytes 8..15, so one change may read
    // differently in each. A listing of one encoding leaves out the other's
    // lines where its own lines already name every changed bit they cover.
    const QVector<Field> &fields = fieldCatalogue();
    std::array<int, Codeplug::Size> unexplained = differing;
    std::array<int, Codeplug::Size> named{}; // the changed bits the listing's own encoding names
    QVector<FieldChange> changed;
    for (int i = 0; i < fields.size(); ++i) {
        const Field &field = fields.at(i);
        const bool touched = std::any_of(field.bytes.begin(), field.bytes.end(), [&](const FieldByte &b) {
            return differing[b.row * RowBytes + b.column] & b.mask;
        });
        if (!touched)
            continue;
        for (const FieldByte &b : field.bytes)
            unexplained[b.row * RowBytes + b.column] &= ~b.mask;
        const QString was = readField(expected, field, language), now = readField(actual, field, language);
        if (readValue(expected, field) == readValue(actual, field) && was == now)
            continue;
        changed.append({&field, QStringLiteral("%1: %2 -> %3").arg(fieldLabel(field, language), quoted(was), quoted(now))});
        if (!ofOtherEncoding(field, encoding))
            for (const FieldByte &b : field.bytes)
                named[b.row * RowBytes + b.column] |= differing[b.row * RowBytes + b.column] & b.mask;
    }
    for (const FieldChange &change : changed) {
        const Field *field = change.field;
        const bool namedAlready = ofOtherEncoding(*field, encoding)
            && std::all_of(field->bytes.begin(), field->bytes.end(), [&](const FieldByte &b) {
                   const int address = b.row * RowBytes + b.column;
                   return (differing[address] & b.mask & ~named[address]) == 0;
               });
        if (!namedAlready)
            lines.append(change);
    }

    for (int address = 0; withRawBytes && address < Codeplug::Size; ++address)
        if (unexplained[address])
            lines.append({nullptr, QStringLiteral("row %1 byte %2: 0x%3 -> 0x%4")
                                       .arg(address / RowBytes)
                                       .arg(address % RowBytes)
                                       .arg(hexByte(expected.byte(address)), hexByte(actual.byte(address)))});
    return lines;
}

QStringList describeDifferences(const Codeplug &expected, const Codeplug &actual, const QSet<int> &addresses,
                                Language language, bool withRawBytes, ListedEncoding encoding)
{
    QStringList lines;
    for (const FieldChange &change : describeChanges(expected, actual, addresses, language, withRawBytes, encoding))
        lines << change.line;
    return lines;
}



namespace {

QSet<int> differingAddresses(const Codeplug &a, const Codeplug &b)
{
    QSet<int> addresses;
    for (int address = 0; address < Codeplug::Size; ++address)
        if (a.byte(address) != b.byte(address))
            addresses.insert(address);
    return addresses;
}

// Whose rules a field stores by: a channel's fields by their encoding's
// (the receive frequency by the grid's unless named as the editor's),
// other fields by their region's (the first part of the identifier).
QString ruleView(const Field &field)
{
    if (field.channel == 0)
        return field.id.section(QLatin1Char('.'), 0, 0);
    return encodingOf(field) == ListedEncoding::Editor ? QStringLiteral("editor") : QStringLiteral("grid");
}

// How a field reads its bits: as its rules do, except that a channel's
// bytes 0..7 (frequency and offset) read alike in both encodings.
QString readView(const Field &field)
{
    const bool common = field.channel != 0 && std::all_of(field.bytes.begin(), field.bytes.end(), [&](const FieldByte &b) {
        return b.row == field.channel && b.column < 8;
    });
    return common ? QString() : ruleView(field);
}

bool overlaps(const Field &a, const Field &b)
{
    for (const FieldByte &x : a.bytes)
        for (const FieldByte &y : b.bytes)
            if (x.row == y.row && x.column == y.column && (x.mask & y.mask))
                return true;
    return false;
}

} // namespace

DiffResult diffCodeplugs(const Codeplug &a, const Codeplug &b, Language language, ListedEncoding encoding)
{
    const QSet<int> addresses = differingAddresses(a, b);
    if (addresses.isEmpty())
        return {};
    return {describeDifferences(a, b, addresses, language, true, encoding)};
}

QVector<FieldChange> fieldChanges(const Codeplug &a, const Codeplug &b, Language language)
{
    return describeChanges(a, b, differingAddresses(a, b), language);
}

QVector<const Field *> sharingFields(const Field &field)
{
    // The fields over each byte, found once.
    static const QVector<QVector<const Field *>> atAddress = [] {
        QVector<QVector<const Field *>> fields(Codeplug::Size);
        for (const Field &f : fieldCatalogue())
            for (const FieldByte &b : f.bytes)
                if (!fields[b.row * RowBytes + b.column].contains(&f))
                    fields[b.row * RowBytes + b.column].append(&f);
        return fields;
    }();
    QVector<const Field *> sharing;
    const QString view = readView(field);
    if (view.isEmpty())
        return sharing;
    for (const FieldByte &b : field.bytes)
        for (const Field *other : atAddress.at(b.row * RowBytes + b.column)) {
            const QString otherView = readView(*other);
            if (!otherView.isEmpty() && otherView != view && !sharing.contains(other) && overlaps(field, *other))
                sharing.append(other);
        }
    return sharing;
}

QVector<const Field *> sideEffects(const Codeplug &before, const Codeplug &after, const Field &field)
{
    QVector<const Field *> effects;
    const QString rules = ruleView(field);
    for (const FieldChange &change : fieldChanges(before, after)) {
        if (!change.field || change.field == &field)
            continue;
        const Field &other = *change.field;
        const QString view = readView(other);
        // A change of the bytes 0..7 alone reads alike in both encodings.
        const bool outsideCommon = std::any_of(other.bytes.begin(), other.bytes.end(), [&](const FieldByte &b) {
            return (before.at(b.row, b.column) ^ after.at(b.row, b.column)) & b.mask
                && !(b.row == other.channel && b.column < 8);
        });
        if (!view.isEmpty() && view != rules && outsideCommon)
            effects.append(&other);
    }
    return effects;
}

QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\r'), QLatin1String("\\r"))
        .replace(QLatin1Char('\t'), QLatin1String("\\t"));
}

bool listedEncodingOfName(const QString &name, ListedEncoding &encoding)
{
    if (name == QLatin1String("grid"))
        encoding = ListedEncoding::Grid;
    else if (name == QLatin1String("editor"))
        encoding = ListedEncoding::Editor;
    else
        return false;
    return true;
}
