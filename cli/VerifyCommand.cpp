// kvd9-cli verify: compares each radio with a .chann file.
#include "cli/CodeplugFile.h"
#include "cli/Subcommands.h"
#include "core/Texts.h"

int runVerify(const QStringList &arguments, CliContext &context)
{
    CommandLine line("verify", context.language);
    line.addEncodingOption();
    line.parser.addPositionalArgument(QStringLiteral("file"),
                                      langText(context.language, "用来比较的 .chann 文件。", "The .chann file to compare with."));
    int exitCode = 0;
    if (!line.parse(arguments, context, exitCode))
        return exitCode;
    if (!line.takePositional(1, langText(context.language, "请指定一个 .chann 文件", "name one .chann file to compare with"), context,
                             exitCode))
        return exitCode;
    // Prepared as a write prepares it, so that a radio written from the
    // file verifies clean.
    Codeplug image;
    QString error;
    if (!loadImageForWrite(line.parser.positionalArguments().first(), image, error, context.language))
        return line.fail(context, Exit::Refused, error);
    LinkBatch batch(context, line.ports(), {LinkKind::Read});
    batch.setTrace(line.trace());
    std::vector<PortResult> results = batch.run();
    checkAgainst(results, image, line.encoding(), context.language);
    return printResults(context, line.json(), line.name(), results, batch.exitStatus(results));
}
