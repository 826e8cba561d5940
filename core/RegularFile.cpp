#include "core/RegularFile.h"

#include "core/Texts.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString specialFileMessage(const QString &path, mode_t mode, const FileKind &kind, Language language)
{
    const QString what = langText(language, kind.chinese, kind.english);
    if (S_ISFIFO(mode))
        return langText(language, "%1 是命名管道，不是%2。", "%1 is a named pipe, not a %2.").arg(path, what);
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return langText(language, "%1 是设备，不是%2。", "%1 is a device, not a %2.").arg(path, what);
    if (S_ISDIR(mode))
        return langText(language, "%1 是文件夹，不是%2。", "%1 is a folder, not a %2.").arg(path, what);
    if (S_ISSOCK(mode))
        return langText(language, "%1 是套接字，不是%2。", "%1 is a socket, not a %2.").arg(path, what);
    return langText(language, "%1 不是普通文件，不是%2。", "%1 is not a plain file, not a %2.").arg(path, what);
}

// A size as a limit is told: "1 MiB (1048576 bytes)", or bytes alone.
QString sizeText(qint64 bytes, Language language)
{
    const QString exact = langText(language, "%1 字节", "%1 bytes").arg(bytes);
    constexpr qint64 MiB = 1024 * 1024;
    if (bytes < MiB || bytes % MiB != 0)
        return exact;
    return langText(language, "%1 MiB（%2）", "%1 MiB (%2)").arg(bytes / MiB).arg(exact);
}

QString openErrorMessage(const QString &path, int error, Language language)
{
    return langText(language, "无法打开文件 %1：%2", "The file %1 cannot be opened: %2").arg(path, systemErrorText(error, language));
}

} // namespace

bool readRegularFile(const QString &path, qint64 maxBytes, const FileKind &kind, QByteArray &bytes, QString &error,
                     Language language)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    // Looked at before it is opened: opening a pipe waits for a writer, and
    // opening a device can already act on it.
    if (::stat(name.constData(), &info) != 0) {
        error = openErrorMessage(path, errno, language);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = specialFileMessage(path, info.st_mode, kind, language);
        return false;
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = openErrorMessage(path, errno, language);
        return false;
    }
    // The name may have been pointed elsewhere between the look and the open.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = specialFileMessage(path, info.st_mode, kind, language);
        ::close(fd);
        return false;
    }
    // One byte beyond the limit tells a file that is too large, whatever
    // size the system claims for it; the buffer starts at the claimed size.
    const qsizetype Limit = maxBytes + 1;
    bytes.resize(qMin<qsizetype>(qMax<qint64>(info.st_size, 0), maxBytes) + 1);
    qsizetype got = 0;
    while (got < Limit) {
        if (got == bytes.size())
            bytes.resize(qMin(2 * bytes.size(), Limit));
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n == 0)
            break;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = langText(language, "无法读取文件 %1：%2", "The file %1 cannot be read: %2").arg(path, systemErrorText(errno, language));
            ::close(fd);
            return false;
        }
        got += n;
    }
    ::close(fd);
    if (got > maxBytes) {
        // One message for every size past the limit, which it states.
        error = langText(language, "文件 %1 太大，不是%2：上限为 %3。", "The file %1 is too large to be a %2: the limit is %3.")
                    .arg(path, langText(language, kind.chinese, kind.english), sizeText(maxBytes, language));
        return false;
    }
    bytes.resize(got);
    return true;
}

bool saveNamedFile(const QString &path, const QByteArray &bytes, QString &error, Language language)
{
    QString reason;
    if (saveRegularFile(path, bytes, reason, language))
        return true;
    error = langText(language, "无法保存文件 %1：%2", "The file %1 could not be saved: %2").arg(path, reason);
    return false;
}

bool saveRegularFile(const QString &path, const QByteArray &bytes, QString &reason, Language language)
{
    // QSaveFile makes the temporary file beside `path` and renames it; the
    // bytes go through the descriptor, so that every failure (a full disk, a
    // size limit) is seen with its own reason: QSaveFile's buffer would
    // hold a small file whole, and its commit() reports neither a failed
    // flush of that buffer nor a failed sync.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        reason = systemErrorText(file.errorString(), language);
        return false;
    }
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(file.handle(), bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            reason = systemErrorText(n < 0 ? errno : ENOSPC, language);
            return false; // the temporary file goes with `file`
        }
        done += n;
    }
    if (::fsync(file.handle()) != 0) {
        reason = systemErrorText(errno, language);
        return false;
    }
    if (file.commit())
        return true;
    reason = systemErrorText(file.errorString(), language);
    return false;
}
