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
    // Writer-made samples, followed by the inputs that once made the reader fail.
    std::function<QList<QByteArray>()> Seeds;
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
