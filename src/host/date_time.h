#pragma once
// TDateTime: days since 1899-12-30 as a double; the fraction is the time of day. For dates
// before the base the whole part counts back and the fraction still counts forward from
// midnight (-1.25 is 1899-12-29 06:00).
#include <QDate>
#include <QDateTime>
#include <QTime>

using TDateTime = double;

// Dates 0001-01-01 to 9999-12-31. Encode* raise EConvertError on invalid arguments.
bool TryEncodeDate(int year, int month, int day, TDateTime &result);
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime &result);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
// A value outside the date range (or not a number) decodes as all zeros.
void DecodeDate(TDateTime value, int &year, int &month, int &day);
void DecodeTime(TDateTime value, int &hour, int &min, int &sec, int &msec);
int DayOfWeek(TDateTime value);  // 1 = Sunday ... 7 = Saturday

TDateTime DateTimeFromQDate(const QDate &date);
TDateTime DateTimeFromQTime(const QTime &time);
TDateTime DateTimeFromQDateTime(const QDateTime &dateTime);  // local wall-clock time
QDate QDateFromDateTime(TDateTime value);                    // invalid QDate out of range
QTime QTimeFromDateTime(TDateTime value);
QDateTime QDateTimeFromDateTime(TDateTime value);

TDateTime Now();
TDateTime Date();  // today, midnight
TDateTime Time();  // the time of day only
