#include "reportlib/rep_calc.h"

#include "reportlib/rep_data.h"

#include "dblib/field.h"
#include "host/conversions.h"

TRepDBCalc::TRepDBCalc(TComponent *AOwner) : TRepCustomLabel(AOwner) {}

void TRepDBCalc::SetDataSet(TDataSet *value) {
    if (value == FDataSet) return;
    if (FDataSet) RemoveFreeNotification(FDataSet);
    FDataSet = value;
    if (FDataSet) FreeNotification(FDataSet);
    FField = nullptr;
}

void TRepDBCalc::SetDataField(const QString &value) {
    if (value == FDataField) return;
    FDataField = value;
    FField = nullptr;
    TextChanged();
}

void TRepDBCalc::SetOperation(TRepCalcOperation value) {
    if (value < coSum || value > coAverage || value == FOperation) return;
    FOperation = value;
    TextChanged();
}

void TRepDBCalc::SetMaster(QWidget *value) {
    if (value == this) value = nullptr;
    if (value == FMaster) return;
    if (FMasterComponent) RemoveFreeNotification(FMasterComponent);
    FMaster = value;
    FMasterComponent = TComponent::FromObject(value);
    if (FMasterComponent) FreeNotification(FMasterComponent);
}

void TRepDBCalc::Notification(TComponent *AComponent, TOperation Operation) {
    TRepCustomLabel::Notification(AComponent, Operation);
    if (Operation != opRemove || !AComponent) return;
    if (AComponent == static_cast<TComponent *>(FDataSet)) {
        FDataSet = nullptr;
        FField = nullptr;
    }
    if (AComponent == FMasterComponent) {
        FMaster = nullptr;
        FMasterComponent = nullptr;
    }
}

TField *TRepDBCalc::Field() const {
    if (FField && FField->DataSet() == FDataSet) return FField;
    FField = (FDataSet && FDataSet->Active() && !FDataField.isEmpty()) ? FDataSet->FindField(FDataField) : nullptr;
    return FField;
}

void TRepDBCalc::Reset() {
    FRecords = FValues = 0;
    FSum = FMin = FMax = 0;
}

void TRepDBCalc::Aggregate() {
    ++FRecords;
    const TField *f = Field();
    if (!f) return;
    try {
        if (f->IsNull()) return;
        const double v = f->AsFloat();
        if (FValues == 0) {
            FMin = FMax = v;
        } else {
            FMin = qMin(FMin, v);
            FMax = qMax(FMax, v);
        }
        FSum += v;
        ++FValues;
    } catch (const std::exception &) {
        // A field that is not numeric adds nothing.
    }
}

double TRepDBCalc::Value() const {
    switch (FOperation) {
    case coSum: return FSum;
    case coCount: return double(FRecords);
    case coMax: return FMax;
    case coMin: return FMin;
    case coAverage: return FValues ? FSum / double(FValues) : 0.0;
    }
    return 0.0;
}

QString TRepDBCalc::DesignText() const {
    static const char *names[CalcOperationCount] = {"SUM", "COUNT", "MAX", "MIN", "AVERAGE"};
    return QString::fromLatin1(names[FOperation]) + u'(' + FDataField + u')';
}

void TRepDBCalc::BeforeRun() {
    Reset();
    FField = nullptr;
    TRepCustomLabel::BeforeRun();
}

void TRepDBCalc::PrepareContent() {
    const double v = Value();
    QString text;
    if (!Field() && FOperation != coCount)
        text = RepFieldErrorText;
    else if (FMask.isEmpty())
        text = FOperation == coCount ? QString::number(FRecords) : FloatToStr(v);
    else
        text = FormatFloat(FMask, v);
    SetCaption(text);
    FormatLines();
}

void TRepDBCalc::Print(double OfsX, double OfsY) {
    TRepCustomLabel::Print(OfsX, OfsY);
    if (FResetAfterPrint) Reset();
}
