#include "host/extended_float.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kExtBias = 16383;
constexpr int kDblBias = 1023;
constexpr uint64_t kIntegerBit = uint64_t(1) << 63;
constexpr uint64_t kDblFracMask = (uint64_t(1) << 52) - 1;

TExtendedBytes Pack(bool negative, unsigned exponent, uint64_t mantissa) {
    TExtendedBytes out{};
    for (int i = 0; i < 8; ++i) out[i] = static_cast<unsigned char>(mantissa >> (8 * i));
    const unsigned top = (negative ? 0x8000u : 0u) | (exponent & 0x7FFFu);
    out[8] = static_cast<unsigned char>(top & 0xFF);
    out[9] = static_cast<unsigned char>(top >> 8);
    return out;
}

double FromBits(bool negative, uint64_t magnitudeBits) {
    return std::bit_cast<double>(magnitudeBits | (negative ? kIntegerBit : 0));
}

}  // namespace

TExtendedBytes EncodeExtended(double value) {
    const uint64_t bits = std::bit_cast<uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const unsigned dblExp = unsigned(bits >> 52) & 0x7FF;
    const uint64_t frac = bits & kDblFracMask;

    if (dblExp == 0x7FF) {
        if (frac == 0) return Pack(negative, 0x7FFF, kIntegerBit);  // infinity
        // NaN: keep the payload and make it a quiet NaN.
        return Pack(negative, 0x7FFF, kIntegerBit | (uint64_t(1) << 62) | (frac << 11));
    }
    if (dblExp == 0) {
        if (frac == 0) return Pack(negative, 0, 0);  // +-0
        // A double denormal is a normal extended number: shift its leading bit to the top.
        const int msb = 63 - std::countl_zero(frac);
        const int exponent = msb - 1074;  // value = frac * 2^-1074
        return Pack(negative, unsigned(exponent + kExtBias), frac << (63 - msb));
    }
    const int exponent = int(dblExp) - kDblBias;
    return Pack(negative, unsigned(exponent + kExtBias), kIntegerBit | (frac << 11));
}

double DecodeExtended(const unsigned char *bytes) {
    uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | bytes[i];
    const unsigned top = unsigned(bytes[8]) | (unsigned(bytes[9]) << 8);
    const bool negative = (top & 0x8000u) != 0;
    const int rawExp = int(top & 0x7FFFu);

    if (rawExp == 0x7FFF) {
        const uint64_t fraction = mantissa & ~kIntegerBit;
        if (fraction == 0) return FromBits(negative, uint64_t(0x7FF) << 52);
        // Quiet NaN carrying the top payload bits.
        const uint64_t payload = (fraction >> 11) & kDblFracMask;
        return FromBits(negative, (uint64_t(0x7FF) << 52) | (uint64_t(1) << 51) | payload);
    }
    if (mantissa == 0) return FromBits(negative, 0);

    // Normalise (denormals and unnormals alike) so the leading 1 is bit 63; e is then the
    // unbiased exponent of that leading bit.
    const int shift = std::countl_zero(mantissa);
    mantissa <<= shift;
    const int e = (rawExp == 0 ? 1 : rawExp) - kExtBias - shift;

    if (e > kDblBias) return FromBits(negative, uint64_t(0x7FF) << 52);

    // Number of low mantissa bits that do not fit the double result.
    int drop;
    uint64_t biasedExp;
    if (e >= -1022) {
        drop = 11;
        biasedExp = uint64_t(e + kDblBias);
    } else {
        drop = 11 + (-1022 - e);  // denormal result: fewer significant bits
        biasedExp = 0;
        if (drop > 64) return FromBits(negative, 0);  // below half the smallest denormal
    }
    uint64_t kept = drop == 64 ? 0 : mantissa >> drop;
    const uint64_t rest = drop == 64 ? mantissa : mantissa & ((uint64_t(1) << drop) - 1);
    const uint64_t half = uint64_t(1) << (drop - 1);

    // For a normal result drop the explicit integer bit; the exponent field carries it.
    uint64_t result = biasedExp == 0 ? kept : (biasedExp << 52) | (kept & kDblFracMask);
    if (rest > half || (rest == half && (kept & 1))) ++result;  // a carry may raise the exponent
    if ((result >> 52) >= 0x7FF) result = uint64_t(0x7FF) << 52;
    return FromBits(negative, result);
}

double DecodeExtended(const TExtendedBytes &bytes) { return DecodeExtended(bytes.data()); }
