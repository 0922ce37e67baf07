#pragma once
// The grid of the scrolling worked example: client area 500 x 300, three
// fixed rows and 30 data rows of 20 pixels (FRH 60), one fixed column of 40
// and 12 more columns (5 x 80, 6 x 65, 70), 900 pixels in all.
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "grid_test_client.h"

// Centre of a cell at scroll position 0 (row r starts at y = 20 r, column c
// at x = 80 c - 40 after the fixed column of 40).
inline QPoint At(int row, int col) { return QPoint(col == 0 ? 20 : 80 * col, 20 * row + 10); }
inline QPoint At(CellId cell) { return At(cell.row, cell.col); }

struct CellText { int row, col; const char* text; };

struct ExampleGrid : GridWindow {
    static constexpr int kRows = 33;
    static constexpr int kCols = 13;

    // `beforeFixing` may merge blocks before the rows and column are fixed,
    // as the record table view does with its header blocks. `custom` is a
    // grid of kCols columns (a test subclass, or more rows) to use instead.
    explicit ExampleGrid(const std::function<void(CGridCtrl&)>& beforeFixing = {}, CGridCtrl* custom = nullptr)
        : GridWindow(custom ? custom : new CGridCtrl(kRows, kCols, 0, 0), 500, 300)
    {
        if (beforeFixing)
            beforeFixing(*grid);
        grid->SetFixedRows(3);
        grid->SetFixedColumns(1);
        SetSizes(**this, std::vector<int>(static_cast<std::size_t>(grid->GetRowCount()), 20),
                 {40, 80, 80, 80, 80, 80, 65, 65, 65, 65, 65, 65, 70});
        grid->UpdateScrollRanges();
        SetClientSize(**this, 500, 300);
        grid->UpdateScrollRanges();
    }

    // The user's steps on the client area and the keyboard.
    QWidget* View() const { return grid->viewport(); }
    void Press(QPoint p, Qt::KeyboardModifiers mods = {}) const { QTest::mousePress(View(), Qt::LeftButton, mods, p); }
    void MoveTo(QPoint p) const { QTest::mouseMove(View(), p); }
    void Release(QPoint p) const { QTest::mouseRelease(View(), Qt::LeftButton, {}, p); }
    void Click(QPoint p, Qt::KeyboardModifiers mods = {}) const { QTest::mouseClick(View(), Qt::LeftButton, mods, p); }
    void Keys(std::initializer_list<Qt::Key> keys, Qt::KeyboardModifiers mods = {}) const
    {
        for (const Qt::Key key : keys)
            QTest::keyClick(grid, key, mods);
    }
    void ExpectTexts(const std::vector<CellText>& cells) const
    {
        for (const CellText& c : cells)
            EXPECT_EQ(grid->GetItemText(c.row, c.col), c.text) << "cell " << c.row << "," << c.col;
    }

    // Puts both bars at the given positions (clamped by the bars).
    void ScrollTo(int horz, int vert) const
    {
        grid->SetScrollPosition(SB_HORZ, horz);
        grid->SetScrollPosition(SB_VERT, vert);
    }
};
