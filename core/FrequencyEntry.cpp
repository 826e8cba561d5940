#include "core/FrequencyEntry.h"

#include "core/NumberText.h"
#include "core/WorkingRange.h"

#include <limits>

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
    return insideWorkingRange(v, range) && isEncodableFrequency(v);
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

static QString paddedEntry(const QString &entry, double value)
{
    if (entry.size() >= 9)
        return entry;
    if (value < 100) {
        // Padding "88" with zeros alone would make it 88000000: the point
        // keeps it 88 MHz.
        const QString text = entry.contains(QLatin1Char('.')) ? entry : entry + QLatin1Char('.');
        return padded(text, 8);
    }
    return padded(entry.size() == 3 ? entry + QStringLiteral(".0") : entry, 9);
}

CheckedEntry checkFrequencyEntry(const QString &entry, const WorkRange &range)
{
    const QString trimmed = entry.trimmed();
    const double value = numericValue(trimmed);
    if (isFrequencyInBand(value, range)) {
        const QString text = paddedEntry(trimmed, value);
        if (numericValue(text) == value)
            return {text, false, *Frequency::snapped(value)};
    }
    // A lower limit of 1000 MHz or more cannot be encoded: committing it
    // stores nothing.
    const std::optional<Frequency> low = Frequency::snapped(range.low);
    return {lowerLimitText(range), true,
            low.value_or(Frequency::fromMHz(range.low))};
}

std::optional<double> frequencyEntryValue(const QString &entry)
{
    const QString trimmed = entry.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    const double value = numericValue(trimmed);
    if (isFrequencyInBand(value, {0, 1000}) && numericValue(paddedEntry(trimmed, value)) != value)
        return std::numeric_limits<double>::quiet_NaN();
    return value;
}

QString transmitText(Frequency f)
{
    QString text = shortestDecimalText(f.mhz());
    if (text.size() >= 9)
        return text;
    // "7.6" already has its point: only a whole number gets one.
    if (text.size() < 4 && !text.contains(QLatin1Char('.')))
        text += QLatin1Char('.');
    return padded(text, 9);
}
