// kvd9-cli: reads, writes and verifies KVD9 radios from the command line,
// several at once, without a display.
#include "cli/CliContext.h"
#include "cli/Interrupts.h"
#include "cli/Subcommands.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kvd9-cli"));
    Interrupts::install();
    QTextStream out(stdout);
    QTextStream err(stderr);
    CliContext context{out, err, isatty(STDERR_FILENO) == 1};
    const int status = runCli(app.arguments().mid(1), context);
    out.flush();
    err.flush();
    if (Interrupts *interrupts = Interrupts::instance())
        interrupts->endBySignal();
    return qMin(255, status);
}
