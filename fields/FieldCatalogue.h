#pragma once
#include "core/Bilingual.h"
#include "core/Codeplug.h"
#include "fields/FieldValue.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

// One description of every named field of the radio image: where it lies,
// what it is called, what value its bytes hold (FieldValue) and how they
// read as the text a window shows, and how they take a value or a text
// under the rules of that window. The channel records appear
// in both of their encodings (the grid's and the channel editor's), since
// both are part of the program.

enum class FieldKind {
    Frequency,   // a frequency text such as 438.12500
    GridTone,    // tone in the grid encoding (code + inversion bit)
    EditorTone,  // tone in the channel editor's encoding (kind + index)
    Choice,      // one item of a fixed list
    Flag,        // on / off
    Number,      // a decimal number
    NameChars,   // characters of the radio's name alphabet
    Text,        // other characters (the DTMF code, the embedded message)
};

// One byte of a field and the bits of it that the field uses.
struct FieldByte {
    int row;
    int column;
    int mask;
};

struct Field {
    QString id;          // stable English identifier: channel.4.receive
    Bilingual caption;   // as the field's window labels it
    FieldKind kind;
    QVector<FieldByte> bytes;
    int channel = 0;     // 1..128 for the fields of a channel record
    // The field's text in `image`. The working range, where a rule needs
    // it, is the image's own (its range row).
    std::function<QString(const Codeplug &image, Language language)> read;
    // An empty result means stored; otherwise the reason it was refused, in
    // `language`, and the image is unchanged.
    std::function<QString(Codeplug &image, const QString &text, Language language)> write;
    // The texts a choice or tone field accepts, in either language.
    std::function<QStringList(Language language)> choices;
    // The field's value in `image`, and storing a value by the same rules
    // as a text (an empty result means stored, otherwise the reason it was
    // refused, in `language`).
    std::function<FieldValue(const Codeplug &image)> value;
    std::function<QString(Codeplug &image, const FieldValue &value, Language language)> store;
};

// Every field, in a fixed order: channels 1..128, VFO, range, options,
// DTMF, FM presets, scan, keys, message, power.
const QVector<Field> &fieldCatalogue();
const Field *findField(const QString &id);

// The text of one field, or of all of them in catalogue order.
QString readField(const Codeplug &image, const Field &field, Language language);
QStringList readAllFields(const Codeplug &image, Language language);

// Writes a field from text with its window's rules; the image changes only
// when the result is empty (otherwise it says, in `language`, why the text
// was refused).
// The text the field shows already changes nothing and is never refused.
QString writeField(Codeplug &image, const Field &field, const QString &text, Language language);

// The value of one field, and writing one as writeField writes a text: the
// value the field holds already changes nothing, and a refusal leaves the
// image as it was.
FieldValue readValue(const Codeplug &image, const Field &field);
QString writeValue(Codeplug &image, const Field &field, const FieldValue &value, Language language);

// The bits of image byte (row, column) that no field covers: 0xFF for a
// byte nothing describes, 0 for one that is fully described.
int uncoveredMask(int row, int column);

// The image's working range (whole MHz) as its range row holds it.
std::pair<int, int> workingRange(const Codeplug &image);
