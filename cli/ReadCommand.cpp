// kvd9-cli read: the radio's whole memory into a .chann file per port.
#include "cli/CodeplugFile.h"
#include "cli/OutputPath.h"
#include "cli/Subcommands.h"
#include "core/Texts.h"
#include "fields/CodeplugSource.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

// COM3.chann, or ttyUSB0.chann for /dev/ttyUSB0. Ports whose devices end
// alike (a/radio, b/radio) are named by their whole path instead
// (a_radio.chann), so that no image overwrites another.
QStringList fileNamesFor(const QList<PortSpec> &ports)
{
    QStringList names;
    for (const PortSpec &port : ports)
        names << QFileInfo(port.name()).fileName() + QStringLiteral(".chann");
    if (QSet<QString>(names.begin(), names.end()).size() == names.size())
        return names;
    names.clear();
    for (const PortSpec &port : ports) {
        QString whole = port.name();
        whole.replace(QLatin1Char('/'), QLatin1Char('_'));
        while (whole.startsWith(QLatin1Char('_')))
            whole.remove(0, 1);
        names << whole + QStringLiteral(".chann");
    }
    return names;
}

} // namespace

int runRead(const QStringList &arguments, CliContext &context)
{
    CommandLine line("read");
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    langText("保存的 .chann 文件（- 为标准输出）；多个端口时为文件夹，每个端口一个文件。",
                                             "The .chann file to save (- for standard output); with several "
                                             "ports a folder that gets one file per port."),
                                    QStringLiteral("path"));
    line.parser.addOption(output);
    int exitCode = 0;
    if (!line.parse(arguments, context, exitCode) || !line.takePositional(0, langText("read 不接受文件参数", "read takes no file argument; name the output with -o"), context, exitCode))
        return exitCode;
    const QString target = line.parser.value(output);
    if (target.isEmpty())
        return line.fail(context, Exit::Usage, langText("请用 -o 指定保存的文件", "no file to save to; name it with -o"));
    const bool intoFolder = line.ports().size() > 1;
    const bool toStandardOutput = isStandardOutput(target);
    if (toStandardOutput && (intoFolder || line.json()))
        return line.fail(context, Exit::Usage,
                         langText("-o - 只用于一个端口，且不能与 --json 同用",
                                  "-o - takes one port, and no --json"));
    // Every path is checked before the first link starts: a read takes
    // seconds, and its image must not be lost at the end.
    QStringList paths;
    QString error;
    if (intoFolder) {
        if (QFileInfo(target).exists() && !QFileInfo(target).isDir())
            return line.fail(context, Exit::Refused, target + langText("：不是文件夹", ": is not a folder"));
        if (!QDir().mkpath(target))
            return line.fail(context, Exit::Refused, target + langText("：无法创建文件夹", ": cannot create the folder"));
        for (const QString &name : fileNamesFor(line.ports()))
            paths << QDir(target).filePath(name);
    } else {
        paths << target;
    }
    for (const QString &path : paths)
        if (!toStandardOutput && !checkOutputFile(path, error))
            return line.fail(context, Exit::Refused, error);

    LinkBatch batch(context, line.ports(), {LinkKind::Read});
    std::vector<PortResult> results = batch.run();
    for (size_t i = 0; i < results.size(); ++i) {
        PortResult &r = results[i];
        if (!r.ok)
            continue;
        if (toStandardOutput) {
            context.out << QString::fromLatin1(channelFileText(r.image));
            context.out.flush();
        } else if (saveImage(r.image, paths.at(int(i)), error)) {
            r.details.insert(QStringLiteral("file"), paths.at(int(i)));
        } else {
            r.ok = false;
            r.error = error;
        }
    }
    // With the image on standard output, the summary goes with the progress.
    CliContext summary{toStandardOutput ? context.err : context.out, context.err, context.progressOnTerminal,
                       context.timing};
    return printResults(summary, line.json(), QStringLiteral("read"), results, batch.exitStatus(results));
}
