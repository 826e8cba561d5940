#include "files/ChannelFile.h"

#include "core/Image.h"
#include "platform/Texts.h"

#include <QFile>
#include <QSaveFile>

namespace {
constexpr int ValueCount = RadioRows * RowBytes;
// A well-formed file is about 20 KB; anything far larger is not one, and is
// refused without reading it all into memory.
constexpr qint64 MaxFileSize = 1024 * 1024;

bool isSeparator(char c)
{
    return c == ' ' || c == ',' || c == '\r' || c == '\n' || c == '\t';
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
                        .arg(QString::fromLatin1(token.left(20)));
            return false;
        }
        bool fits = false;
        const qlonglong value = digits.toLongLong(&fits);
        if (!fits || value > 255 || (negative && value != 0)) {
            error = langText("第 %1 行：数值 %2 不在 0 到 255 之间。",
                             "Line %1: the value %2 is not between 0 and 255.")
                        .arg(line)
                        .arg(QString::fromLatin1(token.left(20)));
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

bool LoadChannelFile(const QString &path, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = langText("无法打开文件 %1：%2", "The file %1 cannot be opened: %2")
                    .arg(path, file.errorString());
        return false;
    }
    if (file.size() > MaxFileSize) {
        error = langText("文件 %1 太大，不是信道参数文件。", "The file %1 is too large to be a channel file.")
                    .arg(path);
        return false;
    }
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = langText("无法读取文件 %1：%2", "The file %1 cannot be read: %2").arg(path, file.errorString());
        return false;
    }
    QList<int> values;
    if (!parseChannelFile(text, values, error))
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
