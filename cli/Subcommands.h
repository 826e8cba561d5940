#pragma once
#include "core/Bilingual.h"

#include <QList>
#include <QStringList>

struct CliContext;

// A subcommand of the companion program: its name, what it does in both
// languages, and its entry function, which takes the arguments from the
// subcommand's name on and returns the exit status.
struct Subcommand {
    const char *name;
    const char *chinese;
    const char *english;
    int (*run)(const QStringList &arguments, CliContext &context);
    // The exit statuses it can end with, as its --help lists them (128 for
    // the signals).
    QList<int> exitStatuses;
    // What status 1 means for it, where that is its own: both languages,
    // each a help line; null for the program's general meaning.
    const char *negativeChinese = nullptr;
    const char *negativeEnglish = nullptr;
};

// Every subcommand; a new one is a file with its entry function and a row here.
const QList<Subcommand> &subcommands();
const Subcommand *findSubcommand(const QString &name);

// Runs the program's arguments (without the program's name).
int runCli(const QStringList &arguments, CliContext &context);

int runPorts(const QStringList &arguments, CliContext &context);
int runRead(const QStringList &arguments, CliContext &context);
int runWrite(const QStringList &arguments, CliContext &context);
int runVerify(const QStringList &arguments, CliContext &context);
int runIdentify(const QStringList &arguments, CliContext &context);
int runShow(const QStringList &arguments, CliContext &context);
int runDiff(const QStringList &arguments, CliContext &context);
int runExportCsv(const QStringList &arguments, CliContext &context);
int runImportCsv(const QStringList &arguments, CliContext &context);
int runSet(const QStringList &arguments, CliContext &context);
int runCompletion(const QStringList &arguments, CliContext &context);
