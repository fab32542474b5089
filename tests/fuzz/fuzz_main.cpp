// The fuzzing program: runs the readers of every input format over mutated writer-made samples.
//
//   vendamo_fuzz [--seconds S] [--count N] [--seed N] [--timeout-ms MS] [--out DIR] [target...]
//   vendamo_fuzz --replay FILE target     runs one saved input again
//   vendamo_fuzz --list
//
// Without targets every target runs, each for the given count or time (the first reached).
// Prints one line per target: inputs tried, how many read, time, and the slowest input (saved in
// DIR/fuzz-slowest/<target>). A crash, hang or escaping exception saves the input in
// DIR/fuzz-crashes/<target>/ and ends the program with a non-zero status.
#include "fuzz_runner.h"
#include "fuzz_target.h"

#include "host/scripted_interaction.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <iostream>

namespace {

// Decoders and readers warn about every damaged input; millions of such lines would hide the
// findings. Fatal messages still end the program, as a finding.
void DropMessages(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type == QtFatalMsg) std::cerr << message.toStdString() << std::endl;
}

int Usage() {
    std::cerr << "usage: vendamo_fuzz [--seconds S] [--count N] [--seed N] [--timeout-ms MS] [--out DIR] "
                 "[target...]\n       vendamo_fuzz --replay FILE target\n       vendamo_fuzz --list\n";
    return 2;
}

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler(DropMessages);
    // Readers report damage in error boxes; here they are recorded and dropped.
    TScriptedInteraction ui;

    TFuzzOptions options;
    QString replay;
    QStringList names;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--list")) {
            for (const TFuzzTarget &t : AllFuzzTargets()) std::cout << t.Name.toStdString() << "\n";
            return 0;
        } else if (a == QLatin1String("--seconds") && hasValue) {
            options.Seconds = args[++i].toDouble();
        } else if (a == QLatin1String("--count") && hasValue) {
            options.Count = args[++i].toLongLong();
        } else if (a == QLatin1String("--seed") && hasValue) {
            options.Seed = args[++i].toUInt();
        } else if (a == QLatin1String("--timeout-ms") && hasValue) {
            options.TimeoutMs = args[++i].toInt();
        } else if (a == QLatin1String("--out") && hasValue) {
            options.Out = args[++i];
        } else if (a == QLatin1String("--replay") && hasValue) {
            replay = args[++i];
        } else if (a.startsWith(QLatin1String("--"))) {
            return Usage();
        } else {
            names << a;
        }
    }

    QList<TFuzzTarget> targets;
    for (const TFuzzTarget &t : AllFuzzTargets())
        if (names.isEmpty() || names.contains(t.Name)) targets << t;
    if (targets.size() != (names.isEmpty() ? targets.size() : names.size())) {
        std::cerr << "vendamo_fuzz: unknown target among: " << names.join(u' ').toStdString() << "\n";
        return 2;
    }
    InstallFuzzGuards(options.TimeoutMs);

    if (!replay.isEmpty()) {
        if (targets.size() != 1) return Usage();
        QFile file(replay);
        if (!file.open(QIODevice::ReadOnly)) {
            std::cerr << "vendamo_fuzz: cannot read " << replay.toStdString() << "\n";
            return 2;
        }
        QDir().mkpath(options.Out + QStringLiteral("/fuzz-crashes/") + targets[0].Name);
        const bool read = ReplayFuzzInput(targets[0], file.readAll(), options);
        std::cout << targets[0].Name.toStdString() << ": " << (read ? "read" : "refused") << "\n";
        return 0;
    }

    for (const TFuzzTarget &t : targets) {
        const TFuzzResult r = RunFuzzTarget(t, options);
        std::printf("%-17s %9lld inputs, %9lld read, %8.1f s, 0 crashes, slowest %lld ms\n",
                    qPrintable(t.Name), r.Inputs, r.Read, r.Seconds, r.SlowestMs);
        std::fflush(stdout);
        ui.Clear();
    }
    return 0;
}
