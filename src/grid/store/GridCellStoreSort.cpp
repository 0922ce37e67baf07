// Sorting rows by the shown text of one column: a quicksort that moves whole
// rows (cells and heights) and never swaps two rows with equal texts.
#include "grid/store/GridCellStore.h"

#include <cstdint>
#include <utility>

namespace {

// Byte order, case-sensitive: std::string_view compares as unsigned char.
int CompareText(const std::string& a, const std::string& b)
{
    return std::string_view(a).compare(b);
}

} // namespace

BOOL GridCellStore::SortRowsByText(int col, BOOL ascending)
{
    return SortRowsByText(col, ascending, fixedRowCount_, -1);
}

BOOL GridCellStore::SortRowsByText(int col, BOOL ascending, int lo, int hi)
{
    if (col < 0 || col >= columnCount_)
        return FALSE;
    if (hi == -1)
        hi = rowCount_ - 1;
    if (hi <= lo || lo < 0 || hi >= rowCount_)
        return FALSE;

    // The shown text of every row, asked once through the hook and moved
    // along with its row; the partition compares these copies.
    std::vector<std::string> texts(static_cast<std::size_t>(hi - lo + 1));
    for (int row = lo; row <= hi; ++row)
        texts[static_cast<std::size_t>(row - lo)] = ShownText(row, col);
    textBase_ = lo;
    SortRange(texts, lo, hi, ascending != FALSE);

    return TRUE;
}

void GridCellStore::SortRange(std::vector<std::string>& texts, int lo, int hi, bool ascending)
{
    auto text = [&](int row) -> const std::string& { return texts[static_cast<std::size_t>(row - textBase_)]; };
    // Loops on the larger part and recurses into the smaller one, so the
    // depth stays O(log(n)) even for inputs that split badly. The two parts
    // are disjoint, so the order they are sorted in changes nothing.
    while (lo < hi) {
        const int mid = static_cast<int>((static_cast<std::int64_t>(lo) + hi) / 2);
        const std::string pivot = text(mid);
        int i = lo;
        int j = hi;
        while (i <= j) {
            if (ascending) {
                while (i < hi && CompareText(text(i), pivot) < 0)
                    ++i;
                while (j > lo && CompareText(text(j), pivot) > 0)
                    --j;
            } else {
                while (i < hi && CompareText(text(i), pivot) > 0)
                    ++i;
                while (j > lo && CompareText(text(j), pivot) < 0)
                    --j;
            }
            if (i <= j) {
                if (CompareText(text(i), text(j)) != 0)
                    SwapRows(texts, i, j);
                ++i;
                --j;
            }
        }
        const bool leftPart = lo < j;
        const bool rightPart = i < hi;
        if (leftPart && rightPart && j - lo < hi - i) {
            SortRange(texts, lo, j, ascending);
            lo = i;
        } else if (leftPart && rightPart) {
            SortRange(texts, i, hi, ascending);
            hi = j;
        } else if (leftPart) {
            hi = j;
        } else if (rightPart) {
            lo = i;
        } else {
            break;
        }
    }
}

void GridCellStore::SwapRows(std::vector<std::string>& texts, int a, int b)
{
    cells_.SwapRows(a, b);
    rowHeights_.Swap(a, b);
    selectedCells_.SwapRows(a, b);   // the selection moves with its rows
    std::swap(texts[static_cast<std::size_t>(a - textBase_)], texts[static_cast<std::size_t>(b - textBase_)]);
    if (blocksIntact_) {
        for (const int row : {a, b})
            for (int col = 0; col < columnCount_; ++col)
                if (std::as_const(*this).Cell(row, col).merge != 0)
                    blocksIntact_ = false;   // merged cells left their block
    }
}
