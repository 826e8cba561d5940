// kvd9-cli set: changes fields of a .chann file through the field
// catalogue's writers, so a value is taken or refused as its window would.
#include "cli/CliContext.h"
#include "cli/OutputPath.h"
#include "cli/Subcommands.h"
#include "core/ModuleState.h"
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
// before its other fields); the refusals, each naming the file and field.
// `notes` tells where the raster moved a frequency, as an import does.
QStringList applyAssignments(Codeplug &image, const QList<Assignment> &assignments, const QString &file,
                             QStringList &notes)
{
    QStringList refusals;
    for (const Assignment &a : assignments) {
        const Field *field = findField(a.id);
        const QString refused = field ? writeField(image, *field, a.value)
                                      : langText("没有这个参数（show 列出参数标识符）",
                                                 "no such field (show lists the identifiers)");
        if (!refused.isEmpty()) {
            refusals << QStringLiteral("%1: %2: %3").arg(file, a.id, refused);
            continue;
        }
        const QString stored = readField(image, *field);
        if (field->kind == FieldKind::Frequency && !a.value.trimmed().isEmpty()
            && qRound64(numericValue(a.value) * 1e6) != qRound64(numericValue(stored) * 1e6))
            notes << langText("%1 %2 已对齐到 %3", "%1 %2 snapped to %3").arg(a.id, a.value.trimmed(), stored);
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

} // namespace

int runSet(const QStringList &arguments, CliContext &context)
{
    CommandLine line("set", false);
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    langText("要写入的 .chann 文件（- 为标准输出）；默认替换原文件。",
                                             "The .chann file to write (- for standard output); by default "
                                             "the file itself is replaced."),
                                    QStringLiteral("path"));
    line.parser.addOption(output);
    line.parser.addPositionalArgument(QStringLiteral("file"), langText("要修改的 .chann 文件。", "The .chann file to change."));
    line.parser.addPositionalArgument(QStringLiteral("assignments"),
                                      langText("参数标识符（与 show 相同）和新值，例如 option.squelch=3；按顺序存入。",
                                               "A field's identifier as show lists it and its new text, such "
                                               "as option.squelch=3; stored in order."),
                                      QStringLiteral("FIELD=VALUE..."));
    int exitCode = 0;
    if (!line.parse(arguments, context, exitCode))
        return exitCode;
    const QStringList positional = line.parser.positionalArguments();
    if (positional.size() < 2)
        return line.fail(context, Exit::Usage,
                         langText("请指定一个文件和至少一个 参数=值", "name one file and at least one FIELD=VALUE"));
    QList<Assignment> assignments;
    for (const QString &text : positional.mid(1)) {
        Assignment assignment;
        if (!parseAssignment(text, assignment))
            return line.fail(context, Exit::Usage,
                             langText("%1：不是 参数=值 的形式", "%1: not of the form FIELD=VALUE").arg(text));
        assignments << assignment;
    }
    const QString file = positional.first();
    const QString target = line.parser.isSet(output) ? line.parser.value(output) : file;
    QString error;
    QTextStream *stream = outputStream(context, target);
    if (stream && line.json())
        return line.fail(context, Exit::Usage, langText("-o - 不能与 --json 同用", "-o - takes no --json"));
    if (!stream && !checkOutputFile(target, error))
        return line.fail(context, Exit::Refused, error);

    Codeplug image;
    if (!loadSource(file, image, error))
        return line.fail(context, Exit::Refused, error);
    const Codeplug before = image;
    QStringList notes;
    const QStringList refusals = applyAssignments(image, assignments, file, notes);
    if (!refusals.isEmpty()) {
        for (const QString &refusal : refusals)
            printError(context, refusal);
        if (line.json())
            printEnvelope(context, line.name(), Exit::Refused, refusals);
        return Exit::Refused;
    }

    for (const QString &note : notes)
        printError(context, langText("注：", "note: ") + note);
    const QStringList changes = diffCodeplugs(before, image, UseChinese, encodingOfAssignments(assignments)).lines;
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
    if (!saveRegularFile(target, text, error))
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
