#pragma once
// Merged blocks as the cell drawing sees them: which cell's content is drawn
// for a member of a block, and in which rectangle. Every visible member of a
// block draws the whole visible part of the block again with the master's
// content, so the block looks the same whichever member is drawn last.
#include "platform/WinTypes.h"

class CGridCtrl;

struct DrawnBlock {
    int row = -1;        // the cell whose content is drawn: the master, or the cell itself
    int col = -1;
    int farRow = -1;     // the block's far (bottom-right) corner; the cell itself when not merged
    int farCol = -1;
    bool merged = false; // the cell belongs to a block of more than one cell
};

// The drawn cell and far corner of (row, col).
DrawnBlock ResolveDrawnBlock(const CGridCtrl& grid, int row, int col);

// Where the first visible part of a block starts.
enum class BlockStart {
    ScrollingCell,   // both edges from the first visible row and column of the block
    HeaderCell,      // header blocks keep their fixed edge (row or column) at the master's
};

// The rectangle a block is drawn in, from the cell rectangle passed to the
// drawing call: right and bottom of the far corner, left and top of the
// block's first visible member. Unchanged when not merged or when the far
// corner has no rectangle.
RECT DrawnBlockRect(const CGridCtrl& grid, const DrawnBlock& block, RECT rect, BlockStart start);
