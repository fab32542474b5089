#include "dblib/params.h"

#include "dblib/db_error.h"
#include "dblib/db_values.h"
#include "dblib/field.h"
#include "host/conversions.h"

#include <cmath>

void TParam::ConvertError(const QString &text) const {
    throw EConvertError(QStringLiteral("'%1' is not a valid %2 value for parameter '%3'").arg(text, FieldTypeName(FDataType), FName));
}

void TParam::SetDataType(TFieldType value) {
    if (value == FDataType) return;
    const QVariant old = FValue;
    FDataType = value;
    if (!old.isValid() || value == ftUnknown) return;
    // Convert the held value to the new type; drop it when it does not convert.
    try {
        const bool bound = FBound;
        SetValue(old.typeId() == QMetaType::Double && IsDateTimeType(value) ? old : QVariant(old.toString()));
        FBound = bound;
    } catch (const EConvertError &) {
        FValue = QVariant();
    }
}

void TParam::SetValue(const QVariant &value) {
    FBound = true;
    if (!value.isValid() || value.isNull()) {
        FValue = QVariant();
        return;
    }
    if (FDataType == ftUnknown) {
        switch (value.typeId()) {
        case QMetaType::Bool: FDataType = ftBoolean; break;
        case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
        case QMetaType::Short: case QMetaType::UShort: FDataType = ftInteger; break;
        case QMetaType::Double: case QMetaType::Float: FDataType = ftFloat; break;
        case QMetaType::QDate: FDataType = ftDate; break;
        case QMetaType::QTime: FDataType = ftTime; break;
        case QMetaType::QDateTime: FDataType = ftDateTime; break;
        case QMetaType::QByteArray: FDataType = ftBlob; break;
        default: FDataType = ftString; break;
        }
    }
    if (value.typeId() == QMetaType::QString && FDataType != ftString && FDataType != ftMemo) {
        SetText(value.toString());
        return;
    }
    const QVariant held = DbValues::FromDriver(value, FDataType);
    if (!held.isValid()) ConvertError(value.toString());
    FValue = held;
}

QString TParam::AsString() const {
    if (!FValue.isValid()) return {};
    switch (FDataType) {
    case ftBoolean: return FValue.toLongLong() ? QStringLiteral("True") : QStringLiteral("False");
    case ftFloat: case ftCurrency: case ftBCD: return FloatToStr(FValue.toDouble());
    case ftDate: return DateToStr(FValue.toDouble());
    case ftTime: return TimeToStr(FValue.toDouble());
    case ftDateTime: return DateTimeToStr(FValue.toDouble());
    case ftBytes: case ftVarBytes: case ftBlob: case ftGraphic: return QString::fromLatin1(FValue.toByteArray());
    default: return FValue.toString();
    }
}

void TParam::SetText(const QString &value) {
    if (FDataType == ftUnknown) FDataType = ftString;
    FBound = true;
    const QString t = value.trimmed();
    switch (ValueKindOf(FDataType)) {
    case TValueKind::Text: FValue = value; return;
    case TValueKind::Bytes: FValue = value.isEmpty() ? QVariant() : QVariant(value.toLatin1()); return;
    default: break;
    }
    if (t.isEmpty()) {
        FValue = QVariant();
        return;
    }
    switch (FDataType) {
    case ftBoolean: {
        static const QStringList yes{"true", "t", "yes", "y", "1"}, no{"false", "f", "no", "n", "0"};
        if (yes.contains(t.toLower()))
            FValue = qlonglong(1);
        else if (no.contains(t.toLower()))
            FValue = qlonglong(0);
        else
            ConvertError(value);
        return;
    }
    case ftFloat: case ftCurrency: case ftBCD: {
        double d = 0;
        if (!TryStrToFloat(t, d) && !TryStrToFloat(t, d, QLatin1Char('.'))) ConvertError(value);
        FValue = d;
        return;
    }
    case ftDate: case ftTime: case ftDateTime: {
        TDateTime d = 0;
        bool ok = FDataType == ftDate ? TryStrToDate(t, d) : FDataType == ftTime ? TryStrToTime(t, d) : TryStrToDateTime(t, d);
        if (!ok) ok = DbValues::ParseStoredDateTime(t, d);
        if (!ok) ConvertError(value);
        if (FDataType == ftDate) d = std::trunc(d);
        FValue = d;
        return;
    }
    default: {
        qint64 v = 0;
        if (!TryStrToInt64(t, v)) ConvertError(value);
        const qint64 lo = FDataType == ftSmallint ? -32768 : FDataType == ftWord ? 0 : std::numeric_limits<qint64>::min();
        const qint64 hi = FDataType == ftSmallint ? 32767 : FDataType == ftWord ? 65535 : std::numeric_limits<qint64>::max();
        if (v < lo || v > hi) ConvertError(value);
        FValue = qlonglong(v);
        return;
    }
    }
}

void TParam::SetAsString(const QString &value) {
    if (FDataType == ftUnknown) FDataType = ftString;
    SetText(value);
}

qint64 TParam::AsInteger() const {
    if (!FValue.isValid()) return 0;
    if (FValue.typeId() == QMetaType::QString) {
        qint64 v = 0;
        if (!TryStrToInt64(FValue.toString(), v)) ConvertError(FValue.toString());
        return v;
    }
    return qint64(std::llround(FValue.toDouble()));
}

void TParam::SetAsInteger(qint64 value) {
    if (FDataType == ftUnknown) FDataType = ftInteger;
    SetValue(qlonglong(value));
}

double TParam::AsFloat() const {
    if (!FValue.isValid()) return 0;
    if (FValue.typeId() == QMetaType::QString) {
        double v = 0;
        if (!TryStrToFloat(FValue.toString(), v)) ConvertError(FValue.toString());
        return v;
    }
    return FValue.toDouble();
}

void TParam::SetAsFloat(double value) {
    if (FDataType == ftUnknown) FDataType = ftFloat;
    SetValue(value);
}

TDateTime TParam::AsDateTime() const {
    if (!FValue.isValid()) return 0;
    if (FValue.typeId() == QMetaType::QString) {
        TDateTime v = 0;
        if (!TryStrToDateTime(FValue.toString(), v) && !DbValues::ParseStoredDateTime(FValue.toString(), v))
            ConvertError(FValue.toString());
        return v;
    }
    return FValue.toDouble();
}

void TParam::SetAsDateTime(TDateTime value) {
    if (FDataType == ftUnknown) FDataType = ftDateTime;
    FBound = true;
    if (ValueKindOf(FDataType) == TValueKind::Float)
        FValue = FDataType == ftDate ? std::trunc(value) : value;
    else
        SetValue(DateTimeToStr(value));
}

void TParam::SetAsDate(TDateTime value) {
    if (FDataType == ftUnknown) FDataType = ftDate;
    SetAsDateTime(value);
}

bool TParam::AsBoolean() const {
    if (!FValue.isValid()) return false;
    if (FValue.typeId() == QMetaType::QString) {
        const QString s = FValue.toString().trimmed().toLower();
        return s == QLatin1String("true") || s == QLatin1String("t") || s == QLatin1String("1") || s == QLatin1String("yes");
    }
    return FValue.toDouble() != 0;
}

void TParam::SetAsBoolean(bool value) {
    if (FDataType == ftUnknown) FDataType = ftBoolean;
    SetValue(qlonglong(value ? 1 : 0));
}

void TParam::AssignField(const TField *field) {
    if (!field) return;
    if (FDataType == ftUnknown) FDataType = field->DataType() == ftAutoInc ? ftInteger : field->DataType();
    const QVariant v = field->Value();
    if (!v.isValid()) {
        FValue = QVariant();
        return;
    }
    if (ValueKindOf(field->DataType()) == ValueKindOf(FDataType))
        FValue = v;
    else
        FValue = DbValues::FromDriver(v, FDataType);
}

void TParam::Assign(const TParam &other) {
    FName = other.FName;
    FDataType = other.FDataType;
    FParamType = other.FParamType;
    FBound = other.FBound;
    FValue = other.FValue;
}

QVariant TParam::DriverValue() const {
    if (FDataType == ftUnknown) return FValue.isValid() ? FValue : QVariant(QMetaType::fromType<QString>());
    return DbValues::ToDriver(FValue, FDataType, true);
}

// ---- TParams -----------------------------------------------------------------------------------

TParam *TParams::FindParam(const QString &name) const {
    const QString n = name.trimmed();
    for (const auto &p : FItems)
        if (p->Name().compare(n, Qt::CaseInsensitive) == 0) return p.get();
    return nullptr;
}

TParam &TParams::ParamByName(const QString &name) const {
    if (TParam *p = FindParam(name)) return *p;
    throw EDatabaseError(QStringLiteral("Parameter '%1' not found").arg(name));
}

TParam &TParams::CreateParam(TFieldType dataType, const QString &name, TParamType paramType) {
    FItems.push_back(std::make_unique<TParam>(name, dataType, paramType));
    return *FItems.back();
}

void TParams::Assign(const TParams &other) {
    FItems.clear();
    for (const auto &p : other.FItems) {
        FItems.push_back(std::make_unique<TParam>());
        FItems.back()->Assign(*p);
    }
}

void TParams::AssignValues(const TParams &other) {
    for (const auto &p : FItems)
        if (TParam *src = other.FindParam(p->Name())) {
            const QString name = p->Name();
            p->Assign(*src);
            p->SetName(name);
        }
}

QStringList TParams::Names() const {
    QStringList names;
    for (const auto &p : FItems) names << p->Name();
    return names;
}

QString TParams::ParseSQL(const QString &sql, QStringList &names) {
    QString out;
    out.reserve(sql.size());
    const int n = int(sql.size());
    auto isNameChar = [](QChar c) { return c.isLetterOrNumber() || c == u'_'; };
    for (int i = 0; i < n;) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"' || c == u'`') {
            // Quoted text or name: copied as it stands, doubled quotes included.
            int j = i + 1;
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += QStringView(sql).mid(i, qMin(j + 1, n) - i);
            i = j + 1;
            continue;
        }
        if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            const int eol = sql.indexOf(u'\n', i);
            const int end = eol < 0 ? n : eol;
            out += QStringView(sql).mid(i, end - i);
            i = end;
            continue;
        }
        if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            const int close = sql.indexOf(QStringLiteral("*/"), i + 2);
            const int end = close < 0 ? n : close + 2;
            out += QStringView(sql).mid(i, end - i);
            i = end;
            continue;
        }
        if (c == u':') {
            if (i + 1 < n && sql[i + 1] == u':') {  // a cast
                out += QStringLiteral("::");
                i += 2;
                continue;
            }
            if (i + 1 < n && sql[i + 1] == u'"') {
                const int close = sql.indexOf(u'"', i + 2);
                if (close > i + 2) {
                    names << sql.mid(i + 2, close - i - 2);
                    out += u'?';
                    i = close + 1;
                    continue;
                }
            }
            int j = i + 1;
            while (j < n && isNameChar(sql[j])) ++j;
            if (j > i + 1 && !(i > 0 && isNameChar(sql[i - 1]))) {
                names << sql.mid(i + 1, j - i - 1);
                out += u'?';
                i = j;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}
