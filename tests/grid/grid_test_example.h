#pragma once
// The grid of the scrolling worked example: client area 500 x 300, three
// fixed rows and 30 data rows of 20 pixels (FRH 60), one fixed column of 40
// and 12 more columns (5 x 80, 6 x 65, 70), 900 pixels in all.
#include <functional>
#include <vector>

#include "grid_test_client.h"

struct ExampleGrid : GridWindow {
    static constexpr int kRows = 33;
    static constexpr int kCols = 13;

    // `beforeFixing` may merge blocks before the rows and column are fixed,
    // as the record table view does with its header blocks.
    explicit ExampleGrid(const std::function<void(CGridCtrl&)>& beforeFixing = {})
        : GridWindow(new CGridCtrl(kRows, kCols, 0, 0), 500, 300)
    {
        if (beforeFixing)
            beforeFixing(*grid);
        grid->SetFixedRows(3);
        grid->SetFixedColumns(1);
        SetSizes(**this, std::vector<int>(kRows, 20), {40, 80, 80, 80, 80, 80, 65, 65, 65, 65, 65, 65, 70});
        grid->UpdateScrollRanges();
        SetClientSize(**this, 500, 300);
        grid->UpdateScrollRanges();
    }

    // Puts both bars at the given positions (clamped by the bars).
    void ScrollTo(int horz, int vert) const
    {
        grid->SetScrollPosition(SB_HORZ, horz);
        grid->SetScrollPosition(SB_VERT, vert);
    }
};
