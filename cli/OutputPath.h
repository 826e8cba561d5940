#pragma once
#include "cli/CliContext.h"
#include "serial/LinkPort.h"

#include <QString>
#include <QStringList>

// Where a command may put what it produces. A file is only ever replaced
// through a temporary file renamed over it, so an output may be a path that
// does not exist yet, or a regular file (after following links). A device,
// a pipe, a socket or a folder would be replaced by a regular file, and is
// refused before any link starts.

// The stream an output named `path` is written to instead of a file:
// standard output for "-", and the program's own standard output or error
// for a path that names either (by device and inode: /dev/stdout, or the log
// file the shell appends them to, is written to, never replaced). Null for
// a file.
QTextStream *outputStream(CliContext &context, const QString &path);

// The standard stream, 1 or 2, that `path` names as outputStream() finds
// it; 0 for none.
int standardStreamOf(const QString &path);

// False with a message (in `language`) naming the path when `path` may not take an output
// file: it names something other than a regular file, or its folder is
// missing or not writable.
bool checkOutputFile(const QString &path, QString &error, Language language);

// One file in `folder` for each port, named after it and ending in `suffix`
// (COM3.chann, or ttyUSB0.chann for /dev/ttyUSB0; ports whose devices end
// alike, a/radio and b/radio, are named by their whole path, a_radio.chann,
// so that no file takes another's place). Makes the folder when missing.
// False with a message naming the folder or a file when the folder cannot
// be made or a file may not be saved there.
bool outputFilesInFolder(const QString &folder, const QList<PortSpec> &ports, const QString &suffix,
                         QStringList &paths, QString &error, Language language);
