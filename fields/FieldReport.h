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

// The same for a given set of differing bytes only (addresses 16 * row +
// column), as a verify after a write reports them. Without `withRawBytes` the
// bits that no field explains are left out, for a caller that lists the
// bytes itself.
QStringList describeDifferences(const Codeplug &expected, const Codeplug &actual,
                                const QSet<int> &addresses, Language language = Language::English, bool withRawBytes = true,
                                ListedEncoding encoding = ListedEncoding::Both);
