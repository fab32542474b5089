#pragma once
// The prepared form of an expression: a tree of elements, each of which yields a value. The
// tree lives as long as the evaluator keeps the expression prepared, so elements that
// aggregate keep their state from one Value call to the next.
#include "reportlib/expr_value.h"

#include <QString>
#include <memory>

class TExprFieldResolver;

// What the elements of one prepared expression share with their evaluator.
struct TRepEvContext {
    const TExprFieldResolver *Resolver = nullptr;  // not owned
};

class TRepEvElement {
public:
    TRepEvElement() = default;
    TRepEvElement(const TRepEvElement &) = delete;
    TRepEvElement &operator=(const TRepEvElement &) = delete;
    virtual ~TRepEvElement() = default;

    virtual TRepEvResult Value() = 0;
    // Aggregating elements take one more sample; others pass the call to their operands.
    virtual void Aggregate() {}
    // Aggregating elements start afresh; others pass the call to their operands.
    virtual void Reset() {}
    // True when this element or one below it aggregates.
    virtual bool IsAggreg() const { return false; }

    // 1-based position of the element's first character in the expression text.
    int Position() const { return FPosition; }
    void SetPosition(int position) { FPosition = position; }

private:
    int FPosition = 0;
};

using TRepEvElementPtr = std::unique_ptr<TRepEvElement>;

class TRepEvConstant : public TRepEvElement {
public:
    explicit TRepEvConstant(const TRepEvResult &value) : FValue(value) {}
    TRepEvResult Value() override { return FValue; }

private:
    TRepEvResult FValue;
};

// A reference to a field of one of the report's datasets, looked up on every evaluation so
// that it follows the current record; a field that has gone away yields the error kind.
class TRepEvField : public TRepEvElement {
public:
    TRepEvField(const TRepEvContext *context, const QString &dataSetName, const QString &fieldName);
    TRepEvResult Value() override;
    bool IsNull() const;   // also true when the field cannot be found
    QString DataSetName() const { return FDataSetName; }
    QString FieldName() const { return FFieldName; }

private:
    const TRepEvContext *FContext;
    QString FDataSetName;
    QString FFieldName;
};

enum TRepEvUnaryOp { uoNegate, uoNot };

class TRepEvUnary : public TRepEvElement {
public:
    TRepEvUnary(TRepEvUnaryOp op, TRepEvElementPtr operand);
    TRepEvResult Value() override;
    void Aggregate() override { FOperand->Aggregate(); }
    void Reset() override { FOperand->Reset(); }
    bool IsAggreg() const override { return FOperand->IsAggreg(); }

private:
    TRepEvUnaryOp FOp;
    TRepEvElementPtr FOperand;
};

enum TRepEvBinaryOp {
    boAdd, boSubtract, boMultiply, boDivide, boIntDiv, boMod,
    boEqual, boNotEqual, boLess, boGreater, boLessEqual, boGreaterEqual,
    boAnd, boOr
};

class TRepEvBinary : public TRepEvElement {
public:
    TRepEvBinary(TRepEvBinaryOp op, TRepEvElementPtr left, TRepEvElementPtr right);
    TRepEvResult Value() override;
    void Aggregate() override;
    void Reset() override;
    bool IsAggreg() const override;

private:
    TRepEvBinaryOp FOp;
    TRepEvElementPtr FLeft;
    TRepEvElementPtr FRight;
};

// The arithmetic and comparison rules, shared with the functions that need them.
TRepEvResult RepEvApply(TRepEvBinaryOp op, const TRepEvResult &left, const TRepEvResult &right);
// Three-way comparison of two values of comparable kinds (numbers with numbers, strings with
// strings, booleans with booleans): false when the kinds do not match.
bool RepEvCompare(const TRepEvResult &left, const TRepEvResult &right, int &order);
