// kvd9-cli write: a .chann file to every port, read back and compared.
#include "cli/CodeplugFile.h"
#include "cli/Subcommands.h"
#include "core/Texts.h"

int runWrite(const QStringList &arguments, CliContext &context)
{
    CommandLine line("write");
    const QCommandLineOption noVerify(QStringLiteral("no-verify"),
                                      langText("写入后不读回校验。", "Do not read the radio back after writing."));
    line.parser.addOption(noVerify);
    line.parser.addPositionalArgument(QStringLiteral("file"), langText("要写入的 .chann 文件。", "The .chann file to write."));
    int exitCode = 0;
    if (!line.parse(arguments, context, exitCode))
        return exitCode;
    if (!line.takePositional(1, langText("请指定一个 .chann 文件", "name one .chann file to write"), context, exitCode))
        return exitCode;
    Codeplug image;
    QString error;
    if (!loadImageForWrite(line.parser.positionalArguments().first(), image, error))
        return line.fail(context, Exit::Refused, error);
    const bool verify = !line.parser.isSet(noVerify);
    QList<LinkKind> steps{LinkKind::Write};
    if (verify)
        steps << LinkKind::Read;
    LinkBatch batch(context, line.ports(), steps, image);
    std::vector<PortResult> results = batch.run();
    if (verify)
        checkAgainst(results, image);
    return printResults(context, line.json(), line.name(), results, batch.exitStatus(results));
}
