// The store's life cycle, the hooks and the conversion between the full
// GridCell and the compact cell.
#include "grid/store/GridCellStore.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

COLORREF GridCellView::BkColor() const { return store_->styles_.Get(cell_->style).bkColor; }
COLORREF GridCellView::TextColor() const { return store_->styles_.Get(cell_->style).textColor; }
const LOGFONT& GridCellView::Font() const { return store_->fonts_.Get(store_->styles_.Get(cell_->style).font); }
GridCellMerge GridCellView::Merge() const { return store_->MergeOf(*cell_, row_); }
std::string GridCellView::Text() const { return store_->StoredText(cell_->text, row_, col_); }
UINT GridCellView::State() const
{
    return cell_->state | (store_->selectedCells_.Contains(row_, col_) ? CELL_SELECTED : 0);
}

GridCell GridCellView::ToGridCell() const
{
    GridCell cell;
    cell.SetMerge(Merge());
    cell.state = State();
    cell.format = Format();
    cell.text = Text();
    cell.image = Image();
    cell.bkColor = BkColor();
    cell.textColor = TextColor();
    cell.font = Font();
    cell.param = Param();
    return cell;
}

GridCellStore::GridCellStore(GridCellHooks* hooks) : hooks_(hooks)
{
    ResetTablesIfEmpty();
}

GridCellStore::~GridCellStore() = default;

void GridCellStore::SetGridLogFont(const LOGFONT& font)
{
    gridLogFont_ = font;
    defaultStyle_ = styles_.Intern(CellStyle{CLR_DEFAULT, CLR_DEFAULT, fonts_.Intern(gridLogFont_)});
}

void GridCellStore::ResetTablesIfEmpty()
{
    if (rowCount_ != 0 && columnCount_ != 0)
        return;
    fonts_.Clear();
    styles_.Clear();
    merges_.Clear();
    blocksIntact_ = true;
    SetGridLogFont(gridLogFont_);
}

CompactCell GridCellStore::BlankCell() const
{
    CompactCell cell;
    cell.style = defaultStyle_;
    return cell;
}

std::string GridCellStore::ShownText(int row, int col) const
{
    return hooks_ ? hooks_->GetItemText(row, col) : GetItemText(row, col);
}

GridCell GridCellStore::DefaultNewCell(int row, int col) const
{
    GridCell cell;
    if (row > 0 && col >= 0 && col < columnCount_ && row - 1 < rowCount_)
        cell.format = Cell(row - 1, col).format;
    cell.font = gridLogFont_;
    return cell;
}

void GridCellStore::DefaultReleaseCell(int row, int col)
{
    if (!IsValid(row, col))
        return;
    if (row >= releasingFrom_ && cells_.Patterned(row)) {
        selectedCells_.Set(row, col, false);   // the cell is freed next: only the set must change
        return;
    }
    SetItemState(row, col, 0);
    Cell(row, col).text.Clear();
}

void GridCellStore::CreateCell(int row, int col)
{
    if (hooks_) {
        StoreCell(row, col, hooks_->NewCell(row, col));
        return;
    }
    // The default NewCell without building a GridCell: the slot already
    // holds a blank cell, only the format flows down from the row above.
    if (row > 0)
        Cell(row, col).format = Cell(row - 1, col).format;
}

void GridCellStore::StoreCell(int row, int col, const GridCell& source)
{
    CompactCell& cell = Cell(row, col);
    if (!source.text.empty() || !cell.text.Empty())
        cell.text.Assign(source.text);
    cell.format = source.format;
    cell.param = source.param;
    cell.image = source.image;
    // Most new cells look like the grid: their style is known without a lookup.
    const bool gridLook = source.bkColor == CLR_DEFAULT && source.textColor == CLR_DEFAULT
        && std::memcmp(&source.font, &gridLogFont_, sizeof gridLogFont_) == 0;
    cell.style = gridLook ? defaultStyle_
                          : styles_.Intern(CellStyle{source.bkColor, source.textColor, fonts_.Intern(source.font)});
    const GridCellMerge merge = source.Merge();
    if (merge != GridCellMerge{}) {
        SetMergeOf(row, cell, merge);
        blocksIntact_ = false;   // a hook-made block is not checked for shape
    }
    if (source.state == 0 && selectedCells_.empty())
        cell.state = 0;   // the usual new cell: nothing to keep in step
    else
        SetItemState(row, col, source.state);
}

void GridCellStore::ReleaseCell(int row, int col)
{
    if (hooks_)
        hooks_->ReleaseCell(GridCellView(*this, std::as_const(*this).Cell(row, col), row, col), row, col);
    else
        DefaultReleaseCell(row, col);
    // A replaced ReleaseCell may leave the cell selected; the cell goes
    // anyway, so it must leave the set too.
    selectedCells_.Set(row, col, false);
}

void GridCellStore::SelectBlock(const CellRange& block)
{
    const CellRange clipped(block.minRow, block.minCol, std::min(block.maxRow, rowCount_ - 1),
                            std::min(block.maxCol, columnCount_ - 1));
    selectedCells_.InsertBlock(clipped);
}

void GridCellStore::SelectCells(const SelectedCellSet& cells)
{
    selectedCells_.InsertAll(cells);
    selectedCells_.Truncate(rowCount_, columnCount_);
}

GridCellView GridCellStore::CellView(int row, int col) const
{
    return GridCellView(*this, Cell(row, col), row, col);
}

GridCellMerge GridCellStore::MergeOf(const CompactCell& cell, int row) const
{
    if (cell.merge == 0)
        return {};   // most cells: no block, no lock
    const MergeRecord& record = merges_.Get(cell.merge >> CompactCell::kRecordShift);
    GridCellMerge merge;
    merge.joinedRight = (cell.merge & CompactCell::kJoinedRight) ? 1 : 0;
    merge.joinedDown = (cell.merge & CompactCell::kJoinedDown) ? 1 : 0;
    merge.covered = (cell.merge & CompactCell::kCovered) ? 1 : 0;
    merge.mergeLocked = record.mergeLocked;
    merge.rowSpan = record.rowSpan;
    merge.colSpan = record.colSpan;
    merge.masterRow = record.masterRow + (merge.covered ? cells_.Base(row) : 0);
    merge.masterCol = record.masterCol;
    return merge;
}

void GridCellStore::Own(int row)
{
    cells_.Materialize(row);
    const int oldest = std::exchange(ownedRows_[nextOwned_], row);
    nextOwned_ = (nextOwned_ + 1) % ownedRows_.size();
    if (oldest != row)
        Settle(oldest);
}

void GridCellStore::Settle(int row)
{
    if (row < 0 || row >= cells_.Rows() || cells_.Patterned(row))
        return;
    // The new base: the row its first text made on demand was made for, or
    // the row itself, so that rows filled alike share a pattern.
    const int oldBase = cells_.Base(row);
    int base = row;
    for (int col = cells_.Columns() - 1; col >= 0; --col) {
        const CompactText& text = cells_.At(row, col).text;
        if (text.OnDemand())
            base = static_cast<int>(text.OnDemandKey()) + oldBase;
        else if (!text.Empty())
            return;   // a text of its own: the row keeps its cells (patterns hold no text bytes)
    }
    const auto shift = static_cast<std::uint32_t>(oldBase - base);
    std::vector<CompactCell>& cells = settling_;
    cells.resize(static_cast<std::size_t>(cells_.Columns()));
    for (int col = 0; col < cells_.Columns(); ++col) {
        CompactCell& cell = cells[static_cast<std::size_t>(col)];
        cell = std::move(cells_.At(row, col));
        if (shift == 0)
            continue;
        if (cell.text.OnDemand())
            cell.text.AssignOnDemand(cell.text.OnDemandKey() + shift);
        if (cell.merge & CompactCell::kCovered) {
            MergeRecord record = merges_.Get(cell.merge >> CompactCell::kRecordShift);
            record.masterRow += static_cast<int>(shift);
            cell.merge = (merges_.Intern(record) << CompactCell::kRecordShift) | (cell.merge & CompactCell::kFlagMask);
        }
    }
    cells_.UsePattern(row, cells, base);
}

std::uint32_t GridCellStore::MergeWord(const GridCellMerge& merge, std::uint32_t recordIndex)
{
    std::uint32_t word = recordIndex << CompactCell::kRecordShift;
    if (merge.joinedRight)
        word |= CompactCell::kJoinedRight;
    if (merge.joinedDown)
        word |= CompactCell::kJoinedDown;
    if (merge.covered)
        word |= CompactCell::kCovered;
    return word;
}

void GridCellStore::SetMergeOf(int row, CompactCell& cell, const GridCellMerge& merge)
{
    // A covered cell's master row is kept relative to its row's base.
    const int masterRow = merge.covered ? merge.masterRow - cells_.Base(row) : merge.masterRow;
    const MergeRecord record{merge.mergeLocked, merge.rowSpan, merge.colSpan, masterRow, merge.masterCol};
    cell.merge = MergeWord(merge, merge.covered ? merges_.Intern(record) : merges_.Add(record));
}
