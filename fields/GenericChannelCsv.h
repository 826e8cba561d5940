#pragma once
#include "core/Codeplug.h"
#include "fields/ChannelPlanStore.h"

#include <QByteArray>

// The generic amateur-radio channel CSV that many radio programming tools
// and repeater directories exchange: a header row naming the columns
// Location, Name, Frequency, Duplex, Offset, Tone, rToneFreq, cToneFreq,
// DtcsCode, DtcsPolarity, RxDtcsCode, CrossMode, Mode, TStep, Skip, Power,
// Comment, URCALL, RPT1CALL, RPT2CALL, DVCODE, then one row per memory.

// Every channel in use as one row of all 21 columns, in the grid encoding:
// Duplex and Offset from the direction and offset, the tone columns from the
// decode/encode pair, Mode FM or NFM, Power High or Low, TStep by the
// raster of the receive frequency, 88.5 and 023 in the unused tone columns,
// and a name a spreadsheet would rewrite marked as text (SpreadsheetCells).
QByteArray exportGenericCsv(const Codeplug &image);

// Whether the header row names the generic layout (Location and Frequency).
bool isGenericChannelCsv(const QByteArray &csv);

// Stores each row into `base` with the channel grid's rules (ImportResult):
// Location n becomes channel n, or with `renumber` the rows fill channels
// 1, 2, 3... (or from `firstChannel` on) in file order. Columns are found by name, unknown ones are
// ignored and missing ones take the value an older file means by leaving
// them out. What the radio cannot hold is refused (another mode, a tone
// outside its lists) or dropped with a note (Duplex off, Skip, a tuning
// step off the raster, Comment, the D-STAR columns); every other
// adaptation (a name folded to the radio's alphabet, a frequency snapped to
// the raster, a wattage mapped to High or Low) is noted too. What a
// spreadsheet made of the export's cells is read back: a tone as a number
// ("67"), a DCS code without its leading zero ("23"), a name marked as text.
// With `renumber`, rows beyond channel 128 are left out with one note.
// With `skipUnsupported`, a row whose content the radio cannot hold (its
// band, its mode, its tone) is skipped with a note naming it, instead of
// refusing the plan. A column dropped on many rows is noted once for the
// plan. Names that cutting to 5 characters would make alike are shortened
// so that they stay distinct (GMRS01 -> GMR01, GMRS15R -> GM15R).
struct GenericImportOptions {
    bool replace = false;  // channels the file does not name are cleared
    bool renumber = false;
    bool skipUnsupported = false;
    int firstChannel = 1; // with renumber: the channel the first row fills
};
ImportResult importGenericCsv(const QByteArray &csv, const Codeplug &base, Language language,
                              GenericImportOptions options = {});
