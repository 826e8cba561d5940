// Random channel files: the parser must never crash or hang, and a file it
// refuses must leave the image exactly as it was.
#include "core/Codeplug.h"
#include "core/Codeplug.h"
#include "core/ChannelFile.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("fuzz.chann"));
    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    QList<int> values;
    QString error;
    const bool parsed = parseChannelFile(text, values, error, Language::English);
    if (parsed && values.size() != 4096)
        std::abort();
    if (!parsed && error.isEmpty())
        std::abort();

    Codeplug image;
    for (int r = 0; r < RadioRows; ++r)
        for (int c = 0; c < RowBytes; ++c)
            image.at(r, c) = static_cast<qint16>((r + c) % 256);
    const Codeplug before = image;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
    file.write(text);
    file.close();
    const bool loaded = loadChannelFile(path, image, error, Language::English);
    if (loaded != parsed)
        std::abort();
    if (!loaded && image != before)
        std::abort();
    if (loaded)
        for (int k = 0; k < 4096; ++k)
            if (image.cell(k / 16, k % 16) != values[k])
                std::abort();
    return 0;
}
