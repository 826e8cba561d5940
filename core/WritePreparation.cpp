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

WritePreparation checkRanges(const Codeplug &image)
{
    if (CheckVfoRange(image))
        return {WritePreparation::VfoOutOfRange, 0};
    if (const int channel = CheckChannelRanges(image); channel > 0)
        return {WritePreparation::ChannelOutOfRange, channel};
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
