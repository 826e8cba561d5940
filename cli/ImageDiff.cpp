#include "cli/ImageDiff.h"

#include "core/Texts.h"

#include <QJsonArray>
#include <QJsonObject>

QList<ByteDifference> differences(const Codeplug &expected, const Codeplug &radio, int first, int last)
{
    QList<ByteDifference> list;
    for (int r = first; r <= last; ++r)
        for (int c = 0; c < RowBytes; ++c)
            if (expected.at(r, c) != radio.at(r, c))
                list.append({r, c, radio.at(r, c), expected.at(r, c)});
    return list;
}

QStringList describeByteDifferences(const QList<ByteDifference> &list, Language language)
{
    QStringList lines;
    for (const ByteDifference &d : list)
        lines << langText(language, "第 %1 行第 %2 字节（地址 %3）：对讲机 %4，应为 %5",
                          "row %1 byte %2 (address %3): radio %4, expected %5")
                     .arg(d.row)
                     .arg(d.column)
                     .arg(QStringLiteral("%1").arg(d.row * RowBytes + d.column, 4, 16, QLatin1Char('0')).toUpper())
                     .arg(d.radio)
                     .arg(d.expected);
    return lines;
}

QJsonArray differencesJson(const QList<ByteDifference> &list)
{
    QJsonArray array;
    for (const ByteDifference &d : list)
        array.append(QJsonObject{{QStringLiteral("row"), d.row},
                                 {QStringLiteral("byte"), d.column},
                                 {QStringLiteral("address"), d.row * RowBytes + d.column},
                                 {QStringLiteral("radio"), d.radio},
                                 {QStringLiteral("expected"), d.expected}});
    return array;
}
