// Printing the grid as a host view does (begin, pages, end): page breaks,
// the header and footer bands, grid lines, and a real print to PDF.
//
// On the recording context the printer font (-9) measures 5 x 10 per
// character, so with columns of 100 + 60 the logical page is 160 + 8 x 5 =
// 200 wide; a 2000 x 3000 device makes it 300 high, and with one fixed row
// of 20 the rows get 300 - 6 x 10 - 20 = 220 units per page.
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <ctime>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "case_names.h"
#include "grid_test_client.h"
#include "platform/PrintInfo.h"
#include "platform/QPainterDC.h"
#include "platform/RecordingDC.h"

namespace {

using case_names::PrintTo;

constexpr int kFixedRowHeight = 20;
constexpr int kRowArea = 220;
constexpr int kBodyOriginY = -(3 * 10 + kFixedRowHeight);   // three character heights, then the fixed row

// A grid of one fixed row and two columns (100, 60), data rows of the given
// heights; column 0 of data row r reads "R<r>", the fixed row "H0", "H1".
struct PrintGrid : GridWindow {
    explicit PrintGrid(const std::vector<int>& heights, int fixedRows = 1)
        : GridWindow(new CGridCtrl(static_cast<int>(heights.size()) + fixedRows, 2, fixedRows, 0))
    {
        parent->setWindowTitle(QStringLiteral("Readings"));
        grid->SetColumnWidth(0, 100);
        grid->SetColumnWidth(1, 60);
        for (int row = 0; row < fixedRows; ++row) {
            grid->SetRowHeight(row, kFixedRowHeight);
            grid->SetItemText(row, 0, "H0");
            grid->SetItemText(row, 1, "H1");
        }
        for (std::size_t i = 0; i < heights.size(); ++i) {
            const int row = fixedRows + static_cast<int>(i);
            grid->SetRowHeight(row, heights[i]);
            grid->SetItemText(row, 0, "R" + std::to_string(row));
        }
    }
};

RecordingDC::Device PrinterDevice()
{
    RecordingDC::Device device;
    device.horzRes = 2000;
    device.vertRes = 3000;
    device.printing = true;
    return device;
}

std::vector<DcCall> TextsAtOriginY(const RecordingDC& dc, int y)
{
    std::vector<DcCall> found;
    for (const DcCall& call : dc.CallsOf(DcCallKind::DrawText))
        if (call.attr.windowOrg.y == y)
            found.push_back(call);
    return found;
}

// The data rows printed on each page, read from the texts of column 0.
std::vector<std::vector<int>> RowsByPage(CGridCtrl& grid)
{
    RecordingDC begin(PrinterDevice());
    CPrintInfo info;
    grid.PrintBegin(&begin, &info);
    std::vector<std::vector<int>> pages;
    for (UINT page = 1; page <= info.GetMaxPage(); ++page) {
        RecordingDC dc(PrinterDevice());
        info.m_nCurPage = page;
        grid.PrintPage(&dc, &info);
        std::vector<int> rows;
        for (const DcCall& call : TextsAtOriginY(dc, kBodyOriginY))
            if (call.text.starts_with("R"))
                rows.push_back(std::stoi(call.text.substr(1)));
        pages.push_back(rows);
    }
    grid.PrintEnd(&begin, &info);
    return pages;
}

struct PageBreakCase {
    const char* name;
    std::vector<int> heights;                 // data rows (rows 1, 2, ...)
    std::vector<std::vector<int>> pages;      // rows printed on each page
};

class GridPrintPageBreaks : public ::testing::TestWithParam<PageBreakCase> {};

TEST_P(GridPrintPageBreaks, EveryRowPrintsOnceOnItsPage)
{
    PrintGrid grid(GetParam().heights);
    EXPECT_EQ(RowsByPage(*grid), GetParam().pages);
}

std::vector<int> Range(int first, int last)
{
    std::vector<int> rows;
    for (int row = first; row <= last; ++row)
        rows.push_back(row);
    return rows;
}

INSTANTIATE_TEST_SUITE_P(
    Heights, GridPrintPageBreaks,
    ::testing::Values(
        PageBreakCase{"exact_fit_is_one_page", std::vector<int>(10, kRowArea / 10), {Range(1, 10)}},
        PageBreakCase{"one_pixel_more_adds_a_page", {22, 22, 22, 22, 22, 22, 22, 22, 22, 23}, {Range(1, 9), {10}}},
        PageBreakCase{"overflowing_row_opens_next_page", {100, 100, 100}, {{1, 2}, {3}}},
        PageBreakCase{"row_taller_than_a_page_alone_is_printed", {kRowArea + 80}, {{1}}},
        PageBreakCase{"row_taller_than_a_page_between_rows", {50, kRowArea + 80, 50}, {{1}, {2}, {3}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridPrint, RowTallerThanAPageIsCutAtTheRowArea)
{
    PrintGrid grid({50, kRowArea + 80});
    RecordingDC begin(PrinterDevice());
    CPrintInfo info;
    grid->PrintBegin(&begin, &info);
    RecordingDC dc(PrinterDevice());
    info.m_nCurPage = 2;
    grid->PrintPage(&dc, &info);
    const auto body = TextsAtOriginY(dc, kBodyOriginY);
    ASSERT_FALSE(body.empty());
    EXPECT_EQ(body[0].text, "R2");
    EXPECT_EQ(body[0].rect.top, 0);
    EXPECT_EQ(body[0].rect.bottom, kRowArea - 1);
}

// The header and footer of page 2 of 5, and the first heading row below them.
TEST(GridPrint, HeaderAndFooterBands)
{
    const QString oldName = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Meter Viewer"));
    PrintGrid grid(std::vector<int>(5, 200));
    RecordingDC begin(PrinterDevice());
    CPrintInfo info;
    grid->PrintBegin(&begin, &info);
    ASSERT_EQ(info.GetMaxPage(), 5u);

    RecordingDC dc(PrinterDevice());
    info.m_nCurPage = 2;
    const std::time_t before = std::time(nullptr);
    grid->PrintPage(&dc, &info);
    const std::time_t after = std::time(nullptr);
    QGuiApplication::setApplicationDisplayName(oldName);

    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    EXPECT_EQ(dc.GetWindowExt(), (SIZE{200, 300}));
    EXPECT_EQ(dc.GetViewportExt(), (SIZE{2000, 3000}));

    const RECT band{0, 0, 160, 20};   // page width less the margins, two character heights
    const auto header = TextsAtOriginY(dc, 0);
    ASSERT_EQ(header.size(), 2u);
    EXPECT_EQ(header[0].text, "Meter Viewer");
    EXPECT_EQ(header[0].format, 0x826u);
    EXPECT_EQ(header[1].text, "Readings");
    EXPECT_EQ(header[1].format, 0x825u);
    for (const DcCall& call : header) {
        EXPECT_EQ(call.rect, band) << call.text;
        EXPECT_EQ(call.attr.windowOrg.x, -20) << "four characters of left margin";
        EXPECT_EQ(call.attr.font.lfWeight, FW_BOLD);
        EXPECT_EQ(call.attr.font.lfHeight, -9);
        EXPECT_STREQ(call.attr.font.lfFaceName, "Times New Roman");
    }

    const auto headings = TextsAtOriginY(dc, -30);
    ASSERT_EQ(headings.size(), 2u) << "the fixed row starts three character heights down";
    EXPECT_EQ(headings[0].text, "H0");

    const auto footer = TextsAtOriginY(dc, 20 - 300);
    ASSERT_EQ(footer.size(), 2u);
    const RECT footerText{0, 5, 160, 25};   // half a character height below the band's top
    EXPECT_EQ(footer[0].text, "Page 2 of 5");
    EXPECT_EQ(footer[0].format, 0x924u);
    EXPECT_EQ(footer[0].rect, footerText);
    EXPECT_EQ(footer[1].format, 0x926u);
    EXPECT_EQ(footer[1].rect, footerText);
    auto dateText = [](std::time_t t) {
        char text[128];
        std::tm local{};
        localtime_r(&t, &local);
        return std::string(text, std::strftime(text, sizeof text, "%c", &local));
    };
    EXPECT_TRUE(footer[1].text == dateText(before) || footer[1].text == dateText(after)) << footer[1].text;

    // The band lines: under the header, over the footer.
    std::vector<std::pair<POINT, POINT>> bandLines;
    for (const DcCall& call : dc.CallsOf(DcCallKind::LineTo))
        if (call.attr.windowOrg.y == 0 || call.attr.windowOrg.y == 20 - 300)
            bandLines.emplace_back(call.from, call.to);
    const std::vector<std::pair<POINT, POINT>> expectedLines{{{0, 20}, {160, 20}}, {{0, 0}, {160, 0}}};
    EXPECT_EQ(bandLines, expectedLines);
    EXPECT_EQ(dc.GetWindowOrg(), (POINT{0, 0}));
}

using Segment = std::pair<POINT, POINT>;

struct GridLinesCase {
    const char* name;
    int gridLines;
    int fixedRows;
    std::vector<Segment> lines;   // body lines of page 2, two rows of 22 (any order)
};

class GridPrintLines : public ::testing::TestWithParam<GridLinesCase> {};

TEST_P(GridPrintLines, BodyLinesFollowTheSetting)
{
    const GridLinesCase& c = GetParam();
    // Ten rows of 22 fill page 1; rows of page 2 sit at 0..21 and 22..43.
    std::vector<int> heights(10, 22);
    heights.insert(heights.end(), {22, 22});
    PrintGrid grid(heights, c.fixedRows);
    grid->SetGridLines(c.gridLines);
    RecordingDC begin(PrinterDevice());
    CPrintInfo info;
    grid->PrintBegin(&begin, &info);
    RecordingDC dc(PrinterDevice());
    info.m_nCurPage = 2;
    grid->PrintPage(&dc, &info);

    const int bodyY = -(3 * 10 + c.fixedRows * kFixedRowHeight);
    std::vector<Segment> lines;
    for (const DcCall& call : dc.CallsOf(DcCallKind::LineTo))
        if (call.attr.windowOrg.y == bodyY)
            lines.emplace_back(call.from, call.to);
    auto sorted = [](std::vector<Segment> v) {
        std::sort(v.begin(), v.end(), [](const Segment& a, const Segment& b) {
            return std::tie(a.first.x, a.first.y, a.second.x, a.second.y)
                 < std::tie(b.first.x, b.first.y, b.second.x, b.second.y);
        });
        return v;
    };
    EXPECT_EQ(sorted(lines), sorted(c.lines));
}

const std::vector<Segment> kHorzLines{{{0, 21}, {99, 21}}, {{99, 21}, {159, 21}},
                                      {{0, 43}, {99, 43}}, {{99, 43}, {159, 43}}};
const std::vector<Segment> kVertLines{{{99, 0}, {99, 21}},  {{0, 0}, {0, 21}},  {{159, 0}, {159, 21}},
                                      {{99, 21}, {99, 43}}, {{0, 21}, {0, 43}}, {{159, 21}, {159, 43}}};

std::vector<Segment> Joined(std::vector<Segment> a, const std::vector<Segment>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    Settings, GridPrintLines,
    ::testing::Values(
        GridLinesCase{"none_prints_only_cells", GRID_LINES_NONE, 1, {}},
        GridLinesCase{"horizontal", GRID_LINES_HORZ, 1, kHorzLines},
        GridLinesCase{"vertical", GRID_LINES_VERT, 1, kVertLines},
        GridLinesCase{"both", GRID_LINES_BOTH, 1, Joined(kHorzLines, kVertLines)},
        // Nothing above closes the page: its first row draws its own top.
        GridLinesCase{"no_fixed_rows_closes_the_page_top", GRID_LINES_HORZ, 0,
                      Joined(kHorzLines, {{{0, 0}, {99, 0}}, {{99, 0}, {159, 0}}})}),
    [](const auto& info) { return std::string(info.param.name); });

QString RunTool(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The whole loop on a real printer writing PDF: the file has the counted
// pages, and every data row and every footer shows in its text.
TEST(GridPrint, PrintsToPdf)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext) not installed";
    constexpr int kDataRows = 150;
    PrintGrid grid(std::vector<int>(kDataRows, 20));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("grid.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);

    QPainter painter;
    ASSERT_TRUE(painter.begin(&printer));
    QPainterDC dc(&painter);
    dc.SetPrinting(true);
    CPrintInfo info;
    grid->PrintBegin(&dc, &info);
    const UINT pages = info.GetMaxPage();
    for (UINT page = 1; page <= pages; ++page) {
        if (page > 1)
            printer.newPage();
        info.m_nCurPage = page;
        const int saved = dc.SaveDC();
        grid->PrintPage(&dc, &info);
        dc.RestoreDC(saved);
    }
    grid->PrintEnd(&dc, &info);
    painter.end();

    ASSERT_GT(pages, 1u) << "150 rows need more than one page";
    ASSERT_LT(pages, 0xFFFFu);
    const QString pdfInfo = RunTool(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_EQ(QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(pdfInfo).captured(1).toUInt(), pages)
        << pdfInfo.toStdString();
    const QString text = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    for (UINT page = 1; page <= pages; ++page)
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages))) << page;
    for (int row = 1; row <= kDataRows; ++row)
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\bR%1\\b").arg(row)))) << "row " << row;
    EXPECT_EQ(text.count(QStringLiteral("H0")), static_cast<qsizetype>(pages)) << "the fixed row repeats on every page";
}

} // namespace
