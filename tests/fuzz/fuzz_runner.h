#pragma once
// Runs a fuzz target over mutated seeds and catches what goes wrong: a crash, a sanitizer
// report, an allocation beyond the limit (under the sanitizers) or an escaping exception leaves
// the input in <Out>/fuzz-crashes/<target>/ and ends the process; an input that runs past the
// time limit (in processor time, or ten times it in wall time) is left there as a hang and ends
// the process too. Replaying such a file with the
// same program repeats the failure.
#include "fuzz_target.h"

#include <QString>

struct TFuzzOptions {
    quint32 Seed = 1;
    qint64 Count = 0;       // inputs to try; 0 for no limit
    double Seconds = 0;     // time to run; 0 for no limit
    int TimeoutMs = 5000;   // per input, in processor time
    QString Out = QStringLiteral("out");
};

struct TFuzzResult {
    qint64 Inputs = 0;
    qint64 Read = 0;
    qint64 SlowestMs = 0;
    double Seconds = 0;
};

// Starts the hang watchdog and the crash handlers; call once before running targets.
void InstallFuzzGuards(int timeoutMs);

// The seeds and regression inputs first (each must run cleanly), then mutated inputs until the
// count or time is reached.
TFuzzResult RunFuzzTarget(const TFuzzTarget &target, const TFuzzOptions &options);

// Runs one saved input; returns whether the reader read it.
bool ReplayFuzzInput(const TFuzzTarget &target, const QByteArray &input, const TFuzzOptions &options);
