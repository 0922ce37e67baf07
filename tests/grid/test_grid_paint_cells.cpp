// Drawing of single cells through the recording context: the header look
// that follows the focus (weight, sunken or raised edges), header blocks,
// printer contexts and MeasureCell.
// Example grid at scroll position 0: column 2 spans x 120..199, row 1 y 20..39.
#include <gtest/gtest.h>

#include "grid_test_paint_support.h"
#include <tuple>

namespace {

DcCall OnlyCall(const RecordingDC& dc, DcCallKind kind)
{
    const std::vector<DcCall> calls = dc.CallsOf(kind);
    EXPECT_EQ(calls.size(), 1u);
    return calls.empty() ? DcCall{} : calls.front();
}

// The focus is on (5, 2); its headers take the focus look: bold, a sunken
// edge round the cell and the text inside it. Other headers are raised: light
// top right -> top left -> bottom left, dark top right -> bottom right -> bottom left.
TEST(GridPaintCells, HeaderOfTheFocusIsBoldAndSunkenOthersRaised)
{
    const struct { CellId header; bool focusLook; } cases[] = {
        {{1, 2}, true}, {{5, 0}, true}, {{1, 3}, false}, {{6, 0}, false}, {{0, 0}, false}};
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_3DDKSHADOW);
    ExampleGrid g;
    FillCellTexts(*g);
    g->SetFocusCell(5, 2);
    for (const auto& [header, focusLook] : cases) {
        SCOPED_TRACE(testing::Message() << "header " << header.row << "," << header.col);
        const RECT cell = CellRect(*g, header.row, header.col);
        const auto [l, t, r, b] = std::tuple(cell.left, cell.top, cell.right, cell.bottom);
        RecordingDC dc(RecorderDevice(*g));
        const LOGFONT before = dc.Attributes().font;
        ASSERT_TRUE(g->PaintHeaderCell(&dc, header.row, header.col, cell, FALSE));
        const DcCall fill = OnlyCall(dc, DcCallKind::FillSolidRect);
        EXPECT_TRUE(fill.rect == cell && fill.color == g->GetFixedBkColor());
        const DcCall text = OnlyCall(dc, DcCallKind::DrawText);
        EXPECT_EQ(text.attr.font.lfWeight, focusLook ? 600 : g->GetItemFont(header.row, header.col).lfWeight);
        EXPECT_EQ(text.attr.textColor, g->GetFixedTextColor());
        EXPECT_TRUE(dc.Attributes().font == before) << "the context's font is given back";
        const int m = g->GetCellMargin();
        std::vector<std::tuple<POINT, POINT, COLORREF>> lines;
        for (const DcCall& line : dc.CallsOf(DcCallKind::LineTo))
            lines.emplace_back(line.from, line.to, line.attr.pen.color);
        const std::vector<DcCall> edges = dc.CallsOf(DcCallKind::DrawEdge);
        if (focusLook) {
            ASSERT_EQ(edges.size(), 1u);
            EXPECT_TRUE(edges[0].rect == (RECT{l, t, r + 1, b + 1}) && edges[0].format == BDR_SUNKENINNER
                        && edges[0].flags == BF_RECT);
            EXPECT_TRUE(lines.empty());
            EXPECT_EQ(text.rect, (RECT{l + 1 + m, t + 1, r - m, b}));
        } else {
            EXPECT_TRUE(edges.empty());
            EXPECT_EQ(lines, (std::vector<std::tuple<POINT, POINT, COLORREF>>{
                                 {{r, t}, {l, t}, light}, {{l, t}, {l, b}, light}, {{r, t}, {r, b}, dark},
                                 {{r, b}, {l, b}, dark}}));
            EXPECT_EQ(text.rect, (RECT{l + 1 + m, t + 1, r - 1 - m, b - 1}));
        }
    }
}

constexpr UINT kHeaderBlockFormat = 0x8025;   // DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS

// A block of header cells draws its master's text over the block's visible
// rectangle (before the edge and margins), whichever member is drawn.
TEST(GridPaintCells, HeaderBlocksDrawTheMastersTextCentredOverTheBlock)
{
    const struct { const char* name; CellRange block; UINT masterFormat; CellId drawn; int horzScroll; UINT format;
                   RECT area; } cases[] = {
        {"heading over two columns is centred on one line", {0, 2, 0, 3}, DT_WORDBREAK, {0, 3}, 0,
         kHeaderBlockFormat, {120, 0, 279, 19}},
        {"heading down the fixed rows is centred on one line", {0, 1, 2, 1}, DT_LEFT, {2, 1}, 0, kHeaderBlockFormat,
         {40, 0, 119, 59}},
        // Column 1 scrolled out: column 2 starts at x 40.
        {"heading scrolls sideways with its columns", {0, 2, 0, 4}, DT_LEFT, {0, 4}, 1, kHeaderBlockFormat,
         {40, 0, 279, 19}},
        {"record number down the fixed column keeps its format", {3, 0, 5, 0}, DT_CENTER | DT_WORDBREAK, {4, 0}, 0,
         DT_CENTER | DT_WORDBREAK, {0, 60, 39, 119}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
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
        EXPECT_EQ(text.format, c.format);
        EXPECT_EQ(OnlyCall(dc, DcCallKind::FillSolidRect).rect, c.area);
    }
}

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

// Fixed cells are measured bold, so a header sized by them fits its focus
// look; the context's own font is selected back.
TEST(GridPaintCells, MeasureCellUsesTheDrawnFontAndTheMargins)
{
    ExampleGrid g;
    for (const auto& [row, col, bold] : {std::tuple(1, 2, true), std::tuple(5, 0, true), std::tuple(5, 2, false)}) {
        g->SetItemText(row, col, "Threshold");
        RecordingDC dc(RecorderDevice(*g));
        const LOGFONT contextFont = dc.Attributes().font;
        const SIZE size = g->MeasureCell(row, col, &dc);
        LOGFONT expected = g->GetItemFont(row, col);
        expected.lfWeight = bold ? 600 : expected.lfWeight;
        const std::vector<DcCall> fonts = dc.CallsOf(DcCallKind::SelectFont);
        ASSERT_EQ(fonts.size(), 2u);
        EXPECT_TRUE(fonts[0].attr.font == expected && fonts[1].attr.font == contextFont) << row << "," << col;
        const int m = g->GetCellMargin();
        EXPECT_EQ(size.cx, 9 * RecordingDC::AveCharWidth(expected) + 4 * m);
        EXPECT_EQ(size.cy, RecordingDC::CellHeight(expected) + 2 * m);
    }
}

}  // namespace
