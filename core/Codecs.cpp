#include "core/Codecs.h"

#include "core/Codeplug.h"
#include "core/NumberText.h"

QString FreqFromBytes(int b0, int b1, int b2, int b3)
{
    const int hi0 = b0 / 16, lo0 = b0 - 16 * hi0;
    const int hi1 = b1 / 16, lo1 = b1 - 16 * hi1;
    const int hi2 = b2 / 16, lo2 = b2 - 16 * hi2;
    const int hi3 = b3 / 16, lo3 = b3 - 16 * hi3;
    // Summed in this order, in double precision, so that the text matches
    // what the radio's own software has always shown.
    const double value = ((((((100.0 * hi3 + 10.0 * lo3) + hi2) + 0.1 * lo2) + 0.01 * hi1)
                           + 0.001 * lo1) + 0.0001 * hi0) + 0.00001 * lo0;
    QString t = shortestDecimalText(value);
    if (t.size() < 9) {
        // "7.6" already has its point: only a whole number gets one.
        if (t.size() <= 3 && !t.contains(QLatin1Char('.')))
            t += QLatin1Char('.');
        const int target = value >= 100.0 ? 9 : 8;
        if (t.size() < target)
            t += QString(target - t.size(), QLatin1Char('0'));
    }
    return t;
}

QString frequencyText(const Codeplug &image, int row, int column)
{
    return FreqFromBytes(image.cell(row, column), image.cell(row, column + 1), image.cell(row, column + 2),
                         image.cell(row, column + 3));
}

QString FmFreqText(int code)
{
    const double value = 87.0 + 0.1 * code;
    QString t = shortestDecimalText(value);
    if (t.size() < 9) {
        if (t.size() == 2 || t.size() == 3)
            t += QLatin1Char('.');
        const int target = value >= 100.0 ? 5 : 4;
        if (t.size() < target)
            t += QString(target - t.size(), QLatin1Char('0'));
    }
    return t;
}

static const QString &nameAlphabet()
{
    static const QString alphabet = QStringLiteral("0123456789- ABCDEFGHIJKLMNOPQRSTUVWXYZ_+*");
    return alphabet;
}

int CharToCode(const QString &ch)
{
    if (ch.size() != 1)
        return 11;
    QChar c = ch.at(0);
    if (c.unicode() >= 'a' && c.unicode() <= 'z')
        c = QChar(c.unicode() - 'a' + 'A');
    const int code = nameAlphabet().indexOf(c);
    return code < 0 ? 11 : code;
}

QString CodeToChar(int code)
{
    if (code < 0 || code > 40)
        return QString();
    return nameAlphabet().mid(code, 1);
}
