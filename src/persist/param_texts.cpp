#include "persist/param_texts.h"

#include "dblib/db_values.h"
#include "dblib/params.h"
#include "host/conversions.h"

#include <QLocale>
#include <cmath>

namespace {

bool IsFloatType(TFieldType t) { return t == ftFloat || t == ftCurrency || t == ftBCD; }
bool IsDateTimeParam(TFieldType t) { return t == ftDate || t == ftTime || t == ftDateTime; }

}  // namespace

QString StoredParamText(const TParam &Param) {
    if (Param.IsNull()) return QString();
    const TFieldType type = Param.DataType();
    if (IsFloatType(type)) return QString::number(Param.AsFloat(), 'g', QLocale::FloatingPointShortest);
    if (!IsDateTimeParam(type)) return Param.AsString();
    // Date and time are taken apart from the day count: no time zone may move them.
    const TDateTime days = Param.AsDateTime();
    const QDate date = QDateFromDateTime(days);
    const QTime clock = QTimeFromDateTime(days);
    const QString time = clock.toString(clock.msec() ? QStringLiteral("hh:mm:ss.zzz") : QStringLiteral("hh:mm:ss"));
    if (type == ftTime) return time;
    if (!date.isValid()) return Param.AsString();  // out of the calendar's range: as the locale writes it
    const QString day = date.toString(QStringLiteral("yyyy-MM-dd"));
    return type == ftDate ? day : day + QLatin1Char(' ') + time;
}

void SetStoredParamText(TParam &Param, const QString &Text) {
    const TFieldType type = Param.DataType();
    const QString t = Text.trimmed();
    if (!t.isEmpty()) {
        double value = 0;
        if (IsFloatType(type) && TryStrToFloat(t, value, QLatin1Char('.'))) {
            Param.SetAsFloat(value);
            return;
        }
        if (IsDateTimeParam(type) && DbValues::ParseStoredDateTime(t, value)) {
            if (type == ftDate) value = std::trunc(value);
            if (type == ftTime) value = std::fabs(value - std::trunc(value));
            Param.SetAsDateTime(value);
            return;
        }
    }
    Param.SetText(Text);
}
