#pragma once
#include "core/Codeplug.h"
#include "core/Language.h"

#include <QByteArray>
#include <QString>

// The channel parameter file: the whole radio image, rows 0..255, as text.
// Each line holds one row's 16 values, each written as a space, its decimal
// digits and a space, and ends with CR LF.

// The file text of an image.
QByteArray formatChannelFile(const Codeplug &image);

// Reads the 4096 values of a file text (any mix of spaces, commas, tabs
// and line ends between them) into `values`. On a malformed text it returns
// false with a message in `language` that names the problem and
// its line; `values` is then unspecified.
bool parseChannelFile(const QByteArray &text, QList<int> &values, QString &error, Language language);

// Reads the 4096 values of the channel file at `path`. Only a regular file,
// after following links, is read: a named pipe, a device, a folder or a
// socket is refused without waiting on it, and no more than the largest
// size a channel file may have is ever read. On a problem it returns false
// with a message in `language` that names it.
bool readChannelFile(const QString &path, QList<int> &values, QString &error, Language language);

// Loads the file at `path` into `image`. The whole file is read and
// checked first: on any problem the image is left exactly as it was and the
// message says why.
bool loadChannelFile(const QString &path, Codeplug &image, QString &error, Language language);

// Writes `image` to `path` atomically: a failure leaves an existing file
// intact.
bool saveChannelFile(const QString &path, const Codeplug &image, QString &error, Language language);
