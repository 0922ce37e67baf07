// checkConsistency: the store's invariants, checked by the tests after every
// operation.
#include "grid/store/GridCellStore.h"

namespace {

bool Fail(std::string* why, const std::string& what)
{
    if (why)
        *why = what;
    return false;
}

std::string At(int row, int col)
{
    return " at (" + std::to_string(row) + ", " + std::to_string(col) + ")";
}

} // namespace

bool GridCellStore::checkConsistency(std::string* why) const
{
    if (rowCount_ < 0 || columnCount_ < 0)
        return Fail(why, "negative count");
    if (cells_.Rows() != rowCount_ || rowHeights_.Count() != rowCount_)
        return Fail(why, "rowCount, rowTable and rowHeights disagree");
    if (columnWidths_.Count() != columnCount_ || (rowCount_ > 0 && cells_.Columns() != columnCount_))
        return Fail(why, "columnCount, the rows' cells and columnWidths disagree");
    if (fixedRowCount_ < 0 || fixedRowCount_ > rowCount_ || fixedColumnCount_ < 0 || fixedColumnCount_ > columnCount_)
        return Fail(why, "fixed count outside 0..count");
    if (!rowHeights_.CacheMatchesSizes() || !columnWidths_.CacheMatchesSizes())
        return Fail(why, "prefix sums differ from the sizes");

    const CellStyle& defaultStyle = styles_.Get(defaultStyle_);
    if (defaultStyle.bkColor != CLR_DEFAULT || defaultStyle.textColor != CLR_DEFAULT
        || !(fonts_.Get(defaultStyle.font) == gridLogFont_))
        return Fail(why, "new-cell style is not the grid font with default colours");

    std::size_t selected = 0;
    for (int row = 0; row < rowCount_; ++row) {
        for (int col = 0; col < columnCount_; ++col) {
            const CompactCell& cell = Cell(row, col);
            if (cell.style >= styles_.Size() || styles_.Get(cell.style).font >= fonts_.Size())
                return Fail(why, "style or font index out of range" + At(row, col));
            if ((cell.merge >> CompactCell::kRecordShift) >= merges_.Size())
                return Fail(why, "merge record index out of range" + At(row, col));
            if (cell.state & CELL_SELECTED)
                return Fail(why, "stored state holds the selected bit" + At(row, col));
            if (selectedCells_.Contains(row, col))
                ++selected;
        }
    }
    if (selected != selectedCells_.size())
        return Fail(why, "selected-cell set holds cells outside the grid");
    return blocksIntact_ ? checkBlocks(why) : true;
}

// Every block has its merged shape: a master's span is covered by cells that
// name it, with the joins pointing inside the block, and every covered cell
// lies inside its master's span. Blocks cut short by a smaller grid count
// up to the grid's edge.
bool GridCellStore::checkBlocks(std::string* why) const
{
    for (int row = 0; row < rowCount_; ++row)
        for (int col = 0; col < columnCount_; ++col) {
            const GridCellMerge m = MergeOf(Cell(row, col), row);
            if (m.covered) {
                if (!IsValid(m.masterRow, m.masterCol))
                    return Fail(why, "covered cell names a missing master" + At(row, col));
                const GridCellMerge master = MergeOf(Cell(m.masterRow, m.masterCol), m.masterRow);
                if (master.covered || row > m.masterRow + master.rowSpan || col > m.masterCol + master.colSpan
                    || row < m.masterRow || col < m.masterCol)
                    return Fail(why, "covered cell outside its master's block" + At(row, col));
                if (m.mergeLocked != master.mergeLocked)
                    return Fail(why, "covered cell's lock differs from its master's" + At(row, col));
                continue;
            }
            if (m.rowSpan < 0 || m.colSpan < 0 || m.joinedDown != (m.rowSpan > 0 ? 1 : 0)
                || m.joinedRight != (m.colSpan > 0 ? 1 : 0))
                return Fail(why, "master's joins disagree with its spans" + At(row, col));
            for (int i = 0; i <= m.rowSpan && row + i < rowCount_; ++i)
                for (int j = 0; j <= m.colSpan && col + j < columnCount_; ++j) {
                    if (i == 0 && j == 0)
                        continue;
                    const GridCellMerge part = MergeOf(Cell(row + i, col + j), row + i);
                    if (!part.covered || part.masterRow != row || part.masterCol != col
                        || part.joinedRight != (j < m.colSpan ? 1 : 0) || part.joinedDown != (i < m.rowSpan ? 1 : 0)
                        || part.rowSpan != 0 || part.colSpan != 0)
                        return Fail(why, "block cell does not belong to its master" + At(row + i, col + j));
                }
        }
    return true;
}
