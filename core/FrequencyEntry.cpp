#include "core/FrequencyEntry.h"

#include "core/Codecs.h"
#include "core/NumberText.h"

namespace {

QString padded(QString text, int length)
{
    if (text.size() < length)
        text += QString(length - text.size(), QLatin1Char('0'));
    return text;
}

} // namespace

bool isFrequencyInBand(double v, const WorkRange &range)
{
    return v >= range.low && v < range.high && isEncodableFrequency(v);
}

QString lowerLimitText(const WorkRange &range)
{
    const QString text = shortestDecimalText(range.low);
    if (text.size() == 3)
        return padded(text + QStringLiteral(".0"), 9);
    if (text.size() == 2)
        return padded(text + QStringLiteral(".0"), 8);
    return text;
}

QString frequencyEntryText(const QString &entry)
{
    if (entry.size() >= 9)
        return entry;
    if (numericValue(entry) < 100) {
        // Padding "88" with zeros alone would make it 88000000: the point
        // keeps it 88 MHz.
        const QString text = entry.contains(QLatin1Char('.')) ? entry : entry + QLatin1Char('.');
        return padded(text, 8);
    }
    return padded(entry.size() == 3 ? entry + QStringLiteral(".0") : entry, 9);
}

QString storableFrequencyEntry(const QString &entry, const WorkRange &range)
{
    const QString trimmed = entry.trimmed();
    const double value = numericValue(trimmed);
    if (!isFrequencyInBand(value, range))
        return QString();
    const QString text = frequencyEntryText(trimmed);
    return numericValue(text) == value ? text : QString();
}

QString transmitText(double mhz)
{
    QString text = shortestDecimalText(mhz);
    if (text.size() >= 9)
        return text;
    if (text.size() < 4)
        text += QLatin1Char('.');
    return padded(text, 9);
}
