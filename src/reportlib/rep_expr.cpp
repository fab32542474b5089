#include "reportlib/rep_expr.h"

#include "reportlib/expr_evaluator.h"
#include "reportlib/report.h"

TRepExpr::TRepExpr(TComponent *AOwner) : TRepCustomLabel(AOwner), FEvaluator(std::make_unique<TRepEvaluator>()) {}

TRepExpr::~TRepExpr() = default;

void TRepExpr::SetExpression(const QString &value) {
    if (value == FExpression) return;
    FExpression = value;
    FPrepared = false;
    TextChanged();
}

void TRepExpr::SetMaster(QWidget *value) {
    if (value == this) value = nullptr;
    if (value == FMaster) return;
    if (FMasterComponent) RemoveFreeNotification(FMasterComponent);
    FMaster = value;
    FMasterComponent = TComponent::FromObject(value);
    if (FMasterComponent) FreeNotification(FMasterComponent);
}

void TRepExpr::Notification(TComponent *AComponent, TOperation Operation) {
    TRepCustomLabel::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == FMasterComponent) {
        FMaster = nullptr;
        FMasterComponent = nullptr;
    }
}

void TRepExpr::BeforeRun() {
    TRepCustomLabel::BeforeRun();
    FPrepared = false;
    TReport *r = ParentReport();
    if (!r || FExpression.isEmpty()) return;
    FEvaluator->SetDataSets(r->DataSetResolver());
    try {
        FEvaluator->Prepare(FExpression);
        FPrepared = true;
    } catch (const std::exception &) {
        // Prints as the expression text (the error value) instead of stopping the run.
        FEvaluator->UnPrepare();
    }
}

void TRepExpr::AfterRun() {
    FEvaluator->UnPrepare();
    FEvaluator->SetDataSets(nullptr);
    FPrepared = false;
    TRepCustomLabel::AfterRun();
}

TRepEvResult TRepExpr::Value() {
    if (FPrepared) return FEvaluator->Value();
    if (FExpression.isEmpty()) return TRepEvResult::String(QString());
    TReport *r = ParentReport();
    TRepEvaluator once;
    if (r) once.SetDataSets(r->DataSetResolver());
    try {
        return once.Calculate(FExpression);
    } catch (const std::exception &e) {
        return TRepEvResult::Error(QString::fromUtf8(e.what()));
    }
}

void TRepExpr::Reset() {
    if (FPrepared) FEvaluator->Reset();
}

bool TRepExpr::Aggregates() const { return FPrepared && FEvaluator->IsAggreg(); }

void TRepExpr::Aggregate() {
    if (FPrepared) FEvaluator->Aggregate();
}

void TRepExpr::PrepareContent() {
    SetCaption(FormatRepEvResult(Value(), FMask, FExpression));
    FormatLines();
}

void TRepExpr::Print(double OfsX, double OfsY) {
    TRepCustomLabel::Print(OfsX, OfsY);
    if (FResetAfterPrint) Reset();
}
