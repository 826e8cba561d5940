#include "fields/FieldCommands.h"

#include "fields/ChannelPlanCsv.h"
#include "fields/FieldReport.h"
#include "core/RegularFile.h"

#include <QFile>
#include <QSaveFile>

namespace {

CommandResult failed(int status, const QString &message)
{
    return {status, {}, message + QLatin1Char('\n')};
}

bool saveBytes(const QString &path, const QByteArray &bytes, QString &error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    error = QStringLiteral("%1: %2").arg(path, file.errorString());
    return false;
}

} // namespace

CommandResult runShow(const QString &source, const QString &pattern, bool chinese, bool json,
                      const RadioReader &readRadio)
{
    Codeplug image;
    QString error;
    if (!loadSource(source, image, error, readRadio))
        return failed(SourceFailed, error);
    return {0, json ? showFieldsJson(image, pattern, chinese) : showFields(image, pattern, chinese).toUtf8(), {}};
}

CommandResult runDiff(const QString &a, const QString &b, bool chinese, const RadioReader &readRadio)
{
    Codeplug first, second;
    QString error;
    if (!loadSource(a, first, error, readRadio) || !loadSource(b, second, error, readRadio))
        return failed(SourceFailed, error);
    const DiffResult diff = diffCodeplugs(first, second, chinese);
    QByteArray output;
    for (const QString &line : diff.lines)
        output += line.toUtf8() + '\n';
    return {diff.exitStatus(), output, {}};
}

CommandResult runExportCsv(const QString &source, const QString &csvPath, bool chinese, const RadioReader &readRadio)
{
    Codeplug image;
    QString error;
    if (!loadSource(source, image, error, readRadio))
        return failed(SourceFailed, error);
    // "-" is standard output.
    const QByteArray csv = exportCsv(image, chinese);
    if (csvPath == QLatin1String("-"))
        return {0, csv, {}};
    if (!saveBytes(csvPath, csv, error))
        return failed(SourceFailed, error);
    return {};
}

CommandResult runImportCsv(const QString &csvPath, const QString &basePath, const QString &outputPath, bool replace)
{
    Codeplug base;
    QString error;
    if (!loadSource(basePath, base, error))
        return failed(SourceFailed, error);
    // One byte past the limit is enough to tell an oversized file.
    QByteArray csv;
    if (!readRegularFile(csvPath, MaxCsvBytes + 1, {"CSV 信道表", "CSV channel plan"}, csv, error))
        return failed(SourceFailed, error);
    const ImportResult imported = importCsv(csv, base, replace);
    if (!imported.ok)
        return failed(imported.exitStatus(), csvPath + QStringLiteral(": ")
                                                 + imported.errors.join(QLatin1Char('\n') + csvPath + QStringLiteral(": ")));
    if (!saveCodeplugFile(outputPath, imported.image, error))
        return failed(SourceFailed, error);
    return {};
}
