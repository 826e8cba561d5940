// Times the companion program against simulated radios, each a program of
// its own pacing both directions at the line rate:
//   a full write with verification against the sum of the write and read
//   bounds; four radios written at once against one alone; and the process
//   time of `kvd9-cli --help`.
#include "LinkBounds.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct Radio {
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    QString device;
};

bool startRadio(Radio &radio)
{
    radio.process->start(QStringLiteral(KVD9_SIM), {QStringLiteral("--paced"), QStringLiteral("--quiet")});
    if (!radio.process->waitForReadyRead(5000))
        return false;
    const QString first = QString::fromLocal8Bit(radio.process->readLine()).trimmed();
    radio.device = first.section(QLatin1Char(' '), -1);
    return radio.device.startsWith(QLatin1Char('/'));
}

// Seconds the companion program takes, or -1 when it fails.
double timeCli(const QStringList &arguments)
{
    QProcess cli;
    cli.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    cli.start(QStringLiteral(KVD9_CLI), arguments);
    cli.waitForFinished(120000);
    const double seconds = clock.nsecsElapsed() / 1e9;
    cli.readAllStandardOutput();
    return cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0 ? seconds : -1.0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::vector<Radio> radios(4);
    for (Radio &radio : radios)
        if (!startRadio(radio)) {
            std::fprintf(stderr, "the simulated radio did not start\n");
            return 1;
        }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("radio.chann"));
    const QString one = radios.front().device;
    QStringList all;
    for (const Radio &radio : radios)
        all << radio.device;

    const double read = timeCli({"read", "-p", one, "-o", file});
    const double verified = timeCli({"write", "-p", one, file});
    const double single = timeCli({"write", "--no-verify", "-p", one, file});
    const double four = timeCli({"write", "--no-verify", "-p", all.join(QLatin1Char(',')), file});
    std::printf("measure                      seconds  against  ratio\n");
    std::printf("read, one radio              %7.3f  %7.3f  %6.4f  (read bound)\n", read, LinkBounds::Read,
                read / LinkBounds::Read);
    const double sum = LinkBounds::Write + LinkBounds::Read;
    std::printf("write + verify, one radio    %7.3f  %7.3f  %6.4f  (write + read bounds)\n", verified, sum,
                verified / sum);
    std::printf("write, one radio             %7.3f  %7.3f  %6.4f  (write bound)\n", single,
                LinkBounds::Write, single / LinkBounds::Write);
    std::printf("write, four radios at once   %7.3f  %7.3f  %6.4f  (one radio)\n", four, single, four / single);

    constexpr int HelpRuns = 20;
    double total = 0;
    double worst = 0;
    for (int i = 0; i < HelpRuns; ++i) {
        QProcess cli;
        QElapsedTimer clock;
        clock.start();
        cli.start(QStringLiteral(KVD9_CLI), {QStringLiteral("--help")});
        cli.waitForFinished();
        const double ms = clock.nsecsElapsed() / 1e6;
        total += ms;
        worst = qMax(worst, ms);
    }
    std::printf("kvd9-cli --help              mean %.1f ms, worst %.1f ms over %d runs\n", total / HelpRuns,
                worst, HelpRuns);

    for (Radio &radio : radios) {
        radio.process->terminate();
        radio.process->waitForFinished(2000);
    }
    return read > 0 && verified > 0 && single > 0 && four > 0 ? 0 : 1;
}
