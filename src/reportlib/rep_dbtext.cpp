#include "reportlib/rep_dbtext.h"

#include "reportlib/rep_data.h"

#include "dblib/field.h"

TRepDBText::TRepDBText(TComponent *AOwner) : TRepCustomLabel(AOwner) {}

void TRepDBText::SetDataSet(TDataSet *value) {
    if (value == FDataSet) return;
    if (FDataSet) RemoveFreeNotification(FDataSet);
    FDataSet = value;
    if (FDataSet) FreeNotification(FDataSet);
    FField = nullptr;
    TextChanged();
}

void TRepDBText::SetDataField(const QString &value) {
    if (value == FDataField) return;
    FDataField = value;
    FField = nullptr;
    TextChanged();
}

void TRepDBText::Notification(TComponent *AComponent, TOperation Operation) {
    TRepCustomLabel::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == static_cast<TComponent *>(FDataSet)) {
        FDataSet = nullptr;
        FField = nullptr;
    }
}

TField *TRepDBText::Field() const {
    // The field object is remembered while it lives and belongs to the dataset (fields the
    // dataset makes for itself are replaced when it opens again).
    if (FField && FField->DataSet() == FDataSet) return FField;
    FField = (FDataSet && FDataSet->Active() && !FDataField.isEmpty()) ? FDataSet->FindField(FDataField) : nullptr;
    return FField;
}

QString TRepDBText::FieldText() const { return RepFieldText(Field(), FMask); }

QString TRepDBText::DesignText() const {
    if (FDataField.isEmpty()) return Name();
    return FDataField;
}

void TRepDBText::BeforeRun() {
    FField = nullptr;
    TRepCustomLabel::BeforeRun();
}

void TRepDBText::PrepareContent() {
    QString value = FieldText();
    if (FOnPrint.Assigned()) FOnPrint.Invoke<QObject *, QString &>(static_cast<QObject *>(this), value);
    if (Caption() != value) SetCaption(value);
    FormatLines();
}
