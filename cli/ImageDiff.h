#pragma once
#include "core/Codeplug.h"
#include "core/Language.h"

#include <QList>
#include <QString>

class QJsonArray;

// One byte where the radio holds another value than it should.
struct ByteDifference {
    int row;
    int column;
    quint8 radio;    // what the radio holds
    quint8 expected; // what was written, or what the file holds
};

// Every differing byte of rows first..last, in address order.
QList<ByteDifference> differences(const Codeplug &expected, const Codeplug &radio, int first, int last);

// One line per difference, and the same as JSON objects.
QStringList describeByteDifferences(const QList<ByteDifference> &list, Language language);
QJsonArray differencesJson(const QList<ByteDifference> &list);
