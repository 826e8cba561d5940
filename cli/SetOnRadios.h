#pragma once
#include "cli/PartialChange.h"
#include "fields/FieldReport.h"

class CommandLine;
struct CliContext;

// set -p: the change of `fields` made on each radio of the command line at
// once, reading and writing only the rows it needs. With `dryRun` each
// radio is read and its changes listed, and nothing is written. A
// `backupFolder` makes each radio be read whole and saved first. The
// `notes` that `change` leaves (where the raster moved a frequency) are
// given once, as set on a file gives them.
int setOnRadios(const CommandLine &line, CliContext &context, const QList<const Field *> &fields,
                const ChangeWriter &change, const QStringList &notes, bool dryRun, const QString &backupFolder,
                ListedEncoding encoding);
