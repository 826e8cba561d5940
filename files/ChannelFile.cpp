#include "files/ChannelFile.h"

#include "core/Image.h"
#include "platform/Texts.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int ValueCount = RadioRows * RowBytes;
// A well-formed file is about 20 KB; anything far larger is not one, and is
// refused without reading it all into memory.
constexpr qint64 MaxFileSize = 1024 * 1024;

bool isSeparator(char c)
{
    return c == ' ' || c == ',' || c == '\r' || c == '\n' || c == '\t';
}

// A token of a bad file as the message quotes it: a binary file must not put
// control characters into the message, and a NUL would cut it short.
QString quotedToken(const QByteArray &token)
{
    QString text;
    for (const char c : token.left(20)) {
        const uchar u = uchar(c);
        if (u >= 0x20 && u < 0x7F && u != '\\')
            text += QLatin1Char(c);
        else
            text += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
    }
    return text;
}

QString specialFileMessage(const QString &path, mode_t mode)
{
    if (S_ISFIFO(mode))
        return langText("%1 是命名管道，不是信道参数文件。", "%1 is a named pipe, not a channel file.").arg(path);
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return langText("%1 是设备，不是信道参数文件。", "%1 is a device, not a channel file.").arg(path);
    if (S_ISDIR(mode))
        return langText("%1 是文件夹，不是信道参数文件。", "%1 is a folder, not a channel file.").arg(path);
    if (S_ISSOCK(mode))
        return langText("%1 是套接字，不是信道参数文件。", "%1 is a socket, not a channel file.").arg(path);
    return langText("%1 不是普通文件，不是信道参数文件。", "%1 is not a plain file, not a channel file.").arg(path);
}

QString openErrorMessage(const QString &path, int error)
{
    return langText("无法打开文件 %1：%2", "The file %1 cannot be opened: %2").arg(path, qt_error_string(error));
}

// The bytes of the regular file at `path`, at most MaxFileSize of them.
bool readRegularFile(const QString &path, QByteArray &bytes, QString &error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    // Looked at before it is opened: opening a pipe waits for a writer, and
    // opening a device can already act on it.
    if (::stat(name.constData(), &info) != 0) {
        error = openErrorMessage(path, errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = specialFileMessage(path, info.st_mode);
        return false;
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = openErrorMessage(path, errno);
        return false;
    }
    // The name may have been pointed elsewhere between the look and the open.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = specialFileMessage(path, info.st_mode);
        ::close(fd);
        return false;
    }
    // One byte beyond the limit tells a file that is too large, whatever
    // size the system claims for it; the buffer starts at the claimed size.
    constexpr qsizetype Limit = MaxFileSize + 1;
    bytes.resize(qMin<qsizetype>(qMax<qint64>(info.st_size, 0), MaxFileSize) + 1);
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
            error = langText("无法读取文件 %1：%2", "The file %1 cannot be read: %2").arg(path, qt_error_string(errno));
            ::close(fd);
            return false;
        }
        got += n;
    }
    ::close(fd);
    if (got > MaxFileSize) {
        error = langText("文件 %1 太大，不是信道参数文件。", "The file %1 is too large to be a channel file.")
                    .arg(path);
        return false;
    }
    bytes.resize(got);
    return true;
}
} // namespace

QByteArray formatChannelFile()
{
    QByteArray text;
    text.reserve(RadioRows * (RowBytes * 5 + 2));
    for (int r = 0; r < RadioRows; ++r) {
        for (int c = 0; c < RowBytes; ++c) {
            text += ' ';
            text += QByteArray::number(Img(r, c));
            text += ' ';
        }
        text += "\r\n";
    }
    return text;
}

bool parseChannelFile(const QByteArray &text, QList<int> &values, QString &error)
{
    values.clear();
    values.reserve(ValueCount);
    int line = 1;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const char c = text.at(i);
        if (isSeparator(c)) {
            if (c == '\n')
                ++line;
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && !isSeparator(text.at(end)))
            ++end;
        const QByteArray token = text.mid(i, end - i);
        i = end;
        if (values.size() == ValueCount) {
            error = langText("第 %1 行：文件中的数值多于 4096 个。",
                             "Line %1: the file holds more than 4096 numbers.").arg(line);
            return false;
        }
        const bool negative = token.startsWith('-');
        const QByteArray digits = negative ? token.mid(1) : token;
        bool wholeNumber = !digits.isEmpty();
        for (char d : digits)
            wholeNumber = wholeNumber && d >= '0' && d <= '9';
        if (!wholeNumber) {
            error = langText("第 %1 行：“%2”不是整数。", "Line %1: \"%2\" is not a whole number.")
                        .arg(line)
                        .arg(quotedToken(token));
            return false;
        }
        bool fits = false;
        const qlonglong value = digits.toLongLong(&fits);
        if (!fits || value > 255 || (negative && value != 0)) {
            error = langText("第 %1 行：数值 %2 不在 0 到 255 之间。",
                             "Line %1: the value %2 is not between 0 and 255.")
                        .arg(line)
                        .arg(quotedToken(token));
            return false;
        }
        values.append(static_cast<int>(value));
    }
    if (values.size() < ValueCount) {
        error = langText("文件中只有 %1 个数值，信道参数文件应有 4096 个。",
                         "The file holds only %1 numbers; a channel file holds 4096.")
                    .arg(values.size());
        return false;
    }
    return true;
}

bool readChannelFile(const QString &path, QList<int> &values, QString &error)
{
    QByteArray text;
    return readRegularFile(path, text, error) && parseChannelFile(text, values, error);
}

bool LoadChannelFile(const QString &path, QString &error)
{
    QList<int> values;
    if (!readChannelFile(path, values, error))
        return false;
    for (int k = 0; k < ValueCount; ++k)
        Img(k / RowBytes, k % RowBytes) = static_cast<qint16>(values.at(k));
    return true;
}

bool SaveChannelFile(const QString &path, QString &error)
{
    QSaveFile file(path);
    const QByteArray text = formatChannelFile();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        error = langText("无法保存文件 %1：%2", "The file %1 could not be saved: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
