#pragma once
// Finding a text in the cells of a grid as they are shown, reading the
// store's texts in place (no cell object per cell): a search that finds
// nothing on 196,609 rows must still answer at once.
#include "grid/store/GridCell.h"

#include <QString>
#include <string>
#include <string_view>

class GridCellStore;

// Whether one cell's text holds the text sought.
class GridTextMatcher {
public:
    GridTextMatcher() = default;
    // `text` is UTF-8; without `matchCase` letters match in either case.
    GridTextMatcher(std::string text, bool matchCase);
    bool IsEmpty() const { return needle.empty(); }
    bool Matches(std::string_view cellText) const;

private:
    std::string needle;        // ASCII letters folded to lower case unless matching case
    bool matchCase = false;
    QString unicodeNeedle;     // set when the text has letters beyond ASCII that have a case
};

// The cells a search visits, in reading order: the cells outside the fixed
// rows and columns, row by row; a merged block is visited once, at its master.
// Positions run from 0 to Size() - 1 and include the covered cells, which
// Visits() refuses.
class GridSearchOrder {
public:
    explicit GridSearchOrder(const GridCellStore& store);
    long long Size() const;
    CellId CellAt(long long position) const;
    // The position of a cell outside the fixed rows and columns; -1 otherwise.
    long long PositionOf(CellId cell) const;
    bool Visits(long long position) const;
    bool Matches(long long position, const GridTextMatcher& matcher) const;

private:
    const GridCellStore* store;
    int firstRow, firstColumn, rowCount, columnCount;
};

struct GridFindResult {
    CellId cell{-1, -1};
    bool wrapped = false;   // the search went past the last cell (or the first, going back)
    bool Found() const { return cell.row >= 0; }
};

// The first matching cell after `from` (going back: before it), wrapping
// round the grid, `from` itself last; with `includeFrom`, `from` first.
// Without a valid `from` the search starts at the first (last) cell.
GridFindResult FindCell(const GridCellStore& store, const GridTextMatcher& matcher, CellId from, bool forward,
                        bool includeFrom);

// How many visited cells in positions [first, end) match.
long long CountMatches(const GridCellStore& store, const GridTextMatcher& matcher, long long first, long long end);
