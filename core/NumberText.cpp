#include "core/NumberText.h"

#include <cmath>

QString shortestDecimalText(double v)
{
    if (v == 0.0 || !std::isfinite(v))
        return QStringLiteral("0");
    // Round to 15 significant digits first, so that binary noise such as
    // 438.12499999999997 reads as 438.125, then print without exponent.
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    int decimals = 14 - exponent;
    if (decimals < 0)
        decimals = 0;
    QString t = QString::number(v, 'f', decimals);
    if (t.contains(QLatin1Char('.'))) {
        while (t.endsWith(QLatin1Char('0')))
            t.chop(1);
        if (t.endsWith(QLatin1Char('.')))
            t.chop(1);
    }
    if (t == QLatin1String("-0"))
        t = QStringLiteral("0");
    return t;
}

QString signedNumberText(double v)
{
    const QString t = shortestDecimalText(v);
    return t.startsWith(QLatin1Char('-')) ? t : QLatin1Char(' ') + t;
}

double numericValue(const QString &text)
{
    QString number;
    bool seenDigit = false, seenPoint = false;
    for (const QChar ch : text) {
        if (ch == QLatin1Char(' ') || ch == QLatin1Char('\t'))
            continue;
        if (ch.unicode() >= '0' && ch.unicode() <= '9') {
            number += ch;
            seenDigit = true;
        } else if (ch == QLatin1Char('.') && !seenPoint) {
            number += ch;
            seenPoint = true;
        } else if ((ch == QLatin1Char('-') || ch == QLatin1Char('+')) && number.isEmpty()) {
            number += ch;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0.0;
    bool ok = false;
    const double v = number.toDouble(&ok); // QString::toDouble is locale independent
    return ok ? v : 0.0;
}
