// kvd9-cli set: changes fields of a .chann file, or with -p of the radios
// themselves, through the field catalogue's writers, so a value is taken or
// refused as its window would.
#include "cli/CliContext.h"
#include "cli/OutputPath.h"
#include "cli/PartialChange.h"
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

// Ends the command with every refusal, one a line, status 2.
int refuseAll(const CommandLine &line, CliContext &context, const QStringList &refusals)
{
    for (const QString &refusal : refusals)
        printError(context, refusal);
    if (line.json())
        printEnvelope(context, line.name(), Exit::Refused, refusals);
    return Exit::Refused;
}

// Stores every assignment in order (a channel's receive frequency must come
// before its other fields); the refusals, each naming the field, after
// `prefix` (the file). `notes` tells where the raster moved a frequency, as
// an import does. A field that changes another one through the bytes they
// share, read in another way (the other encoding of a channel), is refused
// with each such change unless `allowSideEffects`: what the user did
// not ask for is never changed unseen.
QStringList applyAssignments(Codeplug &image, const QList<Assignment> &assignments, const QString &prefix,
                             QStringList &notes, bool allowSideEffects, Language language)
{
    const Codeplug original = image;
    QSet<QString> assigned;
    for (const Assignment &a : assignments)
        assigned << a.id;
    QStringList refusals;
    QVector<std::pair<QString, const Field *>> effects; // the assignment and a field it changed besides
    for (const Assignment &a : assignments) {
        const Field *field = findField(a.id);
        const Codeplug before = image;
        const QString refused = field ? writeField(image, *field, a.value, language)
                                      : langText(language, "没有这个参数（show 列出参数标识符）",
                                                 "no such field (show lists the identifiers)");
        if (!refused.isEmpty()) {
            refusals << prefix + oneLine(QStringLiteral("%1: %2").arg(a.id, refused));
            continue;
        }
        for (const Field *other : sideEffects(before, image, *field))
            if (!assigned.contains(other->id))
                effects.append({a.id, other});
        const QString stored = readField(image, *field, Language::English);
        if (field->kind == FieldKind::Frequency && !a.value.trimmed().isEmpty()
            && qRound64(numericValue(a.value) * 1e6) != qRound64(numericValue(stored) * 1e6))
            notes << langText(language, "%1 %2 已对齐到 %3", "%1 %2 snapped to %3").arg(a.id, a.value.trimmed(), stored);
    }
    if (allowSideEffects || !refusals.isEmpty())
        return refusals;
    // Named by the whole change: a later assignment may have undone one.
    const QVector<FieldChange> changes = fieldChanges(original, image, language);
    QSet<const Field *> named;
    for (const auto &[id, effect] : effects) {
        const auto change = std::find_if(changes.begin(), changes.end(), [&](const FieldChange &c) { return c.field == effect; });
        if (change == changes.end() || named.contains(effect))
            continue;
        named << effect;
        refusals << prefix
                + langText(language, "%1：也会改变%2（二者共用字节；加 --allow-side-effects 仍然修改）",
                           "%1: also changes %2 (they share bytes; --allow-side-effects changes it anyway)")
                      .arg(id, change->line);
    }
    return refusals;
}

// The refusals every radio would give, found before any link: a value is
// tried on radios that differ in whatever a refusal may depend on (every
// channel in use over the whole band; the settings as the program starts
// them with the VFO at the band's foot, or all bits clear, or all bits set,
// with the VFO at its top); what all of them refuse alike, no radio takes.
// Empty when some radio might take every value.
QStringList refusedOnEveryRadio(const QList<Assignment> &assignments, Language language)
{
    Codeplug base;
    InitDefaultImage(base);
    for (int n = Region::FirstChannelRow; n <= Region::LastChannelRow; ++n)
        writeField(base, *findField(QStringLiteral("channel.%1.receive").arg(n)), QStringLiteral("435"), Language::English);
    QStringList common;
    for (const int fill : {-1, 0x00, 0xFF}) {
        Codeplug radio = base;
        for (int row = Region::NameTableLastRow + 1; row < Region::PowerRow; ++row)
            if (fill >= 0 && row != Region::RangeRow && row != Region::SignatureRow)
                for (int c = 0; c < RowBytes; ++c)
                    radio.at(row, c) = fill;
        if (fill >= 0)
            writeField(radio, *findField(QStringLiteral("vfo.receive")), QStringLiteral("469.975"), Language::English);
        QStringList notes;
        const QStringList refusals = applyAssignments(radio, assignments, QString(), notes, true, language);
        if (refusals.isEmpty() || (fill >= 0 && refusals != common))
            return {};
        common = refusals;
    }
    return common;
}

// Every field is known and lies in the rows a write sends, and no value is
// one that every radio refuses, before any link starts; the power values
// are the power adjustment's.
int setRadios(const CommandLine &line, CliContext &context, const QList<Assignment> &assignments, bool dryRun,
              const QString &backupFolder, bool allowSideEffects)
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
    const QStringList refused = refusedOnEveryRadio(assignments, context.language);
    if (!refused.isEmpty())
        return refuseAll(line, context, refused);
    // The same on every radio: the raster does not depend on the radio.
    QStringList notes;
    return setOnRadios(line, context, fields,
                       [&](Codeplug &image) {
                           notes.clear();
                           return applyAssignments(image, assignments, QString(), notes, allowSideEffects, context.language);
                       },
                       notes, dryRun, backupFolder, ListedEncoding::Both);
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
    const QCommandLineOption allowSideEffects(
        QStringLiteral("allow-side-effects"),
        langText(context.language, "一个参数经共用的字节改变其他参数（信道的另一种编码）时仍然修改，并列出每项改变；默认拒绝，什么也不写。",
                 "Go on when a field changes other fields through the bytes they share (a channel's other "
                 "encoding), listing every change; by default such a change is refused and nothing is written."));
    line.parser.addOptions({output, dryRun, backup, allowSideEffects});
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
        return setRadios(line, context, assignments, line.parser.isSet(dryRun), line.parser.value(backup),
                         line.parser.isSet(allowSideEffects));
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
    QStringList refusals = applyAssignments(image, assignments, file + QStringLiteral(": "), notes,
                                            line.parser.isSet(allowSideEffects), context.language);
    // What a write of the file would refuse, set refuses already.
    if (const QString outOfRange = checkChangedRanges(image, differingRows(before, image), context.language);
        refusals.isEmpty() && !outOfRange.isEmpty())
        refusals << file + QStringLiteral(": ") + outOfRange;
    if (!refusals.isEmpty())
        return refuseAll(line, context, refusals);

    for (const QString &note : notes)
        printError(context, langText(context.language, "注：", "note: ") + note);
    const QStringList changes = diffCodeplugs(before, image, context.language).lines;
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
    if (!saveNamedFile(target, text, error, context.language))
        return line.fail(context, Exit::Refused, error);
    if (line.json()) {
        QJsonObject details{{QStringLiteral("file"), target},
                            {QStringLiteral("changes"), QJsonArray::fromStringList(changes)},
                            {QStringLiteral("lines"), QJsonArray::fromStringList(changes)}};
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
