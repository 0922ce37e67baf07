#pragma once
// Helpers for the rendering tests: paint a grid into an image or a recorder,
// and read pixels.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "grid_test_example.h"
#include "platform/QPainterDC.h"
#include "RecordingDC.h"
#include "platform/SysColors.h"

// The whole client area painted by PaintGrid into a white memory context.
inline std::unique_ptr<MemoryDC> PaintToImage(CGridCtrl& grid)
{
    const RECT client = grid.GetClientRect();
    auto dc = std::make_unique<MemoryDC>(client.Width(), client.Height());
    grid.PaintGrid(dc.get());
    return dc;
}

// A recorder covering the client area (or the given device clip box).
inline RecordingDC::Device RecorderDevice(const CGridCtrl& grid, RECT clip = RECT{}, bool printing = false)
{
    RecordingDC::Device device;
    const RECT client = grid.GetClientRect();
    device.horzRes = client.Width();
    device.vertRes = client.Height();
    device.clipBox = clip;
    device.printing = printing;
    return device;
}

inline RECT CellRect(const CGridCtrl& grid, int row, int col)
{
    RECT rect;
    EXPECT_TRUE(grid.GetCellRect(row, col, &rect)) << "cell " << row << "," << col;
    return rect;
}

// Texts "row,col" in every cell, so drawn cells can be told apart by text.
inline void FillCellTexts(CGridCtrl& grid)
{
    for (int row = 0; row < grid.GetRowCount(); ++row)
        for (int col = 0; col < grid.GetColumnCount(); ++col)
            grid.SetItemText(row, col, std::to_string(row) + "," + std::to_string(col));
}

inline std::string ColorName(COLORREF color)
{
    char text[32];
    std::snprintf(text, sizeof text, "RGB(%d,%d,%d)", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}

#define EXPECT_PIXEL(dc, x, y, color) \
    EXPECT_EQ(ColorName((dc).GetPixel(x, y)), ColorName(color)) << "pixel (" << (x) << ", " << (y) << ")"
