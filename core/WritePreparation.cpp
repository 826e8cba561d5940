#include "core/WritePreparation.h"

#include "core/Image.h"
#include "core/Texts.h"

QString WritePreparation::message() const
{
    switch (result) {
    case Ready:
        break;
    case VfoOutOfRange:
        return langText("频率模式下的接收或发射频率超出频率限制范围",
                        "Receiving or transmitting frequency that frequency Mode out of frequency "
                        "limitation range ");
    case ChannelOutOfRange: {
        const QString number = QString::number(channel);
        return langText(QStringLiteral("信道 ") + number
                            + QStringLiteral(" 中的接收或发射频率超出频率限制范围"),
                        QStringLiteral("Channel ") + number
                            + QStringLiteral("that Receiving or transmitting frequency  out "
                                             "of frequency limitation range "));
    }
    }
    return QString();
}

WritePreparation PrepareImageForWrite()
{
    using namespace Region;
    Img(GeneralRow, 10) = 0;
    Img(GeneralRow, 11) = 0;
    Img(GeneralRow, 12) = Img(GeneralRow, 12) & 0x30;
    MarkFirstUsedChannel();
    ApplyFixedRows();
    if (CheckVfoRange())
        return {WritePreparation::VfoOutOfRange, 0};
    if (const int channel = CheckChannelRanges(); channel > 0)
        return {WritePreparation::ChannelOutOfRange, channel};
    return {};
}
