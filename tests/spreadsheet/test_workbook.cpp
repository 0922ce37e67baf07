// Workbooks written by the workbook layer, read back; cell names and the escaping of texts XML cannot hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <set>

#include "ScratchFolder.h"
#include "WorkbookCells.h"
#include "WorkbookTestFiles.h"
#include "spreadsheet/CellReference.h"
#include "spreadsheet/Workbook.h"
#include "spreadsheet/XmlText.h"

namespace {

constexpr std::uint32_t kBlue = 0xFF0000, kGreen = 0x00FF00;

// Offset of `needle` in `haystack`, failing the test when it is missing.
std::size_t At(const std::string& haystack, const std::string& needle)
{
    const std::size_t at = haystack.find(needle);
    EXPECT_NE(at, std::string::npos) << needle;
    return at;
}

TEST(WorkbookTemplate, WritesCellsInOrderAndKeepsEverythingElse)
{
    ScratchFolder folder;
    const std::string templatePath = folder.Path("template.xltx"), outPath = folder.Path("out.xlsx");
    const ZipPackage original = RichTemplate();
    original.Write(templatePath);

    Workbook book = Workbook::Open(templatePath);
    EXPECT_EQ(book.SheetNames(), (std::vector<std::string>{"Cover", "Sheet1"}));
    ASSERT_EQ(book.FindSheet("sheet1"), 1) << "by name, ignoring case, not by part name";
    EXPECT_FALSE(book.FindSheet("Sheet").has_value());
    book.SetText(1, 4, 13, "M");
    book.SetText(1, 4, 3, "C");       // between B4 and M4, in the yellow row
    book.SetText(1, 4, 1, "No.");     // over the master of the shared formula
    book.SetText(1, 5, 10, "WRNG");   // a new row between rows 4 and 6, in a yellow column
    book.SetText(1, 5, 9, "PASS");
    book.ApplyFormat(1, 6, 6, CellFormat{kBlue, false, {}, {}});
    book.ApplyFormat(1, 4, 14, CellFormat{kBlue, false, {}, {}});   // an empty cell of the yellow row
    book.SetColumnWidth(1, 10, 20);   // one column of the yellow J:K
    book.Save(outPath);

    EXPECT_EQ(WorkbookLine(WorkbookCells(outPath), "A1"), "'Report'\tGeneral\t-\t-");
    const std::string cells = WorkbookCells(outPath, "--sheet 1 --layout");
    // Each cell as "value format fill font": F6 gets a blue font of its own;
    // B4, which shared F6's bold format, keeps it. New cells take the format
    // of their row, else of their column, as in a spreadsheet program.
    const std::pair<const char*, const char*> shown[] = {
        {"A4", "'No.'\tGeneral\t-\t-"}, {"M4", "'M'\tGeneral\tFFFFFF00\t-"}, {"I5", "'PASS'\tGeneral\t-\t-"},
        {"G7", "'tail'\tGeneral\t-\t-"}, {"F6", "'six'\tGeneral\t-\tFF0000FF"}, {"B4", "'Keep'\tGeneral\t-\t-"},
        {"C4", "'C'\tGeneral\tFFFFFF00\t-"}, {"J5", "'WRNG'\tGeneral\tFFFFFF00\t-"}, {"N4", "None\tGeneral\tFFFFFF00\tFF0000FF"},
        {"sheet", "Sheet1"}, {"bold", "B4,F6"}};
    for (const auto& [key, line] : shown)
        EXPECT_EQ(WorkbookLine(cells, key), line) << key << "\n" << cells;
    const ZipPackage read = ZipPackage::Read(outPath);

    // Rows in order, cells in order within their row, the used area widened.
    const std::string xml = *read.Find("xl/worksheets/sheet2.xml");
    std::vector<std::size_t> order;
    for (const char* mark : {"<row r=\"4\"", "r=\"A4\"", "r=\"B4\"", "r=\"C4\"", "r=\"M4\"", "<row r=\"5\"", "<row r=\"6\""})
        order.push_back(At(xml, mark));
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
    EXPECT_NE(xml.find("<dimension ref=\"A4:N7\"/>"), std::string::npos) << xml;
    EXPECT_EQ(xml.find("spans="), std::string::npos) << "row 4's old hint of its used columns goes";
    At(xml, R"(<col min="10" max="10" width="20" style="2" customWidth="1"/><col min="11" max="11" width="9" style="2"/>)");
    // A7 takes the shared formula over from A4; the calculation chain keeps A7 alone, on sheet 2.
    At(xml, "<c r=\"A7\"><f t=\"shared\" ref=\"A7\" si=\"0\">B7*2</f>");
    At(*read.Find("xl/calcChain.xml"), R"(><c r="A7" i="2"/></calcChain>)");

    // The new workbook is a workbook, not a template; the other parts are byte for byte the template's.
    const std::string& types = *read.Find("[Content_Types].xml");
    EXPECT_NE(types.find("spreadsheetml.sheet.main+xml"), std::string::npos);
    EXPECT_EQ(types.find("template.main+xml"), std::string::npos);
    const std::set<std::string> changed = {"xl/worksheets/sheet2.xml", "xl/styles.xml", "[Content_Types].xml", "xl/calcChain.xml"};
    for (const ZipPackage::Part& part : original.Parts()) {
        ASSERT_NE(read.Find(part.name), nullptr) << part.name;
        EXPECT_TRUE(changed.contains(part.name) || *read.Find(part.name) == part.bytes) << part.name;
    }
    EXPECT_EQ(read.Parts().size(), original.Parts().size());

    // A7 written over too: the empty chain goes, with its relationship and content type.
    book.SetNumber(1, 7, 1, 7);
    book.Save(outPath);
    const ZipPackage again = ZipPackage::Read(outPath);
    EXPECT_EQ(again.Find("xl/calcChain.xml"), nullptr);
    for (const char* part : {"[Content_Types].xml", "xl/_rels/workbook.xml.rels"})
        EXPECT_EQ(again.Find(part)->find("calcChain"), std::string::npos) << *again.Find(part);
}

// Rows and merged ranges written as text carry the sheet's namespace prefix.
TEST(WorkbookTemplate, PrefixedSheetGetsPrefixedRowsAndMerges)
{
    ScratchFolder folder;
    ZipPackage prefixed = RichTemplate();
    prefixed.Put("xl/worksheets/sheet2.xml",
                 R"(<?xml version="1.0"?><x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
                 R"(<x:sheetData><x:row r="1"><x:c r="A1" t="inlineStr"><x:is><x:t>old</x:t></x:is></x:c></x:row></x:sheetData></x:worksheet>)");
    prefixed.Write(folder.Path("prefixed.xlsx"));
    Workbook book = Workbook::Open(folder.Path("prefixed.xlsx"));
    book.SetText(1, 2, 1, "dom");
    book.MergeCells(1, 1, 1, 1, 2);
    WorkbookRowWriter rows = book.AppendRows(1);
    EXPECT_THROW(rows.BeginRow(2), WorkbookError) << "rows come after the sheet's own";
    rows.BeginRow(5);
    rows.Text(1, "a_x0041_&b");
    rows.Decimal(2, "2.5");
    EXPECT_THROW(rows.Decimal(2, "1"), WorkbookError) << "cells in column order";
    rows.EndRow();
    EXPECT_THROW(book.SetText(1, 5, 3, "late"), WorkbookError);
    book.Save(folder.Path("out.xlsx"));

    const std::string xml = *ZipPackage::Read(folder.Path("out.xlsx")).Find("xl/worksheets/sheet2.xml");
    for (const char* element : {"<x:row r=\"5\"><x:c r=\"A5\" t=\"inlineStr\"><x:is><x:t>", "</x:t></x:is></x:c><x:c r=\"B5\"><x:v>2.5</x:v></x:c></x:row>",
                                "<x:mergeCells count=\"1\"><x:mergeCell ref=\"A1:B1\"/></x:mergeCells>"})
        EXPECT_NE(xml.find(element), std::string::npos) << element << "\n" << xml;
    // (The reader leaves the underscore's escape as it is stored.)
    EXPECT_EQ(WorkbookCells(folder.Path("out.xlsx"), "--sheet 1"),
              "A1\t'old'\tGeneral\t-\t-\nA2\t'dom'\tGeneral\t-\t-\nA5\t'a_x005F_x0041_&b'\tGeneral\t-\t-\n"
              "B5\t2.5\tGeneral\t-\t-\nmerged\tA1:B1\n");
}

// Bold, merges and widths are checked with the record workbook.
TEST(WorkbookEmpty, NumbersTextsAndOneFormatForLikeCells)
{
    ScratchFolder folder;
    Workbook book = Workbook::CreateEmpty("Records <&> \"1\"");
    book.SetNumber(0, 4, 5, -8);
    book.ApplyFormat(0, 4, 5, CellFormat{{}, false, {}, "0.00"});
    book.SetNumber(0, 4, 6, 0.1);
    book.SetText(0, 4, 7, "  spaced  ");
    book.FreezeRows(0, 1);
    for (int row = 4; row < 104; ++row)
        book.ApplyFormat(0, row, 8, CellFormat{{}, false, kGreen, {}});
    EXPECT_THROW(book.SetNumber(0, 1, 1, std::numeric_limits<double>::quiet_NaN()), WorkbookError);
    EXPECT_THROW(book.SetText(0, 0, 1, "x"), WorkbookError);
    EXPECT_THROW(book.MergeCells(0, 3, 1, 1, 1), WorkbookError);
    book.Save(folder.Path("empty.xlsx"));

    const std::string cells = WorkbookCells(folder.Path("empty.xlsx"), "--layout");
    const std::pair<const char*, const char*> shown[] = {
        {"E4", "-8\t0.00\t-\t-"}, {"F4", "0.1\tGeneral\t-\t-"}, {"G4", "'  spaced  '\tGeneral\t-\t-"},
        {"H103", "None\tGeneral\tFF00FF00\t-"}, {"sheet", "Records <&> \"1\""}, {"frozen", "A2"}};
    for (const auto& [key, line] : shown)
        EXPECT_EQ(WorkbookLine(cells, key), line) << key << "\n" << cells;
    const ZipPackage read = ZipPackage::Read(folder.Path("empty.xlsx"));
    At(*read.Find("xl/worksheets/sheet1.xml"), "<v>0.1</v>");   // the shortest text that reads back as the same number
    // UTF-8, the usual default font, one derived format for all hundred green cells.
    const std::string& styles = *read.Find("xl/styles.xml");
    EXPECT_TRUE(styles.starts_with(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)")) << styles;
    for (const char* element : {R"(<fonts count="1"><font><sz val="11"/><name val="Calibri"/>)", R"(<cellXfs count="3">)"})
        EXPECT_NE(styles.find(element), std::string::npos) << element << "\n" << styles;
}

// Blocks of rows join in the order they were asked for, whatever order they
// are written in (the record workbook writes them on several threads).
TEST(WorkbookRows, BlocksJoinInTheOrderTheyWereAskedFor)
{
    ScratchFolder folder;
    Workbook book = Workbook::CreateEmpty("S");
    book.SetText(0, 1, 1, "head");
    book.MergeCells(0, 1, 1, 1, 2);
    std::vector<WorkbookRowWriter> blocks{book.AppendRows(0), book.AppendRows(0)};
    for (int block : {1, 0}) {
        for (int row = 2 + 2 * block; row < 4 + 2 * block; ++row) {
            blocks[block].BeginRow(row);
            blocks[block].Decimal(1, block ? "-8.50" : "12.00");
            blocks[block].Text(2, std::to_string(row));
            blocks[block].EndRow();
        }
        blocks[block].MergeCells(3 + 2 * block, 1, 3 + 2 * block, 2);
    }
    for (const char* notPlain : {"1e5", "", "-", "1.", ".5", "+1", "1<2"})
        EXPECT_THROW(blocks[1].Decimal(3, notPlain), WorkbookError) << notPlain;
    book.Save(folder.Path("rows.xlsx"));
    const std::string xml = *ZipPackage::Read(folder.Path("rows.xlsx")).Find("xl/worksheets/sheet1.xml");
    EXPECT_LT(At(xml, "<c r=\"A2\"><v>12</v></c><c r=\"B2\""), At(xml, "<c r=\"A5\"><v>-8.5</v></c><c r=\"B5\""));
    At(xml, "<dimension ref=\"A1:B5\"/>");
    EXPECT_NE(xml.find(R"(<mergeCell ref="A1:B1"/><mergeCell ref="A3:B3"/><mergeCell ref="A5:B5"/>)"), std::string::npos) << xml;

    // A block whose rows come before those of a block asked for earlier.
    Workbook swapped = Workbook::CreateEmpty("S");
    WorkbookRowWriter early = swapped.AppendRows(0), late = swapped.AppendRows(0);
    late.BeginRow(5);
    early.BeginRow(10);
    EXPECT_THROW(swapped.Save(folder.Path("swapped.xlsx")), WorkbookError);
    EXPECT_FALSE(std::filesystem::exists(folder.Path("swapped.xlsx")));
}

// Parts beyond a megabyte are compressed on several threads, parts given
// compressed in segments are stored as given, an empty part is stored: all
// read back as they were. Writing stops at the first failed write.
TEST(ZipPackageParts, LargeAndSegmentedPartsReadBackAsWritten)
{
    ScratchFolder folder;
    std::string large;
    for (int i = 0; large.size() < (3u << 20); ++i)
        large += "<row r=\"" + std::to_string(i) + "\"><c><v>" + std::to_string(i * 7919 % 1000) + "</v></c></row>";
    DeflatedBytes segmented;   // five segments
    for (std::size_t from = 0, size = large.size() / 5 + 1; from < large.size(); from += size) {
        DeflateStream stream;
        stream.Write(std::string_view(large).substr(from, size));
        segmented.Append(from + size < large.size() ? stream.Flush() : stream.Finish());
    }
    ZipPackage package;
    package.Put("large.xml", large);
    package.PutDeflated("segmented.xml", segmented);
    package.Put("empty.xml", "");
    package.Write(folder.Path("parts.zip"));
    int writes = 0;
    EXPECT_FALSE(package.WriteTo([&](std::string_view) { return ++writes < 3; }));
    EXPECT_EQ(writes, 3);

    const ZipPackage read = ZipPackage::Read(folder.Path("parts.zip"));
    for (const auto& [name, bytes] : {std::pair{"large.xml", large}, {"segmented.xml", large}, {"empty.xml", std::string()}}) {
        ASSERT_NE(read.Find(name), nullptr) << name;
        EXPECT_TRUE(*read.Find(name) == bytes) << name;
    }
}

TEST(CellNames, NamesAndPositions)
{
    struct Case {
        int row, column;
        const char* name;
    };
    for (const Case& c : {Case{1, 1, "A1"}, Case{4, 13, "M4"}, Case{6, 26, "Z6"}, Case{1, 27, "AA1"}, Case{9, 702, "ZZ9"},
                          Case{1, 703, "AAA1"}, Case{1048576, 16384, "XFD1048576"}}) {
        EXPECT_EQ(CellName(c.row, c.column), c.name);
        EXPECT_EQ(ParseCellName(c.name), (CellPosition{c.row, c.column})) << c.name;
    }
    EXPECT_EQ(ParseCellName("$F$6"), (CellPosition{6, 6}));
    EXPECT_EQ(ParseCellName("xfd1"), (CellPosition{1, 16384}));
    for (const char* bad : {"", "A", "6", "A0", "A01", "XFE1", "A1048577", "6F", "F6:", "F-6"})
        EXPECT_FALSE(ParseCellName(bad).has_value()) << bad;
}

TEST(CellNames, FormulasShiftedToAnotherCell)
{
    struct Case {
        const char* formula;
        int rows, columns;
        const char* shifted;
    };
    for (const Case& c : {Case{"B4*2", 3, 0, "B7*2"}, Case{"$B$4+B$4+$B4+b4", 2, 1, "$B$4+C$4+$B6+C6"},
                          Case{"SUM(A1:B2,A:A,1:3)", 1, 1, "SUM(B2:C3,B:B,2:4)"},
                          Case{"LOG10(A1)&\"A1\"&'A1 x'!A1&Sheet2!A1", 1, 0, "LOG10(A2)&\"A1\"&'A1 x'!A2&Sheet2!A2"},
                          Case{"Tbl[[#This Row],[A1]]+[1]S!A1+1.5E3+TRUE", 0, 1, "Tbl[[#This Row],[A1]]+[1]S!B1+1.5E3+TRUE"},
                          Case{"XFD1+A1048576+SUM(A1:A1048576)+$XFD$1", 1, 1, "#REF!+#REF!+SUM(#REF!)+$XFD$1"}})
        EXPECT_EQ(ShiftFormula(c.formula, c.rows, c.columns), c.shifted) << c.formula;
}

TEST(CellText, ControlCharactersAndLiteralEscapesSurviveTheRoundTrip)
{
    struct Case {
        const char* text;
        const char* stored;
    };
    for (const Case& c : {Case{"OLT-A", "OLT-A"}, Case{"tab\tand\nline", "tab\tand\nline"},
                          Case{"bell\x07", "bell_x0007_"}, Case{"cr\r", "cr_x000D_"}, Case{"\x1f\x7f", "_x001F__x007F_"},
                          Case{"_x0041_", "_x005F_x0041_"}, Case{"_x41_ _xZZZZ_", "_x41_ _xZZZZ_"},
                          Case{"光功率", "光功率"}}) {
        EXPECT_EQ(EscapeCellText(c.text), c.stored) << c.text;
        EXPECT_EQ(UnescapeCellText(EscapeCellText(c.text)), c.text) << c.text;
    }
}

} // namespace
