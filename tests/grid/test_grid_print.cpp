// Printing the grid as a host view does: page breaks, header and footer bands,
// grid lines and merged blocks. The recording context
// measures the printer font (-9) 5 x 10 per character: columns of 100 + 60 and
// margins of 4 characters make a logical page 200 wide, 300 high on a 2000 x
// 3000 device, leaving 300 - 6 x 10 - 20 = 220 for the rows below a fixed row.
#include <QGuiApplication>
#include <array>
#include <ctime>
#include <gtest/gtest.h>
#include <memory>

#include "grid_test_client.h"
#include "platform/PrintInfo.h"
#include "RecordingDC.h"

namespace {

using Pages = std::vector<std::unique_ptr<RecordingDC>>;
using Segment = std::array<int, 4>;   // from x, y, to x, y

constexpr int kRowArea = 220;
// Window origins: the fixed rows three character heights down, the data rows below one fixed row, the footer band.
constexpr int kHeadingY = -30, kBodyY = kHeadingY - 20, kFooterY = 20 - 300;

// Fixed rows of 20 reading "H0", "H1" over columns of 100 and 60, then data
// rows of the given heights, column 0 of row r reading "R<r>".
struct PrintGrid : GridWindow {
    explicit PrintGrid(std::vector<int> heights, int fixedRows = 1, void (*merge)(CGridCtrl&) = nullptr)
        : GridWindow(new CGridCtrl(static_cast<int>(heights.size()) + fixedRows, 2, 0, 0))
    {
        parent->setWindowTitle(QStringLiteral("Readings"));
        if (merge)
            merge(*grid);   // before the rows are fixed
        grid->SetFixedRows(fixedRows);
        heights.insert(heights.begin(), static_cast<std::size_t>(fixedRows), 20);
        SetSizes(*grid, heights, {100, 60});
        for (int row = 0; row < grid->GetRowCount(); ++row) {
            grid->SetItemText(row, 0, row < fixedRows ? "H0" : "R" + std::to_string(row));
            grid->SetItemText(row, 1, row < fixedRows ? "H1" : "");
        }
    }
};

// Every page, each printed on its own recording context of a 2000 x 3000
// device; rows grow to grownHeight between counting and printing.
Pages PrintAll(CGridCtrl& grid, int grownHeight = 0)
{
    RecordingDC::Device device{.horzRes = 2000, .vertRes = 3000, .printing = true};
    RecordingDC begin(device);
    CPrintInfo info;
    grid.PrintBegin(&begin, &info);
    for (int row = grid.GetFixedRowCount(); grownHeight && row < grid.GetRowCount(); ++row)
        grid.SetRowHeight(row, grownHeight);
    if (grid.GetRowCount() == grid.GetFixedRowCount())
        info.SetMaxPage(1);   // no count was made: one page is asked for all the same
    Pages pages;
    for (info.m_nCurPage = 1; info.m_nCurPage <= info.GetMaxPage(); ++info.m_nCurPage)
        grid.PrintPage(pages.emplace_back(std::make_unique<RecordingDC>(device)).get(), &info);
    grid.PrintEnd(&begin, &info);
    return pages;
}

// The non-empty texts drawn at a window origin.
std::vector<DcCall> TextsAt(const RecordingDC& dc, int originY)
{
    std::vector<DcCall> texts = dc.CallsOf(DcCallKind::DrawText);
    std::erase_if(texts, [&](const DcCall& call) { return call.attr.windowOrg.y != originY || call.text.empty(); });
    return texts;
}

std::vector<Segment> LinesAt(const RecordingDC& dc, int originY)
{
    std::vector<Segment> lines;
    for (const DcCall& call : dc.CallsOf(DcCallKind::LineTo))
        if (call.attr.windowOrg.y == originY)
            lines.push_back({call.from.x, call.from.y, call.to.x, call.to.y});
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Every row prints once, on its page, right below the row before and cut at
// the bottom of the row area; rows grown after the count stop where the page
// is full; a grid without data rows prints nothing at all.
TEST(GridPrint, PageBreaks)
{
    const struct { const char* name; std::vector<int> heights; int grownHeight; std::vector<std::vector<int>> pages; }
    cases[] = {
        {"exact fit", std::vector<int>(10, 22), 0, {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}}},
        {"one pixel more", {22, 22, 22, 22, 22, 22, 22, 22, 22, 23}, 0, {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10}}},
        {"row taller than a page", {50, kRowArea + 80, 50}, 0, {{1}, {2}, {3}}},
        {"rows grown after the count", std::vector<int>(10, 22), 30, {{1, 2, 3, 4, 5, 6, 7}}},
        {"no data rows", {}, 0, {{}}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PrintGrid grid(c.heights);
        std::vector<std::vector<int>> pages;
        for (const auto& dc : PrintAll(*grid, c.grownHeight)) {
            EXPECT_TRUE(!c.heights.empty() || dc->Calls().empty()) << "a page without data rows";
            pages.emplace_back();
            int top = 0;
            for (const DcCall& call : TextsAt(*dc, kBodyY)) {
                const int row = std::stoi(call.text.substr(1));
                EXPECT_EQ(call.rect.top, top) << "row " << row;
                top = std::min(top + grid->GetRowHeight(row), kRowArea);
                EXPECT_EQ(call.rect.bottom, top - 1) << "row " << row;
                pages.back().push_back(row);
            }
        }
        EXPECT_EQ(pages, c.pages);
    }
}

// The bands of page 2 of 5.
TEST(GridPrint, HeaderAndFooterBands)
{
    const QString oldName = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Meter Viewer"));
    PrintGrid grid(std::vector<int>(5, 200));
    const std::time_t before = std::time(nullptr);
    const Pages pages = PrintAll(*grid);
    const std::time_t after = std::time(nullptr);
    QGuiApplication::setApplicationDisplayName(oldName);
    ASSERT_EQ(pages.size(), 5u);
    const RecordingDC& dc = *pages[1];
    EXPECT_TRUE(dc.GetMapMode() == MM_ANISOTROPIC && dc.GetWindowExt() == (SIZE{200, 300})
                && dc.GetViewportExt() == (SIZE{2000, 3000}) && dc.GetWindowOrg() == (POINT{0, 0}));
    const auto headings = TextsAt(dc, kHeadingY);   // each heading cell starts where the one before ends
    ASSERT_EQ(headings.size(), 2u);
    EXPECT_EQ(headings[1].rect.left - headings[0].rect.left, 100);

    const auto header = TextsAt(dc, 0), footer = TextsAt(dc, kFooterY);
    ASSERT_TRUE(header.size() == 2 && footer.size() == 2);
    auto dateText = [](std::time_t t) {
        char text[128];
        std::tm local{};
        return std::string(text, std::strftime(text, sizeof text, "%c", localtime_r(&t, &local)));
    };
    const std::string date = footer[1].text == dateText(after) ? dateText(after) : dateText(before);
    const struct { const DcCall& call; std::string text; UINT format; RECT rect; } expected[] = {
        // Page width less the margins, two character heights; the footer half a character lower.
        {header[0], "Meter Viewer", 0x826, {0, 0, 160, 20}}, {header[1], "Readings", 0x825, {0, 0, 160, 20}},
        {footer[0], "Page 2 of 5", 0x924, {0, 5, 160, 25}}, {footer[1], date, 0x926, {0, 5, 160, 25}}};
    for (const auto& [call, text, format, rect] : expected) {
        EXPECT_TRUE(call.text == text && call.format == format && call.rect == rect) << call.text;
        EXPECT_EQ(call.attr.windowOrg.x, -20) << "four characters of left margin";
        EXPECT_EQ(call.attr.font.lfWeight, FW_BOLD) << text;
        EXPECT_STREQ(call.attr.font.lfFaceName, "Times New Roman") << text;
    }
    EXPECT_EQ(LinesAt(dc, 0), (std::vector<Segment>{{0, 20, 160, 20}})) << "under the header";
    EXPECT_EQ(LinesAt(dc, kFooterY), (std::vector<Segment>{{0, 0, 160, 0}})) << "over the footer";
}

// Body lines of page 2, whose rows lie at 0..21 and 22..43.
TEST(GridPrint, BodyLinesFollowTheSetting)
{
    const std::vector<Segment> horz{{0, 21, 99, 21}, {0, 43, 99, 43}, {99, 21, 159, 21}, {99, 43, 159, 43}};
    const std::vector<Segment> vert{{0, 0, 0, 21}, {0, 21, 0, 43}, {99, 0, 99, 21}, {99, 21, 99, 43}, {159, 0, 159, 21},
                                    {159, 21, 159, 43}};
    std::vector<Segment> both = vert, topped = horz;
    both.insert(both.end(), horz.begin(), horz.end());
    topped.insert(topped.begin(), {{0, 0, 99, 0}, {99, 0, 159, 0}});   // nothing above closes the page
    const struct { const char* name; int setting; int fixedRows; std::vector<Segment> lines; } cases[] = {
        {"none", GRID_LINES_NONE, 1, {}}, {"horizontal", GRID_LINES_HORZ, 1, horz},
        {"vertical", GRID_LINES_VERT, 1, vert}, {"both", GRID_LINES_BOTH, 1, both},
        {"no fixed rows", GRID_LINES_HORZ, 0, topped}};
    for (auto c : cases) {
        PrintGrid grid(std::vector<int>(12, 22), c.fixedRows);   // ten rows fill page 1
        grid->SetGridLines(c.setting);
        std::sort(c.lines.begin(), c.lines.end());
        EXPECT_EQ(LinesAt(*PrintAll(*grid).at(1), kHeadingY - 20 * c.fixedRows), c.lines) << c.name;
    }
}

// A merged block prints once, by its first cell on the page, over its whole
// extent with no grid line inside; one begun on page 1 starts page 2 at the
// page's first row. Where the grid is scrolled on screen makes no difference.
TEST(GridPrint, MergedBlocksPrintOnceOverTheirExtent)
{
    struct Block { int originY; std::string text; RECT rect; };
    const Block heading{kHeadingY, "H0", {0, 0, 159, 19}};
    const std::vector<std::vector<Block>> expected{
        {heading, {kBodyY, "A", {100, 22, 159, 87}}, {kBodyY, "B", {100, 176, 159, 219}}},
        {heading, {kBodyY, "B", {100, 0, 159, 43}}}};
    for (const bool scrolled : {false, true}) {
        PrintGrid grid(std::vector<int>(20, 22), 1, [](CGridCtrl& g) {
            g.MergeCells(0, 0, 0, 1, 0);   // the heading over both columns
            g.MergeCells(2, 1, 2, 0, 0);   // rows 2 to 4 of column 1
            g.MergeCells(9, 1, 3, 0, 0);   // rows 9 to 12, across the break after row 10
        });
        grid->SetItemText(2, 1, "A");
        grid->SetItemText(9, 1, "B");
        grid->SetGridLines(GRID_LINES_BOTH);
        SetClientSize(*grid, 120, 100);
        grid->UpdateScrollRanges();
        if (scrolled) {
            grid->SetScrollPosition(SB_HORZ, 100);
            grid->SetScrollPosition(SB_VERT, 44);   // top-left cell (3, 1): inside both A and the heading
        }
        const Pages pages = PrintAll(*grid);
        ASSERT_EQ(pages.size(), expected.size());
        for (std::size_t page = 0; page < pages.size(); ++page) {
            SCOPED_TRACE((scrolled ? "scrolled, page " : "page ") + std::to_string(page + 1));
            std::vector<DcCall> texts = TextsAt(*pages[page], kHeadingY);
            for (const DcCall& call : TextsAt(*pages[page], kBodyY))
                if (!call.text.starts_with("R"))
                    texts.push_back(call);
            ASSERT_EQ(texts.size(), expected[page].size());
            for (std::size_t i = 0; i < texts.size(); ++i) {
                const auto& [originY, text, r] = expected[page][i];
                const int edge = originY == kHeadingY ? 1 : 0;   // a heading's text lies inside its edge
                const int inset = grid->GetCellMargin() + edge;
                EXPECT_EQ(texts[i].text, text);
                EXPECT_EQ(texts[i].rect, (RECT{r.left + inset, r.top + edge, r.right - inset, r.bottom - edge}));
                const auto lines = LinesAt(*pages[page], originY);
                ASSERT_FALSE(lines.empty());
                for (const auto& [x0, y0, x1, y1] : lines)
                    EXPECT_FALSE(std::min(x0, x1) < r.right && std::max(x0, x1) > r.left && std::min(y0, y1) < r.bottom
                                 && std::max(y0, y1) > r.top) << "line inside " << text << " at " << x0 << "," << y0;
            }
        }
    }
}

} // namespace
