#include "cli/CodeplugFile.h"

#include "cli/ImageDiff.h"
#include "core/ModuleState.h"
#include "core/WritePreparation.h"
#include "fields/CodeplugSource.h"
#include "fields/FieldReport.h"
#include "core/ChannelFile.h"
#include "core/Texts.h"

#include <QJsonArray>

namespace {
constexpr int LastWrittenRow = 254;
}

bool loadImageForWrite(const QString &path, Codeplug &image, QString &error)
{
    Codeplug loaded;
    QString message;
    if (!loadChannelFile(path, loaded, message)) {
        error = path + QStringLiteral(": ") + message;
        if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
            error += langText("（CSV 信道表须先导入为 .chann 文件：kvd9-cli import-csv %1 --base 文件.chann -o 新文件.chann）",
                              " (a CSV plan is imported into a .chann file first: kvd9-cli import-csv %1 --base "
                              "FILE.chann -o NEW.chann)")
                         .arg(path);
        return false;
    }
    const WritePreparation preparation = PrepareImageForWrite(loaded);
    if (!preparation.ready()) {
        error = path + QStringLiteral(": ") + preparation.message();
        return false;
    }
    image = loaded;
    return true;
}

void checkAgainst(std::vector<PortResult> &results, const Codeplug &expected, ListedEncoding encoding)
{
    for (PortResult &r : results) {
        if (!r.ok)
            continue;
        const QList<ByteDifference> found = differences(expected, r.image, 0, LastWrittenRow);
        r.details.insert(QStringLiteral("differences"), differencesJson(found));
        if (found.isEmpty())
            continue;
        r.ok = false;
        r.error = langText("%1 个字节与文件不同", "%1 bytes differ from the file").arg(found.size());
        // The bytes, then the fields they belong to.
        QSet<int> addresses;
        for (const ByteDifference &d : found)
            addresses.insert(d.row * RowBytes + d.column);
        // Read as a dry run reads them: from the radio to the file, what
        // writing the file would change.
        const QStringList fields = describeDifferences(r.image, expected, addresses, UseChinese, false, encoding);
        r.notes = describeByteDifferences(found) + fields;
        r.details.insert(QStringLiteral("fields"), QJsonArray::fromStringList(fields));
    }
}
