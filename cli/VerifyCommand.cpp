// kvd9-cli verify: compares each radio with a .chann file.
#include "cli/CodeplugFile.h"
#include "cli/Subcommands.h"
#include "core/Texts.h"

int runVerify(const QStringList &arguments, CliContext &context)
{
    CommandLine line("verify");
    line.parser.addPositionalArgument(QStringLiteral("file"),
                                      QStringLiteral("The .chann file to compare with."));
    int exitCode = 0;
    if (!line.parse(arguments, context, exitCode))
        return exitCode;
    const QString command = QStringLiteral("verify");
    if (line.parser.positionalArguments().size() != 1)
        return refuse(context, line.json(), command,
                      langText("请指定一个 .chann 文件", "name one .chann file to compare with"));
    // Prepared as a write prepares it, so that a radio written from the
    // file verifies clean.
    Codeplug image;
    QString error;
    if (!loadImageForWrite(line.parser.positionalArguments().first(), image, error))
        return refuse(context, line.json(), command, error);
    LinkBatch batch(context, line.ports(), {LinkKind::Read});
    std::vector<PortResult> results = batch.run();
    checkAgainst(results, image);
    printResults(context, line.json(), command, results);
    return failures(results);
}
