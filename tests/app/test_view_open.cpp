// The grid the Open command builds, and what a cancelled, failing or short
// Open and resizing do to it.
#include "AppTestSupport.h"

#include "grid/CGridCtrl.h"
#include "records/RecordTexts.h"

#include <tuple>
#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ViewOpenTest : public ViewTest {
protected:
    void SetUp() override
    {
        view.resize(900, 600);
        view.show();
        view.SetOpenChooser([this](QWidget*) { ++dialogsShown; return chosen; });
    }
    // Opens `records` through the Open command as the user would.
    void OpenRecords(const std::vector<MeterRecord>& records)
    {
        chosen = folder.Write(QStringLiteral("r.bin"), records);
        view.OnFileOpen();
        ASSERT_NE(view.GetGrid(), nullptr);
    }
    std::string Text(int row, int col) { return view.GetGrid()->GetItemText(row, col); }

    std::optional<QString> chosen;
    int dialogsShown = 0;
};

TEST_F(ViewOpenTest, NoRecordsGiveTheHeaderRowsAndOneEmptyRow)
{
    OpenRecords({});
    CGridCtrl& grid = *view.GetGrid();
    EXPECT_EQ(std::tuple(grid.GetRowCount(), grid.GetColumnCount(), grid.GetFixedRowCount(), grid.GetFixedColumnCount()),
              std::tuple(4, 13, 3, 1));
    EXPECT_EQ(Text(3, 0), "");
    const char* row0[] = {"No.", "OLT name", "ONT name", "Wavelength", "Power", "Unit", "Ref(dBm)",
                          "Thres.Status", "Threshold(dBm)", nullptr, nullptr, "Date", "Time"};
    const int widths[] = {40, 110, 110, 80, 60, 40, 80, 90, 50, 50, 50, 80, 70};
    for (int col = 0; col < 13; ++col) {
        SCOPED_TRACE("column " + std::to_string(col));
        if (row0[col]) {
            EXPECT_EQ(Text(0, col), row0[col]);
        }
        EXPECT_EQ(grid.GetColumnWidth(col), widths[col]);
        EXPECT_EQ(grid.GetItemFormat(0, col), 0x18u);
        if (col < 8 || col > 10) {   // spans the three header rows
            EXPECT_EQ(std::pair(grid.GetCellMerge(0, col).rowSpan, grid.GetCellMerge(0, col).colSpan), std::pair(2, 0));
        }
    }
    EXPECT_EQ(std::pair(grid.GetCellMerge(0, 8).rowSpan, grid.GetCellMerge(0, 8).colSpan), std::pair(1, 2));
    EXPECT_EQ(grid.GetCellMerge(1, 10).masterCol, 8);
    EXPECT_EQ(Text(2, 8) + Text(2, 9) + Text(2, 10), "PASSWRNGFAIL");
    EXPECT_FALSE(grid.GetCellMerge(2, 9).InBlock());
}

TEST_F(ViewOpenTest, TwoRecordsFillTenRowsWithTextsBlocksAndVerdictColours)
{
    // Names in UTF-8 and in GBK ("光路" and "光猫" both ways); every value of
    // the first record differs per wavelength; the second has thresholds off.
    MeterRecord first = VerdictRecord("\xE5\x85\x89\xE8\xB7\xAF", "\xB9\xE2\xC3\xA8");
    first.readings[1] = {-27.25f, -1.5f, -9.0f, -26.0f, -29.0f};    // wrng
    first.readings[2] = {-31.75f, 2.25f, -7.5f, -24.5f, -27.5f};    // fail
    OpenRecords({first, VerdictRecord("\xB9\xE2\xC2\xB7", "\xE5\x85\x89\xE7\x8C\xAB", false)});
    CGridCtrl& grid = *view.GetGrid();
    ASSERT_EQ(grid.GetRowCount(), 10);
    const std::vector<std::vector<std::string>> firstRecordRows = {
        {"1", "光路", "光猫", "1310", "-20.50", "dBm", "0.00", "pass", "-8.00", "-25.00", "-28.00", "2011/5/12", "9:05:07"},
        {"", "", "", "1490", "-27.25", "", "-1.50", "wrng", "-9.00", "-26.00", "-29.00", "", ""},
        {"", "", "", "1550", "-31.75", "dBm", "2.25", "fail", "-7.50", "-24.50", "-27.50", "", ""}};
    for (int row = 3; row <= 5; ++row)
        for (int col = 0; col < 13; ++col) {
            const std::string& expected = firstRecordRows[static_cast<std::size_t>(row - 3)][static_cast<std::size_t>(col)];
            if (!expected.empty() || row == 3) {
                EXPECT_EQ(Text(row, col), expected) << "row " << row << " column " << col;
            }
            EXPECT_EQ(grid.GetItemFormat(row, col), 0x18u) << "row " << row << " column " << col;
        }
    EXPECT_EQ(Text(6, 0) + "|" + Text(6, 1) + "|" + Text(6, 2) + "|" + Text(8, 7) + "|" + Text(9, 0), "2|光路|光猫|off|");
    for (int col : {0, 1, 2, 5, 11, 12}) {
        EXPECT_EQ(grid.GetCellMerge(3, col).rowSpan, 2) << "column " << col;
        EXPECT_EQ(grid.GetCellMerge(5, col).masterRow, 3) << "column " << col;
        EXPECT_EQ(grid.GetCellMerge(6, col).rowSpan, 2) << "column " << col;
    }
    for (int col : {3, 4, 6, 7, 8, 9, 10})
        EXPECT_FALSE(grid.GetCellMerge(3, col).InBlock()) << "column " << col;
    const COLORREF verdictColours[] = {RGB(0, 255, 0), RGB(255, 255, 0), RGB(255, 0, 0),
                                       CLR_DEFAULT, CLR_DEFAULT, CLR_DEFAULT};   // "off" keeps the default
    for (int row = 3; row <= 8; ++row)
        EXPECT_EQ(grid.GetItemBkColor(row, 7), verdictColours[row - 3]) << "row " << row;
    EXPECT_EQ(grid.GetItemBkColor(3, 6), CLR_DEFAULT);
}

TEST_F(ViewOpenTest, ThreeHundredRecordsNumberedInFileOrder)
{
    QStringList statusTexts;
    QObject::connect(&view, &COrvik50View::StatusTextChanged, [&](const QString& text) { statusTexts << text; });
    std::vector<MeterRecord> records = NumberedRecords(300);
    for (std::size_t i = 2; i < records.size(); i += 3)   // every third record's thresholds off
        records[i].thresholdMode = 0;
    OpenRecords(records);
    // The status bar follows the Open while it works, then says it is done.
    EXPECT_EQ(statusTexts, QStringList({QStringLiteral("Opening %1...").arg(*chosen),
                                        QStringLiteral("Opening %1: 300 records...").arg(*chosen), QStringLiteral("Ready")}));
    EXPECT_EQ(view.GetGrid()->GetRowCount(), 904);
    EXPECT_EQ(Text(900, 0) + "|" + Text(900, 1) + "|" + Text(903, 0), "300|OLT-300|");
    EXPECT_EQ(view.GetGrid()->GetCellMerge(900, 0).rowSpan, 2);
    EXPECT_EQ(view.Records().GetSize(), 300u);
    // Records of one colour set repeat the rows of the first: each row as if filled on its own.
    const CGridCtrl& grid = *view.GetGrid();
    const COLORREF colours[] = {RGB(0, 255, 0), RGB(255, 255, 0), RGB(255, 0, 0)};
    const std::string verdicts[] = {"pass", "wrng", "fail"};
    for (int row = 3; row < 903; ++row) {
        const int record = (row - 3) / 3, first = 3 + record * 3;
        const bool off = record % 3 == 2;
        ASSERT_EQ(Text(row, 3) + "|" + Text(row, 7) + "|" + Text(first, 1),
                  std::string(WavelengthLabel(row - first)) + "|" + (off ? "off" : verdicts[row - first]) + "|OLT-"
                      + std::to_string(record + 1));
        ASSERT_EQ(grid.GetItemBkColor(row, 7), off ? CLR_DEFAULT : colours[row - first]) << row;
        ASSERT_EQ(grid.GetCellMerge(row, 12).masterRow, row == first ? 0 : first) << row;
    }
}

// The record texts are made on demand: every way of reading a cell answers
// alike, edits stick and a sort carries the texts with their rows.
TEST_F(ViewOpenTest, RecordTextsFollowEditsAndSorts)
{
    OpenRecords(NumberedRecords(3));
    CGridCtrl& grid = *view.GetGrid();
    grid.SetItemText(4, 4, "edited");
    grid.SetItemText(7, 1, "");
    grid.SortRowsByText(1, TRUE, 3, 11);
    std::vector<std::string> rows;   // columns 0, 1, 3 and 4 of each row
    std::string names;
    for (int row = 3; row <= 12; ++row) {
        rows.push_back("");
        for (int col : {0, 1, 3, 4}) {
            rows.back() += Text(row, col) + "|";
            EXPECT_EQ(grid.Store().GetCell(row, col).text, Text(row, col)) << row << "," << col;
            EXPECT_EQ(grid.Store().ItemTextView(row, col), Text(row, col)) << row << "," << col;
        }
        names += Text(row, 1) + "|";
    }
    EXPECT_EQ(names, "|OLT-1|OLT-1|OLT-1|OLT-2|OLT-2|OLT-3|OLT-3|OLT-3||");
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<std::string>{"1|OLT-1|1310|-20.50|", "1|OLT-1|1490|edited|", "1|OLT-1|1550|-30.00|",
        "2|OLT-2|1310|-20.50|", "2|OLT-2|1550|-30.00|", "2||1490|-27.00|", "3|OLT-3|1310|-20.50|",
        "3|OLT-3|1490|-27.00|", "3|OLT-3|1550|-30.00|", "||||"}));
}

// A named pipe, as a file named on the command line is opened, is refused at
// once with the reason; the alarm ends a test that waits for a writer.
TEST_F(ViewOpenTest, CancelledOrFailingOpenKeepsTheGridAndRecordsAndTheGridFollowsResizing)
{
    const QString pipe = folder.Path(QStringLiteral("pipe.bin"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const struct {
        const char* name;
        std::optional<QString> choice;
        const char* status;
    } cases[] = {{"cancelled", std::nullopt, "Ready"},
                 {"missing file", folder.Path(QStringLiteral("missing.bin")), "missing.bin: No such file"},
                 {"named pipe", pipe, "pipe.bin: is a named pipe"}};
    ::alarm(30);
    for (const auto& [name, choice, status] : cases) {
        SCOPED_TRACE(name);
        OpenRecords(NumberedRecords(2));
        CGridCtrl* before = view.GetGrid();
        const int dialogsBefore = dialogsShown;
        chosen = choice;
        view.OnFileOpen();
        EXPECT_EQ(std::tuple(dialogsShown, view.GetGrid(), view.GetGrid()->GetRowCount(), view.Records().GetSize()),
                  std::tuple(dialogsBefore + 1, before, 10, 2u));
        EXPECT_TRUE(view.StatusText().contains(QString::fromUtf8(status))) << view.StatusText().toStdString();
    }
    ::alarm(0);
    // The grid covers the client area and follows resizing.
    EXPECT_EQ(view.GetGrid()->geometry(), view.contentsRect());
    view.resize(500, 300);
    EXPECT_EQ(view.GetGrid()->geometry(), view.contentsRect());
}

} // namespace
