#pragma once
#include <QByteArray>
#include <QString>

#include "core/Language.h"

// What a file is meant to be, as the messages name it.
struct FileKind {
    const char *chinese;
    const char *english;
};

// The bytes of the file at `path`. Only a regular file, after following
// links, is read: a named pipe, a device, a folder or a socket is refused
// without waiting on it, and no more than `maxBytes` are ever read, whatever
// size the system claims. On a problem it returns false with a message in
// `language` that names it and what the file should have been.
bool readRegularFile(const QString &path, qint64 maxBytes, const FileKind &kind, QByteArray &bytes, QString &error,
                     Language language);

// Replaces the file at `path` with `bytes`, or leaves it as it was: the
// bytes go to a temporary file in the same folder, every write, the flush
// and the sync to disk are checked, and only then is it renamed over the
// file. False with the system's reason (a full disk, a size limit, a folder
// that may not be written) in `language`.
bool saveRegularFile(const QString &path, const QByteArray &bytes, QString &reason, Language language);
// The same, with the one message every save that fails gives, naming the
// file and the reason ("The file x could not be saved: No space left on
// device").
bool saveNamedFile(const QString &path, const QByteArray &bytes, QString &error, Language language);
