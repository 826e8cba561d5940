#pragma once
#include "fields/FieldCatalogue.h"

#include <QJsonArray>
#include <QSet>
#include <QStringList>

// show: every field as "identifier = text", or as JSON. A pattern such as
// "channel.4.*" or "option.*" (wildcards * and ?) picks fields by
// identifier. Bytes that no field covers follow as "raw.<row>" lines. In
// Chinese, list items read in Chinese and each line carries the field's
// Chinese caption.
QString showFields(const Codeplug &image, const QString &pattern = QString(), Language language = Language::English);
QJsonArray showFieldsJson(const Codeplug &image, const QString &pattern = QString(), Language language = Language::English);

// A message as one line: a line break or tab inside a value it quotes (a
// name holding one) is shown as \n, \r or \t.
QString oneLine(QString text);

// A channel record reads in two encodings, the grid's (which the radio
// uses) and the single-channel editor's, over shared bytes. A listing of
// differences in one encoding leaves out the other encoding's lines for
// bits its own lines already name; Both lists both.
enum class ListedEncoding { Both, Grid, Editor };
// False for a name that is neither "grid" nor "editor".
bool listedEncodingOfName(const QString &name, ListedEncoding &encoding);

// diff: the fields that differ between two images, one line each
// ("channel 4 receive: 438.00000 -> 439.00000"); a channel created or
// removed as one line; bytes that no field explains as
// "row 220 byte 2: 0xFF -> 0x00".
struct DiffResult {
    QStringList lines;
    bool equal() const { return lines.isEmpty(); }
    int exitStatus() const { return equal() ? 0 : 1; }
};
DiffResult diffCodeplugs(const Codeplug &a, const Codeplug &b, Language language = Language::English,
                         ListedEncoding encoding = ListedEncoding::Both);

// One line of a listing of differences and the field it names; none for a
// channel created or removed, or for bytes no field explains.
struct FieldChange {
    const Field *field;
    QString line;
};

// The same for a given set of differing bytes only (addresses 16 * row +
// column), as a verify after a write reports them. Without `withRawBytes` the
// bits that no field explains are left out, for a caller that lists the
// bytes itself.
QVector<FieldChange> describeChanges(const Codeplug &expected, const Codeplug &actual, const QSet<int> &addresses,
                                     Language language = Language::English, bool withRawBytes = true,
                                     ListedEncoding encoding = ListedEncoding::Both);
// Every change from `a` to `b`, in both encodings, as diff names them.
QVector<FieldChange> fieldChanges(const Codeplug &a, const Codeplug &b, Language language = Language::English);
QStringList describeDifferences(const Codeplug &expected, const Codeplug &actual,
                                const QSet<int> &addresses, Language language = Language::English, bool withRawBytes = true,
                                ListedEncoding encoding = ListedEncoding::Both);

// The fields that read some bits of `field` in another way: a channel's
// fields of the other encoding (bytes 8..15 mean other things in each), and
// settings kept inside a channel's row. The bytes 0..7 that both encodings
// read alike share nothing.
QVector<const Field *> sharingFields(const Field &field);

// The fields whose value storing `field` changed from `before` to `after`
// and that read the changed bits in another way than `field`'s own rules
// (sharingFields): what the change does beside what was asked.
QVector<const Field *> sideEffects(const Codeplug &before, const Codeplug &after, const Field &field);
