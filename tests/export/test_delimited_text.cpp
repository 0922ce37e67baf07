// The exact bytes of the delimited text export.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

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

// The comma type differs only in its separators: nothing is quoted, not even a name with a comma.
TEST(DelimitedText, WorkedExampleByteForByte)
{
    const std::string expected = TAB_HEADER
        + "1\tOLT-A\tONT-7\t1310nm\t-20.50\tdBm\t0.00\tpass\t-8.00\t-25.00\t-28.00\t2011//5//12\t09:05:07\r\n"
          "\t\t\t1490nm\t-26.00\tdBm\t-1.25\twrng\t-8.00\t-25.00\t-28.00\t2011//5//12\t09:05:07\r\n"
          "\t\t\t1550nm\tLow\tdBm\t3.00\tfail\t-8.00\t-25.00\t-28.00\t2011//5//12\t09:05:07\r\n";
    EXPECT_EQ(FormatDelimitedText(RecordListOf({ExampleRecord()}), '\t'), expected);
    EXPECT_EQ(FormatDelimitedText(RecordList{}, '\t'), TAB_HEADER);
    std::string commas = expected;
    std::replace(commas.begin(), commas.end(), '\t', ',');
    EXPECT_EQ(FormatDelimitedText(RecordListOf({ExampleRecord()}), ','), commas);
    const std::string named = FormatDelimitedText(RecordListOf({MakeNamedRecord("Pole 7, left", "x")}), ',');
    EXPECT_NE(named.find("\r\n1,Pole 7, left,x,1310nm"), std::string::npos) << named;
}

// One field of one line after changing one thing in the example record.
TEST(DelimitedText, FieldTexts)
{
    const struct {
        const char* name;
        void (*change)(MeterRecord&);
        int line;    // 0, 1, 2: the record's lines
        int field;   // 0-based position on the line
        std::string expected;
    } cases[] = {
        {"power_below_limit_is_low", [](MeterRecord& r) { r.readings[0].power = -90.01f; }, 0, 4, "Low"},
        {"reference_has_no_low_rule", [](MeterRecord& r) { r.readings[1].reference = -99.0f; }, 1, 6, "-99.00"},
        {"off_still_writes_thresholds", [](MeterRecord& r) { r.thresholdMode = 0; }, 2, 10, "-28.00"},
        {"unit_db_on_every_line", [](MeterRecord& r) { r.unitMode = 0x0100; }, 2, 5, "dB"},
        {"month_not_bcd", [](MeterRecord& r) { r.month = 0x0A; }, 0, 11, "2011//a//12"},
        {"date_on_later_lines", [](MeterRecord& r) { r.year = 0x05; }, 2, 11, "205//5//12"},
        {"hour_padded", [](MeterRecord& r) { r.hour = 0x00; }, 1, 12, "00:05:07"},
        {"percent_in_name_unchanged", [](MeterRecord& r) { r = MakeNamedRecord("100%d%s", "x"); }, 0, 1, "100%d%s"},
        {"sixteen_byte_name", [](MeterRecord& r) { r = MakeNamedRecord("OLT-CENTRAL-0001", "O"); }, 0, 1,
         "OLT-CENTRAL-0001"},
        {"gbk_name_bytes_unchanged", [](MeterRecord& r) { r = MakeNamedRecord("\xBE\xD6\xB6\xCB", "x"); }, 0, 1,
         "\xBE\xD6\xB6\xCB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MeterRecord r = ExampleRecord();
        c.change(r);
        std::istringstream text(FormatDelimitedText(RecordListOf({r}), ','));
        std::string line;
        for (int skipped = 0; skipped <= 2 + c.line; ++skipped)   // past the header's two lines
            std::getline(text, line);
        line.pop_back();   // the CR
        std::vector<std::string> fields;
        std::istringstream in(line);
        for (std::string field; std::getline(in, field, ',');)
            fields.push_back(field);
        ASSERT_EQ(fields.size(), 13u) << line;
        EXPECT_EQ(fields[c.field], c.expected) << line;
    }
}

// Reserved header bytes and record byte 103 change nothing.
TEST(DelimitedText, ReservedBytesDoNotMatter)
{
    const auto records = DemoRecords();
    std::string noisy = EncodeRecordFile(records);
    for (std::size_t i : {0u, 5u, 13u, 16u, 31u})
        noisy[i] = '\x5A';
    for (std::size_t n = 0; n < records.size(); ++n)
        noisy[RECORD_FILE_HEADER_SIZE + n * METER_RECORD_SIZE + 103] = '\xA5';
    const auto parsed = ParseRecordFile(reinterpret_cast<const unsigned char*>(noisy.data()), noisy.size());
    EXPECT_EQ(FormatDelimitedText(parsed.records, '\t'), FormatDelimitedText(RecordListOf(records), '\t'));
}

TEST(SaveTypes, SeparatorsByTypeAndFilterIndex)
{
    EXPECT_EQ(SeparatorForSaveType("xls"), '\t');
    EXPECT_EQ(SeparatorForSaveType("TXT"), '\t');
    EXPECT_EQ(SeparatorForSaveType(".Csv"), ',');
    EXPECT_EQ(SeparatorForSaveType("xlsx"), std::nullopt);
    EXPECT_EQ(SeparatorForSaveType(""), std::nullopt);
    const std::optional<char> byIndex[] = {std::nullopt, '\t', '\t', ',', std::nullopt};
    for (int index = 0; index <= 4; ++index)
        EXPECT_EQ(SeparatorForFilterIndex(index), byIndex[index]) << index;
}

} // namespace
