#include "host/decimal_digits.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

void StripTrailingZeros(TDecimal &d) {
    while (!d.Digits.isEmpty() && d.Digits.back() == '0') d.Digits.chop(1);
    if (d.Digits.isEmpty()) d.Exponent = 0;
}

}  // namespace

TDecimal FloatToDecimal(double value, int precision) {
    TDecimal d;
    d.Negative = std::signbit(value);
    if (value == 0 || !std::isfinite(value)) return d;
    char buffer[64];
    // Scientific form "d.ddddde+xx"; to_chars does not depend on the C locale.
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, precision - 1);
    const char *end = result.ptr;
    const char *p = buffer;
    for (; p < end && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') d.Digits.append(*p);
    // The exponent ends at `end`: the buffer is not terminated, so parse within its bounds.
    int exp10 = 0;
    if (p < end) {
        const char *e = p + 1;
        if (e < end && *e == '+') ++e;
        std::from_chars(e, end, exp10);
    }
    d.Exponent = exp10 + 1;
    StripTrailingZeros(d);
    return d;
}

void RoundDecimal(TDecimal &d, int decimals) {
    const qint64 keep = qint64(d.Exponent) + decimals;
    if (keep >= d.Digits.size()) return;
    if (keep < 0) {
        d.Digits.clear();
        d.Exponent = 0;
        return;
    }
    const bool up = d.Digits[int(keep)] >= '5';
    d.Digits.truncate(int(keep));
    if (up) {
        int i = int(d.Digits.size()) - 1;
        while (i >= 0 && d.Digits[i] == '9') d.Digits[i--] = '0';
        if (i >= 0) {
            d.Digits[i] = char(d.Digits[i] + 1);
        } else {
            d.Digits.prepend('1');
            ++d.Exponent;
        }
    }
    StripTrailingZeros(d);
}
