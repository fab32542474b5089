#pragma once
// Conversions between the numeric kinds that the operators and functions share.
#include "reportlib/expr_value.h"

// The value as an integer, truncating a floating-point value towards zero; false when the
// value is not a number or does not fit a 64-bit integer.
bool RepEvToInteger(const TRepEvResult &value, qint64 &result);
// Truncation towards zero of a floating-point value; false when it does not fit.
bool RepEvTruncate(double value, qint64 &result);
