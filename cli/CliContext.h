#pragma once
#include "serial/LinkPort.h"
#include "serial/LinkProtocol.h"

#include <QCommandLineParser>
#include <QList>
#include <QTextStream>

// Where a subcommand writes and how its links run. The program passes its
// standard streams and the real timing; tests pass buffers and a short one.
struct CliContext {
    QTextStream &out; // results: the summary table or the JSON object
    QTextStream &err; // errors, and progress
    bool progressOnTerminal = false; // live progress lines instead of plain ones
    LinkTiming timing = LinkTiming::real();
};

// The options every subcommand shares (--help, --json, --lang, -p) on top
// of its own.
class CommandLine {
public:
    // The subcommand `name` of the table.
    explicit CommandLine(const char *name, bool withPorts = true);

    QCommandLineParser parser;

    // Parses `arguments` (the subcommand's name first). False when the
    // subcommand is to end at once with `exitCode`: after --help, or after a
    // one-line error.
    bool parse(const QStringList &arguments, CliContext &context, int &exitCode);
    bool json() const { return parser.isSet(m_json); }
    // The ports of every -p, in order.
    const QList<PortSpec> &ports() const { return m_ports; }

private:
    QString m_name;
    bool m_withPorts;
    QCommandLineOption m_help;
    QCommandLineOption m_json;
    QCommandLineOption m_lang;
    QCommandLineOption m_port;
    QList<PortSpec> m_ports;
};

// Prints "kvd9-cli: <text>" as one line on the error stream.
void printError(CliContext &context, const QString &text);
