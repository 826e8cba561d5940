#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// What the shells complete: every subcommand of the table with its options
// and arguments, as the subcommand's own --help lists them, so the scripts
// follow the table without a second list to keep.

// What an option's value or a positional argument is completed with.
enum class ValueKind {
    None,  // a flag, or a value nothing can suggest (a pattern)
    Files, // a path
    Words, // one of `words`
    Ports, // a port number or a device path
};

struct CompletedOption {
    QStringList names; // "-o", "--output"
    QString description;
    bool takesValue = false;
    ValueKind value = ValueKind::None; // what completes the value
    QStringList words;
};

struct CompletedCommand {
    QString name;
    QString description;
    QList<CompletedOption> options;
    ValueKind arguments = ValueKind::None; // the positional arguments
    QStringList words;
};

// The subcommands of the table, in its order, in English.
QList<CompletedCommand> completedCommands();

// The completion script of `shell` ("bash", "zsh" or "fish"); empty for
// another shell.
QString completionScript(const QString &shell);
