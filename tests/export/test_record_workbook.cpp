// The record table as a workbook, read back.
#include <gtest/gtest.h>

#include "ScratchFolder.h"
#include "export/RecordWorkbook.h"
#include "sample/SampleRecords.h"
#include "WorkbookCells.h"
#include "spreadsheet/ZipPackage.h"


namespace {

// A record with pass, wrng and fail on 1310, 1490 and 1550 nm.
MeterRecord VerdictRecord(std::string_view olt, std::string_view ont)
{
    MeterRecord record = MakeNamedRecord(olt, ont);
    record.thresholdMode = 1;
    SetThresholds(record, -8.0f, -25.0f, -28.0f);
    record.readings[0].power = -20.5f;
    record.readings[1].power = -27.0f;
    record.readings[2].power = -95.0f;   // "Low", and fail
    SetRecordDateTime(record, 2011, 5, 12, 9, 5, 7);
    return record;
}

TEST(PlainDecimal, OnlyPlainDecimalsThatShowTheSameDigitsBecomeNumbers)
{
    struct Case {
        const char* text;
        double value;
        const char* format;
    };
    for (const Case& c : {Case{"-8.00", -8, "0.00"}, Case{"1310", 1310, "0"}, Case{"0.00", 0, "0.00"}, Case{"-20.50", -20.5, "0.00"},
                          Case{"123456789012345", 123456789012345.0, "0"}, Case{"0.000000000000001", 1e-15, "0.000000000000000"}}) {
        const std::optional<PlainNumber> number = PlainDecimal(c.text);
        ASSERT_TRUE(number.has_value()) << c.text;
        EXPECT_EQ(number->value, c.value) << c.text;
        EXPECT_EQ(number->formatCode, c.format) << c.text;
    }
    for (const char* text : {"-0.00", "1234567890123456", "340282346638528859811704183484516925440.00", "007", "Low", "-nan", "inf",
                             "2011/5/12", "9:05:07", "1.", ".5", "-", "", "1e5", "+1", " 1"})
        EXPECT_FALSE(PlainDecimal(text).has_value()) << text;
}

// What the independent reader below does not show: bold headings, frozen
// rows, widths, names decoded (GBK) or kept with control characters, the
// second record three rows down; no records give the header alone.
TEST(RecordWorkbook, HeaderStyleWidthsNamesAndPlaces)
{
    ScratchFolder folder;
    const RecordList records = RecordListOf({VerdictRecord("\xBE\xD6\xB6\xCB", "ONT\x01\x1F<&>"), VerdictRecord("OLT-B", "ONT-2")});
    ASSERT_TRUE(WriteRecordWorkbookFile(folder.Path("t.xlsx"), records));
    const std::string cells = WorkbookCells(folder.Path("t.xlsx"), "--layout");
    const std::pair<const char*, const char*> shown[] = {
        {"frozen", "A4"}, {"bold", "A1,B1,C1,D1,E1,F1,G1,H1,I1,L1,M1,I3,J3,K3"},
        {"width\tA", "5"}, {"width\tB", "15"}, {"width\tJ", "6.43"},   // 40, 110 and 50 pixels
        {"B4", "'局端'\tGeneral\t-\t-"}, {"C4", "'ONT_x0001__x001F_<&>'\tGeneral\t-\t-"}, {"B7", "'OLT-B'\tGeneral\t-\t-"},
        {"A7", "2\t0\t-\t-"}};
    for (const auto& [key, line] : shown)
        EXPECT_EQ(WorkbookLine(cells, key), line) << key << "\n" << cells;
    EXPECT_EQ(cells.substr(cells.find("merged\tM1:M3"), 39), "merged\tM1:M3\nmerged\tM4:M6\nmerged\tM7:M9\n");

    ASSERT_TRUE(WriteRecordWorkbookFile(folder.Path("empty.xlsx"), RecordList{}));
    const std::string empty = WorkbookCells(folder.Path("empty.xlsx"));
    EXPECT_EQ(WorkbookLine(empty, "A4"), "<none>") << "no record rows";
    EXPECT_EQ(empty.substr(empty.rfind("merged\t")), "merged\tM1:M3\n");
    EXPECT_FALSE(WriteRecordWorkbookFile(folder.Path("no-such-folder/x.xlsx"), RecordList{}));
}

// More records than one block of rows (rows are written in blocks on several
// threads): every record in its place, a late name's number format made too.
TEST(RecordWorkbook, RecordsBeyondOneBlockKeepTheirPlacesAndFormats)
{
    ScratchFolder folder;
    constexpr int kCount = 8192 + 20;
    std::vector<MeterRecord> all(kCount - 1, VerdictRecord("OLT-A", "ONT-7"));
    all.push_back(VerdictRecord("12.345", "ONT"));   // the only name shown with three decimals
    ASSERT_TRUE(WriteRecordWorkbookFile(folder.Path("many.xlsx"), RecordListOf(all)));
    // Column A's record numbers in the order the sheet holds them.
    const std::string xml = *ZipPackage::Read(folder.Path("many.xlsx")).Find("xl/worksheets/sheet1.xml");
    int expected = 1;
    for (std::size_t at = xml.find("<c r=\"A4\""); at != std::string::npos; at = xml.find("<c r=\"A", at + 1))
        ASSERT_EQ(std::atoi(xml.c_str() + xml.find("<v>", at) + 3), expected++) << xml.substr(at, 40);
    EXPECT_EQ(expected, kCount + 1);
    const auto count = [&xml](std::string_view mark) {
        std::size_t n = 0;
        for (std::size_t at = xml.find(mark); at != std::string::npos; at = xml.find(mark, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("<c "), 13u * 3 + kCount * (13 + 2 * 7));
    EXPECT_EQ(count("<mergeCell "), 11u + 6 * kCount);
    EXPECT_NE(xml.find(R"(<mergeCell ref="M24637:M24639"/></mergeCells>)"), std::string::npos) << "the last merged block last";
    // The late name: its number, and its format (the cell's style, its number format's code).
    const std::size_t late = xml.find(R"(<c r="B24637" s=")");
    ASSERT_NE(late, std::string::npos);
    EXPECT_EQ(xml.substr(xml.find('>', late), 18), "><v>12.345</v></c>");
    const std::string styles = *ZipPackage::Read(folder.Path("many.xlsx")).Find("xl/styles.xml");
    std::size_t xf = styles.find("<cellXfs");
    for (int i = std::atoi(xml.c_str() + late + 17); i >= 0; --i)
        xf = styles.find("<xf ", xf + 1);
    const std::string formatId = styles.substr(xf, styles.find('>', xf) - xf);
    EXPECT_NE(styles.find(R"(numFmtId=")" + std::to_string(std::atoi(formatId.c_str() + formatId.find("numFmtId=\"") + 10)) +
                          R"(" formatCode="0.000")"), std::string::npos) << formatId;
}

// An independent reader (openpyxl) reads the texts, the numbers with their
// formats, the verdict fills and the merged blocks as the table shows them.
TEST(RecordWorkbook, IndependentReaderSeesTheTable)
{
    ScratchFolder folder;
    ASSERT_TRUE(WriteRecordWorkbookFile(folder.Path("t.xlsx"), RecordListOf({VerdictRecord("OLT-A", "ONT-7")})));
    EXPECT_EQ(WorkbookCells(folder.Path("t.xlsx")),
              "A1\t'No.'\tGeneral\tFFEFEFEF\t-\nB1\t'OLT name'\tGeneral\tFFEFEFEF\t-\nC1\t'ONT name'\tGeneral\tFFEFEFEF\t-\n"
              "D1\t'Wavelength'\tGeneral\tFFEFEFEF\t-\nE1\t'Power'\tGeneral\tFFEFEFEF\t-\nF1\t'Unit'\tGeneral\tFFEFEFEF\t-\n"
              "G1\t'Ref(dBm)'\tGeneral\tFFEFEFEF\t-\nH1\t'Thres.Status'\tGeneral\tFFEFEFEF\t-\nI1\t'Threshold(dBm)'\tGeneral\tFFEFEFEF\t-\n"
              "L1\t'Date'\tGeneral\tFFEFEFEF\t-\nM1\t'Time'\tGeneral\tFFEFEFEF\t-\n"
              "I3\t'PASS'\tGeneral\tFFEFEFEF\t-\nJ3\t'WRNG'\tGeneral\tFFEFEFEF\t-\nK3\t'FAIL'\tGeneral\tFFEFEFEF\t-\n"
              "A4\t1\t0\t-\t-\nB4\t'OLT-A'\tGeneral\t-\t-\nC4\t'ONT-7'\tGeneral\t-\t-\n"
              "D4\t1310\t0\t-\t-\nE4\t-20.5\t0.00\t-\t-\nF4\t'dBm'\tGeneral\t-\t-\n"
              "G4\t0\t0.00\t-\t-\nH4\t'pass'\tGeneral\tFF00FF00\t-\nI4\t-8\t0.00\t-\t-\n"
              "J4\t-25\t0.00\t-\t-\nK4\t-28\t0.00\t-\t-\nL4\t'2011/5/12'\tGeneral\t-\t-\n"
              "M4\t'9:05:07'\tGeneral\t-\t-\n"
              "D5\t1490\t0\t-\t-\nE5\t-27\t0.00\t-\t-\nG5\t0\t0.00\t-\t-\n"
              "H5\t'wrng'\tGeneral\tFFFFFF00\t-\nI5\t-8\t0.00\t-\t-\nJ5\t-25\t0.00\t-\t-\n"
              "K5\t-28\t0.00\t-\t-\n"
              "D6\t1550\t0\t-\t-\nE6\t'Low'\tGeneral\t-\t-\nG6\t0\t0.00\t-\t-\n"
              "H6\t'fail'\tGeneral\tFFFF0000\t-\nI6\t-8\t0.00\t-\t-\nJ6\t-25\t0.00\t-\t-\n"
              "K6\t-28\t0.00\t-\t-\n"
              "merged\tA1:A3\nmerged\tA4:A6\nmerged\tB1:B3\nmerged\tB4:B6\nmerged\tC1:C3\nmerged\tC4:C6\n"
              "merged\tD1:D3\nmerged\tE1:E3\nmerged\tF1:F3\nmerged\tF4:F6\nmerged\tG1:G3\nmerged\tH1:H3\n"
              "merged\tI1:K2\nmerged\tL1:L3\nmerged\tL4:L6\nmerged\tM1:M3\nmerged\tM4:M6\n");
}

} // namespace
