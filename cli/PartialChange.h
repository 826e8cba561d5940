#pragma once
#include "core/Codeplug.h"
#include "core/Language.h"

#include <QJsonArray>
#include <QList>
#include <QSet>
#include <QStringList>
#include <functional>

struct Field;
struct WritePreparation;

// A change of some fields made on the radio itself: which rows of its
// memory must be read first, and which rows then differ. Rows that were not
// read are never written, and row 255 never is.

// Stores a change into an image, as the field catalogue's writers do; the
// refusals, or none.
using ChangeWriter = std::function<QStringList(Codeplug &image)>;

// The rows to read before changing `fields`: the fields' own rows, the
// range row that frequency entries are checked against (and after a change
// of the range, every frequency it checks), the rows the write preparation
// sets and the first channel, which usually decides the first channel in
// use.
QList<int> rowsToReadFirst(const QList<const Field *> &fields);

// What a change comes to on a radio of which the rows `known` were read
// into `radio`.
struct PartialChange {
    QStringList refusals; // the writers' or the range checks'; nothing is to be written
    QList<int> toRead;    // rows to read before the change can be planned
    Codeplug image;       // the radio's memory after the change, prepared as a write prepares it
    QList<int> toWrite;   // the rows of 0..254 that the change alters, in address order
};

// Applies the change and the write preparation. The rows the change may
// reach, the channel rows that decide the first channel in use and the rows
// its range checks need must all be known; those that are not come back in
// toRead. The range checks cover the rows changed (every channel after a
// change of the range).
PartialChange planPartialChange(const Codeplug &radio, const QSet<int> &known, const ChangeWriter &change,
                               Language language);

// Why a write of `image` is refused when `found` is not ready, as set
// refuses a value: the field, its value and the range
// ("channel.2.receive: 439.00000 is outside the working range 400..438 MHz").
// The windows keep their own message.
QString rangeRefusal(const Codeplug &image, const WritePreparation &found, Language language);

// The range checks of a write over what a change of `changed` rows may have
// put out of range: the VFO when it or the range changed, the channels
// changed (every channel when the range did). The refusal as rangeRefusal()
// words it, or none.
QString checkChangedRanges(const Codeplug &image, const QList<int> &changed, Language language);

// The rows of 0..254 where `a` and `b` differ, in address order.
QList<int> differingRows(const Codeplug &a, const Codeplug &b);

// Rows as a report names them: "0, 220, 252", and as JSON.
QString rowList(const QList<int> &rows);
QJsonArray rowsJson(const QList<int> &rows);
