// A simulated radio for trying the programmer without a radio: it serves a
// memory image on a pseudo-terminal and logs the traffic.
#include "sim/RadioSimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include <cstdio>

// The 4096 values of a channel parameter file, or an empty array when the
// file cannot be read or holds fewer values.
static QByteArray memoryFromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    const QStringList numbers = QString::fromLatin1(file.readAll())
                                    .split(QRegularExpression(QStringLiteral("[\\s,]+")),
                                           Qt::SkipEmptyParts);
    if (numbers.size() < 4096)
        return QByteArray();
    QByteArray memory(4096, char(0xFF));
    for (int i = 0; i < 4096; ++i)
        memory[i] = char(numbers.at(i).toInt() & 0xFF);
    return memory;
}

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
    parser.addOptions({paced, offset, quiet});
    parser.process(app);

    RadioSimulator radio;
    if (!parser.positionalArguments().isEmpty()) {
        const QString path = parser.positionalArguments().first();
        radio.memory = memoryFromFile(path);
        if (radio.memory.isEmpty()) {
            std::fprintf(stderr, "%s: cannot read 4096 values\n", qPrintable(path));
            return 1;
        }
    }
    radio.setPaced(parser.isSet(paced));
    radio.faults.identOffset = qBound(0, parser.value(offset).toInt(), 4);
    QString error;
    if (!radio.start(&error)) {
        std::fprintf(stderr, "cannot open a pseudo-terminal: %s\n", qPrintable(error));
        return 1;
    }
    QTextStream out(stdout);
    out << "Simulated radio on " << radio.devicePath() << Qt::endl;
    if (!parser.isSet(quiet))
        QObject::connect(&radio, &RadioSimulator::traffic, &app,
                         [&out](const QString &line) { out << line << Qt::endl; });
    return app.exec();
}
