// The number conversions must give exactly what glibc's printf gives.
#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <limits>
#include <random>

#include "records/NumberFormat.h"

namespace {

std::string Printf2f(float value)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(value));
    return buffer;
}

std::string Fixed2(float value)
{
    std::string text;
    AppendFixed2(text, value);
    return text;
}

TEST(Fixed2, SpelledAsPrintf)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const float max = std::numeric_limits<float>::max(), tiny = std::numeric_limits<float>::denorm_min();
    const struct {
        float value;
        const char* expected;
    } cases[] = {
        {nan, "nan"}, {-nan, "-nan"}, {inf, "inf"}, {-inf, "-inf"}, {0.0f, "0.00"}, {-0.0f, "-0.00"},
        {-0.001f, "-0.00"}, {-23.456f, "-23.46"}, {-20.5f, "-20.50"}, {-90.0f, "-90.00"}, {0.125f, "0.12"},
        {0.375f, "0.38"}, {2.675f, "2.67"}, {1.005f, "1.00"}, {-8.01f, "-8.01"},
        {max, "340282346638528859811704183484516925440.00"}, {tiny, "0.00"}, {-tiny, "-0.00"},
        // Around the switch between the short path and the general one.
        {9.99e12f, "9989999558656.00"}, {1e13f, "9999999827968.00"}, {-1.5e13f, "-15000000266240.00"},
        {0.005f, "0.00"}, {-0.015f, "-0.01"}, {99.995f, "100.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Fixed2(c.value), c.expected) << c.expected;
}

// Random bit patterns across the whole range, then meter-like thousandths
// and the halfway points between them, where rounding differs most.
TEST(Fixed2, MatchesPrintfOnRandomAndMeterLikeValues)
{
    std::mt19937 engine(12345);
    for (int i = 0; i < 200000; ++i) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(engine()));
        ASSERT_EQ(Fixed2(value), Printf2f(value)) << std::bit_cast<std::uint32_t>(value);
    }
    for (int thousandths = -150000; thousandths <= 50000; ++thousandths) {
        for (float value : {thousandths / 1000.0f, (thousandths * 10 + 5) / 10000.0f})
            ASSERT_EQ(Fixed2(value), Printf2f(value)) << thousandths;
    }
}

TEST(HexAndDecimal, MatchPrintf)
{
    char expected[16];
    for (int byte = 0; byte < 256; ++byte) {
        std::string hex;
        AppendHex(hex, static_cast<std::uint8_t>(byte));
        AppendHex02(hex += ' ', static_cast<std::uint8_t>(byte));
        std::snprintf(expected, sizeof expected, "%x %02x", byte, byte);
        EXPECT_EQ(hex, expected);
    }
    std::string decimals;
    for (std::uint64_t n : {0ull, 9ull, 10ull, 65535ull, 18446744073709551615ull})
        AppendDecimal(decimals += ' ', n);
    EXPECT_EQ(decimals, " 0 9 10 65535 18446744073709551615");
}

} // namespace
