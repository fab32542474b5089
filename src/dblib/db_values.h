#pragma once
// Values as the datasets hold them, and their conversion from and to what the SQL drivers
// deliver and accept. A held value is a QVariant of one of four kinds (see TValueKind):
// qlonglong, double (dates and times as days since 1899-12-30), QString or QByteArray; an
// invalid QVariant is NULL.
#include "dblib/field_type.h"

#include "host/date_time.h"

#include <QDateTime>
#include <QVariant>

namespace DbValues {

// Reads the textual forms databases store dates and times in: "yyyy-MM-dd",
// "yyyy-MM-dd HH:mm[:ss[.zzz]]" (also with "T"), "HH:mm[:ss[.zzz]]". False when it is none.
bool ParseStoredDateTime(const QString &text, double &days);

// A value from a driver (any QVariant type) as the held value for a field of that type.
// Values that do not fit the type (text in an integer column of SQLite) are converted when
// they can be and kept as NULL when they cannot.
QVariant FromDriver(const QVariant &raw, TFieldType type);

// A held value prepared for binding: dates become ISO text for SQLite (the stored form) and
// QDate/QTime/QDateTime for PostgreSQL.
QVariant ToDriver(const QVariant &held, TFieldType type, bool textDates);

}  // namespace DbValues
