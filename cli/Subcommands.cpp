#include "cli/Subcommands.h"

#include "cli/CliContext.h"
#include "core/Texts.h"

#include <numeric>

const QList<Subcommand> &subcommands()
{
    static const QList<Subcommand> table{
        {"ports", "列出端口 1 至 8 对应的设备，以及能否打开",
         "List the devices behind ports 1 to 8, and whether you may open them.", runPorts, {0, 64}},
        {"read", "读取对讲机的全部数据，保存为 .chann 文件",
         "Read the radio's whole memory and save it as a .chann file.", runRead, {0, 1, 2, 64, 128}},
        {"write", "把 .chann 文件写入对讲机，并读回校验",
         "Write a .chann file to the radio and read it back to verify.", runWrite, {0, 1, 2, 3, 64, 128}},
        {"verify", "比较对讲机中的数据与 .chann 文件",
         "Compare the radio's memory with a .chann file.", runVerify, {0, 1, 2, 64, 128}},
        {"identify", "唤醒对讲机，显示其识别信息与功率值", "Wake the radio and show its identification and power values.",
         runIdentify, {0, 1, 2, 64, 128}},
        {"show", "列出 .chann 文件或对讲机中的每个参数",
         "Show every field of a .chann file or a radio.", runShow, {0, 1, 2, 64, 128},
         "  1    没有参数与 --field 的模式相符\n", "  1    no field matches the pattern of --field\n"},
        {"diff", "逐个参数比较两个 .chann 文件或对讲机",
         "Compare two .chann files or radios field by field.", runDiff, {0, 1, 2, 64, 128},
         "  1    两个来源不同（每个不同的参数一行）\n", "  1    the sources differ (a line for each field that differs)\n"},
        {"export-csv", "把使用中的信道导出为 CSV 信道表",
         "Export the channels in use as a CSV channel plan.", runExportCsv, {0, 2, 64, 128}},
        {"import-csv", "把 CSV 信道表导入 .chann 文件",
         "Import a CSV channel plan into a .chann file.", runImportCsv, {0, 1, 2, 64},
         "  1    信道表有错：列出每个有错的行，不写入任何文件\n",
         "  1    the plan has faults: every faulty line is listed and no file is written\n"},
        {"set", "按窗口的规则修改 .chann 文件或对讲机（-p）中的参数",
         "Change fields of a .chann file, or of the radios (-p), under the windows' rules.", runSet,
         {0, 1, 2, 3, 64, 128}},
        {"completion", "输出 bash、zsh 或 fish 的命令补全脚本",
         "Print the shell completion script for bash, zsh or fish.", runCompletion, {0, 64}},
    };
    return table;
}

const Subcommand *findSubcommand(const QString &name)
{
    for (const Subcommand &s : subcommands())
        if (name == QLatin1String(s.name))
            return &s;
    return nullptr;
}

namespace {

// The options every subcommand takes, which may also stand before the
// subcommand's name; the language's value comes as the next argument or
// after "=".
bool isGlobalOption(const QString &argument, bool &takesValue)
{
    takesValue = argument == QLatin1String("--lang");
    return takesValue || argument.startsWith(QLatin1String("--lang=")) || argument == QLatin1String("--json");
}

// The last --lang of the whole command line, so that even a usage error
// found before the subcommand parses its options speaks that language.
bool chineseRequested(const QStringList &arguments)
{
    bool chinese = false;
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--lang"))
            chinese = arguments.value(i + 1) == QLatin1String("zh");
        else if (arguments.at(i).startsWith(QLatin1String("--lang=")))
            chinese = arguments.at(i).mid(7) == QLatin1String("zh");
    }
    return chinese;
}

// The subcommand nearest to a mistyped one, or empty when none is near.
QString nearestSubcommand(const QString &typed)
{
    QString nearest;
    int best = 3; // more edits than two is another word
    for (const Subcommand &s : subcommands()) {
        const QString name = QString::fromLatin1(s.name);
        // Levenshtein distance, one row at a time.
        QVector<int> row(name.size() + 1);
        std::iota(row.begin(), row.end(), 0);
        for (int i = 1; i <= typed.size(); ++i) {
            int diagonal = row[0];
            row[0] = i;
            for (int j = 1; j <= name.size(); ++j) {
                const int above = row[j];
                row[j] = qMin(qMin(row[j] + 1, row[j - 1] + 1), diagonal + (typed.at(i - 1) == name.at(j - 1) ? 0 : 1));
                diagonal = above;
            }
        }
        if (row.last() < best) {
            best = row.last();
            nearest = name;
        }
    }
    return nearest;
}

void printProgramHelp(CliContext &context)
{
    context.out << langText(context.language, "用法：kvd9-cli [--lang zh] [--json] <子命令> [选项]",
                            "Usage: kvd9-cli [--lang zh] [--json] <subcommand> [options]")
                << "\n\n"
                << langText(context.language, "北港无线电 KVD9 对讲机的命令行编程工具。",
                            "Command-line programmer for the KVD9 radio of North Harbor Radio Co.")
                << "\n\n"
                << langText(context.language, "子命令：", "Subcommands:") << '\n';
    for (const Subcommand &s : subcommands())
        context.out << "  " << padded(QString::fromLatin1(s.name), 12) << langText(context.language, s.chinese, s.english) << '\n';
    context.out << '\n'
                << langText(context.language, "每个子命令都有 --help；--json 输出 JSON 结果；--lang zh 使用中文；"
                            "这些选项可以放在子命令之前或之后。--version 显示版本。",
                            "Every subcommand has --help; --json prints a JSON result; --lang zh gives "
                            "Chinese texts; these options may stand before or after the subcommand. "
                            "--version prints the version.")
                << "\n\n"
                << exitStatusHelp(context.language);
    context.out.flush();
}

} // namespace

int runCli(const QStringList &arguments, CliContext &context)
{
    context.language = chineseRequested(arguments) ? Language::Chinese : Language::English;
    // The global options before the subcommand go after its name, where its
    // own parser takes them.
    QStringList globals;
    int at = 0;
    bool takesValue = false;
    while (at < arguments.size() && isGlobalOption(arguments.at(at), takesValue)) {
        globals << arguments.mid(at, takesValue ? 2 : 1);
        at += takesValue ? 2 : 1;
    }
    const QString first = arguments.value(at);
    if (const Subcommand *subcommand = findSubcommand(first))
        return subcommand->run(QStringList{first} + globals + arguments.mid(at + 1), context);
    const bool json = globals.contains(QStringLiteral("--json"));
    if (first == QLatin1String("--version")) {
        if (json) {
            printEnvelope(context, QString(), Exit::Success, {}, {{QStringLiteral("version"), programVersion()}});
            return Exit::Success;
        }
        context.out << "kvd9-cli " << programVersion() << '\n';
        context.out.flush();
        return Exit::Success;
    }
    if (first == QLatin1String("-h") || first == QLatin1String("--help")) {
        printProgramHelp(context);
        return Exit::Success;
    }
    if (first.isEmpty()) {
        // Without a subcommand there is nothing to do: the usage, as a
        // usage error.
        CliContext toErrors{context.err, context.err, context.progressOnTerminal, context.timing, context.language,
                            context.ports};
        printProgramHelp(toErrors);
        if (json)
            printEnvelope(context, QString(), Exit::Usage,
                          {langText(context.language, "没有子命令", "no subcommand")});
        return Exit::Usage;
    }
    const QString nearest = nearestSubcommand(first);
    return refuse(context, json, QString(),
                  langText(context.language, "未知的子命令：", "unknown subcommand: ") + first
                      + (nearest.isEmpty() ? QString() : langText(context.language, "；是指 %1 吗？", "; did you mean %1?").arg(nearest))
                      + langText(context.language, "（kvd9-cli --help 列出子命令）", " (kvd9-cli --help lists the subcommands)"),
                  Exit::Usage);
}
