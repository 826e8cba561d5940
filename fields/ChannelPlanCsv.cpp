#include "fields/ChannelPlanCsv.h"

#include "fields/FieldCatalogue.h"
#include "core/ChannelCaptions.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>

namespace {

// The grid's columns: field name in the catalogue, and the headers read
// for it (the short English word first, then the grid's own headers, then
// the short Chinese word).
struct Column {
    const char *field;
    QStringList headers;
};

const QVector<Column> &columns()
{
    static const QVector<Column> list = [] {
        const char *const shortChinese[GridColumnCount] = {"信道", "接收频率", "发射频率", "解码",
                                                           "编码", "", "带宽", "名称"};
        QVector<Column> columns;
        for (int c = 0; c < GridColumnCount; ++c) {
            const GridColumnCaption &grid = GridColumnCaptions[c];
            Column column{c == 0 ? "" : grid.field,
                          {QString::fromLatin1(grid.field), bilingualText(grid.caption, false),
                           bilingualText(grid.caption, true)}};
            if (*shortChinese[c])
                column.headers << QString::fromUtf8(shortChinese[c]);
            columns << column;
        }
        return columns;
    }();
    return list;
}

int columnOfHeader(const QString &header)
{
    const QString h = header.trimmed();
    for (int i = 0; i < columns().size(); ++i)
        for (const QString &known : columns().at(i).headers)
            if (known.compare(h, Qt::CaseInsensitive) == 0)
                return i;
    return -1;
}

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char(';')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

struct CsvRecord {
    int line;           // where the record starts, 1-based
    QStringList fields;
};

// RFC 4180 records, with the separator given; quoted fields may hold the
// separator, doubled quotes and line breaks.
QVector<CsvRecord> parseRecords(const QString &text, QChar separator)
{
    QVector<CsvRecord> records;
    CsvRecord record{1, {}};
    QString field;
    bool quoted = false, fieldStarted = false;
    int line = 1;
    const auto endField = [&] {
        record.fields << field;
        field.clear();
        fieldStarted = false;
    };
    const auto endRecord = [&] {
        endField();
        const bool blank = record.fields.size() == 1 && record.fields.first().trimmed().isEmpty();
        if (!blank)
            records << record;
        record = CsvRecord{line, {}};
    };
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (quoted) {
            if (ch == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field += ch;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (ch == QLatin1Char('\n'))
                    ++line;
                field += ch;
            }
        } else if (ch == QLatin1Char('"') && !fieldStarted) {
            quoted = fieldStarted = true;
        } else if (ch == separator) {
            endField();
        } else if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            if (ch == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            ++line;
            endRecord();
        } else {
            field += ch;
            fieldStarted = true;
        }
    }
    if (fieldStarted || !record.fields.isEmpty() || !field.isEmpty())
        endRecord();
    return records;
}

// Spreadsheets in comma-decimal locales separate with ";": the header line
// tells which separator the file uses.
QChar separatorOf(const QString &text)
{
    const QString header = text.left(text.indexOf(QLatin1Char('\n')));
    return header.count(QLatin1Char(';')) > header.count(QLatin1Char(',')) ? QLatin1Char(';') : QLatin1Char(',');
}

const Field &channelField(int n, const char *name)
{
    return *findField(QStringLiteral("channel.%1.%2").arg(n).arg(QLatin1String(name)));
}

} // namespace

QByteArray exportCsv(const Codeplug &image, bool chinese)
{
    QStringList header;
    for (const Column &column : columns())
        header << column.headers.at(chinese ? 2 : 0);
    QString out = header.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (int n = 1; n <= 128; ++n) {
        if (image.at(n, 0) == 0xFF)
            continue;
        QStringList row{QString::number(n)};
        for (int c = 1; c < columns().size(); ++c)
            row << csvField(readField(image, channelField(n, columns().at(c).field), chinese));
        out += row.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

ImportResult importCsv(const QByteArray &csv, const Codeplug &base, bool replace)
{
    ImportResult result;
    if (csv.size() > MaxCsvBytes) {
        result.errors << QStringLiteral("the file is larger than 1 MB");
        return result;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(csv);
    if (decoder.hasError()) {
        result.errors << QStringLiteral("the file is not valid UTF-8");
        return result;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QVector<CsvRecord> records = parseRecords(text, separatorOf(text));
    if (records.isEmpty()) {
        result.errors << QStringLiteral("line 1: no header row");
        return result;
    }

    // Which grid column each CSV column fills.
    QVector<int> columnOf;
    QSet<int> seen;
    for (const QString &header : records.first().fields) {
        const int c = columnOfHeader(header);
        if (c < 0)
            result.errors << QStringLiteral("line %1: unknown column \"%2\"").arg(records.first().line).arg(header.trimmed());
        else if (seen.contains(c))
            result.errors << QStringLiteral("line %1: column \"%2\" appears twice").arg(records.first().line).arg(header.trimmed());
        seen.insert(c);
        columnOf << c;
    }
    if (!seen.contains(0) || !seen.contains(1))
        result.errors << QStringLiteral("line %1: the columns channel and receive are needed").arg(records.first().line);
    if (!result.errors.isEmpty())
        return result;

    // Each row is stored into the working image at once, so that its later
    // fields are checked against what its earlier ones made; the image is
    // given back only when every row passed.
    Codeplug image = base;
    if (replace)
        for (int n = 1; n <= 128; ++n)
            writeField(image, channelField(n, "receive"), QString());
    QHash<int, int> lineOfChannel;
    for (int r = 1; r < records.size(); ++r) {
        const CsvRecord &record = records.at(r);
        const auto fail = [&](const QString &reason) {
            result.errors << QStringLiteral("line %1: %2").arg(record.line).arg(reason);
        };
        if (record.fields.size() > columnOf.size()) {
            fail(QStringLiteral("more fields than columns"));
            continue;
        }
        QStringList value(columns().size());
        QVector<bool> given(columns().size(), false);
        for (int i = 0; i < record.fields.size(); ++i) {
            value[columnOf.at(i)] = record.fields.at(i).trimmed();
            given[columnOf.at(i)] = true;
        }
        bool numberOk = false;
        const int n = value.at(0).toInt(&numberOk);
        if (!numberOk || n < 1 || n > 128) {
            fail(QStringLiteral("channel \"%1\" is outside 1..128").arg(value.at(0)));
            continue;
        }
        if (lineOfChannel.contains(n)) {
            fail(QStringLiteral("channel %1 appears twice (first on line %2)").arg(n).arg(lineOfChannel.value(n)));
            continue;
        }
        lineOfChannel.insert(n, record.line);
        if (value.at(1).isEmpty()) {
            fail(QStringLiteral("channel %1 has no receive frequency").arg(n));
            continue;
        }
        Codeplug row = image;
        QStringList reasons;
        for (int c = 1; c < columns().size(); ++c) {
            if (!given.at(c))
                continue;
            const Field &field = channelField(n, columns().at(c).field);
            // An empty list cell leaves the channel's choice as it is.
            if (value.at(c).isEmpty() && field.choices)
                continue;
            // A field already showing the text is left as it is, so that a
            // plan read back unchanged keeps every byte.
            const QString current = readField(row, field, false);
            if (current.compare(value.at(c), Qt::CaseInsensitive) == 0
                || readField(row, field, true) == value.at(c))
                continue;
            const QString refused = writeField(row, field, value.at(c));
            if (!refused.isEmpty())
                reasons << QStringLiteral("%1: %2").arg(QLatin1String(columns().at(c).field), refused);
        }
        if (!reasons.isEmpty()) {
            fail(reasons.join(QStringLiteral("; ")));
            continue;
        }
        image = row;
    }
    if (!result.errors.isEmpty())
        return result;
    result.ok = true;
    result.image = image;
    return result;
}
