#include "host/extended_float.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace {

QByteArray Hex(const char *text) { return QByteArray::fromHex(text); }

TExtendedBytes FromHex(const char *text) {
    const QByteArray b = Hex(text);
    TExtendedBytes out{};
    for (int i = 0; i < 10; ++i) out[i] = static_cast<unsigned char>(b[i]);
    return out;
}

}  // namespace

TEST(ExtendedFloat, KnownPatterns) {
    struct Case { double value; const char *hex; };
    const Case cases[] = {
        {1.0, "0000000000000080ff3f"},   {0.25, "0000000000000080fd3f"},
        {210.0, "00000000000000d20640"}, {-3.5, "00000000000000e000c0"},
        {0.0, "00000000000000000000"},   {-0.0, "00000000000000000080"},
        {2.0, "00000000000000800040"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ExtendedToByteArray(c.value), Hex(c.hex)) << c.value;
        const double back = DecodeExtended(FromHex(c.hex));
        EXPECT_EQ(back, c.value);
        EXPECT_EQ(std::signbit(back), std::signbit(c.value));
    }
}

TEST(ExtendedFloat, SpecialValues) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(ExtendedToByteArray(inf), Hex("0000000000000080ff7f"));
    EXPECT_EQ(ExtendedToByteArray(-inf), Hex("0000000000000080ffff"));
    EXPECT_EQ(DecodeExtended(FromHex("0000000000000080ffff")), -inf);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(DecodeExtended(EncodeExtended(nan))));
    // Signalling NaN bytes still decode as NaN, never as infinity.
    EXPECT_TRUE(std::isnan(DecodeExtended(FromHex("0100000000000080ff7f"))));

    // Smallest double denormal is a normal extended number and comes back exactly.
    const double tiny = std::numeric_limits<double>::denorm_min();
    EXPECT_EQ(DecodeExtended(EncodeExtended(tiny)), tiny);
    EXPECT_EQ(DecodeExtended(EncodeExtended(-tiny * 12345)), -tiny * 12345);
}

TEST(ExtendedFloat, OutOfDoubleRangeSaturates) {
    // 2^2000 and 2^-2000: beyond what a double holds.
    EXPECT_EQ(DecodeExtended(FromHex("0000000000000080cf47")), std::numeric_limits<double>::infinity());
    EXPECT_EQ(DecodeExtended(FromHex("0000000000000080cfc7")), -std::numeric_limits<double>::infinity());
    const double small = DecodeExtended(FromHex("00000000000000802f38"));
    EXPECT_EQ(small, 0.0);
    // Largest extended exponent below infinity.
    EXPECT_EQ(DecodeExtended(FromHex("fffffffffffffffffe7f")), std::numeric_limits<double>::infinity());
    // Extended denormals (exponent 0) are far below the double range.
    EXPECT_EQ(DecodeExtended(FromHex("ffffffffffffff7f0000")), 0.0);
}

TEST(ExtendedFloat, DecodeRoundsToNearestEven) {
    // 1 + 2^-53 is exactly half way between 1 and the next double: ties go to the even 1.0.
    EXPECT_EQ(DecodeExtended(FromHex("0004000000000080ff3f")), 1.0);
    // Just above half way rounds up.
    EXPECT_EQ(DecodeExtended(FromHex("0104000000000080ff3f")), std::nextafter(1.0, 2.0));
    // Half way above an odd mantissa rounds up to even.
    EXPECT_EQ(DecodeExtended(FromHex("000c000000000080ff3f")), 1.0 + 2 * std::ldexp(1.0, -52));
    // All mantissa bits set: rounds up into the next exponent.
    EXPECT_EQ(DecodeExtended(FromHex("ffffffffffffffffff3f")), 2.0);
    // Largest double plus more than half an ulp overflows to infinity.
    EXPECT_EQ(DecodeExtended(FromHex("fffffffffffffffffe43")), std::numeric_limits<double>::infinity());
    // Rounding at the denormal boundary: just below the smallest normal rounds up to it.
    const TExtendedBytes belowMin = FromHex("ffffffffffffffff003c");
    EXPECT_EQ(DecodeExtended(belowMin), std::numeric_limits<double>::min());
}

TEST(ExtendedFloat, RandomRoundTripsAreExact) {
    std::mt19937_64 rng(20240611);
    for (int i = 0; i < 200000; ++i) {
        const double value = std::bit_cast<double>(rng());
        if (std::isnan(value)) continue;
        const TExtendedBytes bytes = EncodeExtended(value);
        const double back = DecodeExtended(bytes);
        ASSERT_EQ(std::bit_cast<uint64_t>(back), std::bit_cast<uint64_t>(value)) << value;
        ASSERT_EQ(EncodeExtended(back), bytes);
    }
    std::uniform_real_distribution<double> measurements(-10000.0, 10000.0);
    for (int i = 0; i < 10000; ++i) {
        const double value = measurements(rng);
        ASSERT_EQ(DecodeExtended(EncodeExtended(value)), value);
    }
}
