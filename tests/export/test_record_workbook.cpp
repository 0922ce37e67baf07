// The record table as a workbook, read back by the workbook reader.
#include <gtest/gtest.h>

#include "ScratchFolder.h"
#include "export/RecordWorkbook.h"
#include "records/NameText.h"
#include "sample/SampleRecords.h"
#include "WorkbookCells.h"
#include "WorkbookReader.h"

#include <cstdio>
#include <filesystem>
#include <sys/stat.h>
#include <cstdlib>
#include <unistd.h>

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

// The text a number cell shows: its value with the format's decimals.
std::string Shown(const ReadCell& cell)
{
    if (cell.kind != ReadCell::Kind::Number)
        return cell.text;
    const std::size_t dot = cell.numberFormat.find('.');
    const int decimals = dot == std::string::npos ? 0 : static_cast<int>(cell.numberFormat.size() - dot - 1);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, cell.number);
    return buffer;
}

TEST(PlainDecimal, OnlyPlainDecimalsThatShowTheSameDigitsBecomeNumbers)
{
    struct Case {
        const char* text;
        bool number;
        double value;
        const char* format;
    };
    for (const Case& c : {Case{"-8.00", true, -8, "0.00"}, Case{"1310", true, 1310, "0"}, Case{"0.00", true, 0, "0.00"},
                          Case{"-20.50", true, -20.5, "0.00"}, Case{"123456789012345", true, 123456789012345.0, "0"},
                          Case{"0.000000000000001", true, 1e-15, "0.000000000000000"},
                          Case{"-0.00", false, 0, ""}, Case{"1234567890123456", false, 0, ""},
                          Case{"340282346638528859811704183484516925440.00", false, 0, ""}, Case{"007", false, 0, ""},
                          Case{"Low", false, 0, ""}, Case{"-nan", false, 0, ""}, Case{"inf", false, 0, ""},
                          Case{"2011/5/12", false, 0, ""}, Case{"9:05:07", false, 0, ""}, Case{"1.", false, 0, ""},
                          Case{".5", false, 0, ""}, Case{"-", false, 0, ""}, Case{"", false, 0, ""}, Case{"1e5", false, 0, ""},
                          Case{"+1", false, 0, ""}, Case{" 1", false, 0, ""}}) {
        const std::optional<PlainNumber> number = PlainDecimal(c.text);
        ASSERT_EQ(number.has_value(), c.number) << c.text;
        if (number) {
            EXPECT_EQ(number->value, c.value) << c.text;
            EXPECT_EQ(number->formatCode, c.format) << c.text;
        }
    }
}

TEST(RecordWorkbook, MirrorsTheTable)
{
    ScratchFolder folder;
    // GBK "局端" and a name with control characters.
    const RecordList records = RecordListOf({VerdictRecord("\xBE\xD6\xB6\xCB", "ONT\x01\x1F<&>"), VerdictRecord("OLT-B", "ONT-2")});
    ASSERT_TRUE(WriteRecordWorkbookFile(folder.Path("t.xlsx"), records));
    const ReadWorkbook read = ReadWorkbookFile(folder.Path("t.xlsx"));
    ASSERT_EQ(read.sheets.size(), 1u);
    const ReadSheet& sheet = read.sheets[0];

    // Header: bold, frozen, merged as on screen, the screen's texts and widths.
    const char* headings[] = {"No.", "OLT name", "ONT name", "Wavelength", "Power", "Unit", "Ref(dBm)", "Thres.Status",
                              "Threshold(dBm)", "", "", "Date", "Time"};
    for (int column = 1; column <= 13; ++column) {
        EXPECT_EQ(sheet.At(1, column).text, headings[column - 1]) << column;
        EXPECT_TRUE(sheet.At(3, column).bold) << column;
    }
    EXPECT_EQ(sheet.At(3, 9).text + sheet.At(3, 10).text + sheet.At(3, 11).text, "PASSWRNGFAIL");
    EXPECT_EQ(sheet.frozenRows, 3);
    EXPECT_EQ(sheet.columnWidths.at(1), 5);      // 40 pixels
    EXPECT_EQ(sheet.columnWidths.at(2), 15);     // 110 pixels
    EXPECT_EQ(sheet.columnWidths.at(10), 6.43);  // 50 pixels
    const std::vector<std::string> merges(sheet.merges.begin(), sheet.merges.begin() + 11);
    EXPECT_EQ(merges, (std::vector<std::string>{"A1:A3", "B1:B3", "C1:C3", "D1:D3", "E1:E3", "F1:F3", "G1:G3", "H1:H3",
                                                "L1:L3", "M1:M3", "I1:K2"}));
    EXPECT_EQ(std::vector<std::string>(sheet.merges.begin() + 11, sheet.merges.begin() + 17),
              (std::vector<std::string>{"A4:A6", "B4:B6", "C4:C6", "F4:F6", "L4:L6", "M4:M6"}));
    EXPECT_EQ(sheet.merges.size(), 11u + 2 * 6);

    // Records: the table's texts, numbers where the text is a plain decimal.
    EXPECT_EQ(sheet.At(7, 2).text, "OLT-B");
    const char* row4[] = {"1", "局端", "ONT\x01\x1F<&>", "1310", "-20.50", "dBm", "0.00", "pass", "-8.00", "-25.00", "-28.00", "2011/5/12", "9:05:07"};
    for (int column = 1; column <= 13; ++column)
        EXPECT_EQ(Shown(sheet.At(4, column)), row4[column - 1]) << column;
    EXPECT_EQ(sheet.At(4, 1).kind, ReadCell::Kind::Number);
    EXPECT_EQ(sheet.At(4, 5).number, -20.5);
    EXPECT_EQ(sheet.At(6, 5).text, "Low");
    EXPECT_EQ(sheet.At(6, 5).kind, ReadCell::Kind::Text);
    EXPECT_EQ(sheet.At(9, 12).kind, ReadCell::Kind::Empty) << "per-record texts only in the record's first row";
    EXPECT_EQ(sheet.At(4, 8).fillColor + sheet.At(5, 8).fillColor + sheet.At(6, 8).fillColor, "FF00FF00FFFFFF00FFFF0000");
    EXPECT_EQ(sheet.At(4, 9).fillColor, "");
    EXPECT_EQ(sheet.At(10, 1).kind, ReadCell::Kind::Empty);
}

TEST(RecordWorkbook, NoRecordsGiveTheHeaderOnly)
{
    ScratchFolder folder;
    ASSERT_TRUE(WriteRecordWorkbookFile(folder.Path("empty.xlsx"), RecordList{}));
    const ReadSheet sheet = ReadWorkbookFile(folder.Path("empty.xlsx")).sheets.at(0);
    EXPECT_EQ(sheet.At(1, 1).text, "No.");
    EXPECT_EQ(sheet.merges.size(), 11u);
    for (const auto& [position, cell] : sheet.cells)
        EXPECT_LE(position.first, 3) << "no record rows";
    EXPECT_FALSE(WriteRecordWorkbookFile(folder.Path("no-such-folder/x.xlsx"), RecordList{}));
}

// Saved as the text types are: through a link to the file it names, which
// keeps its permissions.
TEST(RecordWorkbook, ReplacesTheFileALinkNamesAndKeepsItsMode)
{
    ScratchFolder folder;
    const std::string real = folder.Write("real.xlsx", "old"), link = folder.Path("link.xlsx");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    std::filesystem::create_symlink(real, link);
    ASSERT_TRUE(WriteRecordWorkbookFile(link, RecordListOf({VerdictRecord("OLT-A", "ONT-7")})));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(std::filesystem::status(real).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(ReadWorkbookFile(real).sheets.at(0).At(4, 2).text, "OLT-A");
}

// More records than one block of rows (rows are written in blocks on several
// threads): every record in its place, a late name's number format made too.
TEST(RecordWorkbook, RecordsBeyondOneBlockKeepTheirPlacesAndFormats)
{
    ScratchFolder folder;
    const std::vector<MeterRecord> demo = DemoRecords();
    constexpr std::size_t kCount = 8192 + 20;
    std::vector<MeterRecord> all;
    for (std::size_t i = 0; i + 1 < kCount; ++i)
        all.push_back(demo[i % demo.size()]);
    all.push_back(VerdictRecord("12.345", "ONT"));   // the only name shown with three decimals
    ASSERT_TRUE(WriteRecordWorkbookFile(folder.Path("many.xlsx"), RecordListOf(all)));
    const ReadSheet sheet = ReadWorkbookFile(folder.Path("many.xlsx")).sheets.at(0);

    auto same = [](const ReadCell& a, const ReadCell& b) {
        return a.kind == b.kind && a.text == b.text && a.number == b.number && a.numberFormat == b.numberFormat
            && a.fillColor == b.fillColor;
    };
    for (std::size_t position = demo.size(); position + 1 < kCount; ++position) {
        const int row = 4 + 3 * static_cast<int>(position), demoRow = 4 + 3 * static_cast<int>(position % demo.size());
        EXPECT_EQ(sheet.At(row, 1).number, static_cast<double>(position + 1));
        for (int line = 0; line < 3; ++line)
            for (int column = 2; column <= 13; ++column)
                ASSERT_TRUE(same(sheet.At(row + line, column), sheet.At(demoRow + line, column))) << row + line << ", " << column;
    }
    const int lastRow = 4 + 3 * static_cast<int>(kCount - 1);
    EXPECT_EQ(Shown(sheet.At(lastRow, 1)), std::to_string(kCount));
    EXPECT_EQ(Shown(sheet.At(lastRow, 2)), "12.345");
    EXPECT_EQ(sheet.At(lastRow, 2).kind, ReadCell::Kind::Number);
    EXPECT_EQ(sheet.merges.size(), 11 + 6 * kCount);
    EXPECT_EQ(sheet.merges.back(), "M" + std::to_string(lastRow) + ":M" + std::to_string(lastRow + 2));
    EXPECT_EQ(sheet.cells.size(), 13 * 3 + kCount * (13 + 2 * 7));
}

// An independent reader (openpyxl) reads the texts, the numbers with their
// formats, the verdict fills and the merged blocks as the table shows them.
TEST(RecordWorkbook, IndependentReaderSeesTheTable)
{
    ScratchFolder folder;
    ASSERT_TRUE(WriteRecordWorkbookFile(folder.Path("t.xlsx"), RecordListOf({VerdictRecord("OLT-A", "ONT-7")})));
    EXPECT_EQ(WorkbookCells(folder.Path("t.xlsx")),
              "A1\t'No.'\tGeneral\t-\t-\nB1\t'OLT name'\tGeneral\t-\t-\nC1\t'ONT name'\tGeneral\t-\t-\n"
              "D1\t'Wavelength'\tGeneral\t-\t-\nE1\t'Power'\tGeneral\t-\t-\nF1\t'Unit'\tGeneral\t-\t-\n"
              "G1\t'Ref(dBm)'\tGeneral\t-\t-\nH1\t'Thres.Status'\tGeneral\t-\t-\nI1\t'Threshold(dBm)'\tGeneral\t-\t-\n"
              "L1\t'Date'\tGeneral\t-\t-\nM1\t'Time'\tGeneral\t-\t-\n"
              "I3\t'PASS'\tGeneral\t-\t-\nJ3\t'WRNG'\tGeneral\t-\t-\nK3\t'FAIL'\tGeneral\t-\t-\n"
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

TEST(VerdictCounts, CountsEveryVerdictCellPerWavelength)
{
    MeterRecord off = VerdictRecord("O", "O");
    off.thresholdMode = 0;
    const RecordList records = RecordListOf({VerdictRecord("A", "A"), VerdictRecord("B", "B"), off});
    EXPECT_EQ(VerdictSummary(records.GetSize(), CountVerdicts(records)),
              "3 records; 1310 nm: 2 pass, 0 wrng, 0 fail, 1 off; 1490 nm: 0 pass, 2 wrng, 0 fail, 1 off; "
              "1550 nm: 0 pass, 0 wrng, 2 fail, 1 off");
}

} // namespace
