#pragma once
// Functions in expressions. A function class descends from TRepEvElementFunction and
// overrides Calculate, which reads the evaluated arguments and sets Result; Value evaluates
// the arguments, starts Result as the error kind and calls Calculate. Aggregating functions
// (SUM, COUNT ...) descend from TRepEvAggregateFunction instead.
#include "reportlib/expr_elements.h"

#include <QList>
#include <QString>
#include <vector>

class TRepEvElementFunction : public TRepEvElement {
public:
    TRepEvElementFunction() = default;

    TRepEvResult Value() override;
    void Aggregate() override;   // passes the call to the arguments
    void Reset() override;       // passes the call to the arguments
    bool IsAggreg() const override;

    // Used while the expression is parsed.
    void AddArgument(TRepEvElementPtr argument);
    void SetName(const QString &name) { FName = name; }
    QString Name() const { return FName; }   // the name the function was called by

    int ArgCount() const { return int(FArguments.size()); }

protected:
    // The calculation itself: Argument(i) holds the evaluated arguments; set Result. Result is
    // the error kind when Calculate starts, and stays so if Calculate raises.
    virtual void Calculate() = 0;

    const TRepEvResult &Argument(int index) const { return FArgResults.at(index); }
    TRepEvElement *ArgumentElement(int index) const { return FArguments.at(index).get(); }
    // True when there are exactly as many arguments as kinds are given by the letters of
    // Signature and each argument fits its letter: S string, N number, B boolean, V any value
    // that is not an error.
    bool ArgumentsFit(const char *Signature) const;
    // Evaluates every argument into Argument(i).
    void EvaluateArguments();

    TRepEvResult Result;

private:
    QString FName;
    std::vector<TRepEvElementPtr> FArguments;
    QList<TRepEvResult> FArgResults;
};

// A function that collects a value each time Aggregate is called and answers the collected
// result from Value; Reset starts it afresh.
class TRepEvAggregateFunction : public TRepEvElementFunction {
public:
    TRepEvResult Value() override;
    void Aggregate() override;
    void Reset() override;
    bool IsAggreg() const override { return true; }

protected:
    // Called by Aggregate with the arguments evaluated; sets FFailed to keep the aggregate in
    // the error state until the next Reset.
    virtual void Accumulate() = 0;
    // Forgets every collected value.
    virtual void Clear() = 0;
    // Calculate (called by Value) sets Result from the collected state.

    bool FFailed = false;
    QString FFailure;
};
