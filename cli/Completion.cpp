#include "cli/Completion.h"

#include "cli/CliContext.h"
#include "cli/Subcommands.h"
#include "core/Texts.h"

#include <QRegularExpression>

namespace {

const QStringList Shells{QStringLiteral("bash"), QStringLiteral("zsh"), QStringLiteral("fish")};
const QStringList PortNumbers = numberItems(1, 1, 8);

// An option's value by the name its help gives it: the words of a fixed
// list (the languages, and the CSV layouts that csvFormatOfName knows),
// ports, nothing for a pattern, a path for the rest.
ValueKind valueKind(const QString &name, QStringList &words)
{
    if (name.isEmpty() || name == QLatin1String("pattern"))
        return ValueKind::None;
    if (name == QLatin1String("ports"))
        return ValueKind::Ports;
    if (name == QLatin1String("language"))
        words = QStringList{QStringLiteral("en"), QStringLiteral("zh")};
    else if (name == QLatin1String("layout"))
        words = QStringList{QStringLiteral("kvd9"), QStringLiteral("generic")};
    else
        return ValueKind::Files;
    return ValueKind::Words;
}

// A subcommand's help in English, as its --help prints it.
QString englishHelp(const Subcommand &subcommand)
{
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    CliContext context{outStream, errStream};
    context.language = Language::English;
    subcommand.run({QString::fromLatin1(subcommand.name), QStringLiteral("--help")}, context);
    outStream.flush();
    return out;
}

// The options and arguments of QCommandLineParser's help: an option line
// starts with two spaces and a dash, its description goes on in lines
// indented further; an argument line names the argument.
CompletedCommand commandOfHelp(const Subcommand &subcommand)
{
    static const QRegularExpression optionLine(
        QStringLiteral("^  (-[^ ,]+(?:, -[^ ,]+)*)(?: <([^>]+)>)?(?:\\s+(.*))?$"));
    static const QRegularExpression argumentLine(QStringLiteral("^  (\\S+)\\s"));
    CompletedCommand command{QString::fromLatin1(subcommand.name), QString::fromUtf8(subcommand.english), {},
                             ValueKind::None, {}};
    enum { Other, Options, Arguments } section = Other;
    for (const QString &line : englishHelp(subcommand).split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1Char(' ')))
            section = line == QLatin1String("Options:") ? Options : line == QLatin1String("Arguments:") ? Arguments : Other;
        else if (section == Options && line.startsWith(QLatin1String("  -"))) {
            const QRegularExpressionMatch m = optionLine.match(line);
            CompletedOption option;
            option.names = m.captured(1).split(QStringLiteral(", "));
            option.takesValue = !m.captured(2).isEmpty();
            option.value = valueKind(m.captured(2), option.words);
            option.description = m.captured(3).trimmed();
            command.options << option;
        } else if (section == Options && !command.options.isEmpty())
            command.options.last().description += QLatin1Char(' ') + line.trimmed();
        else if (section == Arguments && argumentLine.match(line).hasMatch()) {
            const bool shell = line.trimmed().startsWith(QLatin1String("shell "));
            command.arguments = shell ? ValueKind::Words : ValueKind::Files;
            command.words = shell ? Shells : QStringList();
        }
    }
    return command;
}

// The options that stand before a subcommand too.
QList<CompletedOption> globalOptions(const QList<CompletedCommand> &commands)
{
    CompletedOption version;
    version.names = QStringList{QStringLiteral("--version")};
    version.description = QStringLiteral("Print the version.");
    QList<CompletedOption> options{version};
    for (const CompletedOption &option : commands.first().options)
        if (option.names.contains(QLatin1String("--help")) || option.names.contains(QLatin1String("--json"))
            || option.names.contains(QLatin1String("--lang")))
            options << option;
    return options;
}

QStringList optionNames(const QList<CompletedOption> &options)
{
    QStringList names;
    for (const CompletedOption &option : options)
        names << option.names;
    return names;
}

// bash: a case on the subcommand; the word before the cursor tells an
// option's value.
QString bashReply(ValueKind kind, const QStringList &words)
{
    const QString files = QStringLiteral("compgen -f -- \"$cur\"");
    const QString list = QStringLiteral("compgen -W \"%1\" -- \"$cur\"");
    switch (kind) {
    case ValueKind::None: return QStringLiteral("COMPREPLY=()");
    case ValueKind::Files: return QStringLiteral("mapfile -t COMPREPLY < <(%1)").arg(files);
    case ValueKind::Words: return QStringLiteral("mapfile -t COMPREPLY < <(%1)").arg(list.arg(words.join(' ')));
    case ValueKind::Ports:
        return QStringLiteral("mapfile -t COMPREPLY < <(%1; %2)").arg(list.arg(PortNumbers.join(' ')), files);
    }
    return {};
}

QString bashScript(const QList<CompletedCommand> &commands)
{
    QStringList names;
    for (const CompletedCommand &c : commands)
        names << c.name;
    const QList<CompletedOption> globals = globalOptions(commands);
    QString values, bodies;
    const QStringList globalNames = optionNames(globals);
    for (const CompletedOption &o : globals)
        if (o.takesValue)
            values += QStringLiteral("        *:%1) %2; return ;;\n").arg(o.names.join(QStringLiteral("|*:")), bashReply(o.value, o.words));
    for (const CompletedCommand &c : commands) {
        for (const CompletedOption &o : c.options)
            if (o.takesValue && !globalNames.contains(o.names.first())) {
                QStringList cases;
                for (const QString &name : o.names)
                    cases << c.name + QLatin1Char(':') + name;
                values += QStringLiteral("        %1) %2; return ;;\n").arg(cases.join('|'), bashReply(o.value, o.words));
            }
        bodies += QStringLiteral("        %1)\n"
                                 "            if [[ $cur == -* ]]; then\n"
                                 "                %2\n"
                                 "            else\n"
                                 "                %3\n"
                                 "            fi ;;\n")
                      .arg(c.name, bashReply(ValueKind::Words, optionNames(c.options)), bashReply(c.arguments, c.words));
    }
    return QStringLiteral(
               "# bash completion for kvd9-cli, generated by `kvd9-cli completion bash`.\n"
               "_kvd9_cli()\n"
               "{\n"
               "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
               "    local command= i\n"
               "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
               "        case ${COMP_WORDS[i]} in\n"
               "            %1) command=${COMP_WORDS[i]}; break ;;\n"
               "        esac\n"
               "    done\n"
               "    case $command:$prev in\n"
               "%2"
               "    esac\n"
               "    case $command in\n"
               "        '') %3 ;;\n"
               "%4"
               "    esac\n"
               "}\n"
               "complete -o filenames -F _kvd9_cli kvd9-cli\n")
        .arg(names.join('|'), values, bashReply(ValueKind::Words, names + optionNames(globals)), bodies);
}

// zsh: _arguments for the global options and the subcommand, then again
// for the subcommand's own.
QString zshQuoted(QString text)
{
    return text.replace(QLatin1Char('\''), QStringLiteral("'\\''"))
        .replace(QLatin1Char('['), QStringLiteral("\\["))
        .replace(QLatin1Char(']'), QStringLiteral("\\]"));
}

QString zshAction(ValueKind kind, const QStringList &words)
{
    switch (kind) {
    case ValueKind::None: return QString();
    case ValueKind::Files: return QStringLiteral("_files");
    case ValueKind::Words: return QLatin1Char('(') + words.join(' ') + QLatin1Char(')');
    case ValueKind::Ports: return QStringLiteral("{compadd %1; _files}").arg(PortNumbers.join(' '));
    }
    return {};
}

QString zshOption(const CompletedOption &o)
{
    const bool takesValue = o.takesValue;
    QStringList names;
    for (const QString &name : o.names)
        names << name + (takesValue && name.startsWith(QLatin1String("--")) ? QStringLiteral("=") : QString());
    const QString exclusion = o.names.contains(QLatin1String("--help")) || o.names.contains(QLatin1String("--version"))
        ? QStringLiteral("(- *)")
        : o.names.size() > 1 ? QLatin1Char('(') + o.names.join(' ') + QLatin1Char(')') : QString();
    const QString body = QLatin1Char('[') + zshQuoted(o.description) + QLatin1Char(']')
        + (takesValue ? QStringLiteral(":value:") + zshAction(o.value, o.words) : QString());
    const QString prefix = exclusion.isEmpty() ? QString() : QLatin1Char('\'') + exclusion + QLatin1Char('\'');
    if (names.size() == 1)
        return prefix + QLatin1Char('\'') + names.first() + body + QLatin1Char('\'');
    return prefix + QLatin1Char('{') + names.join(',') + QStringLiteral("}'") + body + QLatin1Char('\'');
}

QString zshScript(const QList<CompletedCommand> &commands)
{
    QString described, globals, bodies;
    for (const CompletedCommand &c : commands)
        described += QStringLiteral("    '%1:%2'\n").arg(c.name, zshQuoted(c.description));
    for (const CompletedOption &o : globalOptions(commands))
        globals += QStringLiteral("    %1 \\\n").arg(zshOption(o));
    for (const CompletedCommand &c : commands) {
        bodies += QStringLiteral("      %1) _arguments \\\n").arg(c.name);
        for (const CompletedOption &o : c.options)
            bodies += QStringLiteral("          %1 \\\n").arg(zshOption(o));
        bodies += c.arguments == ValueKind::None
            ? QStringLiteral("          ;;\n")
            : QStringLiteral("          '*:argument:%1' ;;\n").arg(zshAction(c.arguments, c.words));
    }
    return QStringLiteral("#compdef kvd9-cli\n"
                          "# zsh completion for kvd9-cli, generated by `kvd9-cli completion zsh`.\n"
                          "_kvd9_cli() {\n"
                          "  local curcontext=$curcontext state line\n"
                          "  local -a commands\n"
                          "  commands=(\n"
                          "%1"
                          "  )\n"
                          "  _arguments -C \\\n"
                          "%2"
                          "    '1: :->command' \\\n"
                          "    '*:: :->argument' && return\n"
                          "  case $state in\n"
                          "    command) _describe -t commands 'kvd9-cli subcommand' commands ;;\n"
                          "    argument)\n"
                          "      curcontext=${curcontext%:*:*}:kvd9-cli-$words[1]:\n"
                          "      case $words[1] in\n"
                          "%3"
                          "      esac ;;\n"
                          "  esac\n"
                          "}\n"
                          "_kvd9_cli \"$@\"\n")
        .arg(described, globals, bodies);
}

// fish: one complete line per subcommand, option and argument, each under
// the condition of the subcommand seen.
QString fishQuoted(QString text)
{
    return QLatin1Char('\'') + text.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('\''), QStringLiteral("\\'"))
        + QLatin1Char('\'');
}

QString fishValue(ValueKind kind, const QStringList &words)
{
    switch (kind) {
    case ValueKind::None: return QString();
    case ValueKind::Files: return QStringLiteral(" -r -F");
    case ValueKind::Words: return QStringLiteral(" -x -a ") + fishQuoted(words.join(' '));
    case ValueKind::Ports: return QStringLiteral(" -r -F -a ") + fishQuoted(PortNumbers.join(' '));
    }
    return {};
}

QString fishOption(const QString &condition, const CompletedOption &o)
{
    QString line = QStringLiteral("complete -c kvd9-cli -n ") + condition;
    for (const QString &name : o.names)
        line += name.startsWith(QLatin1String("--")) ? QStringLiteral(" -l ") + name.mid(2) : QStringLiteral(" -s ") + name.mid(1);
    line += (o.takesValue && o.value == ValueKind::None ? QStringLiteral(" -x") : fishValue(o.value, o.words));
    return line + QStringLiteral(" -d ") + fishQuoted(o.description) + QLatin1Char('\n');
}

QString fishScript(const QList<CompletedCommand> &commands)
{
    QStringList names;
    for (const CompletedCommand &c : commands)
        names << c.name;
    const QString none = QStringLiteral("'not __fish_seen_subcommand_from %1'").arg(names.join(' '));
    QString script = QStringLiteral("# fish completion for kvd9-cli, generated by `kvd9-cli completion fish`.\n"
                                    "complete -c kvd9-cli -f\n");
    for (const CompletedCommand &c : commands)
        script += QStringLiteral("complete -c kvd9-cli -n %1 -a %2 -d %3\n").arg(none, c.name, fishQuoted(c.description));
    for (const CompletedOption &o : globalOptions(commands))
        script += fishOption(none, o);
    for (const CompletedCommand &c : commands) {
        const QString seen = QStringLiteral("'__fish_seen_subcommand_from %1'").arg(c.name);
        for (const CompletedOption &o : c.options)
            script += fishOption(seen, o);
        if (c.arguments != ValueKind::None)
            script += QStringLiteral("complete -c kvd9-cli -n %1%2\n")
                          .arg(seen, c.arguments == ValueKind::Files ? QStringLiteral(" -F")
                                                                     : QStringLiteral(" -a ") + fishQuoted(c.words.join(' ')));
    }
    return script;
}

} // namespace

QList<CompletedCommand> completedCommands()
{
    QList<CompletedCommand> commands;
    for (const Subcommand &subcommand : subcommands())
        commands << commandOfHelp(subcommand);
    return commands;
}

QString completionScript(const QString &shell)
{
    if (shell == QLatin1String("bash"))
        return bashScript(completedCommands());
    if (shell == QLatin1String("zsh"))
        return zshScript(completedCommands());
    if (shell == QLatin1String("fish"))
        return fishScript(completedCommands());
    return QString();
}

int runCompletion(const QStringList &arguments, CliContext &context)
{
    CommandLine line("completion", context.language, false);
    line.parser.addPositionalArgument(QStringLiteral("shell"), langText(context.language, "bash、zsh 或 fish。", "bash, zsh or fish."));
    int exitCode = 0;
    if (!line.parse(arguments, context, exitCode)
        || !line.takePositional(1, langText(context.language, "请指定 bash、zsh 或 fish", "name the shell: bash, zsh or fish"), context,
                                exitCode))
        return exitCode;
    const QString shell = line.parser.positionalArguments().first();
    const QString script = completionScript(shell);
    if (script.isEmpty())
        return line.fail(context, Exit::Usage,
                         langText(context.language, "未知的 shell：%1（bash、zsh 或 fish）", "unknown shell: %1 (bash, zsh or fish)").arg(shell));
    if (line.json()) {
        printEnvelope(context, line.name(), Exit::Success, {}, {{QStringLiteral("script"), script}});
        return Exit::Success;
    }
    context.out << script;
    context.out.flush();
    return Exit::Success;
}
