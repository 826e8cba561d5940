// kvd9-cli write: a .chann file to every port, read back and compared;
// --backup reads and saves each radio first, --dry-run only shows what a
// write would change, --changed-only reads each radio and writes and reads
// back only the rows that differ.
#include "cli/CodeplugFile.h"
#include "cli/PartialChange.h"
#include "cli/Subcommands.h"
#include "core/Layout.h"
#include "core/Texts.h"
#include "fields/CodeplugSource.h"
#include "fields/FieldReport.h"

#include <QJsonArray>

namespace {

// The fields a write of `image` would change on each radio that was read,
// named as `diff` names them; row 255 is never written, so the radio's own
// stands in for it.
void listChanges(std::vector<PortResult> &results, const Codeplug &image, ListedEncoding encoding,
                 Language language)
{
    for (PortResult &r : results) {
        if (!r.ok)
            continue;
        Codeplug written = image;
        for (int c = 0; c < RowBytes; ++c)
            written.at(Region::PowerRow, c) = r.image.at(Region::PowerRow, c);
        const QStringList changes = diffCodeplugs(r.image, written, language, encoding).lines;
        r.details.insert(QStringLiteral("changes"), QJsonArray::fromStringList(changes));
        r.notes = changes.isEmpty() ? QStringList{langText(language, "写入不会改变任何参数", "a write would change nothing")}
                                    : changes;
    }
}

// The rows each radio took, verified where it was read back.
void reportRowsWritten(std::vector<PortResult> &results, const Codeplug &image, const std::vector<QList<int>> &rows,
                       bool verify, ListedEncoding encoding, Language language)
{
    for (size_t i = 0; i < results.size(); ++i) {
        PortResult &r = results[i];
        if (!r.ok)
            continue;
        if (verify)
            checkRows(r, image, rows[i], encoding, language);
        r.details.insert(QStringLiteral("rowsWritten"), rowsJson(rows[i]));
        r.notes.prepend(langText(language, "写入 %1 行", "%1 rows written").arg(rows[i].size())
                        + (rows[i].isEmpty() ? QString() : QStringLiteral(": ") + rowList(rows[i])));
    }
}

} // namespace

int runWrite(const QStringList &arguments, CliContext &context)
{
    CommandLine line("write", context.language);
    line.addEncodingOption();
    const QCommandLineOption noVerify(QStringLiteral("no-verify"),
                                      langText(context.language, "写入后不读回校验。", "Do not read the radio back after writing."));
    const QCommandLineOption backup(
        QStringLiteral("backup"),
        langText(context.language, "写入前先读取每台对讲机，保存为 文件夹/<端口>-<时间>.chann；备份失败的对讲机不写入。",
                 "Read each radio first and save it as folder/<port>-<time>.chann; a radio whose "
                 "backup fails is not written."),
        QStringLiteral("folder"));
    const QCommandLineOption dryRun(
        QStringLiteral("dry-run"),
        langText(context.language, "只读取每台对讲机，列出写入会改变的参数，不写入。",
                 "Only read each radio and list the fields a write would change; write nothing."));
    const QCommandLineOption changedOnly(
        QStringLiteral("changed-only"),
        langText(context.language, "先读取每台对讲机的全部数据，只写入（并校验）第 0 至 254 行中与文件不同的行。",
                 "Read each radio whole first, then write (and verify) only the rows of 0..254 that "
                 "differ from the file."));
    line.parser.addOptions({noVerify, backup, dryRun, changedOnly});
    line.parser.addPositionalArgument(QStringLiteral("file"), langText(context.language, "要写入的 .chann 文件。", "The .chann file to write."));
    int exitCode = 0;
    if (!line.parse(arguments, context, exitCode))
        return exitCode;
    if (!line.takePositional(1, langText(context.language, "请指定一个 .chann 文件", "name one .chann file to write"), context, exitCode))
        return exitCode;
    Codeplug image;
    QString error;
    if (!loadImageForWrite(line.parser.positionalArguments().first(), image, error, context.language))
        return line.fail(context, Exit::Refused, error);
    RadioBackups backups;
    if (line.parser.isSet(backup) && !backups.prepare(line.parser.value(backup), line.ports(), error, context.language))
        return line.fail(context, Exit::Refused, error);

    const bool dry = line.parser.isSet(dryRun);
    const bool verify = !dry && !line.parser.isSet(noVerify);
    const bool changed = !dry && line.parser.isSet(changedOnly);
    QList<LinkKind> steps;
    if (dry || changed || !backups.isEmpty())
        steps << LinkKind::Read;
    if (!dry && !changed)
        steps << LinkKind::Write;
    if (verify && !changed)
        steps << LinkKind::Read;
    LinkBatch batch(context, line.ports(), steps, image);
    batch.setTrace(line.trace());
    if (!backups.isEmpty())
        batch.setReadCheck([&](int port, const Codeplug &radio, QString &saveError) {
            return backups.save(port, radio, saveError, context.language);
        });
    std::vector<QList<int>> rows(size_t(line.ports().size()));
    if (changed)
        batch.setPlanner([&](int port, const Codeplug &radio, PortPlan &plan, QString &) {
            rows[size_t(port)] = differingRows(radio, image);
            plan.steps.clear();
            if (!rows[size_t(port)].isEmpty())
                plan.steps.append({LinkKind::Write, rows[size_t(port)]});
            if (!rows[size_t(port)].isEmpty() && verify)
                plan.steps.append({LinkKind::Read, rows[size_t(port)]});
            return true;
        });
    std::vector<PortResult> results = batch.run();
    if (dry)
        listChanges(results, image, line.encoding(), context.language);
    else if (changed)
        reportRowsWritten(results, image, rows, verify, line.encoding(), context.language);
    else if (verify)
        checkAgainst(results, image, line.encoding(), context.language);
    backups.report(results, context.language);
    return printResults(context, line.json(), line.name(), results, batch.exitStatus(results));
}
