#pragma once
#include "cli/PartialChange.h"
#include "fields/FieldReport.h"

class CommandLine;
struct CliContext;

// set -p: the change of `fields` made on each radio of the command line at
// once, reading and writing only the rows it needs. With `dryRun` each
// radio is read and its changes listed, and nothing is written. A
// `backupFolder` makes each radio be read whole and saved first.
int setOnRadios(const CommandLine &line, CliContext &context, const QList<const Field *> &fields,
                const ChangeWriter &change, bool dryRun, const QString &backupFolder, ListedEncoding encoding);
