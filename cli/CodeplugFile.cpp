#include "cli/CodeplugFile.h"

#include "cli/ImageDiff.h"
#include "cli/OutputPath.h"
#include "cli/PartialChange.h"
#include "core/WritePreparation.h"
#include "fields/CodeplugSource.h"
#include "fields/FieldReport.h"
#include "core/Texts.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>

namespace {
constexpr int LastWrittenRow = Protocol::WriteRows - 1;
}

bool loadImageForWrite(const QString &path, Codeplug &image, QString &error, Language language)
{
    Codeplug loaded;
    // Named once, as every command names its sources.
    if (!loadSource(path, loaded, error, language)) {
        if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
            error += langText(language, "（CSV 信道表须先导入为 .chann 文件：kvd9-cli import-csv %1 --base 文件.chann -o 新文件.chann）",
                              " (a CSV plan is imported into a .chann file first: kvd9-cli import-csv %1 --base "
                              "FILE.chann -o NEW.chann)")
                         .arg(path);
        return false;
    }
    const WritePreparation preparation = PrepareImageForWrite(loaded);
    if (!preparation.ready()) {
        error = path + QStringLiteral(": ") + rangeRefusal(loaded, preparation, language);
        return false;
    }
    image = loaded;
    return true;
}

void checkAgainst(std::vector<PortResult> &results, const Codeplug &expected, ListedEncoding encoding,
                  Language language)
{
    QList<int> rows;
    for (int r = 0; r <= LastWrittenRow; ++r)
        rows << r;
    for (PortResult &r : results)
        checkRows(r, expected, rows, encoding, language);
}

void checkRows(PortResult &r, const Codeplug &expected, const QList<int> &rows, ListedEncoding encoding,
               Language language)
{
    if (!r.ok)
        return;
    QList<ByteDifference> found;
    for (const int row : rows)
        found += differences(expected, r.image, row, row);
    r.details.insert(QStringLiteral("differences"), differencesJson(found));
    if (found.isEmpty())
        return;
    r.ok = false;
    r.error = langText(language, "%1 个字节与文件不同", "%1 bytes differ from the file").arg(found.size());
    // The bytes, then the fields they belong to.
    QSet<int> addresses;
    for (const ByteDifference &d : found)
        addresses.insert(d.row * RowBytes + d.column);
    // Read as a dry run reads them: from the radio to the file, what
    // writing the file would change.
    const QStringList fields = describeDifferences(r.image, expected, addresses, language, false, encoding);
    r.notes = describeByteDifferences(found, language) + fields;
    r.details.insert(QStringLiteral("fields"), QJsonArray::fromStringList(fields));
}

bool RadioBackups::prepare(const QString &folder, const QList<PortSpec> &ports, QString &error, Language language)
{
    const QString time = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (!outputFilesInFolder(folder, ports, QLatin1Char('-') + time + QStringLiteral(".chann"), m_paths, error, language))
        return false;
    for (QString &path : m_paths) {
        const QString stem = path.chopped(6);
        for (int n = 2; QFileInfo::exists(path); ++n)
            path = stem + QStringLiteral("-%1.chann").arg(n);
    }
    return true;
}

bool RadioBackups::save(int port, const Codeplug &radio, QString &error, Language language)
{
    if (!saveCodeplugFile(m_paths.at(port), radio, error, language))
        return false;
    m_saved.insert(port);
    return true;
}

void RadioBackups::report(std::vector<PortResult> &results, Language language) const
{
    for (const int port : m_saved) {
        PortResult &r = results[size_t(port)];
        r.details.insert(QStringLiteral("backup"), m_paths.at(port));
        r.notes.prepend(langText(language, "备份：", "backup: ") + m_paths.at(port));
    }
}
