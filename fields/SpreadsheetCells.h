#pragma once
#include <QString>

// What a spreadsheet makes of a channel plan's cells when it opens and saves
// the CSV, and how the exports and imports keep the plan's meaning.

// A name as the exports write it: with a leading apostrophe, the
// spreadsheets' mark of a text cell, where a spreadsheet would otherwise
// read the name as a formula (it starts with = + - @, a tab or a carriage
// return) or as a number, date or time (it starts with a digit: "0007",
// "1E5", "1-2", or is a month followed by a number: "MAR1", "JAN 5").
QString nameCell(const QString &name);

// A name cell as the imports read it: one leading apostrophe removed. The
// radio's alphabet has no apostrophe, so no name the radio can hold loses
// one of its own characters.
QString nameOfCell(const QString &cell);

// The tone list's text of a number equal to one of its CTCSS tones, as a
// spreadsheet rewrites "67.0" ("67", "67.00", "067.0"); any other text as
// it is, for the tone list's own check to accept or refuse.
QString toneTextOfNumber(const QString &text);
