#pragma once
// Value types shared by the cell store and CGridCtrl: cell and range ids,
// the cell record, the item record of SetItem/GetItem, state and mask bits.
#include <cstdint>
#include <string>

#include "platform/WinTypes.h"

// Cell state bits (GridCell::state). 0x10 and the bits above 0x20 are unused.
constexpr UINT CELL_FOCUSED = 0x01;
constexpr UINT CELL_SELECTED = 0x02;
constexpr UINT CELL_DROPHILITED = 0x04;
constexpr UINT CELL_READONLY = 0x08;
constexpr UINT CELL_MODIFIED = 0x20;

// GridItem::mask bits: which attributes SetItem/GetItem move.
constexpr UINT ITEM_TEXT = 0x01;
constexpr UINT ITEM_IMAGE = 0x02;
constexpr UINT ITEM_PARAM = 0x04;
constexpr UINT ITEM_STATE = 0x08;
constexpr UINT ITEM_BKCOLOR = 0x10;
constexpr UINT ITEM_TEXTCOLOR = 0x20;
constexpr UINT ITEM_FORMAT = 0x40;
constexpr UINT ITEM_FONT = 0x80;

// The application's 32-bit value carried by every cell.
using CellParam = std::int32_t;

// A (row, column) pair; (-1, -1) means "no cell".
struct CellId {
    int row = -1;
    int col = -1;

    CellId() = default;
    CellId(int r, int c) : row(r), col(c) {}
    // Both parts name a row and a column (says nothing about the grid's size).
    bool IsValid() const { return row >= 0 && col >= 0; }
    friend bool operator==(const CellId&, const CellId&) = default;
};

// Rows minRow..maxRow by columns minCol..maxCol, all inclusive.
struct CellRange {
    int minRow = -1;
    int minCol = -1;
    int maxRow = -1;
    int maxCol = -1;

    CellRange() = default;
    CellRange(int r1, int c1, int r2, int c2) : minRow(r1), minCol(c1), maxRow(r2), maxCol(c2) {}
    // All four values >= 0 and min <= max (says nothing about the grid's size).
    bool IsValid() const
    {
        return minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0 && minRow <= maxRow && minCol <= maxCol;
    }
    bool InRange(int row, int col) const { return row >= minRow && row <= maxRow && col >= minCol && col <= maxCol; }
    bool InRange(CellId cell) const { return InRange(cell.row, cell.col); }
    CellId TopLeft() const { return {minRow, minCol}; }
    int RowSpan() const { return maxRow - minRow + 1; }
    int ColSpan() const { return maxCol - minCol + 1; }
    friend bool operator==(const CellRange&, const CellRange&) = default;
};

// The merged-block fields of a cell, in the cell's field order.
struct GridCellMerge {
    int joinedRight = 0;   // the block continues into the right neighbour
    int joinedDown = 0;    // the block continues into the cell below
    int covered = 0;       // inside a block, not its master: not drawn by itself
    int mergeLocked = 0;   // lock value of the block; non-zero rejects editing
    int rowSpan = 0;       // master only: further rows the block covers
    int colSpan = 0;       // master only: further columns the block covers
    int masterRow = 0;     // covered cells only: the master's row
    int masterCol = 0;     // covered cells only: the master's column

    // The cell belongs to a block of more than one cell.
    bool InBlock() const { return covered != 0 || rowSpan > 0 || colSpan > 0; }
    friend bool operator==(const GridCellMerge&, const GridCellMerge&) = default;
};

// One cell with every attribute, as NewCell returns it and GetCell copies it
// out. The store keeps cells in a compact form; this is the full record.
struct GridCell {
    int joinedRight = 0;
    int joinedDown = 0;
    int covered = 0;
    int mergeLocked = 0;
    int rowSpan = 0;
    int colSpan = 0;
    int masterRow = 0;
    int masterCol = 0;
    UINT state = 0;
    UINT format = 0;
    std::string text;
    int image = -1;
    COLORREF bkColor = CLR_DEFAULT;
    COLORREF textColor = CLR_DEFAULT;
    LOGFONT font{};
    CellParam param = 0;

    GridCellMerge Merge() const
    {
        return {joinedRight, joinedDown, covered, mergeLocked, rowSpan, colSpan, masterRow, masterCol};
    }
    void SetMerge(const GridCellMerge& m)
    {
        joinedRight = m.joinedRight;
        joinedDown = m.joinedDown;
        covered = m.covered;
        mergeLocked = m.mergeLocked;
        rowSpan = m.rowSpan;
        colSpan = m.colSpan;
        masterRow = m.masterRow;
        masterCol = m.masterCol;
    }
};

// The record SetItem and GetItem move several attributes through.
struct GridItem {
    int row = 0;
    int column = 0;
    UINT mask = 0;
    UINT state = 0;
    UINT format = 0;
    std::string text;
    int image = -1;
    COLORREF bkColor = CLR_DEFAULT;
    COLORREF textColor = CLR_DEFAULT;
    CellParam param = 0;
    LOGFONT font{};
};
