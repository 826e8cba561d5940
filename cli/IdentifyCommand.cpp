// kvd9-cli identify: wakes each radio and shows what it reports, the quick
// check that cable and port are right, without a read or a write.
#include "cli/LinkBatch.h"
#include "cli/Subcommands.h"
#include "core/Layout.h"
#include "core/Texts.h"

int runIdentify(const QStringList &arguments, CliContext &context)
{
    CommandLine line("identify", context.language);
    int exitCode = 0;
    if (!line.parse(arguments, context, exitCode)
        || !line.takePositional(0, langText(context.language, "identify 不接受文件参数", "identify takes no file argument"), context,
                                exitCode))
        return exitCode;
    LinkBatch batch(context, line.ports(), {LinkKind::Power});
    batch.setTrace(line.trace());
    std::vector<PortResult> results = batch.run();
    for (PortResult &r : results) {
        if (!r.ok)
            continue;
        // The only identification the link accepts.
        const QString identification = QStringLiteral("KV D9");
        const int low = r.image.at(Region::PowerRow, 0), high = r.image.at(Region::PowerRow, 1);
        r.details.insert(QStringLiteral("identification"), identification);
        r.details.insert(QStringLiteral("lowPower"), low);
        r.details.insert(QStringLiteral("highPower"), high);
        r.notes << langText(context.language, "%1，低功率值 %2，高功率值 %3", "%1, low power value %2, high power value %3")
                       .arg(identification)
                       .arg(low)
                       .arg(high);
    }
    return printResults(context, line.json(), line.name(), results, batch.exitStatus(results));
}
