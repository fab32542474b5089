#include "command.h"

#include <cstdio>

namespace {
QList<TCommand> &Registry() {
    static QList<TCommand> commands;
    return commands;
}
}  // namespace

TCommandRegistration::TCommandRegistration(TCommand command) { Registry().append(std::move(command)); }

const QList<TCommand> &Commands() { return Registry(); }

const TCommand *FindCommand(const QString &name) {
    for (const TCommand &c : Registry())
        if (c.Name == name) return &c;
    return nullptr;
}

void PrintOut(const QString &text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void PrintError(const QString &text) {
    const QByteArray bytes = (QStringLiteral("vendamo: ") + text + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

int UsageError(const TCommand &command, const QString &text) {
    PrintError(text + QStringLiteral(" (see vendamo ") + command.Name + QStringLiteral(" --help)"));
    return 2;
}
