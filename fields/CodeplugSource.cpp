#include "fields/CodeplugSource.h"

#include "core/ChannelFile.h"

#include <QList>


namespace {
const QString RadioPrefix = QStringLiteral("radio:");
} // namespace

bool isRadioSource(const QString &source)
{
    return source.startsWith(RadioPrefix);
}

bool loadSource(const QString &source, Codeplug &image, QString &error, const RadioReader &readRadio)
{
    if (isRadioSource(source)) {
        if (!readRadio) {
            error = QStringLiteral("reading from the radio is not available");
            return false;
        }
        if (readRadio(source.mid(RadioPrefix.size()), image, error))
            return true;
        error = source + QStringLiteral(": ") + error;
        return false;
    }
    QList<int> values;
    if (!readChannelFile(source, values, error)) {
        // Every error names its source; some of the loader's messages do not.
        if (!error.contains(source))
            error = source + QStringLiteral(": ") + error;
        return false;
    }
    for (int i = 0; i < Codeplug::Size; ++i)
        image.at(i / RowBytes, i % RowBytes) = quint8(values.at(i));
    return true;
}

QByteArray channelFileText(const Codeplug &image)
{
    ImageScope scope;
    image.storeIntoImage();
    return formatChannelFile();
}

bool saveCodeplugFile(const QString &path, const Codeplug &image, QString &error)
{
    ImageScope scope;
    image.storeIntoImage();
    return SaveChannelFile(path, error);
}
