#include "dblib/field.h"

#include "dblib/dataset.h"
#include "dblib/db_error.h"
#include "host/stream.h"

#include <QFile>

TField::TField(TComponent *AOwner) : TComponent(AOwner) {}

TField::~TField() {
    if (FLookupDataSet && !FLookupDataSet->HasState(csDestroying)) RemoveFreeNotification(FLookupDataSet);
    if (FDataSet) {
        TDataSet *ds = FDataSet;
        FDataSet = nullptr;
        ds->DetachField(this);
    }
}

void TField::SetFieldName(const QString &value) {
    if (value == FFieldName) return;
    if (FDataSet && !FDynamic) FDataSet->CheckInactive();
    FFieldName = value;
}

void TField::SetDataSet(TDataSet *value) {
    if (value == FDataSet) return;
    if (value && !FDynamic) value->CheckInactive();
    if (FDataSet && !FDynamic) FDataSet->CheckInactive();
    if (value) value->AttachField(this);  // raises for a duplicate name before anything changes
    if (FDataSet) FDataSet->DetachField(this);
    FDataSet = value;
}

void TField::SetDisplayLabel(const QString &value) { FDisplayLabel = value == FFieldName ? QString() : value; }

void TField::SetVisible(bool value) {
    if (value == FVisible) return;
    FVisible = value;
}

qint32 TField::DisplayWidth() const { return FDisplayWidth > 0 ? FDisplayWidth : qMax(FSize, 10); }

qint32 TField::Index() const { return FDataSet ? qint32(FDataSet->Fields().indexOf(const_cast<TField *>(this))) : -1; }

void TField::SetIndex(qint32 value) {
    if (FDataSet) FDataSet->MoveField(this, value);
}

void TField::SetFieldKind(int value) {
    if (value < fkData || value > fkLookup || value == FFieldKind) return;
    if (FDataSet) FDataSet->CheckInactive();
    FFieldKind = value;
}

void TField::SetCalculated(bool value) {
    if (value)
        SetFieldKind(fkCalculated);
    else if (FFieldKind == fkCalculated)
        SetFieldKind(fkData);
}

void TField::SetLookup(bool value) {
    if (value)
        SetFieldKind(fkLookup);
    else if (FFieldKind == fkLookup)
        SetFieldKind(fkData);
}

void TField::SetLookupDataSet(TDataSet *value) {
    if (value == FLookupDataSet) return;
    if (FLookupDataSet) RemoveFreeNotification(FLookupDataSet);
    FLookupDataSet = value;
    if (value) FreeNotification(value);
}

void TField::Notification(TComponent *AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && FLookupDataSet && AComponent == static_cast<TComponent *>(FLookupDataSet))
        FLookupDataSet = nullptr;
}

void TField::SetSize(int value) { FSize = qMax(0, value); }

QVariant TField::Value() const { return FDataSet ? FDataSet->GetFieldValue(this) : QVariant(); }

void TField::SetValue(const QVariant &value) {
    if (!FDataSet) throw EDatabaseError(QStringLiteral("Field '%1' has no dataset").arg(FFieldName));
    FDataSet->SetFieldValue(this, value);
}

void TField::AccessError(const QString &typeName) const {
    throw EDatabaseError(QStringLiteral("Cannot access field '%1' as type %2").arg(FFieldName, typeName));
}

void TField::ConvertError(const QString &text, const QString &what) const {
    throw EConvertError(QStringLiteral("'%1' is not a valid %2 value for field '%3'").arg(text, what, FFieldName));
}

QString TField::AsString() const { return GetText(false); }
void TField::SetAsString(const QString &) { AccessError(QStringLiteral("String")); }
double TField::AsFloat() const { AccessError(QStringLiteral("Float")); }
void TField::SetAsFloat(double) { AccessError(QStringLiteral("Float")); }
qint64 TField::AsInteger() const { AccessError(QStringLiteral("Integer")); }
void TField::SetAsInteger(qint64) { AccessError(QStringLiteral("Integer")); }
TDateTime TField::AsDateTime() const { AccessError(QStringLiteral("DateTime")); }
void TField::SetAsDateTime(TDateTime) { AccessError(QStringLiteral("DateTime")); }
bool TField::AsBoolean() const { AccessError(QStringLiteral("Boolean")); }
void TField::SetAsBoolean(bool) { AccessError(QStringLiteral("Boolean")); }

void TField::SetAsVariant(const QVariant &value) {
    if (!value.isValid() || value.isNull()) {
        Clear();
        return;
    }
    switch (value.typeId()) {
    case QMetaType::QString: SetAsString(value.toString()); break;
    case QMetaType::Bool: SetAsBoolean(value.toBool()); break;
    case QMetaType::Double: case QMetaType::Float: SetAsFloat(value.toDouble()); break;
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Short: case QMetaType::UShort:
        SetAsInteger(value.toLongLong());
        break;
    case QMetaType::QDate: SetAsDateTime(DateTimeFromQDate(value.toDate())); break;
    case QMetaType::QTime: SetAsDateTime(DateTimeFromQTime(value.toTime())); break;
    case QMetaType::QDateTime: SetAsDateTime(DateTimeFromQDateTime(value.toDateTime())); break;
    default: SetValue(value);
    }
}

QString TField::GetText(bool) const {
    const QVariant v = Value();
    return v.isValid() ? v.toString() : QString();
}

void TField::LoadFromStream(TStream &) { AccessError(QStringLiteral("Blob")); }
void TField::SaveToStream(TStream &) const { AccessError(QStringLiteral("Blob")); }

void TField::LoadFromFile(const QString &fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
    LoadFromStream(stream);
}

void TField::SaveToFile(const QString &fileName) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}
