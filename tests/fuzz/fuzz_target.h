#pragma once
// A fuzz target: one reader of untrusted bytes, seen as a function from bytes to "read or
// refused". It must neither crash, hang, take memory without bound nor let an exception out
// other than the refusals the reader documents (those it catches and returns false for).
#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

struct TFuzzTarget {
    QString Name;
    // Writer-made samples: the inputs that mutation starts from.
    std::function<QList<QByteArray>()> Seeds;
    // The inputs that once made the reader fail, some made from the samples. They run once
    // each, first, but are not mutated further: many are large and would slow every run down.
    std::function<QList<QByteArray>(const QList<QByteArray> &samples)> Regressions;
    // True when the input was read, false when it was refused.
    std::function<bool(const QByteArray &)> Run;
    // Words of the format the mutator may insert.
    QList<QByteArray> Tokens;
};

TFuzzTarget ReportFileTarget();
TFuzzTarget ElementStreamTarget();
TFuzzTarget ElementFileTarget();
TFuzzTarget ComponentStreamTarget();
TFuzzTarget RtfTarget();
TFuzzTarget LanguageFileTarget();
TFuzzTarget SettingsFileTarget();
TFuzzTarget PictureTarget();

// Every target, in the order they run.
QList<TFuzzTarget> AllFuzzTargets();
