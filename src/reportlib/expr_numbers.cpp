#include "reportlib/expr_numbers.h"

#include <cmath>

bool RepEvTruncate(double value, qint64 &result) {
    // 2^63 as a double is exact; every double below it in magnitude truncates into range.
    constexpr double limit = 9223372036854775808.0;
    if (!std::isfinite(value) || value >= limit || value < -limit)
        return false;
    result = qint64(std::trunc(value));
    return true;
}

bool RepEvToInteger(const TRepEvResult &value, qint64 &result) {
    if (value.Kind == resInt) {
        result = value.intResult;
        return true;
    }
    if (value.Kind == resDouble)
        return RepEvTruncate(value.dblResult, result);
    return false;
}
