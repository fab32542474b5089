#pragma once
// Decimal digits of a double for the formatting routines: value = 0.d1d2d3... * 10^Exponent.
#include <QByteArray>

struct TDecimal {
    bool Negative = false;
    QByteArray Digits;  // no leading or trailing zeros; empty for zero
    int Exponent = 0;   // for a value >= 1, the number of integer digits
};

// The finite value to the given number of significant digits (correctly rounded).
TDecimal FloatToDecimal(double value, int precision = 15);
// Rounds half away from zero to `decimals` digits after the decimal point (may be negative).
void RoundDecimal(TDecimal &d, int decimals);
// The digit at position index (0 = first significant), '0' past either end.
inline char DigitAt(const TDecimal &d, int index) {
    return index >= 0 && index < d.Digits.size() ? d.Digits[index] : '0';
}
