// The batch tool's workbook as an independent reader (openpyxl) sees its
// look, its printing and its summary. (Its time and memory on the largest
// file are measured by bench/export/bench_record_workbook.)
#include <gtest/gtest.h>

#include "ScratchFolder.h"

namespace {

// What `command` prints on standard output.
std::string Output(const std::string& command)
{
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    if (pipe)
        ::pclose(pipe);
    return out;
}

class WorkbookLook : public testing::Test {
protected:
    ScratchFolder folder;
    std::string records = folder.Path("r&d.bin"), workbook = folder.Path("r&d.xlsx");

    void SetUp() override
    {
        Output(std::string(ORVIK50_MAKE_SAMPLE_PATH) + " --records 40 --seed 3 '" + records + "'");
        Output(std::string(ORVIK50_EXPORT_PATH) + " --type xlsx '" + records + "' '" + workbook + "'");
    }
    std::string Read(const std::string& what, const std::string& cells = {})
    {
        return Output("/usr/bin/python3 " ORVIK_WORKBOOK_LOOK " " + what + " '" + workbook + "' " + cells);
    }
};

TEST_F(WorkbookLook, CellsLookAsTheTableDrawsThem)
{
    const std::string grid = "|('thin', 'FFC0C0C0')|", font = "|DejaVu Sans|9.0|";
    EXPECT_EQ(Read("cells", "A1 I1 I3 A4 B4 E4 H4 H7 H11 M4"),
              "A1|center|center" + grid + "FFEFEFEF" + font + "bold\n"      // a heading over three rows
              "I1|center|center" + grid + "FFEFEFEF" + font + "bold\n"      // over three columns
              "I3|left|top" + grid + "FFEFEFEF" + font + "bold\n"           // a single heading cell
              "A4|left|top" + grid + "-" + font + "\n"                      // a record's block
              "B4|left|top" + grid + "-" + font + "\n"
              "E4|left|top" + grid + "-" + font + "\n"                      // a number, left as the table shows it
              "H4|left|top" + grid + "FF00FF00" + font + "\n"
              "H7|left|top" + grid + "FFFFFF00" + font + "\n"
              "H11|left|top" + grid + "FFFF0000" + font + "\n"
              "M4|left|top" + grid + "-" + font + "\n");
}

TEST_F(WorkbookLook, PrintsLandscapeOnePageWideWithTheHeaderRowsOnEveryPage)
{
    EXPECT_EQ(Read("page"), "landscape|1|0|True|$1:$3|['$A$1:$M$123']|r&&d.bin|Page &P of &N\nr&d.bin|<Application>Orvik50\n");
}

TEST_F(WorkbookLook, SummarySheetCountsAsTheSummaryOptionAndChartsInVerdictColours)
{
    const std::string summary = Output(std::string(ORVIK50_EXPORT_PATH) + " --summary '" + records + "'");
    EXPECT_EQ(Read("summary"), summary.substr(folder.Path("").size()) +
              "BarChart clustered 'Summary'!$B$4=00FF00 'Summary'!$C$4=FFFF00 'Summary'!$D$4=FF0000 'Summary'!$E$4=FFFFFF\n");
}

} // namespace
