// Drawing of single cells through the recording context: the header look
// that follows the focus (weight, sunken or raised edges), header blocks,
// printer contexts and MeasureCell.
// Example grid at scroll position 0: column 2 spans x 120..199, row 1 y 20..39.
#include <gtest/gtest.h>

#include "grid_test_paint_support.h"
#include "case_names.h"

namespace {

using case_names::PrintTo;

DcCall OnlyCall(const RecordingDC& dc, DcCallKind kind)
{
    const std::vector<DcCall> calls = dc.CallsOf(kind);
    EXPECT_EQ(calls.size(), 1u);
    return calls.empty() ? DcCall{} : calls.front();
}

// The focus is on (5, 2); its headers take the focus look, bold and sunken.
struct HeaderCase { const char* name; CellId header; bool focusLook; };

class GridHeaderFocusLook : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(GridHeaderFocusLook, WeightAndEdge)
{
    ExampleGrid g;
    FillCellTexts(*g);
    g->SetFocusCell(5, 2);
    const CellId header = GetParam().header;
    const RECT cell = CellRect(*g, header.row, header.col);
    RecordingDC dc(RecorderDevice(*g));
    const DcAttributes before = dc.Attributes();
    ASSERT_TRUE(g->PaintHeaderCell(&dc, header.row, header.col, cell, FALSE));

    const DcCall fill = OnlyCall(dc, DcCallKind::FillSolidRect);
    EXPECT_EQ(fill.rect, cell);
    EXPECT_EQ(fill.color, g->GetFixedBkColor());
    const DcCall text = OnlyCall(dc, DcCallKind::DrawText);
    const LONG normalWeight = g->GetItemFont(header.row, header.col).lfWeight;
    ASSERT_NE(normalWeight, 600);
    EXPECT_EQ(text.attr.font.lfWeight, GetParam().focusLook ? 600 : normalWeight);
    EXPECT_EQ(text.attr.textColor, g->GetFixedTextColor());
    // The cell leaves the context as it found it, apart from the text colour.
    EXPECT_TRUE(dc.Attributes().font == before.font);
    EXPECT_EQ(dc.Attributes().pen, before.pen);
    const int m = g->GetCellMargin();

    const std::vector<DcCall> edges = dc.CallsOf(DcCallKind::DrawEdge);
    const std::vector<DcCall> lines = dc.CallsOf(DcCallKind::LineTo);
    if (GetParam().focusLook) {
        ASSERT_EQ(edges.size(), 1u);
        EXPECT_EQ(edges[0].rect, (RECT{cell.left, cell.top, cell.right + 1, cell.bottom + 1}));
        EXPECT_EQ(edges[0].format, BDR_SUNKENINNER);
        EXPECT_EQ(edges[0].flags, BF_RECT);
        EXPECT_TRUE(lines.empty());
        EXPECT_EQ(text.rect, (RECT{cell.left + 1 + m, cell.top + 1, cell.right - m, cell.bottom}));
        return;
    }
    EXPECT_TRUE(edges.empty());
    ASSERT_EQ(lines.size(), 4u);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
    // Raised: light top right -> top left -> bottom left; dark top right -> bottom right -> bottom left.
    const std::pair<POINT, COLORREF> expected[] = {{{cell.left, cell.top}, light}, {{cell.left, cell.bottom}, light},
                                                   {{cell.right, cell.bottom}, dark}, {{cell.left, cell.bottom}, dark}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].to, expected[i].first) << "line " << i;
        EXPECT_EQ(lines[i].attr.pen.color, expected[i].second) << "line " << i;
    }
    EXPECT_EQ(lines[0].from, (POINT{cell.right, cell.top}));
    EXPECT_EQ(lines[2].from, (POINT{cell.right, cell.top}));
    EXPECT_EQ(text.rect, (RECT{cell.left + 1 + m, cell.top + 1, cell.right - 1 - m, cell.bottom - 1}));
}

INSTANTIATE_TEST_SUITE_P(
    Headers, GridHeaderFocusLook,
    ::testing::Values(HeaderCase{"column_header_of_focus", CellId(1, 2), true},
                      HeaderCase{"row_header_of_focus", CellId(5, 0), true},
                      HeaderCase{"other_column_header", CellId(1, 3), false},
                      HeaderCase{"other_row_header", CellId(6, 0), false},
                      HeaderCase{"corner_cell", CellId(0, 0), false}), case_names::ByName);

constexpr UINT kHeaderBlockFormat = 0x8025;   // DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS

struct HeaderBlockCase {
    const char* name;
    CellRange block;   // master, then far corner
    UINT masterFormat;
    CellId drawn;      // the member passed to PaintHeaderCell
    int horzScroll;
    UINT expectedFormat;
    RECT expectedArea;  // the block's visible rectangle before the edge and margins
};

class GridHeaderBlock : public ::testing::TestWithParam<HeaderBlockCase> {};

TEST_P(GridHeaderBlock, FormatTextAndRectangle)
{
    const HeaderBlockCase& c = GetParam();
    ExampleGrid g([&](CGridCtrl& grid) {
        grid.MergeCells(c.block.minRow, c.block.minCol, c.block.maxRow - c.block.minRow,
                        c.block.maxCol - c.block.minCol, 0);
    });
    FillCellTexts(*g);
    g->SetItemFormat(c.block.minRow, c.block.minCol, c.masterFormat);
    g->SetScrollPosition(SB_HORZ, c.horzScroll);

    RecordingDC dc(RecorderDevice(*g));
    ASSERT_TRUE(g->PaintHeaderCell(&dc, c.drawn.row, c.drawn.col, CellRect(*g, c.drawn.row, c.drawn.col), FALSE));
    const DcCall text = OnlyCall(dc, DcCallKind::DrawText);
    EXPECT_EQ(text.text, std::to_string(c.block.minRow) + "," + std::to_string(c.block.minCol));
    EXPECT_EQ(text.format, c.expectedFormat);
    EXPECT_EQ(OnlyCall(dc, DcCallKind::FillSolidRect).rect, c.expectedArea);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, GridHeaderBlock,
    ::testing::Values(
        HeaderBlockCase{"heading_over_two_columns_is_centred_on_one_line", CellRange(0, 2, 0, 3), DT_WORDBREAK,
                        CellId(0, 3), 0, kHeaderBlockFormat, RECT{120, 0, 279, 19}},
        HeaderBlockCase{"heading_down_the_fixed_rows_is_centred_on_one_line", CellRange(0, 1, 2, 1), DT_LEFT,
                        CellId(2, 1), 0, kHeaderBlockFormat, RECT{40, 0, 119, 59}},
        // Column 1 scrolled out: column 2 starts at x 40.
        HeaderBlockCase{"heading_scrolls_sideways_with_its_columns", CellRange(0, 2, 0, 4), DT_LEFT,
                        CellId(0, 4), 1, kHeaderBlockFormat, RECT{40, 0, 279, 19}},
        HeaderBlockCase{"record_number_down_the_fixed_column_keeps_its_format", CellRange(3, 0, 5, 0),
                        DT_CENTER | DT_WORDBREAK, CellId(4, 0), 0, DT_CENTER | DT_WORDBREAK, RECT{0, 60, 39, 119}}),
    case_names::ByName);

TEST(GridPaintCells, PrinterShowsOwnColoursWithoutHighlightOrFrame)
{
    ExampleGrid g;
    FillCellTexts(*g);
    g->SetItemBkColor(5, 2, RGB(255, 0, 0));
    g->SetItemTextColor(5, 2, RGB(0, 0, 255));
    g->SetItemState(5, 2, CELL_SELECTED | CELL_FOCUSED | CELL_DROPHILITED);
    const RECT cell = CellRect(*g, 5, 2);
    RecordingDC dc(RecorderDevice(*g, RECT{}, true));
    ASSERT_TRUE(g->PaintCell(&dc, 5, 2, cell, FALSE));
    const DcCall fill = OnlyCall(dc, DcCallKind::FillSolidRect);
    EXPECT_EQ(fill.color, RGB(255, 0, 0));
    EXPECT_EQ(fill.rect, (RECT{cell.left, cell.top, cell.right + 1, cell.bottom + 1}));
    EXPECT_TRUE(dc.CallsOf(DcCallKind::Rectangle).empty());
    const DcCall text = OnlyCall(dc, DcCallKind::DrawText);
    EXPECT_EQ(text.attr.textColor, RGB(0, 0, 255));
    EXPECT_EQ(text.text, "5,2");

    // A header on paper keeps its edges but is not filled.
    dc.Clear();
    ASSERT_TRUE(g->PaintHeaderCell(&dc, 1, 2, CellRect(*g, 1, 2), FALSE));
    EXPECT_TRUE(dc.CallsOf(DcCallKind::FillSolidRect).empty());
    EXPECT_EQ(dc.CallsOf(DcCallKind::LineTo).size(), 4u);
}

TEST(GridPaintCells, NothingIsDrawnForAnInvalidCellOrWhileDrawingIsOff)
{
    ExampleGrid g;
    RecordingDC dc(RecorderDevice(*g));
    EXPECT_FALSE(g->PaintCell(&dc, 99, 2, RECT{0, 0, 10, 10}, FALSE));
    g->SetDrawingEnabled(FALSE);
    EXPECT_FALSE(g->PaintCell(&dc, 5, 2, CellRect(*g, 5, 2), FALSE));
    EXPECT_FALSE(g->RedrawCell(5, 2, &dc));
    EXPECT_TRUE(dc.Calls().empty());
}

struct MeasureCase { const char* name; CellId cell; bool bold; };

class GridMeasureCell : public ::testing::TestWithParam<MeasureCase> {};

// Fixed cells are measured bold, so a header sized by them fits its focus look.
TEST_P(GridMeasureCell, FontAndExtent)
{
    ExampleGrid g;
    const CellId cell = GetParam().cell;
    g->SetItemText(cell.row, cell.col, "Threshold");
    RecordingDC dc(RecorderDevice(*g));
    const LOGFONT contextFont = dc.Attributes().font;
    const SIZE size = g->MeasureCell(cell.row, cell.col, &dc);

    const std::vector<DcCall> fonts = dc.CallsOf(DcCallKind::SelectFont);
    ASSERT_EQ(fonts.size(), 2u);   // the measuring font, then the previous one again
    LOGFONT expected = g->GetItemFont(cell.row, cell.col);
    if (GetParam().bold)
        expected.lfWeight = 600;
    EXPECT_TRUE(fonts[0].attr.font == expected);
    EXPECT_TRUE(fonts[1].attr.font == contextFont) << "the context's own font is selected back";
    const int m = g->GetCellMargin();
    EXPECT_EQ(size.cx, 9 * RecordingDC::AveCharWidth(expected) + 4 * m);
    EXPECT_EQ(size.cy, RecordingDC::CellHeight(expected) + 2 * m);
}

INSTANTIATE_TEST_SUITE_P(Cells, GridMeasureCell,
                         ::testing::Values(MeasureCase{"fixed_row_cell_is_bold", CellId(1, 2), true},
                                           MeasureCase{"fixed_column_cell_is_bold", CellId(5, 0), true},
                                           MeasureCase{"scrolling_cell_is_not", CellId(5, 2), false}),
                         case_names::ByName);

}  // namespace
