#pragma once
#include "core/Language.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// CSV files as the channel plan formats read and write them: UTF-8 with or
// without a byte order mark, RFC 4180 quoting, CRLF or LF line ends.

// Largest CSV file the imports read.
constexpr qsizetype MaxCsvBytes = 1024 * 1024;

struct CsvRecord {
    int line;           // where the record starts, 1-based
    QStringList fields;
    QString fault;      // why the record cannot be read (a quote never closed), or empty
};

// The records of a file, blank lines left out, separated by "," or, when
// the header line holds more of them, by ";" (spreadsheets in comma-decimal
// locales). False, with the reason added to `errors`, when the file is too
// large, not UTF-8, without a header row or with a quote never closed in
// the header; a data record whose quote is never closed carries its fault.
bool readCsvRecords(const QByteArray &csv, QVector<CsvRecord> &records, QStringList &errors, Language language);

// What a file holds that is no UTF-8 text, as a refusal names it ("UTF-16
// text; save it as UTF-8"), or empty for UTF-8 text.
QString notUtf8Text(const QByteArray &bytes, Language language);

// "line %1: column \"%2\" appears twice" in `language`.
QString columnTwice(Language language);

// Why a data record does not fit a header of `columns` columns (a row cut
// short would leave the channel's other fields as they were) or cannot be
// read at all, or empty.
QString fieldCountFault(const CsvRecord &record, qsizetype columns, Language language);

// One record as a line: fields quoted where they hold a separator, a quote
// or a line break, and ended by CRLF.
QString csvLine(const QStringList &fields);
