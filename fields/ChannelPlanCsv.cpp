#include "fields/ChannelPlanCsv.h"

#include "core/ChannelCaptions.h"
#include "core/NumberText.h"
#include "core/Texts.h"
#include "fields/ChannelPlanStore.h"
#include "fields/CsvText.h"
#include "fields/FieldCatalogue.h"
#include "fields/SpreadsheetCells.h"

#include <QSet>

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
                          {QString::fromLatin1(grid.field), bilingualText(grid.caption, Language::English),
                           bilingualText(grid.caption, Language::Chinese)}};
            if (*shortChinese[c])
                column.headers << QString::fromUtf8(shortChinese[c]);
            columns << column;
        }
        return columns;
    }();
    return list;
}

} // namespace

int gridColumnOfHeader(const QString &header)
{
    const QString h = header.trimmed();
    for (int i = 0; i < columns().size(); ++i)
        for (const QString &known : columns().at(i).headers)
            if (known.compare(h, Qt::CaseInsensitive) == 0)
                return i;
    return -1;
}

namespace {

bool isField(const char *field, const char *name) { return qstrcmp(field, name) == 0; }

// What a cell of the column stood for before a spreadsheet rewrote it.
QString textOfCell(const char *field, const QString &cell)
{
    if (isField(field, "decode") || isField(field, "encode"))
        return toneTextOfNumber(cell);
    return isField(field, "name") ? nameOfCell(cell) : cell;
}

// Where the raster moved a frequency of the row.
QStringList snapNotes(const Codeplug &image, int n, const QVector<GridText> &texts, Language language)
{
    QStringList notes;
    for (const GridText &cell : texts) {
        if ((!isField(cell.field, "receive") && !isField(cell.field, "transmit")) || cell.text.isEmpty())
            continue;
        const QString stored = channelText(image, n, cell.field);
        if (qRound64(numericValue(cell.text) * 1e6) != qRound64(numericValue(stored) * 1e6))
            notes << langText(language, "%1 %2 已对齐到 %3", "%1 %2 snapped to %3").arg(cell.label, cell.text, stored);
    }
    return notes;
}

} // namespace

QByteArray exportCsv(const Codeplug &image, Language language)
{
    QStringList header;
    for (const Column &column : columns())
        header << column.headers.at(language == Language::Chinese ? 2 : 0);
    QString out = csvLine(header);
    for (int n = 1; n <= 128; ++n) {
        if (image.at(n, 0) == 0xFF)
            continue;
        QStringList row{QString::number(n)};
        for (int c = 1; c < columns().size(); ++c) {
            const char *field = columns().at(c).field;
            const QString text = channelText(image, n, field, language);
            row << (isField(field, "name") ? nameCell(text) : text);
        }
        out += csvLine(row);
    }
    return out.toUtf8();
}

ImportResult importCsv(const QByteArray &csv, const Codeplug &base, Language language, bool replace)
{
    ImportResult result;
    QVector<CsvRecord> records;
    if (!readCsvRecords(csv, records, result.errors, language))
        return result;

    // Which grid column each CSV column fills.
    QVector<int> columnOf;
    QSet<int> seen;
    for (const QString &header : records.first().fields) {
        const int c = gridColumnOfHeader(header);
        if (c < 0)
            result.errors << langText(language, "第 %1 行：未知的列“%2”",
                                      "line %1: unknown column \"%2\"").arg(records.first().line).arg(header.trimmed());
        else if (seen.contains(c))
            result.errors << columnTwice(language).arg(records.first().line).arg(header.trimmed());
        seen.insert(c);
        columnOf << c;
    }
    if (!seen.contains(0) || !seen.contains(1))
        result.errors << langText(language, "第 %1 行：需要 channel 和 receive 两列",
                                  "line %1: the columns channel and receive are needed").arg(records.first().line);
    if (!result.errors.isEmpty())
        return result;

    ChannelPlanStore store(base, replace, language);
    for (int r = 1; r < records.size(); ++r) {
        const CsvRecord &record = records.at(r);
        const QString misfit = fieldCountFault(record, columnOf.size(), language);
        if (!misfit.isEmpty()) {
            store.refuse(record.line, misfit);
            continue;
        }
        QStringList value(columns().size());
        QVector<bool> given(columns().size(), false);
        for (int i = 0; i < record.fields.size(); ++i) {
            value[columnOf.at(i)] = record.fields.at(i).trimmed();
            given[columnOf.at(i)] = true;
        }
        const QString number = value.at(0);
        bool numberOk = false;
        const int n = number.toInt(&numberOk);
        if (!numberOk || n < 1 || n > 128) {
            store.refuse(record.line, langText(language, "信道“%1”超出 1..128", "channel \"%1\" is outside 1..128").arg(number));
            continue;
        }
        QVector<GridText> texts;
        for (int c = 1; c < columns().size(); ++c) {
            const char *field = columns().at(c).field;
            if (given.at(c))
                texts.append({field, textOfCell(field, value.at(c)), QLatin1String(field)});
        }
        if (store.claim(record.line, n) && store.store(record.line, n, texts))
            store.note(record.line, snapNotes(store.image(), n, texts, language));
    }
    return store.result();
}
