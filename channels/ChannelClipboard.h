#pragma once
#include "core/ChannelRows.h"
#include "core/Language.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

class QMimeData;

// What the channel grid puts on the clipboard and takes from it: the cells'
// texts as tab-separated lines, which a spreadsheet takes as they are, and
// for whole channels a private format with their whole contents, which a
// paste into this or another running copy of the program stores byte for
// byte.

constexpr const char *ChannelsMimeType = "application/x-kvd9-channels";

// `cells`: one line per channel, one text per column.
QMimeData *channelMimeData(const QVector<QStringList> &cells, const QVector<ChannelContent> &wholeChannels);

// The whole channels of the private format, or none where it is absent or
// damaged.
std::optional<QVector<ChannelContent>> channelsOfMimeData(const QMimeData &mime);

// The cells of pasted text: tab-separated lines as a spreadsheet copies
// them, else comma- or semicolon-separated CSV. False with the reason for
// CSV that cannot be read.
bool cellsOfText(const QString &text, Language language, QVector<QStringList> &cells, QString &fault);
