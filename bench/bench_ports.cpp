// What a look at the serial ports costs: the system's list of its ports
// (QSerialPortInfo), a whole snapshot (that list, the simulated radios and
// the numbers), the glance at the device nodes with which the port window
// tells whether to look again, and the whole `kvd9-cli ports` process.
// bench/run_ports.sh adds the files the companion opens. Goal for the
// companion: 30 ms or less on an idle machine.
#include "BenchTiming.h"
#include "serial/PortDirectory.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir announcements;
    qputenv("KVD9_RADIO_SIM_DIR", QFile::encodeName(announcements.path()));
    constexpr int Runs = 30;
    PortDirectory ports;
    const auto print = [](const char *what, const Figures &f) {
        std::printf("%-34s median %7.2f ms  worst %7.2f ms\n", what, f.median, f.worst);
    };
    print("system's port list", measure(Runs, [] { PortDirectory::systemPorts(); }));
    print("snapshot", measure(Runs, [&] { ports.snapshot(); }));
    print("glance at the device nodes", measure(Runs, [&] { ports.presenceStamp(); }));
    print("kvd9-cli ports, whole process", measure(Runs, [] {
        QProcess cli;
        cli.start(QStringLiteral(KVD9_CLI), {QStringLiteral("ports")});
        cli.waitForFinished();
    }));
    print("kvd9-cli --help, whole process", measure(Runs, [] {
        QProcess cli;
        cli.start(QStringLiteral(KVD9_CLI), {QStringLiteral("--help")});
        cli.waitForFinished();
    }));
    return 0;
}
