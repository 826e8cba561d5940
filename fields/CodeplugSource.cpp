#include "fields/CodeplugSource.h"

#include "core/ChannelFile.h"
#include "core/Texts.h"


namespace {
const QString RadioPrefix = QStringLiteral("radio:");
} // namespace

bool isRadioSource(const QString &source)
{
    return source.startsWith(RadioPrefix);
}

bool loadSource(const QString &source, Codeplug &image, QString &error, Language language,
                const RadioReader &readRadio)
{
    if (isRadioSource(source)) {
        if (!readRadio) {
            error = source + langText(language, "：此命令不读取对讲机", ": this command does not read radios");
            return false;
        }
        if (readRadio(source.mid(RadioPrefix.size()), image, error))
            return true;
        error = source + QStringLiteral(": ") + error;
        return false;
    }
    if (loadChannelFile(source, image, error, language))
        return true;
    // Every error names its source; some of the loader's messages do not.
    if (!error.contains(source))
        error = source + QStringLiteral(": ") + error;
    return false;
}

QByteArray channelFileText(const Codeplug &image)
{
    return formatChannelFile(image);
}

bool saveCodeplugFile(const QString &path, const Codeplug &image, QString &error, Language language)
{
    return saveChannelFile(path, image, error, language);
}
