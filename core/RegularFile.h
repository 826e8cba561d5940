#pragma once
#include <QByteArray>
#include <QString>

// What a file is meant to be, as the messages name it.
struct FileKind {
    const char *chinese;
    const char *english;
};

// The bytes of the file at `path`. Only a regular file, after following
// links, is read: a named pipe, a device, a folder or a socket is refused
// without waiting on it, and no more than `maxBytes` are ever read, whatever
// size the system claims. On a problem it returns false with a message in
// the current language that names it and what the file should have been.
bool readRegularFile(const QString &path, qint64 maxBytes, const FileKind &kind, QByteArray &bytes, QString &error);
