#include "dblib/field_classes.h"

#include "dblib/dataset.h"
#include "dblib/db_error.h"
#include "dblib/db_values.h"
#include "host/conversions.h"
#include "host/stream.h"
#include "host/text_codec.h"

#include <cmath>

namespace {

// General format with the given number of significant digits (15 is FloatToStr itself).
QString GeneralFloat(double v, int precision) {
    if (precision <= 0 || precision >= 15 || !std::isfinite(v)) return FloatToStr(v);
    bool ok = false;
    const double rounded = QString::number(v, 'g', precision).toDouble(&ok);
    return FloatToStr(ok ? rounded : v);
}

QString CurrencyText(double v) {
    QString mask = QStringLiteral("#,##0");
    if (FormatSettings.CurrencyDecimals > 0) mask += QLatin1Char('.') + QString(FormatSettings.CurrencyDecimals, QLatin1Char('0'));
    const QString number = FormatFloat(mask, std::fabs(v));
    return (v < 0 ? QStringLiteral("-") : QString()) + FormatSettings.CurrencyString + number;
}

bool TextToDateTime(const QString &text, TFieldType type, TDateTime &value) {
    const QString t = text.trimmed();
    bool ok = false;
    switch (type) {
    case ftDate: ok = TryStrToDate(t, value); break;
    case ftTime: ok = TryStrToTime(t, value); break;
    default: ok = TryStrToDateTime(t, value); break;
    }
    // The stored ISO forms are accepted too.
    if (!ok) ok = DbValues::ParseStoredDateTime(t, value);
    return ok;
}

}  // namespace

// ---- TStringField ----------------------------------------------------------------------------

TStringField::TStringField(TComponent *AOwner) : TField(AOwner) { FSize = 20; }

QString TStringField::AsString() const { return Value().toString(); }

void TStringField::SetAsString(const QString &value) { SetValue(value); }

double TStringField::AsFloat() const {
    const QString s = AsString();
    if (s.trimmed().isEmpty()) return 0;
    double v = 0;
    if (!TryStrToFloat(s, v)) ConvertError(s, QStringLiteral("floating point"));
    return v;
}

void TStringField::SetAsFloat(double value) { SetAsString(FloatToStr(value)); }

qint64 TStringField::AsInteger() const {
    const QString s = AsString();
    if (s.trimmed().isEmpty()) return 0;
    qint64 v = 0;
    if (!TryStrToInt64(s, v)) ConvertError(s, QStringLiteral("integer"));
    return v;
}

void TStringField::SetAsInteger(qint64 value) { SetAsString(IntToStr(value)); }

TDateTime TStringField::AsDateTime() const {
    const QString s = AsString();
    if (s.trimmed().isEmpty()) return 0;
    TDateTime v = 0;
    if (!TextToDateTime(s, ftDateTime, v)) ConvertError(s, QStringLiteral("date and time"));
    return v;
}

void TStringField::SetAsDateTime(TDateTime value) { SetAsString(DateTimeToStr(value)); }

bool TStringField::AsBoolean() const {
    const QString s = AsString().trimmed();
    return !s.isEmpty() && QStringLiteral("TtYy1").contains(s[0]);
}

void TStringField::SetAsBoolean(bool value) { SetAsString(value ? QStringLiteral("True") : QStringLiteral("False")); }

// ---- numbers ---------------------------------------------------------------------------------

void TNumericField::SetDisplayFormat(const QString &value) {
    FDisplayFormat = value;
    if (DataSet()) DataSet()->dataChanged();
}

TIntegerField::TIntegerField(TComponent *AOwner) : TNumericField(AOwner) {}

qint64 TIntegerField::AsInteger() const { return Value().toLongLong(); }

void TIntegerField::SetAsInteger(qint64 value) {
    if (value < MinValue() || value > MaxValue())
        throw EDatabaseError(QStringLiteral("%1 is not a valid value for field '%2'. The allowed range is %3 to %4")
                                 .arg(value).arg(FieldName()).arg(MinValue()).arg(MaxValue()));
    SetValue(qlonglong(value));
}

QString TIntegerField::AsString() const {
    const QVariant v = Value();
    return v.isValid() ? IntToStr(v.toLongLong()) : QString();
}

void TIntegerField::SetAsString(const QString &value) {
    if (value.trimmed().isEmpty()) {
        Clear();
        return;
    }
    qint64 v = 0;
    if (!TryStrToInt64(value, v)) ConvertError(value, QStringLiteral("integer"));
    SetAsInteger(v);
}

double TIntegerField::AsFloat() const { return double(AsInteger()); }

void TIntegerField::SetAsFloat(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 9.2e18) ConvertError(FloatToStr(value), QStringLiteral("integer"));
    SetAsInteger(qint64(std::llround(value)));
}

QString TIntegerField::GetText(bool display) const {
    const QVariant v = Value();
    if (!v.isValid()) return {};
    const QString &fmt = display ? FDisplayFormat : FEditFormat;
    if (!fmt.isEmpty()) return FormatFloat(fmt, double(v.toLongLong()));
    return IntToStr(v.toLongLong());
}

TFloatField::TFloatField(TComponent *AOwner) : TNumericField(AOwner) {}

void TFloatField::SetPrecision(qint32 value) {
    if (value < 2) value = 2;
    if (value > 15) value = 15;
    FPrecision = value;
}

void TFloatField::SetCurrency(bool value) { FCurrency = value; }

double TFloatField::AsFloat() const { return Value().toDouble(); }

void TFloatField::SetAsFloat(double value) { SetValue(value); }

qint64 TFloatField::AsInteger() const {
    const double v = AsFloat();
    if (!std::isfinite(v) || std::fabs(v) > 9.2e18) ConvertError(FloatToStr(v), QStringLiteral("integer"));
    return qint64(std::llround(v));
}

QString TFloatField::AsString() const {
    const QVariant v = Value();
    return v.isValid() ? GeneralFloat(v.toDouble(), FPrecision) : QString();
}

void TFloatField::SetAsString(const QString &value) {
    if (value.trimmed().isEmpty()) {
        Clear();
        return;
    }
    double v = 0;
    if (!TryStrToFloat(value, v)) ConvertError(value, QStringLiteral("floating point"));
    SetAsFloat(v);
}

QString TFloatField::GetText(bool display) const {
    const QVariant v = Value();
    if (!v.isValid()) return {};
    const double d = v.toDouble();
    const QString &fmt = display ? FDisplayFormat : FEditFormat;
    if (!fmt.isEmpty()) return FormatFloat(fmt, d);
    if (FCurrency) {
        if (display) return CurrencyText(d);
        return FormatFloat(QStringLiteral("0.") + QString(qMax(0, FormatSettings.CurrencyDecimals), QLatin1Char('#')), d);
    }
    return GeneralFloat(d, FPrecision);
}

TCurrencyField::TCurrencyField(TComponent *AOwner) : TFloatField(AOwner) { FCurrency = true; }

TBCDField::TBCDField(TComponent *AOwner) : TFloatField(AOwner) { FSize = 4; }

void TBCDField::SetSize(int value) { FSize = qBound(0, value, 32); }

// ---- Boolean ---------------------------------------------------------------------------------

TBooleanField::TBooleanField(TComponent *AOwner) : TField(AOwner) {}

void TBooleanField::SetDisplayValues(const QString &value) {
    const int semi = value.indexOf(QLatin1Char(';'));
    if (semi < 0 && !value.isEmpty())
        throw EDatabaseError(QStringLiteral("'%1' is not a valid DisplayValues text for field '%2' (true;false)").arg(value, FieldName()));
    FDisplayValues = value;
    FTrueText = value.isEmpty() ? QStringLiteral("True") : value.left(semi);
    FFalseText = value.isEmpty() ? QStringLiteral("False") : value.mid(semi + 1);
}

bool TBooleanField::AsBoolean() const { return Value().toLongLong() != 0; }

void TBooleanField::SetAsBoolean(bool value) { SetValue(qlonglong(value ? 1 : 0)); }

QString TBooleanField::AsString() const {
    const QVariant v = Value();
    if (!v.isValid()) return {};
    return v.toLongLong() != 0 ? FTrueText : FFalseText;
}

void TBooleanField::SetAsString(const QString &value) {
    const QString s = value.trimmed();
    if (s.isEmpty()) {
        Clear();
        return;
    }
    auto matches = [&](const QString &text) {
        return !text.isEmpty() && (s.compare(text, Qt::CaseInsensitive) == 0 ||
                                   (s.size() < text.size() && text.startsWith(s, Qt::CaseInsensitive)));
    };
    if (matches(FTrueText) || s == QLatin1String("1"))
        SetAsBoolean(true);
    else if (matches(FFalseText) || s == QLatin1String("0"))
        SetAsBoolean(false);
    else
        ConvertError(value, QStringLiteral("Boolean"));
}

// ---- dates and times -------------------------------------------------------------------------

TDateTimeField::TDateTimeField(TComponent *AOwner) : TField(AOwner) {}

void TDateTimeField::SetDisplayFormat(const QString &value) {
    FDisplayFormat = value;
    if (DataSet()) DataSet()->dataChanged();
}

TDateTime TDateTimeField::AsDateTime() const { return Value().toDouble(); }

void TDateTimeField::SetAsDateTime(TDateTime value) { SetValue(value); }

void TDateField::SetAsDateTime(TDateTime value) { SetValue(std::trunc(value)); }

void TTimeField::SetAsDateTime(TDateTime value) { SetValue(std::fabs(value - std::trunc(value))); }

void TDateTimeField::SetAsString(const QString &value) {
    if (value.trimmed().isEmpty()) {
        Clear();
        return;
    }
    TDateTime v = 0;
    if (!TextToDateTime(value, DataType(), v))
        ConvertError(value, DataType() == ftDate ? QStringLiteral("date") : DataType() == ftTime ? QStringLiteral("time")
                                                                                                  : QStringLiteral("date and time"));
    SetAsDateTime(v);
}

QString TDateTimeField::GetText(bool display) const {
    const QVariant v = Value();
    if (!v.isValid()) return {};
    const TDateTime d = v.toDouble();
    if (display && !FDisplayFormat.isEmpty()) return FormatDateTime(FDisplayFormat, d);
    switch (DataType()) {
    case ftDate: return DateToStr(d);
    case ftTime: return TimeToStr(d);
    default: return DateTimeToStr(d);
    }
}

// ---- bytes and blobs -------------------------------------------------------------------------

QByteArray TBinaryField::AsBytes() const { return Value().toByteArray(); }

void TBinaryField::SetAsBytes(const QByteArray &value) { SetValue(value); }

QString TBinaryField::AsString() const { return QString::fromLatin1(AsBytes()); }

void TBinaryField::SetAsString(const QString &value) {
    if (value.isEmpty()) {
        Clear();
        return;
    }
    SetAsBytes(value.toLatin1());
}

void TBinaryField::LoadFromStream(TStream &stream) {
    const qint64 size = stream.Remaining();
    SetAsBytes(stream.ReadBytes(size));
}

void TBinaryField::SaveToStream(TStream &stream) const { stream.WriteBytes(AsBytes()); }

TBytesField::TBytesField(TComponent *AOwner) : TBinaryField(AOwner) { FSize = 16; }

QString TBlobField::GetText(bool display) const {
    if (!display) return AsString();
    const QString name = DataType() == ftMemo ? QStringLiteral("memo") : DataType() == ftGraphic ? QStringLiteral("graphic")
                                                                                                : QStringLiteral("blob");
    return QLatin1Char('(') + (IsNull() ? name : name.toUpper()) + QLatin1Char(')');
}

QString TMemoField::AsString() const { return Value().toString(); }

void TMemoField::SetAsString(const QString &value) {
    if (value.isEmpty())
        Clear();
    else
        SetValue(value);
}

void TMemoField::LoadFromStream(TStream &stream) { SetAsString(DecodeText8(stream.ReadBytes(stream.Remaining()))); }

void TMemoField::SaveToStream(TStream &stream) const { stream.WriteBytes(AsString().toUtf8()); }
