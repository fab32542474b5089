#include "reportlib/expr_evaluator.h"

#include "reportlib/expr_error.h"
#include "reportlib/expr_parser.h"

TRepEvaluator::TRepEvaluator() = default;
TRepEvaluator::~TRepEvaluator() = default;

void TRepEvaluator::SetDataSets(const TExprFieldResolver *resolver) { FContext.Resolver = resolver; }

void TRepEvaluator::Prepare(const QString &expression) {
    UnPrepare();
    FRoot = ParseRepExpression(expression, &FContext);
    FExpression = expression;
}

void TRepEvaluator::UnPrepare() {
    FRoot.reset();
    FExpression.clear();
}

TRepEvResult TRepEvaluator::Value() {
    if (!FRoot)
        throw EExprError(QStringLiteral("No expression prepared"));
    return FRoot->Value();
}

TRepEvResult TRepEvaluator::Calculate(const QString &expression) {
    Prepare(expression);
    TRepEvResult result = FRoot->Value();
    UnPrepare();
    return result;
}

void TRepEvaluator::Aggregate() {
    if (FRoot)
        FRoot->Aggregate();
}

void TRepEvaluator::Reset() {
    if (FRoot)
        FRoot->Reset();
}

bool TRepEvaluator::IsAggreg() const { return FRoot && FRoot->IsAggreg(); }
