#pragma once
// The expression evaluator: prepare an expression once, then take its Value as often as
// needed (for instance once per printed record). A prepared expression keeps the state of its
// aggregates: Aggregate adds the current values (the report calls it each time the master
// band prints), Reset starts them afresh.
#include "reportlib/expr_elements.h"
#include "reportlib/expr_value.h"

#include <QString>

class TExprFieldResolver;

class TRepEvaluator {
public:
    TRepEvaluator();
    ~TRepEvaluator();
    TRepEvaluator(const TRepEvaluator &) = delete;
    TRepEvaluator &operator=(const TRepEvaluator &) = delete;

    // The data that field references read; not owned, and it must outlive the prepared
    // expression (or be replaced by another or by null first). May be set before or after
    // Prepare; identifiers are checked against the data present at Prepare.
    void SetDataSets(const TExprFieldResolver *resolver);
    const TExprFieldResolver *DataSets() const { return FContext.Resolver; }

    // Parses the expression, replacing one prepared before. Raises EExprError for a syntax
    // error or an unknown identifier, naming the expression and the position; the evaluator is
    // then unprepared.
    void Prepare(const QString &expression);
    void UnPrepare();
    bool Prepared() const { return FRoot != nullptr; }
    QString Expression() const { return FExpression; }

    // The current value. Raises EExprError when nothing is prepared; every problem with the
    // data (a missing field, a type mismatch, division by zero) is the error kind instead.
    TRepEvResult Value();
    // Prepare, Value and UnPrepare in one call.
    TRepEvResult Calculate(const QString &expression);

    void Aggregate();  // each aggregate of the expression takes one more sample
    void Reset();      // every aggregate of the expression starts afresh
    bool IsAggreg() const;  // true when the prepared expression has an aggregate

private:
    TRepEvContext FContext;
    TRepEvElementPtr FRoot;
    QString FExpression;
};
