#include "fields/SpreadsheetCells.h"

#include "fields/FieldCatalogue.h"

#include <QRegularExpression>

namespace {

constexpr QChar TextMark = QLatin1Char('\'');

// A CTCSS tone's value in tenths of a hertz, read from any decimal text of
// it; -1 for a text that is no such number (a DCS code, "OFF", "67.05").
int tenthsOf(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^0*(\\d{1,3})(?:\\.(\\d?)0*)?$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return -1;
    return match.captured(1).toInt() * 10 + match.captured(2).toInt();
}

} // namespace

QString nameCell(const QString &name)
{
    static const QRegularExpression readAsOther(
        QStringLiteral("^([=+\\-@\\t\\r\\d]"
                       "|(JAN|FEB|MARCH|MAR|APRIL|APR|MAY|JUNE|JUN|JULY|JUL|AUG|SEPT|SEP|OCT|NOV|DEC)[ \\-]?\\d+$)"),
        QRegularExpression::CaseInsensitiveOption);
    return readAsOther.match(name).hasMatch() ? TextMark + name : name;
}

QString nameOfCell(const QString &cell) { return cell.startsWith(TextMark) ? cell.mid(1) : cell; }

QString toneTextOfNumber(const QString &text)
{
    const int tenths = tenthsOf(text);
    if (tenths < 0)
        return text;
    // The catalogue's list: it is filled before the first use.
    static const QStringList items = findField(QStringLiteral("channel.1.decode"))->choices(Language::English);
    for (const QString &item : items)
        if (tenthsOf(item) == tenths)
            return item;
    return text;
}
