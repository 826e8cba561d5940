#include "fields/FieldCommands.h"

#include "fields/ChannelPlanCsv.h"
#include "fields/CsvText.h"
#include "fields/GenericChannelCsv.h"
#include "fields/FieldReport.h"
#include "core/RegularFile.h"
#include "core/Texts.h"


namespace {

CommandResult failed(int status, const QString &message)
{
    return {status, {}, message + QLatin1Char('\n'), {}};
}

} // namespace

CommandResult runShow(const QString &source, const QString &pattern, Language language, bool json,
                      const RadioReader &readRadio)
{
    Codeplug image;
    QString error;
    if (!loadSource(source, image, error, language, readRadio))
        return failed(SourceFailed, error);
    if (json)
        return {0, {}, {}, {}, showFieldsJson(image, pattern, language)};
    return {0, showFields(image, pattern, language).toUtf8(), {}, {}};
}

CommandResult runDiff(const QString &a, const QString &b, Language language, const RadioReader &readRadio,
                      ListedEncoding encoding)
{
    Codeplug first, second;
    QString error;
    if (!loadSource(a, first, error, language, readRadio) || !loadSource(b, second, error, language, readRadio))
        return failed(SourceFailed, error);
    const DiffResult diff = diffCodeplugs(first, second, language, encoding);
    QByteArray output;
    for (const QString &line : diff.lines)
        output += line.toUtf8() + '\n';
    return {diff.exitStatus(), output, {}, {}};
}

bool csvFormatOfName(const QString &name, CsvFormat &format)
{
    if (name == QLatin1String("kvd9"))
        format = CsvFormat::Grid;
    else if (name == QLatin1String("generic"))
        format = CsvFormat::Generic;
    else
        return false;
    return true;
}

CommandResult runExportCsv(const QString &source, const QString &csvPath, Language language, const RadioReader &readRadio,
                           CsvFormat format)
{
    Codeplug image;
    QString error;
    if (!loadSource(source, image, error, language, readRadio))
        return failed(SourceFailed, error);
    const QByteArray csv = format == CsvFormat::Generic ? exportGenericCsv(image) : exportCsv(image, language);
    // "-" is standard output.
    if (csvPath == QLatin1String("-"))
        return {0, csv, {}, {}};
    if (!saveNamedFile(csvPath, csv, error, language))
        return failed(SourceFailed, error);
    return {};
}

PlanImport importPlanFile(const QString &csvPath, const Codeplug &base, Language language, CsvFormat format,
                          GenericImportOptions options)
{
    PlanImport plan;
    QString error;
    // The reader tells an oversized file, whatever its size, by one message.
    QByteArray csv;
    if (!readRegularFile(csvPath, MaxCsvBytes, {"CSV 信道表", "CSV channel plan"}, csv, error, language))
        return {{}, SourceFailed, error};
    // Another kind of file is unreadable input, named by its kind.
    if (const QString kind = notUtf8Text(csv, language); !kind.isEmpty())
        return {{}, SourceFailed, csvPath + QStringLiteral(": ") + kind};
    if (format == CsvFormat::Detect)
        format = isGenericChannelCsv(csv) ? CsvFormat::Generic : CsvFormat::Grid;
    if ((options.renumber || options.skipUnsupported) && format != CsvFormat::Generic)
        return {{}, UsageFailed,
                langText(language, "%1：%2 只适用于通用（generic）格式，此信道表是 kvd9 格式",
                         "%1: %2 applies to the generic layout only; this plan has the kvd9 layout")
                    .arg(csvPath, options.renumber ? QStringLiteral("--renumber") : QStringLiteral("--skip-unsupported"))};
    plan.imported = format == CsvFormat::Generic ? importGenericCsv(csv, base, language, options)
                                                 : importCsv(csv, base, language, options.replace);
    return plan;
}

CommandResult runImportCsv(const QString &csvPath, const QString &basePath, const QString &outputPath, Language language,
                           bool replace, CsvFormat format, bool renumber, bool skipUnsupported)
{
    Codeplug base;
    QString error;
    if (!loadSource(basePath, base, error, language))
        return failed(SourceFailed, error);
    const PlanImport plan = importPlanFile(csvPath, base, language, format, {replace, renumber, skipUnsupported});
    if (plan.status != 0)
        return failed(plan.status, plan.error);
    const ImportResult &imported = plan.imported;
    CommandResult result;
    if (!imported.ok) {
        QStringList errors;
        for (const QString &error : imported.errors)
            errors << csvPath + QStringLiteral(": ") + oneLine(error);
        result = failed(imported.exitStatus(), errors.join(QLatin1Char('\n')));
    }
    else if (outputPath == QLatin1String("-"))
        result.output = channelFileText(imported.image);
    else if (!saveCodeplugFile(outputPath, imported.image, error, language))
        result = failed(SourceFailed, error);
    if (result.status == 0)
        result.changes = diffCodeplugs(base, imported.image, language).lines;
    result.notes = imported.notes;
    return result;
}
