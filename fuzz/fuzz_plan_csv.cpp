// Random channel plans, read as the grid's layout and as the generic
// channel layout: the imports must never crash or hang; a refused plan
// names its faults, and an accepted one changes only channel records.
#include "core/Codeplug.h"
#include "fields/ChannelPlanCsv.h"
#include "fields/GenericChannelCsv.h"

#include <QByteArray>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const Codeplug base = [] {
        Codeplug image;
        InitDefaultImage(image);
        return image;
    }();
    const QByteArray csv(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    const bool replace = size % 2 == 1, renumber = size % 4 >= 2;
    for (const ImportResult &result : {importCsv(csv, base, replace), importGenericCsv(csv, base, {replace, renumber})}) {
        if (!result.ok && result.errors.isEmpty())
            std::abort();
        if (result.ok)
            for (int r = 0; r < RadioRows; ++r)
                for (int c = 0; c < RowBytes; ++c)
                    if ((r < 1 || r > 128) && result.image.at(r, c) != base.at(r, c))
                        std::abort();
    }
    return 0;
}
