#include "host/date_time.h"

#include "host/exceptions.h"

#include <cmath>

namespace {

const QDate kBaseDate(1899, 12, 30);
constexpr qint64 kMsecsPerDay = 86400000;
constexpr double kMinDate = -693593.0;  // 0001-01-01
constexpr double kMaxDate = 2958466.0;  // 10000-01-01, exclusive

// Splits into whole days and milliseconds of the day, rounding to the nearest millisecond.
bool Split(TDateTime value, qint64 &days, qint64 &msecs) {
    if (!std::isfinite(value) || value < kMinDate || value >= kMaxDate) return false;
    const double whole = std::trunc(value);
    days = qint64(whole);
    msecs = std::llround(std::fabs(value - whole) * double(kMsecsPerDay));
    if (msecs >= kMsecsPerDay) {  // 23:59:59.9995 and later round into the next day
        msecs -= kMsecsPerDay;
        days += value >= 0 ? 1 : -1;
    }
    return true;
}

}  // namespace

bool TryEncodeDate(int year, int month, int day, TDateTime &result) {
    if (year < 1 || year > 9999) return false;
    const QDate date(year, month, day);
    if (!date.isValid()) return false;
    result = double(kBaseDate.daysTo(date));
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return result;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime &result) {
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
        return false;
    result = double(((qint64(hour) * 60 + min) * 60 + sec) * 1000 + msec) / double(kMsecsPerDay);
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    TDateTime result = 0;
    if (!TryEncodeTime(hour, min, sec, msec, result))
        throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return result;
}

QDate QDateFromDateTime(TDateTime value) {
    qint64 days, msecs;
    if (!Split(value, days, msecs)) return QDate();
    const QDate date = kBaseDate.addDays(days);
    return date.year() >= 1 && date.year() <= 9999 ? date : QDate();
}

QTime QTimeFromDateTime(TDateTime value) {
    qint64 days, msecs;
    if (!Split(value, days, msecs)) return QTime(0, 0);
    return QTime::fromMSecsSinceStartOfDay(int(msecs));
}

void DecodeDate(TDateTime value, int &year, int &month, int &day) {
    const QDate date = QDateFromDateTime(value);
    if (!date.isValid()) {
        year = month = day = 0;
        return;
    }
    date.getDate(&year, &month, &day);
}

void DecodeTime(TDateTime value, int &hour, int &min, int &sec, int &msec) {
    const QTime time = QTimeFromDateTime(value);
    hour = time.hour();
    min = time.minute();
    sec = time.second();
    msec = time.msec();
}

int DayOfWeek(TDateTime value) {
    const QDate date = QDateFromDateTime(value);
    return date.isValid() ? date.dayOfWeek() % 7 + 1 : 0;
}

TDateTime DateTimeFromQDate(const QDate &date) { return date.isValid() ? double(kBaseDate.daysTo(date)) : 0.0; }

TDateTime DateTimeFromQTime(const QTime &time) {
    return time.isValid() ? double(time.msecsSinceStartOfDay()) / double(kMsecsPerDay) : 0.0;
}

TDateTime DateTimeFromQDateTime(const QDateTime &dateTime) {
    const TDateTime date = DateTimeFromQDate(dateTime.date());
    const TDateTime time = DateTimeFromQTime(dateTime.time());
    return date >= 0 ? date + time : date - time;
}

QDateTime QDateTimeFromDateTime(TDateTime value) {
    return QDateTime(QDateFromDateTime(value), QTimeFromDateTime(value));
}

TDateTime Now() { return DateTimeFromQDateTime(QDateTime::currentDateTime()); }
TDateTime Date() { return DateTimeFromQDate(QDate::currentDate()); }
TDateTime Time() { return DateTimeFromQTime(QTime::currentTime()); }
