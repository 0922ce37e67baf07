#pragma once
// Where a store gets the texts of cells filled with texts made on demand
// (GridCellStore::SetItemsOnDemand): a table whose texts follow from its data
// need not format and keep millions of them up front.
#include <string>

class CellTextProvider {
public:
    virtual ~CellTextProvider() = default;
    // The text of the cell in column col of the row that was `row` when the
    // cell was filled (sorting moves the cell, not its text's origin).
    virtual std::string CellText(int row, int col) const = 0;
};
