#pragma once
#include "core/Bilingual.h"
#include "core/Language.h"
#include "fields/FieldReport.h"
#include "serial/LinkPort.h"
#include "serial/PortDirectory.h"
#include "serial/LinkProtocol.h"

#include <QCommandLineParser>
#include <QJsonObject>
#include <QList>
#include <QTextStream>
#include <memory>

class LinkTrace;

// Where a subcommand writes and how its links run. The program passes its
// standard streams and the real timing; tests pass buffers and a short one.
struct CliContext {
    QTextStream &out; // results: the summary table or the JSON object
    QTextStream &err; // errors, and progress
    bool progressOnTerminal = false; // live progress lines instead of plain ones
    LinkTiming timing = LinkTiming::real();
    // The language of every message and help text, chosen once from --lang.
    Language language = Language::English;
    // The program's one port directory, shared by every copy of the context.
    std::shared_ptr<PortDirectory> ports = std::make_shared<PortDirectory>();
};

// The program's exit statuses; every subcommand keeps to them.
namespace Exit {
constexpr int Success = 0;
constexpr int Negative = 1;    // files differ, verification found differences, a plan has faults,
                               // a port failed
constexpr int Refused = 2;     // unreadable or refused input
constexpr int HalfWritten = 3; // a radio was left half-written and must be written again
constexpr int Usage = 64;
constexpr int SignalBase = 128; // 130 after SIGINT, 143 after SIGTERM
} // namespace Exit

// The options every subcommand shares (--help, --json, --lang, and for the
// link commands -p and --trace) on top of its own. Descriptions are in the
// language given, which the program takes from --lang before any subcommand
// builds its command line.
class CommandLine {
public:
    // The subcommand `name` of the table; with ports, -p is required unless
    // `portsOptional`.
    CommandLine(const char *name, Language language, bool withPorts = true, bool portsOptional = false);
    ~CommandLine();

    QCommandLineParser parser;

    // Parses `arguments` (the subcommand's name first). False when the
    // subcommand is to end at once with `exitCode`: after --help, or after a
    // usage error.
    bool parse(const QStringList &arguments, CliContext &context, int &exitCode);
    bool json() const { return parser.isSet(m_json); }
    QString name() const { return m_name; }
    // The command lists differences between images: it takes --encoding
    // grid|editor, the channels' encoding it lists them in.
    void addEncodingOption();
    // The grid's unless --encoding names the editor's.
    ListedEncoding encoding() const { return m_channelEncoding; }
    // The ports of every -p, in order.
    const QList<PortSpec> &ports() const { return m_ports; }
    // The trace file of --trace, opened by parse(); null without one.
    LinkTrace *trace() const { return m_trace.get(); }
    // The positional arguments, or a usage error unless there are `count`.
    bool takePositional(int count, const QString &usage, CliContext &context, int &exitCode);
    // Ends the command: the one-line error, and with --json the envelope.
    int fail(CliContext &context, int status, const QString &error) const;

private:
    // The refusal of a -p that names no port, saying what to name instead.
    int refusePort(CliContext &context, const QString &text) const;

    QString m_name;
    bool m_withPorts;
    bool m_portsOptional;
    QCommandLineOption m_help;
    QCommandLineOption m_json;
    QCommandLineOption m_lang;
    QCommandLineOption m_port;
    QCommandLineOption m_traceOption;
    QCommandLineOption m_encoding;
    bool m_withEncoding = false;
    ListedEncoding m_channelEncoding = ListedEncoding::Grid;
    QList<PortSpec> m_ports;
    std::unique_ptr<LinkTrace> m_trace;
};

// Prints "kvd9-cli: <text>" as one line on the error stream.
void printError(CliContext &context, const QString &text);

// The one JSON shape of every command: command, ok, status and errors, then
// what the command adds.
void printEnvelope(CliContext &context, const QString &command, int status, const QStringList &errors,
                   const QJsonObject &details = {});

// A command that cannot go on: the one-line error on standard error, and
// with --json the envelope saying so. Returns `status`.
int refuse(CliContext &context, bool json, const QString &command, const QString &error,
           int status = Exit::Refused);

// Lines up `text` in a column `width` characters wide as a terminal shows
// them: wide (CJK) characters take two.
int displayWidth(const QString &text);
QString padded(const QString &text, int width);

// What the program tells about itself.
QString programVersion();
// The exit statuses and their meanings in `language`; only `statuses` where
// given (128 standing for the signals), else all.
// `negative`, where given, is the subcommand's own meaning of status 1.
QString exitStatusHelp(Language language, const QList<int> &statuses = {}, const Bilingual &negative = {nullptr, nullptr});
