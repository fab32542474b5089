#pragma once
// An expression's value as text. The expression is prepared once per run over the report's
// datasets; its aggregates take a sample each time a record of Master (the report, or a
// sub-detail band) prints, and start afresh after each print when ResetAfterPrint is set.
// Numbers print through Mask, booleans as "True"/"False", and an error (an expression the
// evaluator rejects included) as the expression text itself.
#include "reportlib/expr_value.h"
#include "reportlib/rep_label.h"

#include <memory>

class TRepEvaluator;

class TRepExpr : public TRepCustomLabel {
    Q_OBJECT
    Q_PROPERTY(QString Expression READ Expression WRITE SetExpression)
    Q_PROPERTY(QWidget *Master READ Master WRITE SetMaster)
    Q_PROPERTY(bool ResetAfterPrint READ ResetAfterPrint WRITE SetResetAfterPrint)
    Q_PROPERTY(QString Mask READ Mask WRITE SetMask)
public:
    explicit TRepExpr(TComponent *AOwner);
    ~TRepExpr() override;

    QString Expression() const { return FExpression; }
    void SetExpression(const QString &value);
    QWidget *Master() const { return FMaster; }
    void SetMaster(QWidget *value);
    bool ResetAfterPrint() const { return FResetAfterPrint; }
    void SetResetAfterPrint(bool value) { FResetAfterPrint = value; }
    QString Mask() const { return FMask; }
    void SetMask(const QString &value) { FMask = value; }

    // The current value: of the prepared expression during a run, else evaluated afresh. An
    // expression the evaluator rejects gives the error kind.
    TRepEvResult Value();
    // Starts the aggregates afresh.
    void Reset();

    bool Aggregates() const override;
    QWidget *AggregateMaster() const override { return FMaster; }
    void Aggregate() override;

    void BeforeRun() override;
    void AfterRun() override;
    void PrepareContent() override;
    void Print(double OfsX, double OfsY) override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
    QString DesignText() const override { return FExpression; }

private:
    QString FExpression;
    QWidget *FMaster = nullptr;
    TComponent *FMasterComponent = nullptr;
    bool FResetAfterPrint = false;
    QString FMask;
    std::unique_ptr<TRepEvaluator> FEvaluator;
    bool FPrepared = false;
};
