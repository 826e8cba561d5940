#include "cli/OutputPath.h"

#include "core/Texts.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

int standardStreamOf(const QString &path)
{
    if (path == QLatin1String("-"))
        return STDOUT_FILENO;
    struct stat named {};
    if (::stat(QFile::encodeName(path).constData(), &named) != 0)
        return 0;
    for (const int stream : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat open {};
        if (::fstat(stream, &open) == 0 && open.st_dev == named.st_dev && open.st_ino == named.st_ino)
            return stream;
    }
    return 0;
}

QTextStream *outputStream(CliContext &context, const QString &path)
{
    switch (standardStreamOf(path)) {
    case STDOUT_FILENO: return &context.out;
    case STDERR_FILENO: return &context.err;
    }
    return nullptr;
}

bool checkOutputFile(const QString &path, QString &error, Language language)
{
    struct stat status {};
    // stat follows links: what counts is what the path finally names.
    if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
        if (S_ISREG(status.st_mode))
            return true;
        error = path
            + (S_ISDIR(status.st_mode)
                   ? langText(language, "：是文件夹，不能保存为文件", ": is a folder, not a file to save to")
                   : langText(language, "：不是普通文件（设备、管道或套接字），不会被替换",
                              ": is not a regular file (a device, a pipe or a socket); it is not replaced"));
        return false;
    }
    const int cause = errno;
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir()) {
        error = path + langText(language, "：文件夹不存在", ": its folder does not exist");
        return false;
    }
    const int access = ::access(QFile::encodeName(folder.filePath()).constData(), W_OK) == 0 ? 0 : errno;
    if (cause == ENOENT && access == 0)
        return true;
    error = path + langText(language, "：文件夹不可写入：", ": its folder is not writable: ")
        + systemErrorText(access != 0 ? access : cause, language);
    return false;
}

bool outputFilesInFolder(const QString &folder, const QList<PortSpec> &ports, const QString &suffix,
                         QStringList &paths, QString &error, Language language)
{
    if (QFileInfo(folder).exists() && !QFileInfo(folder).isDir()) {
        error = folder + langText(language, "：不是文件夹", ": is not a folder");
        return false;
    }
    errno = 0;
    if (!QDir().mkpath(folder)) {
        // The system's reason for the part of the path that could not be made.
        error = folder + langText(language, "：无法创建文件夹：", ": cannot create the folder: ")
            + systemErrorText(errno != 0 ? errno : EACCES, language);
        return false;
    }
    QStringList names;
    for (const PortSpec &port : ports)
        names << QFileInfo(port.name()).fileName();
    if (QSet<QString>(names.begin(), names.end()).size() != names.size()) {
        names.clear();
        for (const PortSpec &port : ports) {
            QString whole = port.name();
            whole.replace(QLatin1Char('/'), QLatin1Char('_'));
            while (whole.startsWith(QLatin1Char('_')))
                whole.remove(0, 1);
            names << whole;
        }
    }
    paths.clear();
    for (const QString &name : names) {
        paths << QDir(folder).filePath(name + suffix);
        if (!checkOutputFile(paths.last(), error, language))
            return false;
    }
    return true;
}
