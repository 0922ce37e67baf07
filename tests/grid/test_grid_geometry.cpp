// Cell geometry of the grid window on the grid of the worked example (client
// 500 x 300, FRH 60, FCW 40): scroll limits, top-left scroll cell, hit tests,
// visible ranges, cell origins and rectangles, visibility.
#include <gtest/gtest.h>

#include "grid_test_example.h"

namespace {

// Rows of height h below three fixed rows: positions 0..2h show row 3, 2h+1..5h
// row 6, 5h+1..8h row 9: rounded up to a row, then down to a group of three.
// Columns are rounded up to a column.
TEST(GridGeometryExample, TopLeftCellOfPositions)
{
    ExampleGrid g;
    const struct { int horz, vert; CellId topLeft; } cases[] = {
        {0, 0, {3, 1}},     {1, 1, {3, 2}},     {80, 40, {3, 2}},   {81, 41, {6, 3}},
        {400, 100, {6, 6}}, {0, 101, {9, 1}},   {0, 160, {9, 1}},   {0, 161, {12, 1}},
        {0, 420, {24, 1}},  {0, 421, {24, 1}}};
    for (const auto& c : cases) {
        g.ScrollTo(c.horz, c.vert);
        EXPECT_EQ(g->GetTopLeftScrollCell(), c.topLeft) << "positions " << c.horz << ", " << c.vert;
    }
}

TEST(GridGeometryExample, CellFromPoint)
{
    const struct { int horz, vert; POINT point; BOOL allowFixed; CellId expected; } cases[] = {
        {0, 0, {10, 10}, TRUE, {0, 0}},      {0, 0, {10, 10}, FALSE, {-1, -1}},   {0, 0, {-1, 70}, TRUE, {3, -1}},
        {0, 0, {39, 79}, TRUE, {3, 0}},      {0, 0, {40, 60}, TRUE, {3, 1}},      {0, 0, {120, 61}, TRUE, {3, 2}},
        {0, 60, {10, 70}, TRUE, {6, 0}},     {0, 60, {10, 70}, FALSE, {6, -1}},   {80, 0, {45, 5}, TRUE, {0, 2}},
        {400, 421, {430, 239}, TRUE, {32, 12}}, {400, 421, {430, 240}, TRUE, {-1, 12}}};
    ExampleGrid g;
    for (const auto& c : cases) {
        g.ScrollTo(c.horz, c.vert);
        EXPECT_EQ(g->GetCellFromPoint(c.point, c.allowFixed), c.expected)
            << "point " << c.point.x << "," << c.point.y << " at " << c.horz << "," << c.vert << " fixed " << c.allowFixed;
    }
}

TEST(GridGeometryExample, VisibleRanges)
{
    ExampleGrid g;
    RECT extent;
    // At the top the last row ends exactly on the client bottom: wholly visible.
    EXPECT_EQ(g->GetVisibleScrollRange(&extent), CellRange(3, 1, 14, 6));
    EXPECT_EQ(extent, (RECT{0, 0, 500, 300}));
    EXPECT_EQ(g->GetFullyVisibleScrollRange(), CellRange(3, 1, 14, 5));
    // At the end the rows run out before the client bottom; the last column ends on the client's right edge.
    g.ScrollTo(100000, 100000);
    EXPECT_EQ(std::pair(g->GetScrollPosition(SB_VERT), g->GetScrollPosition(SB_HORZ)), std::pair(421, 400));
    ASSERT_TRUE(g->GetCellRect(0, 12, &extent));
    EXPECT_EQ(extent.right, 499);
    EXPECT_EQ(g->GetVisibleScrollRange(&extent), CellRange(24, 6, 32, 12));
    EXPECT_EQ(extent, (RECT{0, 0, 500, 240}));
    // A row cut off at the bottom is visible but not fully.
    g.ScrollTo(0, 0);
    SetClientSize(*g, 500, 290);
    EXPECT_EQ(g->GetVisibleScrollRange(&extent).maxRow, 14);
    EXPECT_EQ(extent.bottom, 290);
    EXPECT_EQ(g->GetFullyVisibleScrollRange().maxRow, 13);
}

// Scrolled to vertical 60 (top row 6) and horizontal 80 (left column 2).
TEST(GridGeometryExample, CellOriginsWhenScrolled)
{
    ExampleGrid g;
    g.ScrollTo(80, 60);
    const struct { int row, col; BOOL ok; POINT origin; } cases[] = {
        {0, 0, TRUE, {0, 0}},   {0, 2, TRUE, {40, 0}},       {0, 1, FALSE, {}},  {6, 0, TRUE, {0, 60}},
        {5, 0, FALSE, {}},      {20, 3, TRUE, {120, 340}},   {33, 2, FALSE, {}}, {-1, 2, FALSE, {}}};
    for (const auto& c : cases) {
        POINT origin{-999, -999};
        ASSERT_EQ(g->GetCellOrigin(c.row, c.col, &origin), c.ok) << "cell " << c.row << "," << c.col;
        if (c.ok) {
            EXPECT_EQ(origin, c.origin) << "cell " << c.row << "," << c.col;
        }
    }
}

TEST(GridGeometryExample, RectanglesAreInclusiveAndTextMakesRoomForTheImage)
{
    ExampleGrid g;
    RECT rect;
    ASSERT_TRUE(g->GetCellRangeRect(CellRange(3, 1, 5, 2), &rect));
    EXPECT_EQ(rect, (RECT{40, 60, 199, 119}));

    GridImageList images;
    images.images.resize(2);
    images.imageWidth = 16;
    images.imageHeight = 16;
    g->SetImageList(&images);
    g->SetItemImage(3, 1, 1);
    ASSERT_TRUE(g->GetTextRect(3, 1, &rect));
    EXPECT_EQ(rect.left, 40 + g->GetCellMargin() + 16 + 1);
    g->SetItemImage(3, 1, 2);   // not in the list
    ASSERT_TRUE(g->GetTextRect(3, 1, &rect));
    EXPECT_EQ(rect.left, 40);
    g->SetImageList(nullptr);

    g.ScrollTo(0, 60);
    EXPECT_FALSE(g->GetCellRangeRect(CellRange(3, 1, 8, 2), &rect)) << "top corner scrolled out";
}

TEST(GridGeometryExample, CellVisibility)
{
    ExampleGrid g;
    EXPECT_TRUE(g->IsCellVisible(3, 6)) << "left edge 440 inside, most of it cut off";
    EXPECT_FALSE(g->IsCellVisible(3, 7)) << "left edge 505 beyond the client";
    EXPECT_TRUE(g->IsCellVisible(14, 1));
    EXPECT_FALSE(g->IsCellVisible(15, 1)) << "top edge on the client bottom";
    g.ScrollTo(0, 60);
    EXPECT_FALSE(g->IsCellVisible(5, 1)) << "scrolled out at the top";
    EXPECT_TRUE(g->IsCellVisible(0, 1));
    CGridCtrl unshown(5, 5);
    EXPECT_FALSE(unshown.IsCellVisible(0, 0)) << "no window";
}

}  // namespace
