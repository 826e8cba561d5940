#pragma once
#include "core/Codeplug.h"
#include "core/Language.h"
#include "fields/FieldValue.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// What a channel plan import gives back. The whole file is checked first:
// on any fault nothing is stored, `ok` is false and `errors` lists every
// faulty line with its reason. `notes` tells, one line per row, where a row
// was adapted to what the radio holds; notes alone do not stop the import.
struct ImportResult {
    bool ok = false;
    Codeplug image;
    QStringList errors;
    QStringList notes;
    int exitStatus() const { return ok ? 0 : 1; }
};

// The grid's text of a field ("receive", "offset", "direction", "decode",
// ...) of channel n.
QString channelText(const Codeplug &image, int n, const char *field, Language language = Language::English);
// Its value.
FieldValue channelFieldValue(const Codeplug &image, int n, const char *field);

// One cell of a row in the channel grid's terms: the grid column's field
// ("receive", "transmit", "decode", "encode", "power", "bandwidth", "name"),
// the grid's text for it, and the name a refusal gives it.
struct GridText {
    const char *field;
    QString text;
    QString label;
};

// The same cell as a value of the field.
struct GridValue {
    const char *field;
    FieldValue value;
    QString label;
};

// Stores the rows of a channel plan one after another into a working copy
// of the base image, each with the channel grid's rules (the base image's
// working range, the raster, the tone list, the power and bandwidth words,
// the name alphabet), and collects the refusals and notes of every row.
class ChannelPlanStore {
public:
    // With `replace`, every channel starts empty. Refusals and notes are in
    // `language`.
    ChannelPlanStore(const Codeplug &base, bool replace, Language language);

    // Takes channel n (1..128) for the row on `line`; refused when an
    // earlier row took it.
    bool claim(int line, int n);
    // From now on a row whose content the radio cannot hold (refused by
    // store() or rejectRow()) is skipped with a note naming it, leaving the
    // image and its channel as they were before the row.
    void skipRefusedRows() { m_skipping = true; }
    // The row claimed last is refused for `reasons`, or skipped; false.
    bool rejectRow(int line, const QStringList &reasons);
    // Stores the texts into channel n, the receive frequency first; a row
    // with a refused text changes nothing and is refused with every reason.
    bool store(int line, int n, const QVector<GridText> &texts);
    bool store(int line, int n, const QVector<GridValue> &values);
    void refuse(int line, const QString &reason);
    void refuse(int line, const QStringList &reasons);
    void note(int line, const QStringList &adaptations);
    // A note on the whole plan.
    void note(const QString &adaptation) { m_notes << adaptation; }

    // The image as the rows stored so far made it.
    const Codeplug &image() const { return m_image; }
    ImportResult result() const;

private:
    // The row stored into `row` (a copy of the image) is kept, or the
    // row is refused for `reasons`.
    bool finishRow(int line, const Codeplug &row, const QStringList &reasons);

    Codeplug m_image;
    Language m_language;
    QStringList m_errors;
    QStringList m_notes;
    QHash<int, int> m_lineOfChannel;
    bool m_skipping = false;
    Codeplug m_beforeRow; // the image before the row claimed last
    int m_rowChannel = 0;
};
