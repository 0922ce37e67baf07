// Field texts and verdicts of the record table.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "records/RecordTexts.h"
#include "sample/SampleRecords.h"

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Inf = std::numeric_limits<float>::infinity();

TEST(RecordTexts, RecordNumbersCountFromOne)
{
    EXPECT_EQ(RecordNumberText(0), "1");
    EXPECT_EQ(RecordNumberText(299), "300");
    EXPECT_EQ(RecordNumberText(65534), "65535");
}

TEST(RecordTexts, WavelengthLabelsAndUnits)
{
    EXPECT_EQ(WavelengthLabel(0), "1310");
    EXPECT_EQ(WavelengthLabel(1), "1490");
    EXPECT_EQ(WavelengthLabel(2), "1550");
    EXPECT_EQ(WavelengthLabel(3), "");
    EXPECT_EQ(UnitText(0), "dBm");
    EXPECT_EQ(UnitText(1), "dB");
    EXPECT_EQ(UnitText(0x0100), "dB");   // the high byte counts too
}

TEST(RecordTexts, PowerShowsLowBelowTheLimitOrWhenNaN)
{
    const struct {
        float power;
        const char* expected;
    } cases[] = {{-90.0f, "-90.00"}, {-90.01f, "Low"}, {-95.0f, "Low"},   {NaN, "Low"},     {-NaN, "Low"},
                 {-Inf, "Low"},      {Inf, "inf"},     {-0.0f, "-0.00"},  {-20.5f, "-20.50"}, {3.456f, "3.46"}};
    for (const auto& c : cases)
        EXPECT_EQ(PowerText(c.power), c.expected) << c.power;
}

TEST(RecordTexts, LevelHasNoLowRule)
{
    EXPECT_EQ(LevelText(-95.0f), "-95.00");
    EXPECT_EQ(LevelText(NaN), "nan");
    EXPECT_EQ(LevelText(-NaN), "-nan");
    EXPECT_EQ(LevelText(-Inf), "-inf");
    EXPECT_EQ(LevelText(0.0f), "0.00");
}

struct VerdictCase {
    const char* name;
    float power;
    float pass, warn, fail;
    ThresholdVerdict expected;
};

class Verdict : public testing::TestWithParam<VerdictCase> {};

TEST_P(Verdict, FollowsTheStrictComparisons)
{
    const VerdictCase& c = GetParam();
    MeterRecord record = MakeNamedRecord("OLT", "ONT");
    record.thresholdMode = 1;
    SetThresholds(record, c.pass, c.warn, c.fail);
    for (int w = 0; w < WAVELENGTH_COUNT; ++w) {
        record.readings[w].power = c.power;
        EXPECT_EQ(VerdictText(record, w), c.expected) << "wavelength " << w;
    }
    record.thresholdMode = 0;
    for (int w = 0; w < WAVELENGTH_COUNT; ++w)
        EXPECT_EQ(VerdictText(record, w), ThresholdVerdict::Off);
}

INSTANTIATE_TEST_SUITE_P(
    Powers, Verdict,
    testing::Values(VerdictCase{"below_fail", -30.0f, -8, -25, -28, ThresholdVerdict::Fail},
                    VerdictCase{"at_fail_warns", -28.0f, -8, -25, -28, ThresholdVerdict::Wrng},
                    VerdictCase{"at_warn_passes", -25.0f, -8, -25, -28, ThresholdVerdict::Pass},
                    VerdictCase{"just_below_pass", -8.01f, -8, -25, -28, ThresholdVerdict::Pass},
                    VerdictCase{"at_pass_too_strong", -8.0f, -8, -25, -28, ThresholdVerdict::Fail},
                    VerdictCase{"low_power_uses_stored_value", -95.0f, -8, -25, -28, ThresholdVerdict::Fail},
                    VerdictCase{"nan_power", NaN, -8, -25, -28, ThresholdVerdict::Fail},
                    VerdictCase{"nan_warn_threshold", -26.0f, -8, NaN, -28, ThresholdVerdict::Wrng},
                    VerdictCase{"nan_pass_threshold", -10.0f, NaN, -25, -28, ThresholdVerdict::Pass},
                    VerdictCase{"infinite_power", Inf, -8, -25, -28, ThresholdVerdict::Fail},
                    // Thresholds are used as stored, whatever their order.
                    VerdictCase{"reversed_thresholds", -20.0f, -28, -25, -8, ThresholdVerdict::Fail},
                    VerdictCase{"equal_thresholds", -10.0f, -10, -10, -10, ThresholdVerdict::Fail}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Verdict, WordsAndColours)
{
    EXPECT_EQ(VerdictWord(ThresholdVerdict::Off), "off");
    EXPECT_EQ(VerdictWord(ThresholdVerdict::Pass), "pass");
    EXPECT_EQ(VerdictWord(ThresholdVerdict::Wrng), "wrng");
    EXPECT_EQ(VerdictWord(ThresholdVerdict::Fail), "fail");
    EXPECT_EQ(VerdictColour(ThresholdVerdict::Off), CLR_DEFAULT);
    EXPECT_EQ(VerdictColour(ThresholdVerdict::Pass), 0x0000FF00u);
    EXPECT_EQ(VerdictColour(ThresholdVerdict::Wrng), 0x0000FFFFu);
    EXPECT_EQ(VerdictColour(ThresholdVerdict::Fail), 0x000000FFu);
}

struct DateTimeCase {
    std::uint8_t bytes[7];   // century, year, month, day, hour, minute, second
    const char* date;
    const char* time;
};

TEST(DateTime, BytesPrintedAsHexDigits)
{
    const DateTimeCase cases[] = {
        {{0x20, 0x11, 0x05, 0x23, 0x09, 0x05, 0x07}, "2011/5/23", "9:05:07"},
        {{0x20, 0x05, 0x01, 0x09, 0x14, 0x30, 0x00}, "205/1/9", "14:30:00"},
        {{0x20, 0x1A, 0x0C, 0x1F, 0x00, 0x00, 0x00}, "201a/c/1f", "0:00:00"},   // not valid BCD
        {{0x00, 0x00, 0x00, 0x00, 0xFF, 0xAB, 0x0F}, "00/0/0", "ff:ab:0f"},
    };
    for (const auto& c : cases) {
        MeterRecord r{};
        r.century = c.bytes[0];
        r.year = c.bytes[1];
        r.month = c.bytes[2];
        r.day = c.bytes[3];
        r.hour = c.bytes[4];
        r.minute = c.bytes[5];
        r.second = c.bytes[6];
        EXPECT_EQ(DateText(r), c.date);
        EXPECT_EQ(TimeText(r), c.time);
    }
}

} // namespace
