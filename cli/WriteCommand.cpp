// kvd9-cli write: a .chann file to every port, read back and compared.
#include "cli/CodeplugFile.h"
#include "cli/Subcommands.h"
#include "core/Texts.h"

int runWrite(const QStringList &arguments, CliContext &context)
{
    CommandLine line("write");
    const QCommandLineOption noVerify(QStringLiteral("no-verify"),
                                      QStringLiteral("Do not read the radio back after writing."));
    line.parser.addOption(noVerify);
    line.parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The .chann file to write."));
    int exitCode = 0;
    if (!line.parse(arguments, context, exitCode))
        return exitCode;
    const QString command = QStringLiteral("write");
    if (line.parser.positionalArguments().size() != 1)
        return refuse(context, line.json(), command,
                      langText("请指定一个 .chann 文件", "name one .chann file to write"));
    Codeplug image;
    QString error;
    if (!loadImageForWrite(line.parser.positionalArguments().first(), image, error))
        return refuse(context, line.json(), command, error);
    const bool verify = !line.parser.isSet(noVerify);
    QList<LinkKind> steps{LinkKind::Write};
    if (verify)
        steps << LinkKind::Read;
    LinkBatch batch(context, line.ports(), steps, image);
    std::vector<PortResult> results = batch.run();
    if (verify)
        checkAgainst(results, image);
    printResults(context, line.json(), command, results);
    return failures(results);
}
