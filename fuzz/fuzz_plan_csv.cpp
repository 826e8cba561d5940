// Random channel plans: the import must never crash or hang; a refused
// plan names its faults, an accepted one changes only channel records, and
// neither touches the shared image.
#include "core/Codecs.h"
#include "core/Image.h"
#include "fields/ChannelPlanCsv.h"

#include <QByteArray>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const Codeplug base = [] {
        InitToneNames();
        Codeplug image;
        InitDefaultImage(image);
        return image;
    }();
    const QByteArray csv(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QVector<qint16> before = imageCells();

    const ImportResult result = importCsv(csv, base, size % 2 == 1);
    if (imageCells() != before)
        std::abort();
    if (!result.ok && result.errors.isEmpty())
        std::abort();
    if (result.ok)
        for (int r = 0; r < RadioRows; ++r)
            for (int c = 0; c < RowBytes; ++c)
                if ((r < 1 || r > 128) && result.image.at(r, c) != base.at(r, c))
                    std::abort();
    return 0;
}
