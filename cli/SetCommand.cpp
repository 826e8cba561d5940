// kvd9-cli set: changes fields of a .chann file, or with -p of the radios
// themselves, through the field catalogue's writers, so a value is taken or
// refused as its window would.
#include "cli/CliContext.h"
#include "cli/OutputPath.h"
#include "cli/SetOnRadios.h"
#include "cli/Subcommands.h"
#include "core/NumberText.h"
#include "core/RegularFile.h"
#include "core/Texts.h"
#include "fields/CodeplugSource.h"
#include "fields/FieldCatalogue.h"
#include "fields/FieldReport.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

struct Assignment {
    QString id;
    QString value;
};

// "FIELD=VALUE", split at the first "=": a value may hold "=" or be empty.
bool parseAssignment(const QString &text, Assignment &assignment)
{
    const int at = text.indexOf(QLatin1Char('='));
    if (at <= 0)
        return false;
    assignment = {text.left(at), text.mid(at + 1)};
    return true;
}

// Stores every assignment in order (a channel's receive frequency must come
// before its other fields); the refusals, each naming the field, after
// `prefix` (the file). `notes` tells where the raster moved a frequency, as
// an import does.
QStringList applyAssignments(Codeplug &image, const QList<Assignment> &assignments, const QString &prefix,
                             QStringList &notes, Language language)
{
    QStringList refusals;
    for (const Assignment &a : assignments) {
        const Field *field = findField(a.id);
        const QString refused = field ? writeField(image, *field, a.value, language)
                                      : langText(language, "没有这个参数（show 列出参数标识符）",
                                                 "no such field (show lists the identifiers)");
        if (!refused.isEmpty()) {
            refusals << prefix + QStringLiteral("%1: %2").arg(a.id, refused);
            continue;
        }
        const QString stored = readField(image, *field, Language::English);
        if (field->kind == FieldKind::Frequency && !a.value.trimmed().isEmpty()
            && qRound64(numericValue(a.value) * 1e6) != qRound64(numericValue(stored) * 1e6))
            notes << langText(language, "%1 %2 已对齐到 %3", "%1 %2 snapped to %3").arg(a.id, a.value.trimmed(), stored);
    }
    return refusals;
}

// The encoding a set's changes are listed in: that of the channel fields it
// assigns, or both when it assigns through both.
ListedEncoding encodingOfAssignments(const QList<Assignment> &assignments)
{
    bool grid = false, editor = false;
    for (const Assignment &a : assignments)
        if (const Field *field = findField(a.id); field && field->channel != 0)
            (a.id.contains(QLatin1String(".editor.")) ? editor : grid) = true;
    return grid && editor ? ListedEncoding::Both : editor ? ListedEncoding::Editor : ListedEncoding::Grid;
}

// Every field is known and lies in the rows a write sends before any link
// starts; the power values are the power adjustment's.
int setRadios(const CommandLine &line, CliContext &context, const QList<Assignment> &assignments, bool dryRun,
              const QString &backupFolder)
{
    QList<const Field *> fields;
    for (const Assignment &a : assignments) {
        const Field *field = findField(a.id);
        if (!field)
            return line.fail(context, Exit::Refused,
                             a.id + langText(context.language, "：没有这个参数（show 列出参数标识符）",
                                             ": no such field (show lists the identifiers)"));
        for (const FieldByte &byte : field->bytes)
            if (byte.row >= Region::PowerRow)
                return line.fail(context, Exit::Refused,
                                 a.id + langText(context.language, "：发射功率值不写入对讲机，请用功率调整",
                                                 ": the power values are never written; the power adjustment sets them"));
        fields << field;
    }
    // The same on every radio: the raster does not depend on the radio.
    QStringList notes;
    return setOnRadios(line, context, fields,
                       [&](Codeplug &image) {
                           notes.clear();
                           return applyAssignments(image, assignments, QString(), notes, context.language);
                       },
                       notes, dryRun, backupFolder, encodingOfAssignments(assignments));
}

} // namespace

int runSet(const QStringList &arguments, CliContext &context)
{
    CommandLine line("set", context.language, true, true);
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    langText(context.language, "要写入的 .chann 文件（- 为标准输出）；默认替换原文件。",
                                             "The .chann file to write (- for standard output); by default "
                                             "the file itself is replaced."),
                                    QStringLiteral("path"));
    const QCommandLineOption dryRun(
        QStringLiteral("dry-run"),
        langText(context.language, "与 -p 同用：只读取每台对讲机，列出会改变的参数和行，不写入。",
                 "With -p: only read each radio and list the fields and rows that would change; write nothing."));
    const QCommandLineOption backup(
        QStringLiteral("backup"),
        langText(context.language, "与 -p 同用：先读取每台对讲机的全部数据，保存为 文件夹/<端口>-<时间>.chann；备份失败的对讲机不写入。",
                 "With -p: read each radio whole first and save it as folder/<port>-<time>.chann; a radio "
                 "whose backup fails is not written."),
        QStringLiteral("folder"));
    line.parser.addOptions({output, dryRun, backup});
    line.parser.addPositionalArgument(QStringLiteral("file"),
                                      langText(context.language, "要修改的 .chann 文件；使用 -p 时省略，直接修改对讲机。",
                                               "The .chann file to change; left out with -p, which changes "
                                               "the radios themselves."));
    line.parser.addPositionalArgument(QStringLiteral("assignments"),
                                      langText(context.language, "参数标识符（与 show 相同）和新值，例如 option.squelch=3；按顺序存入。",
                                               "A field's identifier as show lists it and its new text, such "
                                               "as option.squelch=3; stored in order."),
                                      QStringLiteral("FIELD=VALUE..."));
    int exitCode = 0;
    if (!line.parse(arguments, context, exitCode))
        return exitCode;
    const bool onRadios = !line.ports().isEmpty();
    const QStringList positional = line.parser.positionalArguments();
    if (onRadios && line.parser.isSet(output))
        return line.fail(context, Exit::Usage, langText(context.language, "-o 不能与 -p 同用", "-o takes no -p"));
    if (!onRadios && (line.parser.isSet(dryRun) || line.parser.isSet(backup)))
        return line.fail(context, Exit::Usage,
                         langText(context.language, "--dry-run 和 --backup 需要 -p", "--dry-run and --backup need -p"));
    if (positional.size() < (onRadios ? 1 : 2))
        return line.fail(context, Exit::Usage,
                         onRadios ? langText(context.language, "请指定至少一个 参数=值", "name at least one FIELD=VALUE")
                                  : langText(context.language, "请指定一个文件和至少一个 参数=值", "name one file and at least one FIELD=VALUE"));
    QList<Assignment> assignments;
    for (const QString &text : positional.mid(onRadios ? 0 : 1)) {
        Assignment assignment;
        if (!parseAssignment(text, assignment))
            return line.fail(context, Exit::Usage,
                             langText(context.language, "%1：不是 参数=值 的形式", "%1: not of the form FIELD=VALUE").arg(text));
        assignments << assignment;
    }
    if (onRadios)
        return setRadios(line, context, assignments, line.parser.isSet(dryRun), line.parser.value(backup));
    const QString file = positional.first();
    const QString target = line.parser.isSet(output) ? line.parser.value(output) : file;
    QString error;
    QTextStream *stream = outputStream(context, target);
    if (stream && line.json())
        return line.fail(context, Exit::Usage, langText(context.language, "-o - 不能与 --json 同用", "-o - takes no --json"));
    if (!stream && !checkOutputFile(target, error, context.language))
        return line.fail(context, Exit::Refused, error);

    Codeplug image;
    if (!loadSource(file, image, error, context.language))
        return line.fail(context, Exit::Refused, error);
    const Codeplug before = image;
    QStringList notes;
    const QStringList refusals = applyAssignments(image, assignments, file + QStringLiteral(": "), notes, context.language);
    if (!refusals.isEmpty()) {
        for (const QString &refusal : refusals)
            printError(context, refusal);
        if (line.json())
            printEnvelope(context, line.name(), Exit::Refused, refusals);
        return Exit::Refused;
    }

    for (const QString &note : notes)
        printError(context, langText(context.language, "注：", "note: ") + note);
    const QStringList changes = diffCodeplugs(before, image, context.language, encodingOfAssignments(assignments)).lines;
    const QByteArray text = channelFileText(image);
    if (stream) {
        // The file takes the stream; what changed goes beside it.
        *stream << QString::fromLatin1(text);
        stream->flush();
        for (const QString &change : changes)
            context.err << change << '\n';
        context.err.flush();
        return Exit::Success;
    }
    if (!saveRegularFile(target, text, error, context.language))
        return line.fail(context, Exit::Refused, target + QStringLiteral(": ") + error);
    if (line.json()) {
        QJsonObject details{{QStringLiteral("file"), target}, {QStringLiteral("lines"), QJsonArray::fromStringList(changes)}};
        if (!notes.isEmpty())
            details.insert(QStringLiteral("notes"), QJsonArray::fromStringList(notes));
        printEnvelope(context, line.name(), Exit::Success, {}, details);
        return Exit::Success;
    }
    for (const QString &change : changes)
        context.out << change << '\n';
    context.out.flush();
    return Exit::Success;
}
