#pragma once
// The grid of the scrolling worked example: client area 500 x 300, three
// fixed rows and 30 data rows of 20 pixels (FRH 60), one fixed column of 40
// and 12 more columns (5 x 80, 6 x 65, 70), 900 pixels in all.
#include <vector>

#include "grid_test_client.h"

struct ExampleGrid : GridWindow {
    static constexpr int kRows = 33;
    static constexpr int kCols = 13;
    static constexpr int kClientWidth = 500;
    static constexpr int kClientHeight = 300;

    ExampleGrid() : GridWindow(new CGridCtrl(kRows, kCols, 3, 1), kClientWidth, kClientHeight)
    {
        SetSizes(**this, std::vector<int>(kRows, 20), {40, 80, 80, 80, 80, 80, 65, 65, 65, 65, 65, 65, 70});
        grid->UpdateScrollRanges();
        SetClientSize(**this, kClientWidth, kClientHeight);
        grid->UpdateScrollRanges();
    }

    // Puts both bars at the given positions (clamped by the bars).
    void ScrollTo(int horz, int vert) const
    {
        grid->SetScrollPosition(SB_HORZ, horz);
        grid->SetScrollPosition(SB_VERT, vert);
    }
};
