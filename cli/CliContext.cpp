#include "cli/CliContext.h"

#include "cli/Subcommands.h"
#include "core/ModuleState.h"
#include "core/Texts.h"

#include <QRegularExpression>

CommandLine::CommandLine(const char *name, bool withPorts)
    : m_name(QString::fromLatin1(name)), m_withPorts(withPorts),
      m_help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")),
      m_json(QStringLiteral("json"), QStringLiteral("Print the result as one JSON object.")),
      m_lang(QStringLiteral("lang"), QStringLiteral("Language of the messages: en (default) or zh."),
             QStringLiteral("language"), QStringLiteral("en")),
      m_port({QStringLiteral("p"), QStringLiteral("port")},
             QStringLiteral("Port: a number 1..8, COMn or a device path. Repeat it or separate "
                            "ports by commas to work on several radios at once."),
             QStringLiteral("ports"))
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(m_help);
    parser.addOption(m_json);
    parser.addOption(m_lang);
    if (withPorts)
        parser.addOption(m_port);
}

bool CommandLine::parse(const QStringList &arguments, CliContext &context, int &exitCode)
{
    exitCode = 1;
    if (!parser.parse(arguments)) {
        printError(context, m_name + QStringLiteral(": ") + parser.errorText());
        return false;
    }
    const QString language = parser.value(m_lang);
    if (language != QLatin1String("en") && language != QLatin1String("zh")) {
        printError(context, QStringLiteral("unknown language: %1 (en or zh)").arg(language));
        return false;
    }
    UseChinese = language == QLatin1String("zh");
    if (parser.isSet(m_help)) {
        const Subcommand *subcommand = findSubcommand(m_name);
        parser.setApplicationDescription(langText(subcommand->chinese, subcommand->english));
        QString help = parser.helpText();
        // The parser names the program, not the subcommand.
        help.replace(QRegularExpression(QStringLiteral("^Usage: \\S+")),
                     QStringLiteral("Usage: kvd9-cli ") + m_name);
        context.out << help;
        context.out.flush();
        exitCode = 0;
        return false;
    }
    m_ports.clear();
    const QStringList portLists = m_withPorts ? parser.values(m_port) : QStringList();
    for (const QString &list : portLists)
        for (const QString &text : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            PortSpec spec;
            if (!PortSpec::parse(text, spec)) {
                printError(context, langText("未知端口：", "unknown port: ") + text);
                return false;
            }
            m_ports << spec;
        }
    if (m_withPorts && m_ports.isEmpty()) {
        printError(context, langText("请用 -p 指定端口", "no port given; name one with -p"));
        return false;
    }
    return true;
}

void printError(CliContext &context, const QString &text)
{
    context.err << "kvd9-cli: " << text << Qt::endl;
}
