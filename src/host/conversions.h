#pragma once
// Conversions between numbers, dates and text under the current FormatSettings. Failures raise
// EConvertError with the conventional messages ("'x' is not a valid integer value").
#include "host/date_time.h"
#include "host/format_settings.h"

#include <QString>

// ---- integers ----
QString IntToStr(qint64 value);
// Leading blanks, a sign and "$"/"0x" hexadecimal are accepted; anything after the digits is not.
// Hexadecimal takes the full width of the type ("$FFFFFFFF" is -1); decimal must fit.
bool TryStrToInt(const QString &text, int &value);
bool TryStrToInt64(const QString &text, qint64 &value);
int StrToInt(const QString &text);
qint64 StrToInt64(const QString &text);
int StrToIntDef(const QString &text, int def);

// ---- floating point ----
// General format, 15 significant digits: fixed when the value has at most 15 integer digits
// and is at least 0.00001, else scientific ("1E20", "1.5E-6"). "INF", "-INF", "NAN".
QString FloatToStr(double value);
// Blanks around, a sign, digits with the decimal separator, an exponent; no group separators.
bool TryStrToFloat(const QString &text, double &value);
bool TryStrToFloat(const QString &text, double &value, QChar decimalSeparator);
double StrToFloat(const QString &text);
double StrToFloatDef(const QString &text, double def);
// Mask language: 0 and # digit placeholders, "." decimal point, "," group separators,
// E+ E- e+ e- scientific, '...' and "..." literals, ";" between the sections for positive,
// negative and zero values. Rounds half away from zero. An empty mask gives FloatToStr.
QString FormatFloat(const QString &format, double value);

// ---- dates and times ----
// Patterns d dd ddd dddd ddddd dddddd, m mm mmm mmmm (minutes right after h/hh), yy yyyy,
// h hh, n nn, s ss, z zzz, am/pm a/p ampm, c, t tt, / and : for the separators, quoted literals.
QString FormatDateTime(const QString &format, TDateTime value);
QString DateToStr(TDateTime value);      // ShortDateFormat
QString TimeToStr(TDateTime value);      // LongTimeFormat
QString DateTimeToStr(TDateTime value);  // date, and the time unless it is midnight
// Dates are read in the day/month/year order of ShortDateFormat, two or three numbers apart by
// DateSeparator (two: the current year); times as h[:n[:s[.fraction]]] with optional am/pm.
bool TryStrToDate(const QString &text, TDateTime &value);
bool TryStrToTime(const QString &text, TDateTime &value);
bool TryStrToDateTime(const QString &text, TDateTime &value);
TDateTime StrToDate(const QString &text);
TDateTime StrToTime(const QString &text);
TDateTime StrToDateTime(const QString &text);
