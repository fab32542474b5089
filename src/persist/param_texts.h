#pragma once
// Query parameter values in report files are text. They are written in one form whatever the
// locale (numbers with a "." and no grouping, dates and times as yyyy-mm-dd hh:nn:ss[.zzz]), so
// that a report saved on one machine loads on another. Reading takes that form first and then
// the current locale's form, which older files used.
#include <QString>

class TParam;

// The value as a report file stores it; empty for NULL.
QString StoredParamText(const TParam &Param);

// Sets the value from stored text (empty text of a non-string type: NULL). Raises
// EConvertError, naming the parameter, when the text is no value of the parameter's type.
void SetStoredParamText(TParam &Param, const QString &Text);
