#include "cli/SetOnRadios.h"

#include "cli/CodeplugFile.h"
#include "core/Texts.h"
#include "fields/FieldReport.h"

#include <QJsonArray>

namespace {

// What one radio's change came to.
struct RadioChange {
    QSet<int> known;   // the rows read before the write
    PartialChange plan;
    Codeplug before;   // the radio as it was read, once planned
    bool planned = false;
};

QList<int> sortedRows(const QSet<int> &rows)
{
    QList<int> list(rows.begin(), rows.end());
    std::sort(list.begin(), list.end());
    return list;
}

void report(PortResult &r, const RadioChange &change, bool dryRun, ListedEncoding encoding, Language language)
{
    const QList<int> read = sortedRows(change.known);
    r.details.insert(QStringLiteral("rowsRead"), rowsJson(read));
    if (!change.planned)
        return;
    const QStringList lines = diffCodeplugs(change.before, change.plan.image, language, encoding).lines;
    r.details.insert(QStringLiteral("changes"), QJsonArray::fromStringList(lines));
    const QList<int> &rows = change.plan.toWrite;
    const bool written = !dryRun && (r.ok || r.phase == QLatin1String("verifying"));
    if (dryRun)
        r.details.insert(QStringLiteral("rowsToWrite"), rowsJson(rows));
    else if (written)
        r.details.insert(QStringLiteral("rowsWritten"), rowsJson(rows));
    if (written && !rows.isEmpty())
        checkRows(r, change.plan.image, rows, encoding, language);
    QString summary = langText(language, "读取的行：", "rows read: ") + rowList(read);
    if (dryRun || written)
        summary += (dryRun ? langText(language, "；将写入的行：", "; rows to write: ") : langText(language, "；写入的行：", "; rows written: "))
            + (rows.isEmpty() ? langText(language, "无", "none") : rowList(rows));
    r.notes = lines + QStringList{summary} + r.notes;
}

} // namespace

int setOnRadios(const CommandLine &line, CliContext &context, const QList<const Field *> &fields,
                const ChangeWriter &change, const QStringList &notes, bool dryRun, const QString &backupFolder,
                ListedEncoding encoding)
{
    RadioBackups backups;
    QString error;
    if (!backupFolder.isEmpty() && !backups.prepare(backupFolder, line.ports(), error, context.language))
        return line.fail(context, Exit::Refused, error);
    // A backup reads the radio whole; that read serves the change as well.
    const QList<int> first = backups.isEmpty() ? rowsToReadFirst(fields) : QList<int>{};
    std::vector<RadioChange> radios(size_t(line.ports().size()));
    for (RadioChange &radio : radios)
        for (int r = 0; r < RadioRows; ++r)
            if (first.isEmpty() || first.contains(r))
                radio.known.insert(r);

    LinkBatch batch(context, line.ports(), QList<LinkStep>{{LinkKind::Read, first}});
    batch.setTrace(line.trace());
    if (!backups.isEmpty())
        batch.setReadCheck([&](int port, const Codeplug &radio, QString &saveError) {
            return backups.save(port, radio, saveError, context.language);
        });
    batch.setPlanner([&](int port, const Codeplug &radio, PortPlan &next, QString &refusal) {
        RadioChange &r = radios[size_t(port)];
        r.plan = planPartialChange(radio, r.known, change, context.language);
        if (!r.plan.refusals.isEmpty()) {
            refusal = r.plan.refusals.join(QStringLiteral("; "));
            return false;
        }
        next.steps.clear();
        if (!r.plan.toRead.isEmpty()) {
            // Planned again once these rows are read.
            r.known.unite(QSet<int>(r.plan.toRead.begin(), r.plan.toRead.end()));
            next.steps.append({LinkKind::Read, r.plan.toRead});
            return true;
        }
        r.before = radio;
        r.planned = true;
        next.toWrite = r.plan.image;
        if (!dryRun && !r.plan.toWrite.isEmpty())
            next.steps << LinkStep{LinkKind::Write, r.plan.toWrite} << LinkStep{LinkKind::Read, r.plan.toWrite};
        return true;
    });
    std::vector<PortResult> results = batch.run();
    for (size_t i = 0; i < results.size(); ++i)
        report(results[i], radios[i], dryRun, encoding, context.language);
    backups.report(results, context.language);
    QJsonObject details; // the envelope's, with --json
    if (!notes.isEmpty())
        details.insert(QStringLiteral("notes"), QJsonArray::fromStringList(notes));
    if (!line.json())
        for (const QString &note : notes)
            printError(context, langText(context.language, "注：", "note: ") + note);
    return printResults(context, line.json(), line.name(), results, batch.exitStatus(results), details);
}
