// kvd9-cli read: the radio's whole memory into a .chann file per port.
#include "cli/CodeplugFile.h"
#include "cli/OutputPath.h"
#include "cli/Subcommands.h"
#include "core/Texts.h"
#include "fields/CodeplugSource.h"

int runRead(const QStringList &arguments, CliContext &context)
{
    CommandLine line("read", context.language);
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    langText(context.language, "保存的 .chann 文件（- 为标准输出）；多个端口时为文件夹，每个端口一个文件。",
                                             "The .chann file to save (- for standard output); with several "
                                             "ports a folder that gets one file per port."),
                                    QStringLiteral("path"));
    line.parser.addOption(output);
    int exitCode = 0;
    if (!line.parse(arguments, context, exitCode) || !line.takePositional(0, langText(context.language, "read 不接受文件参数", "read takes no file argument; name the output with -o"), context, exitCode))
        return exitCode;
    const QString target = line.parser.value(output);
    if (target.isEmpty())
        return line.fail(context, Exit::Usage, langText(context.language, "请用 -o 指定保存的文件", "no file to save to; name it with -o"));
    const bool intoFolder = line.ports().size() > 1;
    QTextStream *stream = outputStream(context, target);
    const bool toStandardOutput = stream != nullptr;
    if (toStandardOutput && (intoFolder || line.json()))
        return line.fail(context, Exit::Usage,
                         langText(context.language, "-o - 只用于一个端口，且不能与 --json 同用",
                                  "-o - takes one port, and no --json"));
    // Every path is checked before the first link starts: a read takes
    // seconds, and its image must not be lost at the end.
    QStringList paths;
    QString error;
    if (intoFolder ? !outputFilesInFolder(target, line.ports(), QStringLiteral(".chann"), paths, error, context.language)
                   : !toStandardOutput && !checkOutputFile(target, error, context.language))
        return line.fail(context, Exit::Refused, error);
    if (!intoFolder)
        paths << target;

    LinkBatch batch(context, line.ports(), {LinkKind::Read});
    batch.setTrace(line.trace());
    std::vector<PortResult> results = batch.run();
    bool saveFailed = false;
    for (size_t i = 0; i < results.size(); ++i) {
        PortResult &r = results[i];
        if (!r.ok)
            continue;
        if (toStandardOutput) {
            *stream << QString::fromLatin1(channelFileText(r.image));
            stream->flush();
        } else if (saveCodeplugFile(paths.at(int(i)), r.image, error, context.language)) {
            r.details.insert(QStringLiteral("file"), paths.at(int(i)));
        } else {
            r.ok = false;
            r.error = error;
            saveFailed = true;
        }
    }
    // With the image on standard output, the summary goes with the progress.
    CliContext summary{stream == &context.out ? context.err : context.out, context.err, context.progressOnTerminal,
                       context.timing, context.language};
    // A radio read but not saved is an output refused, as for every command.
    const int status = batch.exitStatus(results);
    return printResults(summary, line.json(), QStringLiteral("read"), results,
                        saveFailed && status == Exit::Negative ? Exit::Refused : status);
}
