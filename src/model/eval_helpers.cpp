#include "model/eval_helpers.h"

#include "model/report_constants.h"
#include "model/vendamo_functions.h"

#include "reportlib/expr_evaluator.h"
#include "reportlib/report.h"

namespace {

// The value of a non-empty expression over the report's datasets.
TRepEvResult Evaluate(const QString &Expression, TReport *Report) {
    // Band conditions and memo expressions may use the model's functions.
    RegisterVDMFunctions();
    TRepEvaluator evaluator;
    if (Report) evaluator.SetDataSets(Report->DataSetResolver());
    evaluator.Prepare(Expression.left(ShortStringLength));
    TRepEvResult result = evaluator.Value();
    evaluator.UnPrepare();
    return result;
}

}  // namespace

bool EvalBoolExpression(const QString &Expression, TReport *Report) {
    if (Expression.isEmpty()) return true;
    const TRepEvResult r = Evaluate(Expression, Report);
    return r.Kind == resBool ? r.booResult : true;
}

QString EvalStringExpression(const QString &Expression, TReport *Report) {
    if (Expression.isEmpty()) return QString();
    const TRepEvResult r = Evaluate(Expression, Report);
    return r.Kind == resString ? r.strResult.left(ShortStringLength) : QString();
}

bool IsExprResultNumeric(const QString &Expression, TReport *Report) {
    if (Expression.isEmpty()) return false;
    return Evaluate(Expression, Report).Kind != resString;
}
