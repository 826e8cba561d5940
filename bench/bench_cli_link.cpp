// Times the companion program against simulated radios, each a program of
// its own pacing both directions at the line rate:
//   a read, a write, and a write with verification of one radio against the
//   protocol's bounds; reads, and writes with verification, of 16, 32 and 64
//   radios at once against one alone; the processor time the companion spends per radio on a read; and
//   the process time of `kvd9-cli --help`; and the partial links: `set -p`
//   of one option field on one radio and on 16 at once, `write
//   --changed-only` with three channels changed against a whole write with
//   verification, and the frames a one-field change sends, counted in its
//   trace.
//   bench_cli_link [most radios at once, default 64]
#include "LinkBounds.h"

#include <QCoreApplication>
#include <QMap>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

struct Radio {
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    QString device;
};

bool startRadio(Radio &radio, const QProcessEnvironment &environment)
{
    radio.process->setProcessEnvironment(environment);
    radio.process->start(QStringLiteral(KVD9_SIM), {QStringLiteral("--paced"), QStringLiteral("--quiet")});
    if (!radio.process->waitForReadyRead(5000))
        return false;
    const QString first = QString::fromLocal8Bit(radio.process->readLine()).trimmed();
    radio.device = first.section(QLatin1Char(' '), -1);
    return radio.device.startsWith(QLatin1Char('/'));
}

// Processor time (user and system) of the ended child processes, in seconds.
double childrenCpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Run {
    double seconds = -1; // wall time, -1 when the companion failed
    double cpu = 0;      // the companion's processor time
};

Run runCli(const QStringList &arguments)
{
    QProcess cli;
    const double cpuBefore = childrenCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    cli.start(QStringLiteral(KVD9_CLI), arguments);
    cli.waitForFinished(120000);
    Run run;
    const double seconds = clock.nsecsElapsed() / 1e9;
    // The simulated radios run on; only the companion has ended.
    run.cpu = childrenCpuSeconds() - cpuBefore;
    cli.readAllStandardOutput();
    const QByteArray errors = cli.readAllStandardError();
    if (cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0)
        run.seconds = seconds;
    else
        std::fprintf(stderr, "kvd9-cli %s failed:\n%s\n", qPrintable(arguments.join(QLatin1Char(' '))),
                     errors.constData());
    return run;
}

// The frames the program sent in a trace, by kind: what follows "-> ".
QMap<QString, int> framesSent(const QString &trace)
{
    QFile file(trace);
    QMap<QString, int> count;
    if (!file.open(QIODevice::ReadOnly))
        return count;
    const QRegularExpression sent(QStringLiteral(" -> (wake-up|read|write|E|ACK)"));
    for (const QByteArray &line : file.readAll().split('\n'))
        if (const QRegularExpressionMatch m = sent.match(QString::fromLatin1(line)); m.hasMatch())
            ++count[m.captured(1)];
    return count;
}

QString devices(const std::vector<Radio> &radios, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << radios[size_t(i)].device;
    return list.join(QLatin1Char(','));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int most = argc > 1 ? qBound(1, atoi(argv[1]), 64) : 64;
    // The radios announce themselves in a folder of this benchmark's own.
    QTemporaryDir announcements;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KVD9_RADIO_SIM_DIR"), announcements.path());
    std::vector<Radio> radios(static_cast<size_t>(most));
    for (Radio &radio : radios)
        if (!startRadio(radio, environment)) {
            std::fprintf(stderr, "the simulated radio did not start\n");
            return 1;
        }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("radio.chann"));
    const QString one = radios.front().device;
    bool ok = true;
    const auto check = [&ok](const Run &run) {
        ok = ok && run.seconds > 0;
        return run;
    };

    const Run read = check(runCli({"read", "-p", one, "-o", file}));
    const Run verified = check(runCli({"write", "-p", one, file}));
    const Run single = check(runCli({"write", "--no-verify", "-p", one, file}));
    std::printf("measure                      seconds  against  ratio\n");
    std::printf("read, one radio              %7.3f  %7.3f  %6.4f  (read bound)\n", read.seconds,
                LinkBounds::Read, read.seconds / LinkBounds::Read);
    const double sum = LinkBounds::Write + LinkBounds::Read;
    std::printf("write + verify, one radio    %7.3f  %7.3f  %6.4f  (write + read bounds)\n", verified.seconds,
                sum, verified.seconds / sum);
    std::printf("write, one radio             %7.3f  %7.3f  %6.4f  (write bound)\n", single.seconds,
                LinkBounds::Write, single.seconds / LinkBounds::Write);

    // Partial links. The radios hold the file; three channels of a copy change.
    const QString changed = dir.filePath(QStringLiteral("changed.chann"));
    QFile::copy(file, changed);
    check(runCli({"set", changed, "channel.10.receive=440", "channel.11.receive=441", "channel.12.receive=442"}));
    const Run changedOnly = check(runCli({"write", "--changed-only", "-p", one, changed}));
    const QString trace = dir.filePath(QStringLiteral("set.trace"));
    const Run setOne = check(runCli({"set", "-p", one, "--trace", trace, "option.squelch=2"}));
    const QMap<QString, int> frames = framesSent(trace);
    std::printf("\npartial links                seconds  against  ratio\n");
    std::printf("set -p one field, one radio  %7.3f  %7.3f  %6.4f  (goal 1.5 s)\n", setOne.seconds, 1.5,
                setOne.seconds / 1.5);
    if (most >= 16) {
        const Run setMany = check(runCli({"set", "-p", devices(radios, 16), "option.squelch=3"}));
        std::printf("set -p one field, 16 radios  %7.3f  %7.3f  %6.4f  (one radio; goal 1.05)\n", setMany.seconds,
                    setOne.seconds, setMany.seconds / setOne.seconds);
    }
    std::printf("write --changed-only, 3 rows %7.3f  %7.3f  %6.4f  (write + verify; goal 0.6)\n",
                changedOnly.seconds, verified.seconds, changedOnly.seconds / verified.seconds);
    std::printf("frames sent by set -p of one option field: %d wake-ups, %d read requests, %d write frames, "
                "%d end bytes (E), %d acknowledgements of block replies\n\n",
                frames.value(QStringLiteral("wake-up")), frames.value(QStringLiteral("read")),
                frames.value(QStringLiteral("write")), frames.value(QStringLiteral("E")),
                frames.value(QStringLiteral("ACK")));

    std::vector<std::pair<int, Run>> reads{{1, read}};
    std::vector<std::pair<int, Run>> writes;
    for (const int count : {16, 32, 64})
        if (count <= most) {
            const QString ports = devices(radios, count);
            reads.emplace_back(count, check(runCli({"read", "-p", ports, "-o", dir.filePath("many")})));
            writes.emplace_back(count, check(runCli({"write", "-p", ports, file})));
        }
    for (const auto &[count, run] : reads)
        if (count > 1)
            std::printf("read, %2d radios at once      %7.3f  %7.3f  %6.4f  (one radio)\n", count, run.seconds,
                        read.seconds, run.seconds / read.seconds);
    for (const auto &[count, run] : writes)
        std::printf("write + verify, %2d at once   %7.3f  %7.3f  %6.4f  (one radio)\n", count, run.seconds,
                    verified.seconds, run.seconds / verified.seconds);
    std::printf("\ncompanion's processor time on a read, per radio (start-up included)\n");
    std::printf("radios  processor s  per radio s  share of one core per radio\n");
    for (const auto &[count, run] : reads)
        std::printf("%6d  %11.3f  %11.4f  %6.2f %%\n", count, run.cpu, run.cpu / count,
                    100.0 * run.cpu / count / run.seconds);

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
    std::printf("\nkvd9-cli --help              mean %.1f ms, worst %.1f ms over %d runs\n", total / HelpRuns,
                worst, HelpRuns);

    for (Radio &radio : radios)
        radio.process->terminate();
    for (Radio &radio : radios)
        radio.process->waitForFinished(2000);
    return ok ? 0 : 1;
}
