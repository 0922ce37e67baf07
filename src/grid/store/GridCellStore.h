#pragma once
// GridCellStore: the content of a CGridCtrl without any window: the table of
// cells, row heights and column widths, fixed counts, merged blocks, the
// selected-cell set, and the editable/modified flags. Plain C++, no Qt.
//
// How CGridCtrl uses it
// ---------------------
// * Hold one GridCellStore member, derive from GridCellHooks and call
//   store.SetHooks(this) in the constructor, before the four counts are set.
//   Implement the three hooks as CGridCtrl's own virtuals (GetItemText,
//   NewCell, ReleaseCell) with the defaults given in GridCellHooks.h. The
//   store calls them virtually for every cell it creates, releases, or reads
//   the shown text of (GetItem, SortRowsByText), except that whole rows are
//   made and freed without a call per cell while DefaultCellHooks() says
//   NewCell and ReleaseCell are the defaults.
// * The store never touches focus, scroll bars or the screen. The wrappers do
//   those steps around the store call:
//     SetRowCount(n):   if n == store.RowCount() return TRUE;
//                       if focus row >= n: MoveFocusTo(-1, -1);
//                       store.SetRowCount(n);
//                       if window && drawingEnabled: UpdateScrollRanges, invalidate.
//     SetColumnCount:   the same with columns.
//     SetFixedRows(n):  if n > RowCount: the wrapper's SetRowCount(n);
//                       if focus row < n: MoveFocusTo(-1, -1);
//                       store.SetFixedRows(n); invalidate if drawing.
//     DeleteAllItems:   ClearSelection(); store.DeleteAllItems();
//                       focus = (-1, -1); UpdateScrollRanges().
//     SortRowsByText:   ClearSelection(); store.SortRowsByText(col, asc).
//     FitColumnWidth:   store.FitColumnWidth(c, measure) with a measure that
//                       calls the virtual MeasureCell on the window's DC;
//                       then UpdateScrollRanges (FALSE without a DC).
//     The destructor:   DeleteAllItems() first, so ReleaseCell runs per cell.
// * Geometry: the size sums and RowTop/RowAtOffset (and the column twins) use
//   cached prefix sums; they equal the plain sums at all times.
// * Rendering reads cells with the Get... operations, GetCellMerge, or a
//   GridCellView (CellView), none of which copy more than asked for.
//
// Storage: rows of 40-byte CompactCells, or (most rows of a large table) a
// shared row pattern plus a base (CellArray); a text made on demand and a
// covered cell's master row are kept relative to the row's base. Texts up
// to 15 bytes live inside the cell; background, text colour and font are an
// index into a per-grid table of styles, fonts are interned once per grid;
// merge fields are an index into a table of merge records plus three flag
// bits. Sorting swaps the rows' entries.
#include <array>
#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "grid/store/CellArray.h"
#include "grid/store/CellTables.h"
#include "grid/store/CellTextProvider.h"
#include "grid/store/GridCell.h"
#include "grid/store/GridCellHooks.h"
#include "grid/store/SelectedCellSet.h"
#include "grid/store/SizeAxis.h"
#include "platform/WinTypes.h"

class GridCellStore;

// Read access to one existing cell, handed to ReleaseCell and to renderers.
// Valid until the next change of the store (a new font or style may move the
// tables Font() points into; counts and sorting move cells).
class GridCellView {
public:
    GridCellView(const GridCellStore& store, const CompactCell& cell, int row, int col)
        : store_(&store), cell_(&cell), row_(row), col_(col)
    {
    }

    // The shown text as stored (made now for a text made on demand).
    std::string Text() const;
    UINT State() const;
    UINT Format() const { return cell_->format; }
    int Image() const { return cell_->image; }
    CellParam Param() const { return cell_->param; }
    COLORREF BkColor() const;
    COLORREF TextColor() const;
    const LOGFONT& Font() const;
    GridCellMerge Merge() const;
    // A full copy of the cell.
    GridCell ToGridCell() const;

private:
    const GridCellStore* store_;
    const CompactCell* cell_;
    int row_;
    int col_;
};

class GridCellStore {
public:
    explicit GridCellStore(GridCellHooks* hooks = nullptr);
    // Frees remaining cells WITHOUT calling the hooks (the grid owning the
    // hooks is being destroyed); call DeleteAllItems first to release them.
    ~GridCellStore();
    GridCellStore(const GridCellStore&) = delete;
    GridCellStore& operator=(const GridCellStore&) = delete;

    // Where NewCell, ReleaseCell and GetItemText go; nullptr = the defaults.
    void SetHooks(GridCellHooks* hooks) { hooks_ = hooks; }
    GridCellHooks* Hooks() const { return hooks_; }

    // ---- Counts and sizing (GridCellStoreSizing.cpp) ----
    int RowCount() const { return rowCount_; }
    int ColumnCount() const { return columnCount_; }
    int FixedRowCount() const { return fixedRowCount_; }
    int FixedColumnCount() const { return fixedColumnCount_; }
    // TRUE; FALSE for a negative count (nothing changes). Removed cells get
    // ReleaseCell once each, new cells come from NewCell in row-major order.
    BOOL SetRowCount(int n);
    BOOL SetColumnCount(int n);
    // Grows the table first when n exceeds the count; FALSE for negative n.
    BOOL SetFixedRows(int n);
    BOOL SetFixedColumns(int n);
    // Releases every cell (rows outer, columns inner) and empties the store.
    BOOL DeleteAllItems();

    bool IsValid(int row, int col) const { return row >= 0 && row < rowCount_ && col >= 0 && col < columnCount_; }
    bool IsValid(CellId cell) const { return IsValid(cell.row, cell.col); }
    // All four values >= 0, inside the counts, min <= max.
    bool IsValid(const CellRange& range) const;
    BOOL IsCellFixed(int row, int col) const { return row < fixedRowCount_ || col < fixedColumnCount_; }
    BOOL IsCellFixed(CellId cell) const { return IsCellFixed(cell.row, cell.col); }

    // ---- Grid-wide defaults and flags ----
    int DefaultRowHeight() const { return defaultRowHeight_; }
    int DefaultColumnWidth() const { return defaultColumnWidth_; }
    void SetDefaultRowHeight(int height) { defaultRowHeight_ = height; }
    void SetDefaultColumnWidth(int width) { defaultColumnWidth_ = width; }
    const LOGFONT& GridLogFont() const { return gridLogFont_; }
    // The font of new cells; existing cells keep theirs (WM_SETFONT sets them
    // with SetItemFont).
    void SetGridLogFont(const LOGFONT& font);
    BOOL IsEditable() const { return editable_; }
    void SetEditable(BOOL editable) { editable_ = editable ? TRUE : FALSE; }
    BOOL GetModified() const { return modified_; }

    // ---- Cell attributes (GridCellStoreItems.cpp) ----
    // TRUE; FALSE for a null item or an invalid cell.
    BOOL SetItem(const GridItem* item);
    BOOL GetItem(GridItem* item) const;
    BOOL SetItemText(int row, int col, std::string_view text);
    // The stored text; "" for an invalid cell. (CGridCtrl's virtual
    // GetItemText returns this by default.) A text made on demand is made
    // now, by the text provider.
    std::string GetItemText(int row, int col) const;
    // The stored text without a copy; empty for an invalid cell. A text
    // made on demand is made into a buffer that the next call reuses.
    std::string_view ItemTextView(int row, int col) const;

    // ---- Texts made on demand ----
    // Where texts made on demand come from; the provider must outlive every
    // cell filled through it (or the store is emptied first).
    void SetTextProvider(const CellTextProvider* provider) { textProvider_ = provider; }
    const CellTextProvider* TextProvider() const { return textProvider_; }
    // Gives every cell of a valid block the format and a text made on demand:
    // any query of the text asks the provider with the row the cell had when
    // filled (a sort moves the cell, the row it asks for stays) and its
    // column. The cell answers exactly as if the provider's text had been
    // stored; writing a text replaces it for good. FALSE (nothing
    // changes) without a provider or for an invalid block.
    BOOL SetItemsOnDemand(const CellRange& block, UINT format);
    // Fills rows to..to+count-1 again as rows from..from+count-1 are filled:
    // every attribute but the selection is copied, a text made on demand
    // asks for its row moved by to - from, and the source's blocks are made
    // again at the destination. FALSE (nothing changes) when either range
    // leaves the grid, the destination meets a fixed row or a
    // cell in a block, or a source block reaches outside the source rows or
    // may have lost its shape (after a sort or a cut through it).
    // Rows of a shared pattern are repeated without cells of their own.
    BOOL RepeatRows(int from, int count, int to);
    // Keeps the selected-cell set in step with CELL_SELECTED.
    BOOL SetItemState(int row, int col, UINT state);
    UINT GetItemState(int row, int col) const;                 // 0 when invalid
    BOOL SetItemFormat(int row, int col, UINT format);
    UINT GetItemFormat(int row, int col) const;                // 0 when invalid
    BOOL SetItemImage(int row, int col, int image);
    int GetItemImage(int row, int col) const;                  // -1 when invalid
    BOOL SetItemParam(int row, int col, CellParam param);
    CellParam GetItemParam(int row, int col) const;            // 0 when invalid
    BOOL SetItemBkColor(int row, int col, COLORREF color);
    COLORREF GetItemBkColor(int row, int col) const;           // CLR_DEFAULT when invalid
    BOOL SetItemTextColor(int row, int col, COLORREF color);
    COLORREF GetItemTextColor(int row, int col) const;         // CLR_DEFAULT when invalid
    BOOL SetItemFont(int row, int col, const LOGFONT& font);
    LOGFONT GetItemFont(int row, int col) const;               // gridLogFont when invalid
    // A full copy of a cell; a new-cell GridCell (font = gridLogFont) when invalid.
    GridCell GetCell(int row, int col) const;
    // Read access to a valid cell (precondition: IsValid(row, col)).
    GridCellView CellView(int row, int col) const;

    // The default NewCell: new-cell values, font = gridLogFont, format copied
    // from the cell above when row > 0 and the column is valid.
    GridCell DefaultNewCell(int row, int col) const;
    // The default ReleaseCell: SetItemState(row, col, 0), then empty the text.
    void DefaultReleaseCell(int row, int col);

    // ---- Row heights and column widths (GridCellStoreSizes.cpp) ----
    // FALSE when out of range or negative; nothing is redrawn.
    BOOL SetRowHeight(int row, int height);
    BOOL SetColumnWidth(int col, int width);
    int GetRowHeight(int row) const;     // -1 when out of range
    int GetColumnWidth(int col) const;   // -1 when out of range
    int FixedRowsHeight() const;
    int FixedColumnsWidth() const;
    int TotalRowsHeight() const;
    int TotalColumnsWidth() const;
    // Sum of the heights of rows [0, row); row may equal RowCount(). -1 when out of range.
    int RowTop(int row) const;
    int ColumnLeft(int col) const;
    // Sum of the heights of rows first..last inclusive: 0 when last < first,
    // -1 when first or last is out of range.
    int RowsHeight(int first, int last) const;
    int ColumnsWidth(int first, int last) const;
    // The row whose span [RowTop(r), RowTop(r+1)) holds y (rows of height 0
    // are skipped); RowCount() when y >= TotalRowsHeight(), -1 when y < 0.
    // Complexity: O(log(n)).
    int RowAtOffset(int y) const;
    int ColumnAtOffset(int x) const;
    // Width (cx) of each row's cell from measure(row, col), largest kept, as
    // the column's width. FALSE when out of range.
    using CellMeasure = std::function<SIZE(int row, int col)>;
    BOOL FitColumnWidth(int col, const CellMeasure& measure);
    // Height (cy) of each column's cell, largest kept, as the row's height.
    BOOL FitRowHeight(int row, const CellMeasure& measure);

    // ---- Merged blocks, editing marks, sort (GridCellStoreMerge.cpp, ...Sort.cpp) ----
    // Joins the block row..row+|down| by col..col+|right|. Refused silently
    // when a corner is invalid, the master is fixed, or the block touches a
    // cell that is covered or has a span. Nothing is redrawn.
    void MergeCells(int row, int col, int down, int right, int lock);
    // The merged-block fields of a cell; all zero when invalid.
    GridCellMerge GetCellMerge(int row, int col) const;
    // FALSE when invalid, merge-locked, grid not editable, or CELL_READONLY.
    BOOL IsCellEditable(int row, int col) const;
    BOOL IsCellEditable(CellId cell) const { return IsCellEditable(cell.row, cell.col); }
    // row <= 0 or col <= 0: only the grid-wide flag. Otherwise marks or
    // unmarks the cell (invalid cells: nothing); when the grid-wide flag ends
    // up clear, CELL_MODIFIED is removed from every cell.
    void SetModified(BOOL modified, int row = -1, int col = -1);
    // Quicksort of rows FixedRowCount()..RowCount()-1 by the shown text of
    // col (byte order; equal texts never swap; rows move with their heights).
    // FALSE when col is out of range or fewer than two rows. The text of
    // each row is asked once through GetItemText and moves with its row.
    // The caller clears the selection and focus first; cells still selected
    // move with their rows.
    BOOL SortRowsByText(int col, BOOL ascending);
    // The same over rows lo..hi (hi = -1: the last row); FALSE also when
    // lo or hi lie outside the rows.
    BOOL SortRowsByText(int col, BOOL ascending, int lo, int hi);

    // ---- Selection ----
    // Every cell whose state has CELL_SELECTED. The set is where that bit
    // lives: a cell's stored state never holds it, GetItemState adds it.
    const SelectedCellSet& SelectedCells() const { return selectedCells_; }
    // Bulk forms of SetItemState's CELL_SELECTED for the selection
    // operations: select every cell of a block (clipped to the grid), every
    // valid cell of another set, or none.
    void SelectBlock(const CellRange& block);
    void SelectCells(const SelectedCellSet& cells);
    void UnselectAll() { selectedCells_.Clear(); }

    // All invariants hold; on failure, *why names the first broken one.
    // Complexity: O(number of cells).
    bool checkConsistency(std::string* why = nullptr) const;

private:
    // The merged-block part of checkConsistency.
    bool checkBlocks(std::string* why) const;

private:
    friend class GridCellView;

    // Writing access gives the row cells of its own first.
    CompactCell& Cell(int row, int col)
    {
        if (cells_.Patterned(row))
            Own(row);
        return cells_.At(row, col);
    }
    const CompactCell& Cell(int row, int col) const { return cells_.At(row, col); }
    // Gives a patterned row cells of its own (values stay relative to the
    // row's base); the row owned longest before goes back to pattern form.
    void Own(int row);
    // Puts a row of its own back into pattern form (rows of a pattern cost
    // no cells of their own).
    void Settle(int row);
    // The shown text, through the GetItemText hook.
    std::string ShownText(int row, int col) const;
    // A cell's text as stored in column col, made by the provider when on demand.
    std::string StoredText(const CompactText& text, int row, int col) const;
    // NewCell and ReleaseCell are the defaults (no hooks, or hooks saying so).
    bool DefaultCells() const { return !hooks_ || hooks_->DefaultCellHooks(); }
    // Whether RepeatRows may copy these rows (see there).
    bool CanRepeatRows(int from, int count, int to) const;
    // Creates the cell at (row, col) through the NewCell hook.
    void CreateCell(int row, int col);
    // Stores a GridCell's attributes into the compact cell at (row, col).
    void StoreCell(int row, int col, const GridCell& cell);
    // Runs the ReleaseCell hook for (row, col).
    void ReleaseCell(int row, int col);
    // Releases every cell of the rows from first on, which go right after.
    void ReleaseRows(int first);
    // The style of a cell with one attribute replaced.
    void ChangeStyle(CompactCell& cell, const CellStyle& style);
    // The merge fields of the cell read at row.
    GridCellMerge MergeOf(const CompactCell& cell, int row) const;
    // The cell is covered or has a span: a new block may not include it.
    bool InBlock(const CompactCell& cell) const;
    // Stores merge fields into the cell at row (already its own).
    void SetMergeOf(int row, CompactCell& cell, const GridCellMerge& merge);
    // The cell's merge word for these fields and a MergeTable index.
    static std::uint32_t MergeWord(const GridCellMerge& merge, std::uint32_t recordIndex);
    // Forgets fonts, styles and merge records when no cell is left.
    void ResetTablesIfEmpty();
    // The compact form of a new cell with default values.
    CompactCell BlankCell() const;
    void FreeAllCells();
    // One quicksort partition step and its recursion over rows lo..hi.
    void SortRange(std::vector<std::string>& texts, int lo, int hi, bool ascending);
    void SwapRows(std::vector<std::string>& texts, int a, int b);

    GridCellHooks* hooks_ = nullptr;
    int rowCount_ = 0;
    int columnCount_ = 0;
    int fixedRowCount_ = 0;
    int fixedColumnCount_ = 0;
    SizeAxis rowHeights_;
    SizeAxis columnWidths_;
    int defaultRowHeight_ = 10;
    int defaultColumnWidth_ = 30;
    LOGFONT gridLogFont_{};
    CellArray cells_;   // the rowTable: rowCount rows of columnCount cells
    SelectedCellSet selectedCells_;
    BOOL editable_ = TRUE;
    BOOL modified_ = FALSE;

    FontTable fonts_;
    StyleTable styles_;
    MergeTable merges_;
    std::uint32_t defaultStyle_ = 0;   // CLR_DEFAULT colours, gridLogFont
    // No sort or hook has moved or made merged cells since the grid was
    // empty, so every block still has its merged shape (checkConsistency).
    bool blocksIntact_ = true;
    int textBase_ = 0;   // first row of the range being sorted
    const CellTextProvider* textProvider_ = nullptr;
    mutable std::string onDemandView_;   // what ItemTextView returned last for a text made on demand
    // Rows given cells of their own lately, oldest first out: references
    // into a row stay valid while an operation works on a few rows.
    std::array<int, 8> ownedRows_{-1, -1, -1, -1, -1, -1, -1, -1};
    std::size_t nextOwned_ = 0;
    std::vector<CompactCell> settling_;   // a row on its way to its pattern
    // Rows from here on are being released and freed: a patterned row among
    // them is not given cells of its own just to be emptied.
    int releasingFrom_ = INT_MAX;
};
