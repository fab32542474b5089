#pragma once
// The run-time message table: every text the system shows outside its forms' own captions is
// looked up by key in a list of "key=text" lines, which language files may replace line by line.
#include <QString>
#include <QStringList>

// The 133 default lines of the designer window, in stored order.
QStringList DefaultRuntimeMessages();
// The print form's variant: two texts spelled differently, no "PopupMenuUngroupAll" (132 lines).
QStringList PrintFormRuntimeMessages();

// The text after the first "=" of the first line whose key equals key, ignoring case; empty when
// no line has that key.
QString LookupRuntimeMessage(const QStringList &lines, const QString &key);
// Fills the first "%s" of a message text with the argument; an empty argument leaves no "%s"
// (nor a blank left hanging before it).
QString FormatRuntimeMessage(const QString &text, const QString &argument);
