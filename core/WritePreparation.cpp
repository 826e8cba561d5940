#include "core/WritePreparation.h"

#include "core/Codeplug.h"
#include "core/Texts.h"
#include "core/WorkingRange.h"

QString WritePreparation::message(Language language) const
{
    switch (result) {
    case Ready:
        break;
    case VfoOutOfRange:
        return langText(language, "频率模式下的接收或发射频率超出频率限制范围",
                        "Receiving or transmitting frequency that frequency Mode out of frequency "
                        "limitation range ");
    case ChannelOutOfRange: {
        const QString number = QString::number(channel);
        return langText(language, QStringLiteral("信道 ") + number
                            + QStringLiteral(" 中的接收或发射频率超出频率限制范围"),
                        QStringLiteral("Channel ") + number
                            + QStringLiteral("that Receiving or transmitting frequency  out "
                                             "of frequency limitation range "));
    }
    }
    return QString();
}

QString WritePreparation::summary(Language language) const
{
    if (result != ChannelOutOfRange)
        return QString();
    constexpr int named = 5;
    QStringList numbers;
    for (int n : channels.mid(0, named))
        numbers << QString::number(n);
    const bool chinese = language == Language::Chinese;
    QString text = (chinese ? QStringLiteral("超出频率限制范围的信道：") : channels.size() == 1
                        ? QStringLiteral("Outside the working range: channel ")
                        : QStringLiteral("Outside the working range: channels "))
        + numbers.join(chinese ? QStringLiteral("、") : QStringLiteral(", "));
    if (channels.size() > named)
        text += langText(language, {" 及另外 %1 个", " and %1 more"}).arg(channels.size() - named);
    return text + (chinese ? QStringLiteral("。") : QStringLiteral("."));
}

WritePreparation checkRanges(const Codeplug &image)
{
    if (CheckVfoRange(image))
        return {WritePreparation::VfoOutOfRange, 0, {}};
    if (const QList<int> outside = channelsOutOfRange(image); !outside.isEmpty())
        return {WritePreparation::ChannelOutOfRange, outside.first(), outside};
    return {};
}

void ApplyWritePreparation(Codeplug &image)
{
    using namespace Region;
    image.at(GeneralRow, 10) = 0;
    image.at(GeneralRow, 11) = 0;
    image.at(GeneralRow, 12) = image.cell(GeneralRow, 12) & 0x30;
    MarkFirstUsedChannel(image);
    ApplyFixedRows(image);
}

WritePreparation PrepareImageForWrite(Codeplug &image)
{
    ApplyWritePreparation(image);
    return checkRanges(image);
}
