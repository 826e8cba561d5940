#include "fields/CsvText.h"

#include <algorithm>

#include "core/Texts.h"

#include <QStringDecoder>

namespace {

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char(';')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// RFC 4180 records, with the separator given; quoted fields may hold the
// separator, doubled quotes and line breaks. False, with the line the quote
// opened on in `errors`, when a quoted field runs to the end of the file.
bool parseRecords(const QString &text, QChar separator, QVector<CsvRecord> &records, QStringList &errors,
                  Language language)
{
    CsvRecord record{1, {}};
    QString field;
    bool quoted = false, fieldStarted = false;
    int line = 1, quoteLine = 1;
    const auto endField = [&] {
        record.fields << field;
        field.clear();
        fieldStarted = false;
    };
    const auto endRecord = [&] {
        endField();
        // A line of separators alone, as spreadsheets leave at the end, is
        // as blank as an empty line.
        const bool blank = std::all_of(record.fields.begin(), record.fields.end(),
                                       [](const QString &f) { return f.trimmed().isEmpty(); });
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
            quoteLine = line;
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
    if (quoted) {
        errors << langText(language, "第 %1 行：此处开始的引号没有闭合", "line %1: the quote opened here is never closed").arg(quoteLine);
        return false;
    }
    if (fieldStarted || !record.fields.isEmpty() || !field.isEmpty())
        endRecord();
    return true;
}

// Spreadsheets in comma-decimal locales separate with ";": the header line
// tells which separator the file uses.
QChar separatorOf(const QString &text)
{
    const QString header = text.left(text.indexOf(QLatin1Char('\n')));
    return header.count(QLatin1Char(';')) > header.count(QLatin1Char(',')) ? QLatin1Char(';') : QLatin1Char(',');
}

} // namespace

bool readCsvRecords(const QByteArray &csv, QVector<CsvRecord> &records, QStringList &errors, Language language)
{
    if (csv.size() > MaxCsvBytes) {
        errors << langText(language, "文件大于 1 MB", "the file is larger than 1 MB");
        return false;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(csv);
    if (decoder.hasError()) {
        errors << langText(language, "文件不是有效的 UTF-8", "the file is not valid UTF-8");
        return false;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    if (!parseRecords(text, separatorOf(text), records, errors, language))
        return false;
    if (records.isEmpty()) {
        errors << langText(language, "第 1 行：没有标题行", "line 1: no header row");
        return false;
    }
    return true;
}

QString columnTwice(Language language) { return langText(language, "第 %1 行：列“%2”出现两次", "line %1: column \"%2\" appears twice"); }

QString fieldCountFault(const CsvRecord &record, qsizetype columns, Language language)
{
    if (record.fields.size() > columns)
        return langText(language, "字段多于列数", "more fields than columns");
    if (record.fields.size() < columns)
        return langText(language, "字段少于列数（%1/%2）", "fewer fields than columns (%1 of %2)").arg(record.fields.size()).arg(columns);
    return QString();
}

QString csvLine(const QStringList &fields)
{
    QStringList quoted;
    for (const QString &field : fields)
        quoted << csvField(field);
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}
