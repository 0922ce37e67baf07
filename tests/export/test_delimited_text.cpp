// The exact bytes of the delimited text export.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "export/DelimitedTextExport.h"
#include "records/RecordFileReader.h"
#include "sample/SampleRecords.h"

namespace {

const std::string TAB_HEADER =
    "No.\tOLT name\tONT name\tWavelength\tPower\tUnit\tRef.(dBm)\tThres.Status\tThreshold(dBm)\t\t\tDate\tTime\r\n"
    "\t\t\t\t\t\t\t\tPASS\tWRNG\tFAIL\t\r\n";

// The first record of the worked example: OLT-A / ONT-7, 2011-05-12 09:05:07.
MeterRecord ExampleRecord()
{
    MeterRecord r = MakeNamedRecord("OLT-A", "ONT-7");
    r.thresholdMode = 1;
    SetThresholds(r, -8.0f, -25.0f, -28.0f);
    r.readings[0].power = -20.5f;
    r.readings[1].power = -26.0f;
    r.readings[1].reference = -1.25f;
    r.readings[2].power = -95.0f;
    r.readings[2].reference = 3.0f;
    SetRecordDateTime(r, 2011, 5, 12, 9, 5, 7);
    return r;
}

RecordList ListOf(const std::vector<MeterRecord>& records)
{
    RecordList list;
    for (const MeterRecord& r : records)
        list.Add(r);
    return list;
}

// The `index`th line (from 0) of a text with CR LF line ends.
std::string LineOf(const std::string& text, int index)
{
    std::size_t start = 0;
    for (int i = 0; i < index; ++i)
        start = text.find("\r\n", start) + 2;
    return text.substr(start, text.find("\r\n", start) - start);
}

TEST(DelimitedText, WorkedExampleByteForByte)
{
    const std::string expected = TAB_HEADER
        + "1\tOLT-A\tONT-7\t1310nm\t-20.50\tdBm\t0.00\tpass\t-8.00\t-25.00\t-28.00\t2011//5//12\t09:05:07\r\n"
          "\t\t\t1490nm\t-26.00\tdBm\t-1.25\twrng\t-8.00\t-25.00\t-28.00\t2011//5//12\t09:05:07\r\n"
          "\t\t\t1550nm\tLow\tdBm\t3.00\tfail\t-8.00\t-25.00\t-28.00\t2011//5//12\t09:05:07\r\n";
    EXPECT_EQ(FormatDelimitedText(ListOf({ExampleRecord()}), '\t'), expected);
}

TEST(DelimitedText, EmptyListGivesTheTwoHeaderLinesOnly)
{
    EXPECT_EQ(FormatDelimitedText(RecordList{}, '\t'), TAB_HEADER);
}

TEST(DelimitedText, CommaTypeDiffersOnlyInSeparators)
{
    const RecordList list = ListOf(DemoRecords());
    std::string tabs = FormatDelimitedText(list, '\t');
    const std::string commas = FormatDelimitedText(list, ',');
    // The demo has a name with a comma; nothing is quoted, so it stays as it is.
    EXPECT_NE(commas.find("12,Pole 7, left,ONT-16,1310nm"), std::string::npos);
    std::replace(tabs.begin(), tabs.end(), '\t', ',');
    EXPECT_EQ(tabs, commas);
}

TEST(DelimitedText, EveryLineHasTwelveSeparatorsAndCrLf)
{
    const std::string text = FormatDelimitedText(ListOf(RandomRecords(50, 3)), '\t');
    ASSERT_TRUE(text.ends_with("\r\n"));
    std::size_t lines = 0;
    for (std::size_t start = 0; start < text.size(); ++lines) {
        const std::size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        const std::string line = text.substr(start, end - start);
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), lines == 1 ? 11 : 12) << line;
        EXPECT_EQ(line.find('\n'), std::string::npos);
        start = end + 2;
    }
    EXPECT_EQ(lines, 2u + 3u * 50u);
}

// One field of one line after changing one thing in the example record.
struct FieldCase {
    const char* name;
    void (*change)(MeterRecord&);
    int line;    // 0, 1, 2: the record's lines
    int field;   // 0-based position on the line
    std::string expected;
};

class ExportField : public testing::TestWithParam<FieldCase> {};

TEST_P(ExportField, HasTheExpectedText)
{
    const FieldCase& c = GetParam();
    MeterRecord r = ExampleRecord();
    c.change(r);
    const std::string text = FormatDelimitedText(ListOf({r}), ',');
    std::string line = LineOf(text, 2 + c.line);
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    ASSERT_EQ(fields.size(), 13u) << line;
    EXPECT_EQ(fields[c.field], c.expected) << line;
}

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Records, ExportField,
    testing::Values(
        FieldCase{"power_at_limit_is_a_number", [](MeterRecord& r) { r.readings[0].power = -90.0f; }, 0, 4, "-90.00"},
        FieldCase{"power_below_limit_is_low", [](MeterRecord& r) { r.readings[0].power = -90.01f; }, 0, 4, "Low"},
        FieldCase{"nan_power_is_low", [](MeterRecord& r) { r.readings[0].power = NaN; }, 0, 4, "Low"},
        FieldCase{"nan_power_fails", [](MeterRecord& r) { r.readings[0].power = NaN; }, 0, 7, "fail"},
        FieldCase{"negative_zero_power", [](MeterRecord& r) { r.readings[0].power = -0.0f; }, 0, 4, "-0.00"},
        FieldCase{"power_equal_to_fail_is_not_fail", [](MeterRecord& r) { r.readings[0].power = -28.0f; }, 0, 7,
                  "wrng"},
        FieldCase{"reference_has_no_low_rule", [](MeterRecord& r) { r.readings[1].reference = -99.0f; }, 1, 6,
                  "-99.00"},
        FieldCase{"nan_reference", [](MeterRecord& r) { r.readings[1].reference = -NaN; }, 1, 6, "-nan"},
        FieldCase{"off_verdict", [](MeterRecord& r) { r.thresholdMode = 0; }, 2, 7, "off"},
        FieldCase{"off_still_writes_thresholds", [](MeterRecord& r) { r.thresholdMode = 0; }, 2, 10, "-28.00"},
        FieldCase{"unit_db_on_every_line", [](MeterRecord& r) { r.unitMode = 0x0100; }, 2, 5, "dB"},
        FieldCase{"month_not_bcd", [](MeterRecord& r) { r.month = 0x0A; }, 0, 11, "2011//a//12"},
        FieldCase{"date_on_later_lines", [](MeterRecord& r) { r.year = 0x05; }, 2, 11, "205//5//12"},
        FieldCase{"hour_padded", [](MeterRecord& r) { r.hour = 0x00; }, 1, 12, "00:05:07"},
        FieldCase{"percent_in_name_unchanged", [](MeterRecord& r) { r = MakeNamedRecord("100%d%s", "x"); }, 0, 1,
                  "100%d%s"},
        FieldCase{"sixteen_byte_name", [](MeterRecord& r) { r = MakeNamedRecord("OLT-CENTRAL-0001", "ONT"); }, 0,
                  1, "OLT-CENTRAL-0001"},
        FieldCase{"gbk_name_bytes_unchanged",
                  [](MeterRecord& r) { r = MakeNamedRecord("\xBE\xD6\xB6\xCB", "x"); }, 0, 1, "\xBE\xD6\xB6\xCB"},
        FieldCase{"number_on_first_line_only", [](MeterRecord&) {}, 1, 0, ""},
        FieldCase{"names_on_first_line_only", [](MeterRecord&) {}, 2, 2, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DelimitedText, RecordNumbersFollowListOrder)
{
    const std::string text = FormatDelimitedText(ListOf(RandomRecords(300, 9)), '\t');
    EXPECT_TRUE(LineOf(text, 2).starts_with("1\t"));
    EXPECT_TRUE(LineOf(text, 2 + 3 * 299).starts_with("300\t"));
}

// Reserved header bytes and record byte 103 change nothing.
TEST(DelimitedText, ReservedBytesDoNotMatter)
{
    const auto records = DemoRecords();
    std::string plain = EncodeRecordFile(records);
    std::string noisy = plain;
    for (std::size_t i : {0u, 5u, 13u, 16u, 31u})
        noisy[i] = '\x5A';
    for (std::size_t n = 0; n < records.size(); ++n)
        noisy[RECORD_FILE_HEADER_SIZE + n * METER_RECORD_SIZE + 103] = '\xA5';
    auto parse = [](const std::string& bytes) {
        return ParseRecordFile(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    };
    EXPECT_EQ(FormatDelimitedText(parse(plain).records, '\t'), FormatDelimitedText(parse(noisy).records, '\t'));
}

TEST(SaveTypes, SeparatorsByTypeAndFilterIndex)
{
    EXPECT_EQ(SeparatorForSaveType("xls"), '\t');
    EXPECT_EQ(SeparatorForSaveType("TXT"), '\t');
    EXPECT_EQ(SeparatorForSaveType(".Csv"), ',');
    EXPECT_EQ(SeparatorForSaveType("xlsx"), std::nullopt);
    EXPECT_EQ(SeparatorForSaveType(""), std::nullopt);
    EXPECT_EQ(SeparatorForFilterIndex(1), '\t');
    EXPECT_EQ(SeparatorForFilterIndex(2), '\t');
    EXPECT_EQ(SeparatorForFilterIndex(3), ',');
    EXPECT_EQ(SeparatorForFilterIndex(0), std::nullopt);
    EXPECT_EQ(SeparatorForFilterIndex(4), std::nullopt);
}

} // namespace
