#include "core/ChannelFile.h"

#include "core/Codeplug.h"
#include "core/RegularFile.h"
#include "core/Texts.h"

#include <QFile>


namespace {
constexpr int ValueCount = RadioRows * RowBytes;
// A well-formed file is about 20 KB; anything far larger is not one, and is
// refused without reading it all into memory.
constexpr qint64 MaxFileSize = 1024 * 1024;
const FileKind ChannelFileKind{"信道参数文件", "channel file"};

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

} // namespace

QByteArray formatChannelFile(const Codeplug &image)
{
    QByteArray text;
    text.reserve(RadioRows * (RowBytes * 5 + 2));
    for (int r = 0; r < RadioRows; ++r) {
        for (int c = 0; c < RowBytes; ++c) {
            text += ' ';
            text += QByteArray::number(image.cell(r, c));
            text += ' ';
        }
        text += "\r\n";
    }
    return text;
}

bool parseChannelFile(const QByteArray &text, QList<int> &values, QString &error, Language language)
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
            error = langText(language, "第 %1 行：文件中的数值多于 4096 个。",
                             "Line %1: the file holds more than 4096 numbers.").arg(line);
            return false;
        }
        const bool negative = token.startsWith('-');
        const QByteArray digits = negative ? token.mid(1) : token;
        bool wholeNumber = !digits.isEmpty();
        for (char d : digits)
            wholeNumber = wholeNumber && d >= '0' && d <= '9';
        if (!wholeNumber) {
            error = langText(language, "第 %1 行：“%2”不是整数。", "Line %1: \"%2\" is not a whole number.")
                        .arg(line)
                        .arg(quotedToken(token));
            return false;
        }
        bool fits = false;
        const qlonglong value = digits.toLongLong(&fits);
        if (!fits || value > 255 || (negative && value != 0)) {
            error = langText(language, "第 %1 行：数值 %2 不在 0 到 255 之间。",
                             "Line %1: the value %2 is not between 0 and 255.")
                        .arg(line)
                        .arg(quotedToken(token));
            return false;
        }
        values.append(static_cast<int>(value));
    }
    if (values.size() < ValueCount) {
        error = langText(language, "文件中只有 %1 个数值，信道参数文件应有 4096 个。",
                         "The file holds only %1 numbers; a channel file holds 4096.")
                    .arg(values.size());
        return false;
    }
    return true;
}

bool readChannelFile(const QString &path, QList<int> &values, QString &error, Language language)
{
    QByteArray text;
    return readRegularFile(path, MaxFileSize, ChannelFileKind, text, error, language)
        && parseChannelFile(text, values, error, language);
}

bool loadChannelFile(const QString &path, Codeplug &image, QString &error, Language language)
{
    QList<int> values;
    if (!readChannelFile(path, values, error, language))
        return false;
    for (int k = 0; k < ValueCount; ++k)
        image.at(k / RowBytes, k % RowBytes) = static_cast<qint16>(values.at(k));
    return true;
}

bool saveChannelFile(const QString &path, const Codeplug &image, QString &error, Language language)
{
    return saveNamedFile(path, formatChannelFile(image), error, language);
}
