// The grid the Open command builds, and what a cancelled, failing or short
// Open, File New and resizing do to it.
#include "AppTestSupport.h"

#include "app/COrvik50View.h"
#include "grid/CGridCtrl.h"
#include "records/RecordTexts.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class ViewOpenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.resize(900, 600);
        view.show();
        view.SetOpenChooser([this](QWidget*) -> std::optional<QString> {
            ++dialogsShown;
            return chosen;
        });
    }

    // Opens `records` through the Open command as the user would.
    void OpenRecords(const std::vector<MeterRecord>& records, const QString& name = QStringLiteral("r.bin"))
    {
        chosen = folder.Write(name, records);
        view.OnFileOpen();
    }

    CGridCtrl& Grid()
    {
        EXPECT_NE(view.GetGrid(), nullptr);
        return *view.GetGrid();
    }
    std::string Text(int row, int col) { return Grid().GetItemText(row, col); }

    RecordFileFolder folder;
    COrvik50View view;
    std::optional<QString> chosen;
    int dialogsShown = 0;
};

TEST_F(ViewOpenTest, NoRecordsGiveHeaderRowsAndOneEmptyRow)
{
    OpenRecords({});
    CGridCtrl& grid = Grid();
    EXPECT_EQ(grid.GetRowCount(), 4);
    EXPECT_EQ(grid.GetColumnCount(), 13);
    EXPECT_EQ(grid.GetFixedRowCount(), 3);
    EXPECT_EQ(grid.GetFixedColumnCount(), 1);
    EXPECT_EQ(Text(3, 0), "");
}

TEST_F(ViewOpenTest, HeaderTextsWidthsAndBlocks)
{
    OpenRecords({});
    const char* row0[] = {"No.", "OLT name", "ONT name", "Wavelength", "Power", "Unit", "Ref(dBm)",
                          "Thres.Status", "Threshold(dBm)", nullptr, nullptr, "Date", "Time"};
    const int widths[] = {40, 110, 110, 80, 60, 40, 80, 90, 50, 50, 50, 80, 70};
    CGridCtrl& grid = Grid();
    for (int col = 0; col < 13; ++col) {
        if (row0[col]) {
            EXPECT_EQ(Text(0, col), row0[col]) << "column " << col;
        }
        EXPECT_EQ(grid.GetColumnWidth(col), widths[col]) << "column " << col;
        EXPECT_EQ(grid.GetItemFormat(0, col), 0x18u) << "column " << col;
        if (col < 8 || col > 10) {
            const GridCellMerge block = grid.GetCellMerge(0, col);
            EXPECT_EQ(block.rowSpan, 2) << "column " << col << " spans the three header rows";
            EXPECT_EQ(block.colSpan, 0) << "column " << col;
        }
    }
    const GridCellMerge threshold = grid.GetCellMerge(0, 8);
    EXPECT_EQ(threshold.rowSpan, 1);
    EXPECT_EQ(threshold.colSpan, 2);
    EXPECT_EQ(grid.GetCellMerge(1, 10).masterCol, 8);
    EXPECT_EQ(Text(2, 8), "PASS");
    EXPECT_EQ(Text(2, 9), "WRNG");
    EXPECT_EQ(Text(2, 10), "FAIL");
    EXPECT_FALSE(grid.GetCellMerge(2, 9).InBlock());
}

TEST_F(ViewOpenTest, TwoRecordsFillTenRowsWithTheirTextsAndBlocks)
{
    const std::vector<MeterRecord> records = {VerdictRecord("OLT-A", "ONT-7"), VerdictRecord("OLT-B", "ONT-8", false)};
    OpenRecords(records);
    CGridCtrl& grid = Grid();
    ASSERT_EQ(grid.GetRowCount(), 10);
    const char* firstRecordRow[] = {"1", "OLT-A", "ONT-7", "1310", "-20.50", "dBm", "0.00",
                                    "pass", "-8.00", "-25.00", "-28.00", "2011/5/12", "9:05:07"};
    for (int col = 0; col < 13; ++col) {
        EXPECT_EQ(Text(3, col), firstRecordRow[col]) << "column " << col;
        EXPECT_EQ(grid.GetItemFormat(3, col), 0x18u) << "column " << col;
    }
    EXPECT_EQ(Text(4, 3), "1490");
    EXPECT_EQ(Text(5, 7), "fail");
    EXPECT_EQ(Text(5, 5), "dBm") << "per-record texts stand in all three rows";
    EXPECT_EQ(Text(6, 0), "2");
    EXPECT_EQ(Text(8, 7), "off");
    EXPECT_EQ(Text(9, 0), "");
    for (int col : {0, 1, 2, 5, 11, 12}) {
        EXPECT_EQ(grid.GetCellMerge(3, col).rowSpan, 2) << "column " << col;
        EXPECT_EQ(grid.GetCellMerge(5, col).masterRow, 3) << "column " << col;
        EXPECT_EQ(grid.GetCellMerge(6, col).rowSpan, 2) << "column " << col;
    }
    for (int col : {3, 4, 6, 7, 8, 9, 10})
        EXPECT_FALSE(grid.GetCellMerge(3, col).InBlock()) << "column " << col;
}

TEST_F(ViewOpenTest, VerdictCellsAreColouredAndOffKeepsTheDefault)
{
    OpenRecords({VerdictRecord("A", "B"), VerdictRecord("C", "D", false)});
    CGridCtrl& grid = Grid();
    EXPECT_EQ(grid.GetItemBkColor(3, 7), RGB(0, 255, 0));
    EXPECT_EQ(grid.GetItemBkColor(4, 7), RGB(255, 255, 0));
    EXPECT_EQ(grid.GetItemBkColor(5, 7), RGB(255, 0, 0));
    for (int row = 6; row <= 8; ++row)
        EXPECT_EQ(grid.GetItemBkColor(row, 7), CLR_DEFAULT) << "row " << row;
    EXPECT_EQ(grid.GetItemBkColor(3, 6), CLR_DEFAULT);
}

TEST_F(ViewOpenTest, ThreeHundredRecordsNumberedInFileOrder)
{
    OpenRecords(NumberedRecords(300));
    CGridCtrl& grid = Grid();
    EXPECT_EQ(grid.GetRowCount(), 904);
    EXPECT_EQ(Text(3 + 3 * 299, 0), "300");
    EXPECT_EQ(Text(3 + 3 * 299, 1), "OLT-300");
    EXPECT_EQ(grid.GetCellMerge(3 + 3 * 299, 0).rowSpan, 2);
    EXPECT_EQ(Text(903, 0), "");
    EXPECT_EQ(view.Records().GetSize(), 300u);
}

TEST_F(ViewOpenTest, GbkNameIsShownDecoded)
{
    OpenRecords({VerdictRecord("\xB9\xE2\xC2\xB7", "ONT")});   // "光路" in GBK
    EXPECT_EQ(Text(3, 1), "光路");
}

TEST_F(ViewOpenTest, CancelledOpenKeepsTheGridAndRecords)
{
    OpenRecords(NumberedRecords(2));
    CGridCtrl* before = view.GetGrid();
    chosen.reset();
    view.OnFileOpen();
    EXPECT_EQ(dialogsShown, 2);
    EXPECT_EQ(view.GetGrid(), before);
    EXPECT_EQ(Grid().GetRowCount(), 10);
    EXPECT_EQ(view.Records().GetSize(), 2u);
}

TEST_F(ViewOpenTest, UnreadableFileKeepsTheGridAndSaysWhichFile)
{
    OpenRecords(NumberedRecords(2));
    CGridCtrl* before = view.GetGrid();
    chosen = folder.Path(QStringLiteral("missing.bin"));
    view.OnFileOpen();
    EXPECT_EQ(view.GetGrid(), before);
    EXPECT_EQ(Grid().GetRowCount(), 10);
    EXPECT_EQ(view.Records().GetSize(), 2u);
    EXPECT_TRUE(view.StatusText().contains(QStringLiteral("missing.bin"))) << view.StatusText().toStdString();
}

TEST_F(ViewOpenTest, ReadOnlyFileOpens)
{
    const QString path = folder.Write(QStringLiteral("ro.bin"), NumberedRecords(2));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    chosen = path;
    view.OnFileOpen();
    EXPECT_EQ(Grid().GetRowCount(), 10);
}

TEST_F(ViewOpenTest, ShortenedFileShowsItsCompleteRecordsAndSaysSo)
{
    chosen = folder.Write(QStringLiteral("short.bin"), NumberedRecords(2), 5);
    view.OnFileOpen();
    EXPECT_EQ(Grid().GetRowCount(), 10);
    EXPECT_TRUE(view.StatusText().contains(QStringLiteral("read 2 of 5 records"))) << view.StatusText().toStdString();
}

TEST_F(ViewOpenTest, SecondOpenReplacesGridAndRecords)
{
    OpenRecords(NumberedRecords(3), QStringLiteral("a.bin"));
    OpenRecords(NumberedRecords(1), QStringLiteral("b.bin"));
    EXPECT_EQ(Grid().GetRowCount(), 7);
    EXPECT_EQ(view.Records().GetSize(), 1u);
    EXPECT_EQ(view.findChildren<CGridCtrl*>().size(), 1) << "the old grid is destroyed";
}

TEST_F(ViewOpenTest, FileNewDestroysTheGridAndEmptiesTheRecords)
{
    OpenRecords(NumberedRecords(2));
    view.OnInitialUpdate();
    EXPECT_EQ(view.GetGrid(), nullptr);
    EXPECT_TRUE(view.findChildren<CGridCtrl*>().isEmpty());
    EXPECT_EQ(view.Records().GetSize(), 0u);
}

TEST_F(ViewOpenTest, GridCoversTheClientAreaAndFollowsResizing)
{
    OpenRecords(NumberedRecords(2));
    EXPECT_EQ(Grid().geometry(), view.contentsRect());
    view.resize(500, 300);
    EXPECT_EQ(Grid().geometry(), view.contentsRect());
}

} // namespace
