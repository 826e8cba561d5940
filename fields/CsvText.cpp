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
// separator, doubled quotes and line breaks. A quoted field that runs to
// the end of the file ends its record as a faulty one on the line the
// quote opened on, and the records after that line are read as if the
// quote were not there, so that their own faults are found too.
void parseRecords(const QString &text, QChar separator, QVector<CsvRecord> &records, Language language)
{
    int line = 1;
    CsvRecord record{1, {}, {}};
    QString field;
    bool quoted = false, fieldStarted = false;
    int quoteLine = 1, quoteAt = 0;
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
        record = CsvRecord{line, {}, {}};
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
            quoteAt = i;
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
        if (quoted && i + 1 >= text.size()) {
            // Never closed: the record ends at its line, and reading goes
            // on on the next one.
            record.fault = record.line == quoteLine
                ? langText(language, "此处开始的引号没有闭合", "the quote opened here is never closed")
                : langText(language, "第 %1 行开始的引号没有闭合", "the quote opened on line %1 is never closed").arg(quoteLine);
            endField();
            records << record;
            quoted = fieldStarted = false;
            line = quoteLine + 1;
            const int next = int(text.indexOf(QLatin1Char('\n'), quoteAt));
            i = next < 0 ? int(text.size()) : next;
            record = CsvRecord{line, {}, {}};
        }
    }
    if (fieldStarted || !record.fields.isEmpty() || !field.isEmpty())
        endRecord();
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
    parseRecords(text, separatorOf(text), records, language);
    if (records.isEmpty()) {
        errors << langText(language, "第 1 行：没有标题行", "line 1: no header row");
        return false;
    }
    if (!records.first().fault.isEmpty()) {
        errors << langText(language, "第 %1 行：", "line %1: ").arg(records.first().line) + records.first().fault;
        return false;
    }
    return true;
}

QString notUtf8Text(const QByteArray &bytes, Language language)
{
    // UTF-16 has a byte order mark, or a zero in every other byte of text
    // in the Latin alphabet; other zero bytes are no text at all.
    const QByteArray start = bytes.left(64);
    int zeros[2] = {0, 0};
    for (int i = 0; i < start.size(); ++i)
        zeros[i % 2] += start.at(i) == 0;
    const bool utf16 = start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF")
        || (start.size() >= 4 && qMax(zeros[0], zeros[1]) * 2 >= start.size() - 1 && qMin(zeros[0], zeros[1]) == 0);
    if (utf16)
        return langText(language, "UTF-16 文本；请另存为 UTF-8", "UTF-16 text; save it as UTF-8");
    if (bytes.contains('\0'))
        return langText(language, "二进制数据，不是 CSV 文本", "binary data, not CSV text");
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    decoder.decode(bytes);
    return decoder.hasError() ? langText(language, "不是 UTF-8 文本；请另存为 UTF-8", "not UTF-8 text; save it as UTF-8")
                              : QString();
}

QString columnTwice(Language language) { return langText(language, "第 %1 行：列“%2”出现两次", "line %1: column \"%2\" appears twice"); }

QString fieldCountFault(const CsvRecord &record, qsizetype columns, Language language)
{
    if (!record.fault.isEmpty())
        return record.fault;
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
