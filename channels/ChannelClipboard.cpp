#include "channels/ChannelClipboard.h"

#include "fields/CsvText.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

namespace {

constexpr quint32 FormatMagic = 0x4B564443; // "KVDC"
constexpr quint16 FormatVersion = 1;

} // namespace

QMimeData *channelMimeData(const QVector<QStringList> &cells, const QVector<ChannelContent> &wholeChannels)
{
    auto *mime = new QMimeData;
    QString text;
    for (const QStringList &line : cells)
        text += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    mime->setText(text);
    if (wholeChannels.isEmpty())
        return mime;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << FormatMagic << FormatVersion << quint32(wholeChannels.size());
    for (const ChannelContent &channel : wholeChannels) {
        for (qint16 cell : channel.record)
            out << cell;
        for (qint16 cell : channel.name)
            out << cell;
    }
    mime->setData(QString::fromLatin1(ChannelsMimeType), bytes);
    return mime;
}

std::optional<QVector<ChannelContent>> channelsOfMimeData(const QMimeData &mime)
{
    const QByteArray bytes = mime.data(QString::fromLatin1(ChannelsMimeType));
    if (bytes.isEmpty())
        return std::nullopt;
    QDataStream in(bytes);
    quint32 magic = 0, count = 0;
    quint16 version = 0;
    in >> magic >> version >> count;
    if (magic != FormatMagic || version != FormatVersion || count == 0 || count > Region::LastChannelRow)
        return std::nullopt;
    QVector<ChannelContent> channels(static_cast<int>(count));
    for (ChannelContent &channel : channels) {
        for (qint16 &cell : channel.record)
            in >> cell;
        for (qint16 &cell : channel.name)
            in >> cell;
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return std::nullopt;
    return channels;
}

bool cellsOfText(const QString &text, Language language, QVector<QStringList> &cells, QString &fault)
{
    cells.clear();
    QString body = text;
    body.remove(QLatin1Char('\r'));
    while (body.endsWith(QLatin1Char('\n')))
        body.chop(1);
    if (body.isEmpty())
        return true;
    if (body.contains(QLatin1Char('\t'))) {
        for (const QString &line : body.split(QLatin1Char('\n')))
            cells << line.split(QLatin1Char('\t'));
        return true;
    }
    QVector<CsvRecord> records;
    QStringList errors;
    if (!readCsvRecords(body.toUtf8(), records, errors, language)) {
        fault = errors.join(QLatin1Char('\n'));
        return false;
    }
    for (const CsvRecord &record : records) {
        if (!record.fault.isEmpty()) {
            fault = record.fault;
            return false;
        }
        cells << record.fields;
    }
    return true;
}
