#pragma once
// Subcommands of the vendamo tool. Each lives in a file of its own and registers itself with a
// static TCommandRegistration; main() dispatches on the first argument.
#include <QString>
#include <QStringList>
#include <functional>

struct TCommand {
    QString Name;
    QString Summary;  // one line for the overview
    QString Usage;    // the full --help text
    // Runs with the arguments after the subcommand's name; returns the exit status.
    std::function<int(const QStringList &args)> Run;
};

struct TCommandRegistration {
    explicit TCommandRegistration(TCommand command);
};

const QList<TCommand> &Commands();
const TCommand *FindCommand(const QString &name);

// Output helpers: stdout for results, stderr ("vendamo: <text>") for usage errors.
void PrintOut(const QString &text);
void PrintError(const QString &text);
// Reports a usage error with a hint to --help; returns exit status 2.
int UsageError(const TCommand &command, const QString &text);
