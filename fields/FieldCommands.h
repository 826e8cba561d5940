#pragma once
#include "fields/CodeplugSource.h"
#include "fields/FieldReport.h"
#include "fields/GenericChannelCsv.h"

#include <QByteArray>
#include <QJsonArray>
#include <QString>
#include <QStringList>

// The companion's subcommands on the field catalogue, from parsed options
// to what they print and their exit status, so that a command line front
// end only parses and prints.

struct CommandResult {
    int status = 0;      // the exit status
    QByteArray output;   // for standard output
    QString errors;      // for standard error, one message a line
    QStringList notes = {}; // what an import adapted, one line per row
    QJsonArray json = {};   // show --json: the listing, for the envelope to hold
    QStringList changes = {}; // import-csv: every field the import changed, as diff names them
};

// Exit statuses beyond 0 (success) and 1 (images differ / CSV refused).
constexpr int SourceFailed = 2;
constexpr int UsageFailed = 64; // options that do not go together

// show SOURCE [--field PATTERN] [--lang zh] [--json]
CommandResult runShow(const QString &source, const QString &pattern, Language language, bool json,
                      const RadioReader &readRadio = {});

// diff A B [--lang zh] [--encoding grid|editor]: 0 equal, 1 different.
CommandResult runDiff(const QString &a, const QString &b, Language language, const RadioReader &readRadio = {},
                      ListedEncoding encoding = ListedEncoding::Both);

// The CSV layouts of export-csv and import-csv: the channel grid's own
// columns ("kvd9") and the generic amateur-radio channel layout
// ("generic"); an import detects the layout by its header unless told.
enum class CsvFormat { Detect, Grid, Generic };
// False for a name that is neither "kvd9" nor "generic".
bool csvFormatOfName(const QString &name, CsvFormat &format);

// export-csv SOURCE -o PLAN.csv [--lang zh] [--format kvd9|generic]; with "-"
// the plan is the output
CommandResult runExportCsv(const QString &source, const QString &csvPath, Language language,
                           const RadioReader &readRadio = {}, CsvFormat format = CsvFormat::Grid);

// import-csv PLAN.csv --base FILE.chann -o OUT.chann [--replace]
// [--format kvd9|generic] [--renumber]: on any fault in the CSV no output
// file is written and the status is 1; the notes list every adaptation.
// With "-" the image's file text is the output.
// --renumber on a plan of the kvd9 layout is a usage error.
// --skip-unsupported, like --renumber, applies to the generic layout.
// The plan at `csvPath` laid over `base` as import-csv lays it: a file
// that cannot be read, or options that do not fit its layout, give a
// status (SourceFailed, UsageFailed) and an error, and no import.
struct PlanImport {
    ImportResult imported;
    int status = 0;
    QString error;
};
PlanImport importPlanFile(const QString &csvPath, const Codeplug &base, Language language, CsvFormat format,
                          GenericImportOptions options);

CommandResult runImportCsv(const QString &csvPath, const QString &basePath, const QString &outputPath,
                           Language language, bool replace, CsvFormat format = CsvFormat::Detect,
                           bool renumber = false, bool skipUnsupported = false);
