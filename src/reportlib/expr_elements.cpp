#include "reportlib/expr_elements.h"

#include "reportlib/expr_field_resolver.h"
#include "reportlib/expr_numbers.h"

#include <limits>

TRepEvField::TRepEvField(const TRepEvContext *context, const QString &dataSetName,
                         const QString &fieldName)
    : FContext(context), FDataSetName(dataSetName), FFieldName(fieldName) {}

TRepEvResult TRepEvField::Value() {
    if (!FContext || !FContext->Resolver)
        return TRepEvResult::Error(QStringLiteral("No data for field %1").arg(FFieldName));
    TExprFieldLookup lookup = FContext->Resolver->LookupField(FDataSetName, FFieldName);
    if (!lookup.Found)
        return TRepEvResult::Error(QStringLiteral("Field %1 not found").arg(FFieldName));
    return lookup.Value;
}

bool TRepEvField::IsNull() const {
    if (!FContext || !FContext->Resolver)
        return true;
    TExprFieldLookup lookup = FContext->Resolver->LookupField(FDataSetName, FFieldName);
    return !lookup.Found || lookup.IsNull;
}

TRepEvUnary::TRepEvUnary(TRepEvUnaryOp op, TRepEvElementPtr operand)
    : FOp(op), FOperand(std::move(operand)) {}

TRepEvResult TRepEvUnary::Value() {
    TRepEvResult value = FOperand->Value();
    if (value.IsError())
        return value;
    if (FOp == uoNot) {
        if (value.Kind != resBool)
            return TRepEvResult::Error(QStringLiteral("NOT needs a boolean"));
        return TRepEvResult::Bool(!value.booResult);
    }
    if (value.Kind == resInt) {
        qint64 negated;
        if (__builtin_sub_overflow(qint64(0), value.intResult, &negated))
            return TRepEvResult::Double(-double(value.intResult));
        return TRepEvResult::Int(negated);
    }
    if (value.Kind == resDouble)
        return TRepEvResult::Double(-value.dblResult);
    return TRepEvResult::Error(QStringLiteral("Minus needs a number"));
}

TRepEvBinary::TRepEvBinary(TRepEvBinaryOp op, TRepEvElementPtr left, TRepEvElementPtr right)
    : FOp(op), FLeft(std::move(left)), FRight(std::move(right)) {}

TRepEvResult TRepEvBinary::Value() {
    // Both operands are evaluated: elements have no side effects, and an error in either
    // operand must surface as the error value.
    TRepEvResult left = FLeft->Value();
    TRepEvResult right = FRight->Value();
    return RepEvApply(FOp, left, right);
}

void TRepEvBinary::Aggregate() {
    FLeft->Aggregate();
    FRight->Aggregate();
}

void TRepEvBinary::Reset() {
    FLeft->Reset();
    FRight->Reset();
}

bool TRepEvBinary::IsAggreg() const { return FLeft->IsAggreg() || FRight->IsAggreg(); }

bool RepEvCompare(const TRepEvResult &left, const TRepEvResult &right, int &order) {
    if (left.Kind == resInt && right.Kind == resInt) {
        order = left.intResult < right.intResult ? -1 : left.intResult > right.intResult ? 1 : 0;
        return true;
    }
    if (left.IsNumeric() && right.IsNumeric()) {
        double a = left.AsDouble(), b = right.AsDouble();
        order = a < b ? -1 : a > b ? 1 : 0;
        return true;
    }
    if (left.Kind == resString && right.Kind == resString) {
        int c = QString::compare(left.strResult, right.strResult, Qt::CaseSensitive);
        order = c < 0 ? -1 : c > 0 ? 1 : 0;
        return true;
    }
    if (left.Kind == resBool && right.Kind == resBool) {
        order = int(left.booResult) - int(right.booResult);
        return true;
    }
    return false;
}

namespace {

TRepEvResult Mismatch(const char *what) {
    return TRepEvResult::Error(QStringLiteral("Type mismatch in %1").arg(QLatin1String(what)));
}

TRepEvResult Arithmetic(TRepEvBinaryOp op, const TRepEvResult &left, const TRepEvResult &right) {
    if (left.Kind == resInt && right.Kind == resInt) {
        qint64 a = left.intResult, b = right.intResult, r;
        bool overflow = false;
        switch (op) {
        case boAdd: overflow = __builtin_add_overflow(a, b, &r); break;
        case boSubtract: overflow = __builtin_sub_overflow(a, b, &r); break;
        default: overflow = __builtin_mul_overflow(a, b, &r); break;
        }
        if (!overflow)
            return TRepEvResult::Int(r);
        // The exact result does not fit an integer: give the floating-point result instead.
    }
    double a = left.AsDouble(), b = right.AsDouble();
    switch (op) {
    case boAdd: return TRepEvResult::Double(a + b);
    case boSubtract: return TRepEvResult::Double(a - b);
    default: return TRepEvResult::Double(a * b);
    }
}

TRepEvResult IntegerDivision(TRepEvBinaryOp op, const TRepEvResult &left,
                             const TRepEvResult &right) {
    qint64 a, b;
    if (!RepEvToInteger(left, a) || !RepEvToInteger(right, b))
        return TRepEvResult::Error(QStringLiteral("Number out of integer range"));
    if (b == 0)
        return TRepEvResult::Error(QStringLiteral("Division by zero"));
    if (b == -1)  // the one case where the quotient can overflow
        return op == boMod ? TRepEvResult::Int(0)
                           : (a == std::numeric_limits<qint64>::min()
                                  ? TRepEvResult::Double(-double(a))
                                  : TRepEvResult::Int(-a));
    return TRepEvResult::Int(op == boMod ? a % b : a / b);
}

}  // namespace

TRepEvResult RepEvApply(TRepEvBinaryOp op, const TRepEvResult &left, const TRepEvResult &right) {
    if (left.IsError())
        return left;
    if (right.IsError())
        return right;
    switch (op) {
    case boAdd:
        if (left.Kind == resString && right.Kind == resString)
            return TRepEvResult::String(left.strResult + right.strResult);
        if (!left.IsNumeric() || !right.IsNumeric())
            return Mismatch("+");
        return Arithmetic(op, left, right);
    case boSubtract:
    case boMultiply:
        if (!left.IsNumeric() || !right.IsNumeric())
            return Mismatch(op == boSubtract ? "-" : "*");
        return Arithmetic(op, left, right);
    case boDivide:
        if (!left.IsNumeric() || !right.IsNumeric())
            return Mismatch("/");
        if (right.AsDouble() == 0.0)
            return TRepEvResult::Error(QStringLiteral("Division by zero"));
        return TRepEvResult::Double(left.AsDouble() / right.AsDouble());
    case boIntDiv:
    case boMod:
        if (!left.IsNumeric() || !right.IsNumeric())
            return Mismatch(op == boMod ? "MOD" : "DIV");
        return IntegerDivision(op, left, right);
    case boAnd:
    case boOr:
        if (left.Kind != resBool || right.Kind != resBool)
            return Mismatch(op == boAnd ? "AND" : "OR");
        return TRepEvResult::Bool(op == boAnd ? (left.booResult && right.booResult)
                                              : (left.booResult || right.booResult));
    default:
        break;
    }
    int order;
    if (!RepEvCompare(left, right, order))
        return Mismatch("comparison");
    switch (op) {
    case boEqual: return TRepEvResult::Bool(order == 0);
    case boNotEqual: return TRepEvResult::Bool(order != 0);
    case boLess: return TRepEvResult::Bool(order < 0);
    case boGreater: return TRepEvResult::Bool(order > 0);
    case boLessEqual: return TRepEvResult::Bool(order <= 0);
    default: return TRepEvResult::Bool(order >= 0);
    }
}
