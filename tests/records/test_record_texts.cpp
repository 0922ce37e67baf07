// Field texts and verdicts of the record table; names as display text (UTF-8 when valid, else GBK);
// number conversions that give exactly what glibc's printf gives.
#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

#include "records/NameText.h"
#include "records/NumberFormat.h"
#include "records/RecordTexts.h"
#include "sample/SampleRecords.h"

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Inf = std::numeric_limits<float>::infinity();

// Labels, units, verdict words and the pass, wrng and fail fills also show in the exports.
TEST(RecordTexts, NumbersLabelsUnitsAndVerdictWords)
{
    EXPECT_EQ(RecordNumberText(65534), "65535");
    EXPECT_EQ(WavelengthLabel(3), "");
    EXPECT_EQ(UnitText(1), "dB");
    EXPECT_EQ(VerdictWord(ThresholdVerdict::Off), "off");
    EXPECT_EQ(VerdictColour(ThresholdVerdict::Off), CLR_DEFAULT);
}

// Power reads "Low" below -90 or when NaN; levels (reference, thresholds) have no such rule.
TEST(RecordTexts, PowerHasALowRuleLevelHasNot)
{
    const struct {
        float value;
        const char* power;
        const char* level;
    } cases[] = {
        {-90.0f, "-90.00", "-90.00"}, {-90.01f, "Low", "-90.01"}, {-95.0f, "Low", "-95.00"},
        {NaN, "Low", "nan"},          {-NaN, "Low", "-nan"},      {-Inf, "Low", "-inf"},
        {Inf, "inf", "inf"},          {-0.0f, "-0.00", "-0.00"},  {3.456f, "3.46", "3.46"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PowerText(c.value), c.power) << c.value;
        EXPECT_EQ(LevelText(c.value), c.level) << c.value;
    }
}

TEST(Verdict, FollowsTheStrictComparisons)
{
    using enum ThresholdVerdict;
    const struct {
        const char* name;
        float power, pass, warn, fail;
        ThresholdVerdict expected;
    } cases[] = {
        {"below_fail", -30.0f, -8, -25, -28, Fail},
        {"at_fail_warns", -28.0f, -8, -25, -28, Wrng},
        {"at_warn_passes", -25.0f, -8, -25, -28, Pass},
        {"just_below_pass", -8.01f, -8, -25, -28, Pass},
        {"at_pass_too_strong", -8.0f, -8, -25, -28, Fail},
        {"low_power_uses_stored_value", -95.0f, -8, -25, -28, Fail},
        {"nan_power", NaN, -8, -25, -28, Fail},
        {"nan_warn_threshold", -26.0f, -8, NaN, -28, Wrng},
        {"nan_pass_threshold", -10.0f, NaN, -25, -28, Pass},
        {"infinite_power", Inf, -8, -25, -28, Fail},
        // Thresholds are used as stored, whatever their order.
        {"reversed_thresholds", -20.0f, -28, -25, -8, Fail},
        {"equal_thresholds", -10.0f, -10, -10, -10, Fail},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MeterRecord record = MakeNamedRecord("OLT", "ONT");
        record.thresholdMode = 1;
        SetThresholds(record, c.pass, c.warn, c.fail);
        for (int w = 0; w < WAVELENGTH_COUNT; ++w) {
            record.readings[w].power = c.power;
            EXPECT_EQ(VerdictText(record, w), c.expected) << "wavelength " << w;
        }
    }
}

TEST(DateTime, BytesPrintedAsHexDigits)
{
    const struct {
        std::uint8_t bytes[7];   // century, year, month, day, hour, minute, second
        const char* date;
        const char* time;
    } cases[] = {
        {{0x20, 0x11, 0x05, 0x23, 0x09, 0x05, 0x07}, "2011/5/23", "9:05:07"},
        {{0x20, 0x05, 0x01, 0x09, 0x14, 0x30, 0x00}, "205/1/9", "14:30:00"},
        {{0x20, 0x1A, 0x0C, 0x1F, 0x00, 0x00, 0x00}, "201a/c/1f", "0:00:00"},   // not valid BCD
        {{0x00, 0x00, 0x00, 0x00, 0xFF, 0xAB, 0x0F}, "00/0/0", "ff:ab:0f"},
    };
    for (const auto& c : cases) {
        MeterRecord r{};
        std::memcpy(&r.century, c.bytes, 7);   // the seven date and time bytes lie in a row
        EXPECT_EQ(DateText(r), c.date);
        EXPECT_EQ(TimeText(r), c.time);
    }
}

TEST(NameText, DecodesByEncoding)
{
    const struct {
        std::string_view bytes, expected;
    } cases[] = {
        {"OLT-A", "OLT-A"},
        {"", ""},
        {"\xE5\xB1\x80\xE7\xAB\xAF", "局端"},             // valid UTF-8 kept
        {"\xBE\xD6\xB6\xCB\xD2\xBB\xBA\xC5", "局端一号"},   // GBK decoded
        {"\xB9\xE2\xC3\xA8-01", "光猫-01"},                 // GBK with ASCII
        {"\x80", "€"},                                       // CP936 euro
        {"AB\xB9", "AB\xEF\xBF\xBD"},                        // lone lead byte at the end
        {"\xFF" "A", "\xEF\xBF\xBD" "A"},                    // invalid byte in GBK
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameText(c.bytes), c.expected) << testing::PrintToString(std::string(c.bytes));

    const std::string_view valid[] = {"plain", "\xC3\xA9", "\xF0\x9F\x98\x80"};
    // Overlong (2), surrogate, above U+10FFFF, cut short, GBK.
    const std::string_view invalid[] = {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE5\xB1", "\xBE\xD6"};
    for (std::string_view bytes : valid)
        EXPECT_TRUE(IsValidUtf8(bytes)) << testing::PrintToString(std::string(bytes));
    for (std::string_view bytes : invalid)
        EXPECT_FALSE(IsValidUtf8(bytes)) << testing::PrintToString(std::string(bytes));
}

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

// Meter-like values and their rounding are compared with printf below.
TEST(Fixed2, SpelledAsPrintf)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const float max = std::numeric_limits<float>::max(), tiny = std::numeric_limits<float>::denorm_min();
    const struct {
        float value;
        const char* expected;
    } cases[] = {
        {nan, "nan"}, {-nan, "-nan"}, {inf, "inf"}, {-inf, "-inf"}, {0.0f, "0.00"}, {-0.0f, "-0.00"},
        {max, "340282346638528859811704183484516925440.00"}, {tiny, "0.00"}, {-tiny, "-0.00"},
        // Around the switch between the short path and the general one.
        {9.99e12f, "9989999558656.00"}, {1e13f, "9999999827968.00"}, {-1.5e13f, "-15000000266240.00"},
        {99.995f, "100.00"},   // a carry into a new digit
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
