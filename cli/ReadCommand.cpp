// kvd9-cli read: the radio's whole memory into a .chann file per port.
#include "cli/CodeplugFile.h"
#include "cli/Subcommands.h"
#include "core/Texts.h"

#include <QDir>
#include <QFileInfo>

namespace {

// COM3.chann, or ttyUSB0.chann for /dev/ttyUSB0.
QString fileNameFor(const PortSpec &port)
{
    return QFileInfo(port.name()).fileName() + QStringLiteral(".chann");
}

} // namespace

int runRead(const QStringList &arguments, CliContext &context)
{
    CommandLine line("read");
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The .chann file to save; with several ports a "
                                                   "folder that gets one file per port."),
                                    QStringLiteral("path"));
    line.parser.addOption(output);
    int exitCode = 0;
    if (!line.parse(arguments, context, exitCode))
        return exitCode;
    const QString target = line.parser.value(output);
    const QString command = QStringLiteral("read");
    if (target.isEmpty())
        return refuse(context, line.json(), command,
                      langText("请用 -o 指定保存的文件", "no file to save to; name it with -o"));
    const bool intoFolder = line.ports().size() > 1;
    if (intoFolder && !QDir().mkpath(target))
        return refuse(context, line.json(), command,
                      target + langText("：无法创建文件夹", ": cannot create the folder"));
    LinkBatch batch(context, line.ports(), {LinkKind::Read});
    std::vector<PortResult> results = batch.run();
    for (PortResult &r : results) {
        if (!r.ok)
            continue;
        const QString path = intoFolder ? QDir(target).filePath(fileNameFor(r.port)) : target;
        QString error;
        if (saveImage(r.image, path, error)) {
            r.details.insert(QStringLiteral("file"), path);
        } else {
            r.ok = false;
            r.error = error;
        }
    }
    printResults(context, line.json(), command, results);
    return failures(results);
}
