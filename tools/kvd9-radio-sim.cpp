// A simulated radio for trying the programmer without a radio: it serves a
// memory image on a pseudo-terminal and logs the traffic.
#include "sim/RadioSimulator.h"

#include "core/ChannelFile.h"
#include "serial/PortDirectory.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

// The announcement link, removed again on every way out the simulator can
// catch; a simulator killed outright leaves it to the programmer, which
// deletes the announcements of ended processes.
QByteArray announcement;

void removeAnnouncement()
{
    if (!announcement.isEmpty())
        ::unlink(announcement.constData());
}

void stopOnSignal(int signal)
{
    removeAnnouncement();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// The memory held by a channel parameter file, read by the programmer's
// own reader; on a problem `error` says what it is.
QByteArray memoryFromFile(const QString &path, QString &error)
{
    QList<int> values;
    if (!readChannelFile(path, values, error, Language::English))
        return QByteArray();
    QByteArray memory(values.size(), char(0xFF));
    for (int i = 0; i < values.size(); ++i)
        memory[i] = char(values.at(i));
    return memory;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kvd9-radio-sim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated KVD9 radio on a pseudo-terminal. Without a file it serves a sample memory with "
        "three channels."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("a .chann file to serve"),
                                 QStringLiteral("[file.chann]"));
    const QCommandLineOption paced(QStringLiteral("paced"),
                                   QStringLiteral("Take and send bytes at 960 bytes a second."));
    const QCommandLineOption offset(QStringLiteral("ident-offset"),
                                    QStringLiteral("Bytes (0..4) before \"KV D9\" in the identification."),
                                    QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption quiet(QStringLiteral("quiet"), QStringLiteral("Do not log the traffic."));
    const QCommandLineOption corrupt(QStringLiteral("corrupt-byte"),
                                     QStringLiteral("Store the byte written to this address inverted."),
                                     QStringLiteral("address"), QStringLiteral("-1"));
    const QCommandLineOption stray(QStringLiteral("stray-before-reply"),
                                   QStringLiteral("Send a stray byte before reply k of a link (0 the "
                                                  "identification, then blocks or acknowledgements)."),
                                   QStringLiteral("k"), QStringLiteral("-1"));
    const QCommandLineOption strayLinks(QStringLiteral("stray-links"),
                                        QStringLiteral("How many links get the stray byte."),
                                        QStringLiteral("n"), QStringLiteral("1"));
    parser.addOptions({paced, offset, quiet, corrupt, stray, strayLinks});
    parser.process(app);

    RadioSimulator radio;
    if (!parser.positionalArguments().isEmpty()) {
        const QString path = parser.positionalArguments().first();
        QString error;
        radio.memory = memoryFromFile(path, error);
        if (radio.memory.isEmpty()) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error));
            return 1;
        }
    }
    radio.setPaced(parser.isSet(paced));
    radio.faults.identOffset = qBound(0, parser.value(offset).toInt(), 4);
    radio.faults.corruptByteAt = parser.value(corrupt).toInt(nullptr, 0);
    radio.faults.strayBeforeReply = parser.value(stray).toInt();
    radio.faults.strayLinks = parser.value(strayLinks).toInt();
    QString error;
    if (!radio.start(&error)) {
        std::fprintf(stderr, "cannot open a pseudo-terminal: %s\n", qPrintable(error));
        return 1;
    }
    // The programmer offers the simulated radio after the real serial ports.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, stopOnSignal);
    std::atexit(removeAnnouncement);
    const QString link = PortDirectory::announceSimulatedRadio(radio.devicePath(), &error);
    if (link.isEmpty())
        std::fprintf(stderr, "the programmer will not list this radio: %s\n", qPrintable(error));
    else
        announcement = QFile::encodeName(link);
    int portNumber = 0;
    const PortDirectory ports;
    for (int n = 1; n <= 8 && !portNumber; ++n)
        if (ports.deviceFor(n) == radio.devicePath())
            portNumber = n;

    QTextStream out(stdout);
    out << "Simulated radio on " << radio.devicePath() << Qt::endl;
    if (portNumber)
        out << "Choose COM" << portNumber << " in the programmer's port setup." << Qt::endl;
    else
        out << "The programmer's ports COM1..COM8 are all taken by real ports; this device is not "
               "among them."
            << Qt::endl;
    if (!parser.isSet(quiet))
        QObject::connect(&radio, &RadioSimulator::traffic, &app,
                         [&out](const QString &line) { out << line << Qt::endl; });
    const int status = app.exec();
    removeAnnouncement();
    return status;
}
