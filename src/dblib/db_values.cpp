#include "dblib/db_values.h"

#include <QRegularExpression>
#include <cmath>

namespace DbValues {

bool ParseStoredDateTime(const QString &text, double &days) {
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(?:(\d{4})-(\d{1,2})-(\d{1,2}))?(?:(?:^|[ T])\s*(\d{1,2}):(\d{2})(?::(\d{2})(?:[.,](\d{1,6}))?)?)?\s*$)"));
    const auto m = re.match(text);
    if (!m.hasMatch() || (m.captured(1).isEmpty() && m.captured(4).isEmpty())) return false;
    QDate date;
    QTime time(0, 0);
    if (!m.captured(1).isEmpty()) {
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        if (!date.isValid()) return false;
    }
    if (!m.captured(4).isEmpty()) {
        int ms = 0;
        if (!m.captured(7).isEmpty()) ms = int(std::lround(("0." + m.captured(7)).toDouble() * 1000));
        time = QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt(), qMin(ms, 999));
        if (!time.isValid()) return false;
    }
    const double result = date.isValid() ? DateTimeFromQDateTime(QDateTime(date, time, Qt::UTC)) : DateTimeFromQTime(time);
    days = result;
    return true;
}

namespace {

QVariant ToInteger(const QVariant &raw, TFieldType type) {
    bool ok = false;
    qlonglong v;
    switch (raw.typeId()) {
    case QMetaType::Bool: return qlonglong(raw.toBool());
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = raw.toDouble();
        if (!std::isfinite(d)) return {};
        return qlonglong(std::llround(d));
    }
    case QMetaType::QString: {
        const QString s = raw.toString().trimmed();
        if (type == ftBoolean) {
            if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s == QLatin1String("t")) return qlonglong(1);
            if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || s == QLatin1String("f")) return qlonglong(0);
        }
        v = s.toLongLong(&ok);
        if (!ok) {
            const double d = s.toDouble(&ok);
            if (ok && std::isfinite(d)) return qlonglong(std::llround(d));
            return {};
        }
        return v;
    }
    default:
        v = raw.toLongLong(&ok);
        return ok ? QVariant(v) : QVariant();
    }
}

QVariant ToFloat(const QVariant &raw) {
    bool ok = false;
    const double d = raw.typeId() == QMetaType::QString ? raw.toString().trimmed().toDouble(&ok) : raw.toDouble(&ok);
    return ok ? QVariant(d) : QVariant();
}

QVariant ToDays(const QVariant &raw, TFieldType type) {
    switch (raw.typeId()) {
    case QMetaType::QDate: return DateTimeFromQDate(raw.toDate());
    case QMetaType::QTime: return DateTimeFromQTime(raw.toTime());
    case QMetaType::QDateTime: return DateTimeFromQDateTime(raw.toDateTime());
    case QMetaType::QString: {
        double days = 0;
        if (ParseStoredDateTime(raw.toString(), days)) {
            if (type == ftDate) days = std::trunc(days);
            if (type == ftTime) days = std::fabs(days - std::trunc(days));
            return days;
        }
        bool ok = false;
        const double d = raw.toString().toDouble(&ok);
        return ok ? QVariant(d) : QVariant();
    }
    default: {
        bool ok = false;
        const double d = raw.toDouble(&ok);
        return ok ? QVariant(d) : QVariant();
    }
    }
}

}  // namespace

QVariant FromDriver(const QVariant &raw, TFieldType type) {
    if (!raw.isValid() || raw.isNull()) return {};
    switch (ValueKindOf(type)) {
    case TValueKind::Integer: return raw.typeId() == QMetaType::LongLong ? raw : ToInteger(raw, type);
    case TValueKind::Float:
        if (IsDateTimeType(type)) return ToDays(raw, type);
        return raw.typeId() == QMetaType::Double ? raw : ToFloat(raw);
    case TValueKind::Text:
        if (raw.typeId() == QMetaType::QString) return raw;
        if (raw.typeId() == QMetaType::QByteArray) return QString::fromUtf8(raw.toByteArray());
        return raw.toString();
    case TValueKind::Bytes:
        if (raw.typeId() == QMetaType::QByteArray) return raw;
        return raw.toString().toUtf8();
    }
    return {};
}

QVariant ToDriver(const QVariant &held, TFieldType type, bool textDates) {
    if (!held.isValid()) return QVariant(QMetaType::fromType<QString>());  // typed NULL
    switch (type) {
    case ftBoolean: return held.toLongLong() != 0;
    case ftDate: {
        const QDate d = QDateFromDateTime(held.toDouble());
        return textDates ? QVariant(d.toString(Qt::ISODate)) : QVariant(d);
    }
    case ftTime: {
        const QTime t = QTimeFromDateTime(held.toDouble());
        return textDates ? QVariant(t.toString(t.msec() ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss")))
                         : QVariant(t);
    }
    case ftDateTime: {
        const QDateTime dt = QDateTimeFromDateTime(held.toDouble());
        if (!textDates) return dt;
        return dt.toString(dt.time().msec() ? QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz") : QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    default: return held;
    }
}

}  // namespace DbValues
