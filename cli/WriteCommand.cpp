// kvd9-cli write: a .chann file to every port, read back and compared;
// --backup reads and saves each radio first, --dry-run only shows what a
// write would change.
#include "cli/CodeplugFile.h"
#include "cli/OutputPath.h"
#include "cli/Subcommands.h"
#include "core/Layout.h"
#include "core/ModuleState.h"
#include "core/Texts.h"
#include "fields/CodeplugSource.h"
#include "fields/FieldReport.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QSet>

namespace {

// DIR/<port>-<time>.chann for each port, checked before any link starts; a
// name already taken (a second backup within the second) gets a number.
bool backupPaths(const QString &folder, const QList<PortSpec> &ports, QStringList &paths, QString &error)
{
    const QString time = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (!outputFilesInFolder(folder, ports, QLatin1Char('-') + time + QStringLiteral(".chann"), paths, error))
        return false;
    for (QString &path : paths) {
        const QString stem = path.chopped(6);
        for (int n = 2; QFileInfo::exists(path); ++n)
            path = stem + QStringLiteral("-%1.chann").arg(n);
    }
    return true;
}

// The fields a write of `image` would change on each radio that was read,
// named as `diff` names them; row 255 is never written, so the radio's own
// stands in for it.
void listChanges(std::vector<PortResult> &results, const Codeplug &image, ListedEncoding encoding)
{
    for (PortResult &r : results) {
        if (!r.ok)
            continue;
        Codeplug written = image;
        for (int c = 0; c < RowBytes; ++c)
            written.at(Region::PowerRow, c) = r.image.at(Region::PowerRow, c);
        const QStringList changes = diffCodeplugs(r.image, written, UseChinese, encoding).lines;
        r.details.insert(QStringLiteral("changes"), QJsonArray::fromStringList(changes));
        r.notes = changes.isEmpty() ? QStringList{langText("写入不会改变任何参数", "a write would change nothing")}
                                    : changes;
    }
}

} // namespace

int runWrite(const QStringList &arguments, CliContext &context)
{
    CommandLine line("write");
    line.addEncodingOption();
    const QCommandLineOption noVerify(QStringLiteral("no-verify"),
                                      langText("写入后不读回校验。", "Do not read the radio back after writing."));
    const QCommandLineOption backup(
        QStringLiteral("backup"),
        langText("写入前先读取每台对讲机，保存为 文件夹/<端口>-<时间>.chann；备份失败的对讲机不写入。",
                 "Read each radio first and save it as folder/<port>-<time>.chann; a radio whose "
                 "backup fails is not written."),
        QStringLiteral("folder"));
    const QCommandLineOption dryRun(
        QStringLiteral("dry-run"),
        langText("只读取每台对讲机，列出写入会改变的参数，不写入。",
                 "Only read each radio and list the fields a write would change; write nothing."));
    line.parser.addOptions({noVerify, backup, dryRun});
    line.parser.addPositionalArgument(QStringLiteral("file"), langText("要写入的 .chann 文件。", "The .chann file to write."));
    int exitCode = 0;
    if (!line.parse(arguments, context, exitCode))
        return exitCode;
    if (!line.takePositional(1, langText("请指定一个 .chann 文件", "name one .chann file to write"), context, exitCode))
        return exitCode;
    Codeplug image;
    QString error;
    if (!loadImageForWrite(line.parser.positionalArguments().first(), image, error))
        return line.fail(context, Exit::Refused, error);
    QStringList backups;
    if (line.parser.isSet(backup) && !backupPaths(line.parser.value(backup), line.ports(), backups, error))
        return line.fail(context, Exit::Refused, error);

    const bool dry = line.parser.isSet(dryRun);
    const bool verify = !dry && !line.parser.isSet(noVerify);
    QList<LinkKind> steps;
    if (dry || !backups.isEmpty())
        steps << LinkKind::Read;
    if (!dry)
        steps << LinkKind::Write;
    if (verify)
        steps << LinkKind::Read;
    LinkBatch batch(context, line.ports(), steps, image);
    batch.setTrace(line.trace());
    QSet<int> saved;
    if (!backups.isEmpty())
        batch.setReadCheck([&](int port, const Codeplug &radio, QString &saveError) {
            if (!saveCodeplugFile(backups.at(port), radio, saveError))
                return false;
            saved.insert(port);
            return true;
        });
    std::vector<PortResult> results = batch.run();
    if (dry)
        listChanges(results, image, line.encoding());
    else if (verify)
        checkAgainst(results, image, line.encoding());
    for (const int port : saved) {
        PortResult &r = results[size_t(port)];
        r.details.insert(QStringLiteral("backup"), backups.at(port));
        r.notes.prepend(langText("备份：", "backup: ") + backups.at(port));
    }
    return printResults(context, line.json(), line.name(), results, batch.exitStatus(results));
}
