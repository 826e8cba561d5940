#include "cli/Subcommands.h"

#include "cli/CliContext.h"
#include "core/ModuleState.h"
#include "core/Texts.h"

const QList<Subcommand> &subcommands()
{
    static const QList<Subcommand> table{
        {"ports", "列出端口 1 至 8 对应的设备，以及能否打开",
         "List the devices behind ports 1 to 8, and whether you may open them.", runPorts},
        {"read", "读取对讲机的全部数据，保存为 .chann 文件",
         "Read the radio's whole memory and save it as a .chann file.", runRead},
        {"write", "把 .chann 文件写入对讲机，并读回校验",
         "Write a .chann file to the radio and read it back to verify.", runWrite},
        {"verify", "比较对讲机中的数据与 .chann 文件",
         "Compare the radio's memory with a .chann file.", runVerify},
        {"show", "列出 .chann 文件或对讲机中的每个参数",
         "Show every field of a .chann file or a radio.", runShow},
        {"diff", "逐个参数比较两个 .chann 文件或对讲机",
         "Compare two .chann files or radios field by field.", runDiff},
        {"export-csv", "把使用中的信道导出为 CSV 信道表",
         "Export the channels in use as a CSV channel plan.", runExportCsv},
        {"import-csv", "把 CSV 信道表导入 .chann 文件",
         "Import a CSV channel plan into a .chann file.", runImportCsv},
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

int runCli(const QStringList &arguments, CliContext &context)
{
    const QString first = arguments.value(0);
    if (const Subcommand *subcommand = findSubcommand(first))
        return subcommand->run(arguments, context);
    const int lang = arguments.indexOf(QStringLiteral("--lang"));
    UseChinese = lang >= 0 && arguments.value(lang + 1) == QLatin1String("zh");
    const bool help = first.isEmpty() || first == QLatin1String("-h") || first == QLatin1String("--help")
        || first == QLatin1String("--lang");
    if (!help) {
        printError(context, langText("未知的子命令：", "unknown subcommand: ") + first);
        return 1;
    }
    context.out << langText("用法：kvd9-cli <子命令> [选项]", "Usage: kvd9-cli <subcommand> [options]")
                << "\n\n"
                << langText("北港无线电 KVD9 对讲机的命令行编程工具。",
                            "Command-line programmer for the KVD9 radio of North Harbor Radio Co.")
                << "\n\n"
                << langText("子命令：", "Subcommands:") << '\n';
    for (const Subcommand &s : subcommands())
        context.out << "  " << QString::fromLatin1(s.name).leftJustified(12) << langText(s.chinese, s.english)
                    << '\n';
    context.out << '\n'
                << langText("每个子命令都有 --help；--json 输出 JSON 结果；--lang zh 使用中文。",
                            "Every subcommand has --help; --json prints a JSON result; --lang zh "
                            "gives Chinese texts.")
                << '\n';
    context.out.flush();
    return 0;
}
