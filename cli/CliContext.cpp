#include "cli/CliContext.h"

#include "cli/LinkTrace.h"
#include "cli/Subcommands.h"
#include "core/QtTranslations.h"
#include "core/Texts.h"
#include "serial/PortDirectory.h"

#include <QFileInfo>
#include <optional>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

// What the device at `path` finally is: one radio named by number and by
// path, or through a link, is one device. Empty for a path that names
// nothing yet.
QString deviceIdentity(const QString &path)
{
    struct stat info {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0)
        return QString();
    return S_ISCHR(info.st_mode) ? QStringLiteral("device %1").arg(info.st_rdev)
                                 : QStringLiteral("file %1 %2").arg(info.st_dev).arg(info.st_ino);
}

// A device node, or a name that does not exist yet: a plain file or a
// folder is no serial port, nor is a device the system files under another
// class than the terminals (/dev/null is a memory device). Pseudo-terminals
// have no such entry and pass.
bool isDevice(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return true;
    if (!S_ISCHR(info.st_mode))
        return false;
    const QFileInfo subsystem(QStringLiteral("/sys/dev/char/%1:%2/subsystem").arg(major(info.st_rdev)).arg(minor(info.st_rdev)));
    return !subsystem.exists() || subsystem.symLinkTarget().endsWith(QLatin1String("/tty"));
}

} // namespace

CommandLine::CommandLine(const char *name, Language language, bool withPorts, bool portsOptional)
    : m_name(QString::fromLatin1(name)), m_withPorts(withPorts), m_portsOptional(portsOptional),
      m_help({QStringLiteral("h"), QStringLiteral("help")}, langText(language, "显示本帮助。", "Show this help.")),
      m_json(QStringLiteral("json"), langText(language, "以一个 JSON 对象输出结果。", "Print the result as one JSON object.")),
      m_lang(QStringLiteral("lang"),
             langText(language, "信息的语言：en（默认）或 zh。", "Language of the messages: en (default) or zh."),
             QStringLiteral("language"), QStringLiteral("en")),
      m_port({QStringLiteral("p"), QStringLiteral("port")},
             langText(language, "端口：1..8 的编号、COMn 或设备路径。重复此选项或用逗号分隔，可同时操作多台对讲机。",
                      "Port: a number 1..8, COMn or a device path. Repeat it or separate "
                      "ports by commas to work on several radios at once."),
             QStringLiteral("ports")),
      m_traceOption(QStringLiteral("trace"),
                    langText(language, "把每个端口的通信按模拟对讲机日志的格式（带时间，每行注明端口）写入此文件。",
                             "Write every port's traffic to this file in the simulated radio's log "
                             "format, with timestamps, each line naming its port."),
                    QStringLiteral("file")),
      m_encoding(QStringLiteral("encoding"),
                 langText(language, "信道差异按哪种编码列出：grid（默认，信道表格的编码，对讲机所用）或 editor（信道编辑器的编码）。",
                          "The channels' encoding the differences are listed in: grid (default, the channel "
                          "grid's, which the radio uses) or editor (the single-channel editor's)."),
                 QStringLiteral("encoding"))
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(m_help);
    parser.addOption(m_json);
    parser.addOption(m_lang);
    if (withPorts)
        parser.addOptions({m_port, m_traceOption});
}

CommandLine::~CommandLine() = default;

void CommandLine::addEncodingOption()
{
    m_withEncoding = true;
    parser.addOption(m_encoding);
}

bool CommandLine::parse(const QStringList &arguments, CliContext &context, int &exitCode)
{
    exitCode = Exit::Usage;
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        const QString error = unknown.isEmpty()
            ? langText(context.language, "命令行有误：", "bad command line: ") + parser.errorText()
            : langText(context.language, "未知选项：", "unknown option: ") + unknown.first();
        exitCode = refuse(context, arguments.contains(QStringLiteral("--json")), m_name, m_name + QStringLiteral(": ") + error,
                          Exit::Usage);
        return false;
    }
    // The program took the language from the whole command line already;
    // this refuses a wrong one.
    const QString language = parser.value(m_lang);
    if (language != QLatin1String("en") && language != QLatin1String("zh")) {
        exitCode = fail(context, Exit::Usage, langText(context.language, "未知语言：%1（en 或 zh）", "unknown language: %1 (en or zh)").arg(language));
        return false;
    }
    useQtLanguage(context.language);
    if (parser.isSet(m_help)) {
        const Subcommand *subcommand = findSubcommand(m_name);
        parser.setApplicationDescription(langText(context.language, subcommand->chinese, subcommand->english));
        QString help = parser.helpText();
        // The parser names the program, not the subcommand.
        help.replace(QRegularExpression(QStringLiteral("^(Usage: |用法：)\\S+")),
                     QStringLiteral("\\1kvd9-cli ") + m_name);
        help += QLatin1Char('\n')
            + exitStatusHelp(context.language, subcommand->exitStatuses,
                             {subcommand->negativeChinese, subcommand->negativeEnglish});
        exitCode = Exit::Success;
        if (json()) {
            printEnvelope(context, m_name, Exit::Success, {}, {{QStringLiteral("help"), help}});
            return false;
        }
        context.out << help;
        context.out.flush();
        return false;
    }
    if (m_withEncoding && parser.isSet(m_encoding)
        && !listedEncodingOfName(parser.value(m_encoding), m_channelEncoding)) {
        exitCode = fail(context, Exit::Usage,
                        langText(context.language, "未知编码：%1（grid 或 editor）", "unknown encoding: %1 (grid or editor)")
                            .arg(parser.value(m_encoding)));
        return false;
    }
    m_ports.clear();
    QStringList identities; // of m_ports, one each
    // Ports named by number are looked up in one look at the system, taken
    // when the first one comes.
    std::optional<PortSnapshot> snapshot;
    const auto pathOf = [&](const PortSpec &spec) {
        if (!spec.device.isEmpty())
            return spec.device;
        if (!snapshot)
            snapshot = context.ports->snapshot();
        return snapshot->deviceFor(spec.number);
    };
    const QStringList portLists = m_withPorts ? parser.values(m_port) : QStringList();
    for (const QString &list : portLists)
        for (const QString &text : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            PortSpec spec;
            if (!PortSpec::parse(text, spec) || (!spec.device.isEmpty() && !isDevice(spec.device))) {
                exitCode = refusePort(context, text);
                return false;
            }
            const QString device = deviceIdentity(pathOf(spec));
            auto same = m_ports.end();
            for (int i = 0; i < m_ports.size() && same == m_ports.end(); ++i)
                if (m_ports.at(i).name() == spec.name() || (!device.isEmpty() && identities.at(i) == device))
                    same = m_ports.begin() + i;
            if (same != m_ports.end()) {
                const QString error = same->name() == spec.name()
                    ? langText(context.language, "：端口重复指定", ": port named twice")
                    : langText(context.language, "：与 %1 是同一个设备；每台对讲机只能指定一次",
                               ": the same device as %1; name each radio once").arg(same->name());
                exitCode = fail(context, Exit::Usage, spec.name() + error);
                return false;
            }
            m_ports << spec;
            identities << device;
        }
    if (m_withPorts && !m_portsOptional && m_ports.isEmpty()) {
        exitCode = fail(context, Exit::Usage, langText(context.language, "请用 -p 指定端口", "no port given; name one with -p"));
        return false;
    }
    if (m_withPorts && parser.isSet(m_traceOption)) {
        m_trace = std::make_unique<LinkTrace>();
        QString error;
        if (!m_trace->open(parser.value(m_traceOption), error, context.language)) {
            exitCode = fail(context, Exit::Refused, error);
            return false;
        }
    }
    return true;
}

int CommandLine::refusePort(CliContext &context, const QString &text) const
{
    const QString ports = langText(context.language, "（kvd9-cli ports 列出端口）", " (kvd9-cli ports lists the ports)");
    // A file or a folder opens as a device on some systems and then fails
    // with no reason at all.
    if (QFileInfo::exists(text) && !isDevice(text))
        return fail(context, Exit::Refused,
                    text + langText(context.language, "：不是串口设备", ": is not a serial device") + ports);
    const QString device = QStringLiteral("/dev/") + text;
    return fail(context, Exit::Usage,
                langText(context.language, "未知端口：", "unknown port: ") + text
                    + (!text.contains(QLatin1Char('/')) && QFileInfo::exists(device)
                           ? langText(context.language, "；是指 %1 吗？", "; did you mean %1?").arg(device)
                           : QString())
                    + ports);
}

bool CommandLine::takePositional(int count, const QString &usage, CliContext &context, int &exitCode)
{
    if (parser.positionalArguments().size() == count)
        return true;
    exitCode = fail(context, Exit::Usage, usage);
    return false;
}

int CommandLine::fail(CliContext &context, int status, const QString &error) const
{
    return refuse(context, json(), m_name, error, status);
}

void printError(CliContext &context, const QString &text)
{
    context.err << "kvd9-cli: " << text << Qt::endl;
}

void printEnvelope(CliContext &context, const QString &command, int status, const QStringList &errors,
                   const QJsonObject &details)
{
    QJsonObject object = details;
    object.insert(QStringLiteral("command"), command);
    object.insert(QStringLiteral("ok"), status == Exit::Success);
    object.insert(QStringLiteral("status"), status);
    object.insert(QStringLiteral("errors"), QJsonArray::fromStringList(errors));
    context.out << QJsonDocument(object).toJson(QJsonDocument::Indented);
    context.out.flush();
}

int refuse(CliContext &context, bool json, const QString &command, const QString &error, int status)
{
    printError(context, error);
    if (json)
        printEnvelope(context, command, status, {error});
    return status;
}

int displayWidth(const QString &text)
{
    int width = 0;
    for (const uint c : text.toUcs4()) {
        const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F)
            || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F)
            || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
        width += wide ? 2 : 1;
    }
    return width;
}

QString padded(const QString &text, int width)
{
    return text + QString(qMax(0, width - displayWidth(text)), QLatin1Char(' '));
}

QString programVersion()
{
    return QStringLiteral(KVD9_VERSION);
}

namespace {

// The program's exit statuses as the help lists them; the last line stands
// for the three signals.
struct StatusText {
    int status;
    const char *chinese;
    const char *english;
};
constexpr StatusText StatusTexts[] = {
    {Exit::Success, "  0    成功\n", "  0    success\n"},
    {Exit::Negative, "  1    否定的结果：文件不同、校验发现差异、信道表有错，或至少一个端口失败\n",
     "  1    a negative answer: files differ, verification found differences, a plan\n"
     "       has faults, or at least one port failed\n"},
    {Exit::Refused, "  2    输入无法读取或被拒绝\n", "  2    unreadable or refused input\n"},
    {Exit::HalfWritten, "  3    至少一台对讲机只写入了一部分（连接中断），必须重新写入；被第二次 Ctrl+C\n"
                        "       中断的写入以信号的状态结束（130 或 143），JSON 的 halfWritten 说明\n",
     "  3    at least one radio was left half-written (its link was lost) and must be\n"
     "       written again; a write cut by a second Ctrl+C ends with the signal's\n"
     "       status (130, or 143) instead, and the JSON's halfWritten says so\n"},
    {Exit::Usage, "  64   命令行用法错误\n", "  64   usage error\n"},
    {Exit::SignalBase, "  130  被 SIGINT（Ctrl+C）中断；143 被 SIGTERM 中断；129 被 SIGHUP 中断\n"
                       "       （清理完成后程序以该信号结束，调用它的 shell 因此停止循环；JSON 的 status 相同）\n",
     "  130  interrupted by SIGINT (Ctrl+C); 143 by SIGTERM; 129 by SIGHUP\n"
     "       (after its clean-up the program ends by the signal itself, so that a\n"
     "       calling shell stops its loop; the JSON's status is the same)\n"},
};

} // namespace

QString exitStatusHelp(Language language, const QList<int> &statuses, const Bilingual &negative)
{
    QString help = langText(language, "退出状态：\n", "Exit status:\n");
    for (const StatusText &line : StatusTexts)
        if (statuses.isEmpty() || statuses.contains(line.status))
            help += line.status == Exit::Negative && negative.english ? bilingualText(negative, language)
                                                                      : langText(language, line.chinese, line.english);
    return help;
}
