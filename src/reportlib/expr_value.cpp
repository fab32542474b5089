#include "reportlib/expr_value.h"

#include "host/conversions.h"
#include "host/text_codec.h"

#include <cmath>

TRepEvResult TRepEvResult::Int(qint64 value) {
    TRepEvResult result;
    result.Kind = resInt;
    result.intResult = value;
    return result;
}

TRepEvResult TRepEvResult::Double(double value) {
    if (!std::isfinite(value))
        return Error(QStringLiteral("Number out of range"));
    TRepEvResult result;
    result.Kind = resDouble;
    result.dblResult = value;
    return result;
}

TRepEvResult TRepEvResult::String(const QString &value) {
    TRepEvResult result;
    result.Kind = resString;
    result.strResult = value.size() > RepEvMaxStringLength ? CutText(value, RepEvMaxStringLength)
                                                           : value;
    return result;
}

TRepEvResult TRepEvResult::Bool(bool value) {
    TRepEvResult result;
    result.Kind = resBool;
    result.booResult = value;
    return result;
}

TRepEvResult TRepEvResult::Error(const QString &reason) {
    TRepEvResult result;
    result.Kind = resError;
    result.strResult = reason;
    return result;
}

double TRepEvResult::AsDouble() const {
    switch (Kind) {
    case resInt: return double(intResult);
    case resDouble: return dblResult;
    default: return 0.0;
    }
}

QString RepEvResultTypeName(TRepEvResultType kind) {
    switch (kind) {
    case resInt: return QStringLiteral("INTEGER");
    case resDouble: return QStringLiteral("FLOAT");
    case resString: return QStringLiteral("STRING");
    case resBool: return QStringLiteral("BOOLEAN");
    default: return QStringLiteral("ERROR");
    }
}

QString FormatRepEvResult(const TRepEvResult &value, const QString &mask,
                          const QString &expression) {
    switch (value.Kind) {
    case resInt:
        return mask.isEmpty() ? QString::number(value.intResult)
                              : FormatFloat(mask, double(value.intResult));
    case resDouble:
        return mask.isEmpty() ? FloatToStr(value.dblResult) : FormatFloat(mask, value.dblResult);
    case resString: return value.strResult;
    case resBool: return value.booResult ? QStringLiteral("True") : QStringLiteral("False");
    default: return expression;
    }
}
