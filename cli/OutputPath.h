#pragma once
#include <QString>

// Where a command may put what it produces. A file is only ever replaced
// through a temporary file renamed over it, so an output may be a path that
// does not exist yet, or a regular file (after following links). A device,
// a pipe, a socket or a folder would be replaced by a regular file, and is
// refused before any link starts.

// "-": the command's output goes to standard output.
bool isStandardOutput(const QString &path);

// False with a message naming the path when `path` may not take an output
// file: it names something other than a regular file, or its folder is
// missing or not writable.
bool checkOutputFile(const QString &path, QString &error);

// Saves `bytes` to `path` through a temporary file renamed over it; false
// with a message naming the path.
bool saveOutput(const QString &path, const QByteArray &bytes, QString &error);
