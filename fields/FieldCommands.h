#pragma once
#include "fields/CodeplugSource.h"

#include <QByteArray>
#include <QString>

// The companion's subcommands on the field catalogue, from parsed options
// to what they print and their exit status, so that a command line front
// end only parses and prints.

struct CommandResult {
    int status = 0;      // the exit status
    QByteArray output;   // for standard output
    QString errors;      // for standard error, one message a line
};

// Exit statuses beyond 0 (success) and 1 (images differ / CSV refused).
constexpr int SourceFailed = 2;

// show SOURCE [--field PATTERN] [--lang zh] [--json]
CommandResult runShow(const QString &source, const QString &pattern, bool chinese, bool json,
                      const RadioReader &readRadio = {});

// diff A B [--lang zh]: 0 equal, 1 different.
CommandResult runDiff(const QString &a, const QString &b, bool chinese, const RadioReader &readRadio = {});

// export-csv SOURCE -o PLAN.csv [--lang zh]; with "-" the plan is the output
CommandResult runExportCsv(const QString &source, const QString &csvPath, bool chinese,
                           const RadioReader &readRadio = {});

// import-csv PLAN.csv --base FILE.chann -o OUT.chann [--replace]: on any
// fault in the CSV no output file is written and the status is 1.
CommandResult runImportCsv(const QString &csvPath, const QString &basePath, const QString &outputPath,
                           bool replace);
