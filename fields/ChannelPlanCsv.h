#pragma once
#include "core/Codeplug.h"
#include "fields/ChannelPlanStore.h"
#include "fields/CsvText.h"

#include <QByteArray>
#include <QStringList>

// Channel plans as CSV (UTF-8, RFC 4180): one row per channel in use with
// the grid's columns channel, receive, transmit, decode, encode, power,
// bandwidth and name, texts as the grid shows them, and a header row. A name
// a spreadsheet would rewrite is marked as text (SpreadsheetCells).

// The grid column (0 the channel number .. 7 the name) a header names: the
// field's word, the grid's own header in either language, the short Chinese
// word; -1 for any other.
int gridColumnOfHeader(const QString &header);

QByteArray exportCsv(const Codeplug &image, Language language = Language::English);

// Stores each row's channel into `base` with the channel grid's rules (the
// base image's working range, the raster, the tone list, power and
// bandwidth words in either language, names of at most 5 characters of the
// radio's alphabet). Channels the CSV does not name stay as in the base, or
// are cleared with `replace`. Rows may come in any order; headers may be
// English or Chinese; files separated by ";" are read too. Numbers always
// use "." as the decimal point. What a spreadsheet made of the export's
// cells is read back (a tone as a number, a name marked as text).
//
// The whole file is checked first (ImportResult); a frequency the raster
// moved is noted.
ImportResult importCsv(const QByteArray &csv, const Codeplug &base, Language language, bool replace = false);
