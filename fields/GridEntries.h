#pragma once
#include "core/Codeplug.h"
#include "core/Language.h"

#include <QString>
#include <QVector>

// Texts stored into the channel grid's cells by the rules that typing them
// would follow (the channel edit layer, grid encoding), as a paste or a
// fill of many cells does. What a spreadsheet made of the grid's texts is
// read back as the CSV imports read it: a tone as a number ("67"), a name
// marked as text.

// A cell by channel (1..128) and grid column (1 receive .. 7 name).
struct GridEntry {
    int channel;
    int column;
    QString text;
};

struct GridEntryRefusal {
    GridEntry entry;
    QString reason;
};

struct GridEntriesOutcome {
    QVector<GridEntryRefusal> refusals;
    int snapped = 0; // frequencies the raster moved
    bool ok() const { return refusals.isEmpty(); }
};

// Stores every entry, each channel's receive frequency first. Frequencies
// outside `range` are refused, as is a value no list holds and any other
// than a frequency on a channel not in use; a blank cell of such a channel
// is passed over. The image holds whatever the accepted entries made of
// it: a caller that wants all or nothing keeps a copy.
GridEntriesOutcome storeGridEntries(Codeplug &image, const WorkRange &range, QVector<GridEntry> entries,
                                    Language language);

// The first `limit` refusals, a line each: channel, column, value and why.
QString refusalLines(const GridEntriesOutcome &outcome, Language language, int limit);
