// Finding in the record table, stepping through failing records, and the
// verdict overview, as the Edit and View menus reach them.
#include "AppTestSupport.h"

#include "app/AppResources.h"
#include "app/CMainFrame.h"
#include "app/FindBar.h"
#include "app/VerdictOverview.h"
#include "app/ViewerApp.h"
#include "grid/CGridCtrl.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

// OLT-1/ONT-1 .. OLT-3/ONT-3, then 局端/光猫 stored in GBK: record n (from 0)
// has rows 3n+3 .. 3n+5.
std::vector<MeterRecord> FindRecords()
{
    std::vector<MeterRecord> records = NumberedRecords(3);
    records.push_back(VerdictRecord("\xBE\xD6\xB6\xCB", "\xB9\xE2\xC3\xA8"));
    return records;
}

using FindTest = ViewTest;

TEST_F(FindTest, FindsCellsInReadingOrderWrappingOnceForAMergedCell)
{
    Open(FindRecords());
    const GridCellStore& store = view.GetGrid()->Store();
    struct Case { const char* text; bool matchCase; CellId from; bool forward, includeFrom; CellId found; bool wrapped; };
    const Case cases[] = {
        {"ont-2", false, {-1, -1}, true, true, {6, 2}, false},
        {"ont-2", true, {-1, -1}, true, true, {-1, -1}, false},
        {"ONT-1", false, {6, 2}, true, false, {3, 2}, true},
        {"ONT-", false, {6, 2}, false, false, {3, 2}, false},
        {"ONT-", false, {3, 2}, false, false, {9, 2}, true},
        {"OLT-3", false, {9, 1}, true, false, {9, 1}, true},    // its block's lower rows do not match again
        {"OLT-3", false, {9, 1}, true, true, {9, 1}, false},
        {"光猫", false, {-1, -1}, true, true, {12, 2}, false},
        {"局端", true, {3, 1}, false, false, {12, 1}, true},
        {"WRNG", false, {3, 7}, true, false, {4, 7}, false},
        {"2011/5/12", false, {3, 11}, true, false, {6, 11}, false},
        {"-27.00", false, {-1, -1}, false, true, {13, 4}, false},
        {"no such ONT", false, {-1, -1}, true, true, {-1, -1}, false},
    };
    for (const Case& c : cases) {
        const GridFindResult result = FindCell(store, GridTextMatcher(c.text, c.matchCase), c.from, c.forward, c.includeFrom);
        EXPECT_EQ(result.cell, c.found) << c.text;
        EXPECT_EQ(result.wrapped, c.wrapped) << c.text;
    }
    const std::pair<const char*, long long> counts[] = {{"OLT-", 3}, {"2011/5/12", 4}, {"wrng", 4}, {"光猫", 1}};
    for (const auto& [text, count] : counts)
        EXPECT_EQ(CountMatches(store, GridTextMatcher(text, false), 0, GridSearchOrder(store).Size()), count) << text;
}

TEST_F(FindTest, TheBarSearchesAsYouTypeAndCounts)
{
    Open(FindRecords());
    view.OnEditFind();
    FindBar* bar = view.GetFindBar();
    struct Step { const char* typed; int key; CellId focus; QString result; QString status; };
    const Step steps[] = {
        {"fail", 0, {5, 7}, "1 of 4", "Ready"},
        {nullptr, Qt::Key_Return, {8, 7}, "2 of 4", "Ready"},
        {nullptr, Qt::Key_F3, {11, 7}, "3 of 4", "Ready"},
        {nullptr, Qt::Key_F3, {14, 7}, "4 of 4", "Ready"},
        {nullptr, Qt::Key_F3, {5, 7}, "1 of 4", "Continued from the top"},
        {nullptr, -Qt::Key_Return, {14, 7}, "4 of 4", "Continued from the bottom"},
        {nullptr, Qt::Key_Escape, {14, 7}, "4 of 4", "Continued from the bottom"},
        {nullptr, Qt::Key_F3, {5, 7}, "1 of 4", "Continued from the top"},   // the closed bar comes back
        {"nothing", 0, {5, 7}, "No match", "Ready"},
    };
    for (const Step& step : steps) {
        if (step.typed)
            bar->Edit()->setText(QString::fromUtf8(step.typed));
        else if (step.key == Qt::Key_F3)
            view.FindAgain(true);
        else if (step.key == Qt::Key_Escape)
            QTest::keyClick(bar->Edit(), Qt::Key_Escape);   // closes the bar, keeps the text
        else
            QTest::keyClick(bar->Edit(), Qt::Key_Return, step.key < 0 ? Qt::ShiftModifier : Qt::NoModifier);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !view.IsCountingMatches(); }));
        EXPECT_EQ(view.GetGrid()->GetFocusCell(), step.focus) << step.result.toStdString();
        EXPECT_EQ(bar->ResultText(), step.result);
        EXPECT_EQ(view.StatusText(), step.status);
        EXPECT_EQ(bar->isVisibleTo(&view), step.key != Qt::Key_Escape);
    }
    EXPECT_NE(bar->Edit()->palette().color(QPalette::Base), bar->palette().color(QPalette::Base)) << "tinted";
}

TEST_F(FindTest, NextAndPreviousFailingRecord)
{
    // 'v': pass, wrng, fail (wrng first, on the 1490 nm row); 'o': every verdict off.
    auto file = [](const std::string& pattern) {
        std::vector<MeterRecord> records;
        for (char c : pattern)
            records.push_back(VerdictRecord("OLT", "ONT", c == 'v'));
        return records;
    };
    struct Case { const char* records; int focusRow; bool forward; int row; const char* status; };
    const Case cases[] = {
        {"oo", -1, true, -1, "No failing record"},
        {"ovo", -1, true, 7, "Ready"},
        {"ovo", 7, true, 7, "Continued from the top"},
        {"ovo", 7, false, 7, "Continued from the bottom"},
        {"vov", 3, true, 10, "Ready"},
        {"vov", 5, false, 10, "Continued from the bottom"},
        {"vov", 11, true, 4, "Continued from the top"},
        {"vvv", 9, false, 7, "Ready"},
        {"vov", 12, true, 4, "Continued from the top"},   // the blank row under the last record
    };
    for (const Case& c : cases) {
        Open(file(c.records));
        if (c.focusRow >= 0)
            view.GetGrid()->MoveFocusTo(c.focusRow, 2);
        view.GoToFailingRecord(c.forward);
        EXPECT_EQ(view.GetGrid()->GetFocusCell(), (c.row < 0 ? CellId{-1, -1} : CellId{c.row, 7})) << c.records << c.focusRow;
        EXPECT_EQ(view.StatusText(), c.status) << c.records << c.focusRow;
    }
}

TEST_F(FindTest, OverviewCountsAsTheBatchToolAndDescribesTheFileAsOpened)
{
    std::vector<MeterRecord> records = FindRecords();
    records[1] = VerdictRecord("OLT-off", "ONT-off", false);
    records[2].readings[0].power = -95.0f;   // Low: a fail
    records[3].unitMode = 1;                  // dB readings stay out of the dBm histogram
    Open(records, QStringLiteral("day.bin"));
    view.OnVerdictOverview();
    VerdictOverview* overview = view.Overview();
    ASSERT_TRUE(overview);
    view.GetGrid()->SetItemText(4, 7, "pass");   // an edit in the table changes nothing
    view.OnVerdictOverview();
    EXPECT_EQ(VerdictSummary(overview->Figures().recordCount, overview->Figures().verdicts),
              "4 records; 1310 nm: 2 pass, 0 wrng, 1 fail, 1 off; 1490 nm: 0 pass, 3 wrng, 0 fail, 1 off; "
              "1550 nm: 0 pass, 0 wrng, 3 fail, 1 off");
    EXPECT_EQ(overview->TableText(), "Wavelength\tpass\twrng\tfail\toff\n1310 nm\t2\t0\t1\t1\n"
                                     "1490 nm\t0\t3\t0\t1\n1550 nm\t0\t0\t3\t1\n");
    EXPECT_EQ(overview->PowerNote(), "dBm readings: 8 in the histogram, 1 Low, 0 other non-numbers");
    EXPECT_EQ(overview->Figures().powers.thresholds, (std::array<float, 3>{-8.0f, -25.0f, -28.0f}));
    EXPECT_EQ(overview->windowTitle(), "Verdict Overview - day.bin as opened (4 records)");
    emit overview->VerdictChosen(0, ThresholdVerdict::Fail);
    EXPECT_EQ(view.GetGrid()->GetFocusCell(), (CellId{9, 7}));

    Open(NumberedRecords(2), QStringLiteral("next.bin"));
    EXPECT_EQ(overview->windowTitle(), "Verdict Overview - next.bin as opened (2 records)");
}

TEST(FindMenusTest, EditAndViewMenusBesideTheFrameMenusAndTheirKeys)
{
    ViewerApp app;
    ASSERT_TRUE(app.InitInstance({}));
    CMainFrame* frame = app.GetMainWnd();
    QStringList shown;
    for (QAction* top : frame->menuBar()->actions()) {
        shown << top->text().trimmed();
        for (QAction* entry : top->menu() ? top->menu()->actions() : QList<QAction*>{})
            shown << "> " + entry->text() + (entry->statusTip().isEmpty() ? "" : " | " + entry->statusTip());
    }
    EXPECT_EQ(shown.mid(8, 14), (QStringList{
        "Edit(&E)", "> Cut(&T)\tCtrl+X | 剪切被选对象并将其置于剪贴板上", "> Copy(&C)\tCtrl+C | 复制被选对象并将其置于剪贴板上",
        "> Paste(&P)\tCtrl+V | 插入剪贴板内容", "> Select All(&A)\tCtrl+A | 选择整个文档", "> ",
        "> Find...\tCtrl+F | 查找指定的正文", "> Find Next\tF3 | Finds the next cell with the text sought",
        "> Find Previous\tShift+F3 | Finds the previous cell with the text sought",
        "> Next Failing Record\tF8 | Moves to the next record with a wrng or fail verdict",
        "> Previous Failing Record\tShift+F8 | Moves to the previous record with a wrng or fail verdict",
        "View(&V)", "> Verdict Overview...\tCtrl+Shift+O | Counts the verdicts and power readings of the file as opened",
        "Help(&H)"}));
    EXPECT_EQ(shown.size(), 25) << "File's 8, Edit's 11, View's 2, Help's 2 and the two blank entries";
    // The edit commands follow the grid's rules: Copy needs a selection.
    RecordFileFolder folder;
    ASSERT_TRUE(app.GetView()->OpenRecordFile(folder.Write(QStringLiteral("r.bin"), NumberedRecords(2))));
    frame->UpdateCommandStates();
    EXPECT_FALSE(frame->CommandAction(ID_EDIT_COPY)->isEnabled());
    EXPECT_TRUE(frame->CommandAction(res::ID_VERDICT_OVERVIEW)->isEnabled());
    app.GetView()->GetGrid()->ApplySelectionRange(3, 1, 3, 1);
    frame->UpdateCommandStates();
    EXPECT_TRUE(frame->CommandAction(ID_EDIT_COPY)->isEnabled());
}

} // namespace
