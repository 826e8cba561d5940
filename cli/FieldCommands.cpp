// kvd9-cli show, diff, export-csv and import-csv: the field catalogue's
// commands, on .chann files or on radios ("radio:PORT").
#include "cli/Interrupts.h"
#include "cli/LinkBatch.h"
#include "cli/OutputPath.h"
#include "cli/Subcommands.h"
#include "fields/FieldCommands.h"
#include "core/RegularFile.h"
#include "core/Texts.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// A radio source reads the radio through the link first.
RadioReader radioReader(CliContext &context)
{
    return [&context](const QString &port, Codeplug &image, QString &error) {
        PortSpec spec;
        if (!PortSpec::parse(port, spec)) {
            error = langText(context.language, "未知端口：", "unknown port: ") + port;
            return false;
        }
        return readRadioImage(context, spec, image, error);
    };
}

QStringList lines(const QString &text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// A source read from a radio that the user interrupted ends as the links do.
int statusAfterSignals(int status)
{
    const Interrupts *interrupts = Interrupts::instance();
    return interrupts && interrupts->happened() ? Exit::SignalBase + interrupts->lastSignal() : status;
}

// Prints what a command produced: its errors one a line, its output as it
// stands, or with --json the envelope holding both (the JSON listing as
// `jsonKey`, text as "lines"). Returns the exit status.
int finish(CliContext &context, const CommandLine &line, const CommandResult &result, const QString &jsonKey = {})
{
    const int status = result.status == 0 ? 0 : statusAfterSignals(result.status);
    const QStringList errors = lines(result.errors);
    for (const QString &error : errors)
        printError(context, error);
    if (!line.json()) {
        for (const QString &note : result.notes)
            printError(context, langText(context.language, "注：", "note: ") + note);
        context.out << QString::fromUtf8(result.output);
        context.out.flush();
        // What changed goes beside an output that is a file's text.
        QTextStream &changes = result.output.isEmpty() ? context.out : context.err;
        for (const QString &change : result.changes)
            changes << change << '\n';
        changes.flush();
        return status;
    }
    QJsonObject details;
    if (!jsonKey.isEmpty())
        details.insert(jsonKey, result.json);
    else if (!result.output.isEmpty())
        details.insert(QStringLiteral("lines"), QJsonArray::fromStringList(lines(QString::fromUtf8(result.output))));
    if (!result.notes.isEmpty() || line.name() == QLatin1String("import-csv"))
        details.insert(QStringLiteral("notes"), QJsonArray::fromStringList(result.notes));
    if (line.name() == QLatin1String("import-csv") && status == 0)
        details.insert(QStringLiteral("changes"), QJsonArray::fromStringList(result.changes));
    printEnvelope(context, line.name(), status, errors, details);
    return status;
}

// Parses a command of fixed positional arguments; false when the command
// ends at once with `exitCode`.
bool parseFixed(CommandLine &line, const QStringList &arguments, CliContext &context, int count,
                const QString &usage, int &exitCode)
{
    return line.parse(arguments, context, exitCode) && line.takePositional(count, usage, context, exitCode);
}

QCommandLineOption outputOption(const QString &what)
{
    return QCommandLineOption({QStringLiteral("o"), QStringLiteral("output")}, what, QStringLiteral("path"));
}

// An -o of a standard stream and --json would mix two outputs on one stream
// unless the output is the JSON itself; any other output must be a path
// that may take a file. False when the command ends at once with `exitCode`.
bool outputAllowed(const CommandLine &line, const QString &path, bool outputIsJson, CliContext &context,
                   int &exitCode)
{
    QString error;
    const bool stream = outputStream(context, path) != nullptr;
    if (stream && line.json() && !outputIsJson)
        exitCode = line.fail(context, Exit::Usage, langText(context.language, "-o - 不能与 --json 同用", "-o - takes no --json"));
    else if (!stream && !checkOutputFile(path, error, context.language))
        exitCode = line.fail(context, Exit::Refused, error);
    else
        return true;
    return false;
}

// The command's own streams, with its output going to `output`.
CliContext withOutput(const CliContext &context, QTextStream &output)
{
    return {output, context.err, context.progressOnTerminal, context.timing, context.language, context.ports};
}

QString sourceHelp(Language language)
{
    return langText(language, ".chann 文件，或 radio:端口（先读取对讲机）。", "A .chann file, or radio:PORT to read a radio first.");
}

// --format of export-csv and import-csv.
QCommandLineOption formatOption(const QString &what)
{
    return QCommandLineOption(QStringLiteral("format"), what, QStringLiteral("layout"));
}

// The layout --format names, the default when it is not given; false for
// an unknown name.
bool parseFormat(const CommandLine &line, const QCommandLineOption &option, CsvFormat &format)
{
    return !line.parser.isSet(option) || csvFormatOfName(line.parser.value(option), format);
}

QString unknownFormat(const CommandLine &line, const QCommandLineOption &option, Language language)
{
    return langText(language, "未知的格式：%1（kvd9 或 generic）", "unknown format: %1 (kvd9 or generic)")
        .arg(line.parser.value(option));
}

} // namespace

int runShow(const QStringList &arguments, CliContext &context)
{
    CommandLine line("show", context.language, false);
    const QCommandLineOption field(QStringLiteral("field"),
                                   langText(context.language, "只显示标识符与模式相符的参数（通配符 * 和 ?），例如 channel.4.*",
                                            "Only the fields whose identifier matches the pattern "
                                            "(wildcards * and ?), such as channel.4.*"),
                                   QStringLiteral("pattern"));
    const QCommandLineOption output = outputOption(langText(context.language, "保存列表的文件（默认或 - 为标准输出）。",
                                                            "The file to save the listing to (standard output by "
                                                            "default, or -)."));
    line.parser.addOptions({field, output});
    line.parser.addPositionalArgument(QStringLiteral("source"), sourceHelp(context.language));
    int exitCode = 0;
    if (!parseFixed(line, arguments, context, 1, langText(context.language, "请指定一个来源", "name one source to show"), exitCode))
        return exitCode;
    const QString path = line.parser.isSet(output) ? line.parser.value(output) : QStringLiteral("-");
    if (!outputAllowed(line, path, true, context, exitCode))
        return exitCode;
    const QString pattern = line.parser.value(field);
    CommandResult result = runShow(line.parser.positionalArguments().at(0), pattern, context.language, line.json(),
                                   radioReader(context));
    const bool nothing = result.status == 0
        && (line.json() ? result.json.isEmpty() : result.output.isEmpty());
    if (nothing)
        result = {Exit::Negative, result.output,
                  langText(context.language, "没有参数与 %1 相符", "no field matches %1").arg(pattern)};
    if (QTextStream *stream = outputStream(context, path)) {
        CliContext toStream = withOutput(context, *stream);
        return finish(toStream, line, result, QStringLiteral("fields"));
    }
    // The listing goes to the file, the errors stay on standard error.
    QString listing;
    QTextStream stream(&listing);
    CliContext toFile = withOutput(context, stream);
    const int status = finish(toFile, line, result, QStringLiteral("fields"));
    stream.flush();
    QString error;
    if (status == 0 && !saveNamedFile(path, listing.toUtf8(), error, context.language))
        return line.fail(context, Exit::Refused, error);
    return status;
}

int runDiff(const QStringList &arguments, CliContext &context)
{
    CommandLine line("diff", context.language, false);
    line.addEncodingOption();
    line.parser.addPositionalArgument(QStringLiteral("a"), sourceHelp(context.language));
    line.parser.addPositionalArgument(QStringLiteral("b"), sourceHelp(context.language));
    int exitCode = 0;
    if (!parseFixed(line, arguments, context, 2, langText(context.language, "请指定两个来源", "name two sources to compare"), exitCode))
        return exitCode;
    const QStringList args = line.parser.positionalArguments();
    return finish(context, line, runDiff(args.at(0), args.at(1), context.language, radioReader(context), line.encoding()));
}

int runExportCsv(const QStringList &arguments, CliContext &context)
{
    CommandLine line("export-csv", context.language, false);
    const QCommandLineOption output = outputOption(langText(context.language, "要写入的 CSV 文件（- 为标准输出）。",
                                                            "The CSV file to write (- for standard output)."));
    line.parser.addOption(output);
    const QCommandLineOption format = formatOption(
        langText(context.language, "CSV 格式：kvd9（默认，信道表格的各列）或 generic（通用业余无线电信道格式）。",
                 "The CSV layout: kvd9 (default, the channel grid's columns) or generic (the generic "
                 "amateur-radio channel layout)."));
    line.parser.addOption(format);
    line.parser.addPositionalArgument(QStringLiteral("source"), sourceHelp(context.language));
    int exitCode = 0;
    if (!parseFixed(line, arguments, context, 1, langText(context.language, "请指定一个来源", "name one source to export"), exitCode))
        return exitCode;
    if (!line.parser.isSet(output))
        return line.fail(context, Exit::Usage,
                         langText(context.language, "请用 -o 指定 CSV 文件", "no CSV file to write; name it with -o"));
    CsvFormat layout = CsvFormat::Grid;
    if (!parseFormat(line, format, layout))
        return line.fail(context, Exit::Usage, unknownFormat(line, format, context.language));
    const QString path = line.parser.value(output);
    if (!outputAllowed(line, path, false, context, exitCode))
        return exitCode;
    QTextStream *stream = outputStream(context, path);
    CliContext toStream = withOutput(context, stream ? *stream : context.out);
    return finish(toStream, line,
                  runExportCsv(line.parser.positionalArguments().at(0), stream ? QStringLiteral("-") : path,
                               context.language, radioReader(context), layout));
}

int runImportCsv(const QStringList &arguments, CliContext &context)
{
    CommandLine line("import-csv", context.language, false);
    const QCommandLineOption base(QStringLiteral("base"),
                                  langText(context.language, "信道表所覆盖的 .chann 文件。", "The .chann file the plan is laid over."),
                                  QStringLiteral("file"));
    const QCommandLineOption output = outputOption(langText(context.language, "要写入的 .chann 文件。", "The .chann file to write."));
    const QCommandLineOption replace(QStringLiteral("replace"),
                                     langText(context.language, "清除信道表中没有的信道。", "Clear the channels that the plan does not name."));
    line.parser.addOptions({base, output, replace});
    const QCommandLineOption format = formatOption(
        langText(context.language, "CSV 格式：kvd9 或 generic；默认由标题行判断。", "The CSV layout: kvd9 or generic; by default the header tells."));
    const QCommandLineOption renumber(QStringLiteral("renumber"),
                                      langText(context.language, "通用格式：按文件中的顺序填入信道 1、2、3……，而不按 Location。",
                                               "Generic layout: fill channels 1, 2, 3... in file order "
                                               "instead of by Location."));
    const QCommandLineOption skipUnsupported(
        QStringLiteral("skip-unsupported"),
        langText(context.language, "通用格式：跳过对讲机无法容纳的行（频段、模式、亚音），每行一条注释，而不拒绝整个信道表。",
                 "Generic layout: skip the rows the radio cannot hold (their band, mode or tone) with a "
                 "note each, instead of refusing the plan."));
    line.parser.addOptions({format, renumber, skipUnsupported});
    line.parser.addPositionalArgument(QStringLiteral("plan"), langText(context.language, "CSV 信道表。", "The CSV channel plan."));
    int exitCode = 0;
    if (!parseFixed(line, arguments, context, 1, langText(context.language, "请指定一个 CSV 文件", "name one CSV file to import"),
                    exitCode))
        return exitCode;
    if (!line.parser.isSet(base) || !line.parser.isSet(output))
        return line.fail(context, Exit::Usage,
                         langText(context.language, "请用 --base 和 -o 指定文件", "name the base file with --base and the output with -o"));
    CsvFormat layout = CsvFormat::Detect;
    if (!parseFormat(line, format, layout))
        return line.fail(context, Exit::Usage, unknownFormat(line, format, context.language));
    const QString path = line.parser.value(output);
    if (!outputAllowed(line, path, false, context, exitCode))
        return exitCode;
    QTextStream *stream = outputStream(context, path);
    CliContext toStream = withOutput(context, stream ? *stream : context.out);
    return finish(toStream, line,
                  runImportCsv(line.parser.positionalArguments().at(0), line.parser.value(base),
                               stream ? QStringLiteral("-") : path, context.language, line.parser.isSet(replace), layout,
                               line.parser.isSet(renumber), line.parser.isSet(skipUnsupported)));
}
