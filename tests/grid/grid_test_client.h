#pragma once
// Helpers for tests of the grid window: a grid created in a shown parent, and
// a client area (viewport) of an exact size whatever scroll bars it shows.
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "grid/CGridCtrl.h"

// Grid control id used by the record table view.
constexpr UINT kTestGridId = 1000;

// Delivers every posted event, queued slot calls included: the scroll area
// shows or hides its bars from a queued call after each range change, so one
// round of processEvents() need not settle them.
inline void SettleEvents()
{
    for (int round = 0; round < 4; ++round) {
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

// Resizes the grid until its client area is width x height, settling the scroll
// bars that come and go on the way. A size that cannot be reached fails the
// test here, not later as a wrong scroll limit.
inline void SetClientSize(CGridCtrl& grid, int width, int height)
{
    for (int attempt = 0; attempt < 6; ++attempt) {
        SettleEvents();
        const QSize client = grid.viewport()->size();
        if (client == QSize(width, height))
            return;
        grid.resize(grid.width() + width - client.width(), grid.height() + height - client.height());
    }
    SettleEvents();
    if (grid.viewport()->size() != QSize(width, height))
        ADD_FAILURE() << "client area stays " << grid.viewport()->width() << " x " << grid.viewport()->height()
                      << ", not " << width << " x " << height;
}

// A grid created as a child of a shown parent window.
struct GridWindow {
    std::unique_ptr<QWidget> parent = std::make_unique<QWidget>();
    CGridCtrl* grid = nullptr;

    explicit GridWindow(CGridCtrl* g, int width = 400, int height = 300,
                        DWORD style = CGridCtrl::WS_CHILD | CGridCtrl::WS_VISIBLE | CGridCtrl::WS_TABSTOP)
        : grid(g)
    {
        parent->resize(width + 200, height + 200);
        parent->show();
        grid->Create(RECT{0, 0, width, height}, parent.get(), kTestGridId, style);
    }
    ~GridWindow() { delete grid; }
    // Keys and the pointer act as on a user's window only in the active one.
    bool Activate() const
    {
        parent->activateWindow();
        return QTest::qWaitForWindowActive(parent.get());
    }
    CGridCtrl& operator*() const { return *grid; }
    CGridCtrl* operator->() const { return grid; }
};

// Sets row heights (rows of `heights`, in order) and column widths.
inline void SetSizes(CGridCtrl& grid, const std::vector<int>& heights, const std::vector<int>& widths)
{
    for (std::size_t r = 0; r < heights.size(); ++r)
        grid.SetRowHeight(static_cast<int>(r), heights[r]);
    for (std::size_t c = 0; c < widths.size(); ++c)
        grid.SetColumnWidth(static_cast<int>(c), widths[c]);
}
