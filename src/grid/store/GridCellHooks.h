#pragma once
// The three virtual operations of CGridCtrl that the cell store calls back.
#include <string>

#include "grid/store/GridCell.h"

class GridCellView;

// CGridCtrl implements this interface and hands itself to its GridCellStore
// (GridCellStore::SetHooks). The store calls every hook through it, so a grid
// derived from CGridCtrl that overrides NewCell, ReleaseCell or GetItemText is
// honoured. The defaults CGridCtrl should give are one-liners over the store:
//   GetItemText  -> store.GetItemText(row, col)
//   NewCell      -> store.DefaultNewCell(row, col)
//   ReleaseCell  -> store.DefaultReleaseCell(row, col)
class GridCellHooks {
public:
    virtual ~GridCellHooks() = default;

    // The text shown for a cell; used by GetItem and by the row sort.
    virtual std::string GetItemText(int row, int col) const = 0;
    // The initial attributes of a cell being created at (row, col).
    virtual GridCell NewCell(int row, int col) = 0;
    // Runs once for every cell just before it is deleted; the cell still
    // exists, so store operations on (row, col) work inside.
    virtual void ReleaseCell(const GridCellView& cell, int row, int col) = 0;
    // True when NewCell and ReleaseCell are exactly the defaults above: the
    // store may then make and free whole rows at once without calling them.
    virtual bool DefaultCellHooks() const { return false; }
};
