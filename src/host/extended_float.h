#pragma once
// The 10-byte x87 extended-precision float of report files: little-endian 64-bit mantissa with
// an explicit integer bit, then 15-bit exponent (bias 16383) and the sign in the top bit.
// Converted by bit manipulation so the result does not depend on the compiler's long double.
#include <QByteArray>
#include <array>

using TExtendedBytes = std::array<unsigned char, 10>;

// Exact: every double has an extended equivalent.
TExtendedBytes EncodeExtended(double value);
// The nearest double (ties to even); values beyond the double range become +-infinity,
// values below it +-0 or a denormal. NaN keeps its sign and as much payload as fits.
double DecodeExtended(const TExtendedBytes &bytes);
double DecodeExtended(const unsigned char *bytes);  // reads exactly 10 bytes

inline QByteArray ExtendedToByteArray(double value) {
    const TExtendedBytes b = EncodeExtended(value);
    return QByteArray(reinterpret_cast<const char *>(b.data()), int(b.size()));
}
