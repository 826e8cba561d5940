// kvd9-cli show, diff, export-csv and import-csv: the field catalogue's
// commands, on .chann files or on radios ("radio:PORT").
#include "cli/LinkBatch.h"
#include "cli/Subcommands.h"
#include "core/ModuleState.h"
#include "fields/FieldCommands.h"
#include "core/Texts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// A radio source reads the radio through the link first.
RadioReader radioReader(CliContext &context)
{
    return [&context](const QString &port, Codeplug &image, QString &error) {
        PortSpec spec;
        if (!PortSpec::parse(port, spec)) {
            error = langText("未知端口：", "unknown port: ") + port;
            return false;
        }
        return readRadioImage(context, spec, image, error);
    };
}

QStringList lines(const QString &text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Prints what a command produced: its errors one a line, its output as it
// stands, or with --json one object holding both. Returns the exit status.
int finish(CliContext &context, const QString &command, bool json, const CommandResult &result,
           bool outputIsJson = false)
{
    for (const QString &line : lines(result.errors))
        printError(context, line);
    if (!json)
        for (const QString &note : result.notes)
            printError(context, QStringLiteral("note: ") + note);
    if (json && !outputIsJson) {
        QJsonObject object{{QStringLiteral("command"), command},
                           {QStringLiteral("ok"), result.status == 0},
                           {QStringLiteral("status"), result.status},
                           {QStringLiteral("errors"), QJsonArray::fromStringList(lines(result.errors))}};
        if (!result.notes.isEmpty() || command == QLatin1String("import-csv"))
            object.insert(QStringLiteral("notes"), QJsonArray::fromStringList(result.notes));
        if (!result.output.isEmpty())
            object.insert(QStringLiteral("lines"),
                          QJsonArray::fromStringList(lines(QString::fromUtf8(result.output))));
        context.out << QJsonDocument(object).toJson(QJsonDocument::Indented);
    } else {
        context.out << QString::fromUtf8(result.output);
    }
    context.out.flush();
    return result.status;
}

// Parses a command of fixed positional arguments; false when the command
// ends at once with `exitCode`.
bool parseFixed(CommandLine &line, const QStringList &arguments, CliContext &context, int count,
                const QString &usage, int &exitCode)
{
    if (!line.parse(arguments, context, exitCode))
        return false;
    if (line.parser.positionalArguments().size() == count)
        return true;
    exitCode = refuse(context, line.json(), arguments.value(0), usage);
    return false;
}

QCommandLineOption outputOption(const char *what)
{
    return QCommandLineOption({QStringLiteral("o"), QStringLiteral("output")}, QString::fromLatin1(what),
                              QStringLiteral("path"));
}

const char *const SourceHelp = "A .chann file, or radio:PORT to read a radio first.";

// --format of export-csv and import-csv.
QCommandLineOption formatOption(const char *what)
{
    return QCommandLineOption(QStringLiteral("format"), QString::fromLatin1(what), QStringLiteral("layout"));
}

// The layout --format names, the default when it is not given; false after
// refusing an unknown name.
bool parseFormat(const CommandLine &line, const QCommandLineOption &option, CsvFormat &format)
{
    return !line.parser.isSet(option) || csvFormatOfName(line.parser.value(option), format);
}

} // namespace

int runShow(const QStringList &arguments, CliContext &context)
{
    CommandLine line("show", false);
    const QCommandLineOption field(QStringLiteral("field"),
                                   QStringLiteral("Only the fields whose identifier matches the pattern "
                                                  "(wildcards * and ?), such as channel.4.*"),
                                   QStringLiteral("pattern"));
    line.parser.addOption(field);
    line.parser.addPositionalArgument(QStringLiteral("source"), QString::fromLatin1(SourceHelp));
    int exitCode = 0;
    if (!parseFixed(line, arguments, context, 1, langText("请指定一个来源", "name one source to show"), exitCode))
        return exitCode;
    const QStringList args = line.parser.positionalArguments();
    return finish(context, QStringLiteral("show"), line.json(),
                  runShow(args.at(0), line.parser.value(field), UseChinese, line.json(), radioReader(context)),
                  true);
}

int runDiff(const QStringList &arguments, CliContext &context)
{
    CommandLine line("diff", false);
    line.parser.addPositionalArgument(QStringLiteral("a"), QString::fromLatin1(SourceHelp));
    line.parser.addPositionalArgument(QStringLiteral("b"), QString::fromLatin1(SourceHelp));
    int exitCode = 0;
    if (!parseFixed(line, arguments, context, 2, langText("请指定两个来源", "name two sources to compare"),
                    exitCode))
        return exitCode;
    const QStringList args = line.parser.positionalArguments();
    return finish(context, QStringLiteral("diff"), line.json(),
                  runDiff(args.at(0), args.at(1), UseChinese, radioReader(context)));
}

int runExportCsv(const QStringList &arguments, CliContext &context)
{
    CommandLine line("export-csv", false);
    const QCommandLineOption output = outputOption("The CSV file to write.");
    line.parser.addOption(output);
    const QCommandLineOption format = formatOption("The CSV layout: kvd9 (default, the channel grid's columns) or "
                                                   "generic (the generic amateur-radio channel layout).");
    line.parser.addOption(format);
    line.parser.addPositionalArgument(QStringLiteral("source"), QString::fromLatin1(SourceHelp));
    int exitCode = 0;
    if (!parseFixed(line, arguments, context, 1, langText("请指定一个来源", "name one source to export"),
                    exitCode))
        return exitCode;
    if (!line.parser.isSet(output))
        return refuse(context, line.json(), QStringLiteral("export-csv"),
                      langText("请用 -o 指定 CSV 文件", "no CSV file to write; name it with -o"));
    CsvFormat layout = CsvFormat::Grid;
    if (!parseFormat(line, format, layout))
        return refuse(context, line.json(), QStringLiteral("export-csv"),
                      QStringLiteral("unknown format: %1 (kvd9 or generic)").arg(line.parser.value(format)));
    return finish(context, QStringLiteral("export-csv"), line.json(),
                  runExportCsv(line.parser.positionalArguments().at(0), line.parser.value(output), UseChinese,
                               radioReader(context), layout));
}

int runImportCsv(const QStringList &arguments, CliContext &context)
{
    CommandLine line("import-csv", false);
    const QCommandLineOption base(QStringLiteral("base"), QStringLiteral("The .chann file the plan is laid over."),
                                  QStringLiteral("file"));
    const QCommandLineOption output = outputOption("The .chann file to write.");
    const QCommandLineOption replace(QStringLiteral("replace"),
                                     QStringLiteral("Clear the channels that the plan does not name."));
    line.parser.addOptions({base, output, replace});
    const QCommandLineOption format = formatOption("The CSV layout: kvd9 or generic; by default the header tells.");
    const QCommandLineOption renumber(QStringLiteral("renumber"),
                                      QStringLiteral("Generic layout: fill channels 1, 2, 3... in file order "
                                                     "instead of by Location."));
    line.parser.addOptions({format, renumber});
    line.parser.addPositionalArgument(QStringLiteral("plan"), QStringLiteral("The CSV channel plan."));
    int exitCode = 0;
    if (!parseFixed(line, arguments, context, 1, langText("请指定一个 CSV 文件", "name one CSV file to import"),
                    exitCode))
        return exitCode;
    if (!line.parser.isSet(base) || !line.parser.isSet(output))
        return refuse(context, line.json(), QStringLiteral("import-csv"),
                      langText("请用 --base 和 -o 指定文件", "name the base file with --base and the output with -o"));
    CsvFormat layout = CsvFormat::Detect;
    if (!parseFormat(line, format, layout))
        return refuse(context, line.json(), QStringLiteral("import-csv"),
                      QStringLiteral("unknown format: %1 (kvd9 or generic)").arg(line.parser.value(format)));
    return finish(context, QStringLiteral("import-csv"), line.json(),
                  runImportCsv(line.parser.positionalArguments().at(0), line.parser.value(base),
                               line.parser.value(output), line.parser.isSet(replace), layout,
                               line.parser.isSet(renumber)));
}
