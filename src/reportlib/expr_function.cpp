#include "reportlib/expr_function.h"

#include <exception>

TRepEvResult TRepEvElementFunction::Value() {
    EvaluateArguments();
    Result = TRepEvResult::Error(QStringLiteral("Wrong arguments for %1").arg(FName));
    try {
        Calculate();
    } catch (const std::exception &e) {
        // A function never raises into the report: its failure is the error value.
        Result = TRepEvResult::Error(QString::fromUtf8(e.what()));
    } catch (...) {
        Result = TRepEvResult::Error(QStringLiteral("%1 failed").arg(FName));
    }
    return Result;
}

void TRepEvElementFunction::EvaluateArguments() {
    FArgResults.clear();
    FArgResults.reserve(qsizetype(FArguments.size()));
    for (const TRepEvElementPtr &argument : FArguments)
        FArgResults.append(argument->Value());
}

void TRepEvElementFunction::Aggregate() {
    for (const TRepEvElementPtr &argument : FArguments)
        argument->Aggregate();
}

void TRepEvElementFunction::Reset() {
    for (const TRepEvElementPtr &argument : FArguments)
        argument->Reset();
}

bool TRepEvElementFunction::IsAggreg() const {
    for (const TRepEvElementPtr &argument : FArguments)
        if (argument->IsAggreg())
            return true;
    return false;
}

void TRepEvElementFunction::AddArgument(TRepEvElementPtr argument) {
    FArguments.push_back(std::move(argument));
}

bool TRepEvElementFunction::ArgumentsFit(const char *Signature) const {
    int count = int(qstrlen(Signature));
    if (count != FArgResults.size())
        return false;
    for (int i = 0; i < count; ++i) {
        const TRepEvResult &arg = FArgResults.at(i);
        switch (Signature[i]) {
        case 'S': if (arg.Kind != resString) return false; break;
        case 'N': if (!arg.IsNumeric()) return false; break;
        case 'B': if (arg.Kind != resBool) return false; break;
        default: if (arg.IsError()) return false; break;
        }
    }
    return true;
}

TRepEvResult TRepEvAggregateFunction::Value() {
    Result = FFailed ? TRepEvResult::Error(FFailure) : TRepEvResult::Error();
    if (!FFailed)
        Calculate();
    return Result;
}

void TRepEvAggregateFunction::Aggregate() {
    TRepEvElementFunction::Aggregate();
    if (FFailed)
        return;
    EvaluateArguments();
    Accumulate();
}

void TRepEvAggregateFunction::Reset() {
    TRepEvElementFunction::Reset();
    FFailed = false;
    FFailure.clear();
    Clear();
}
