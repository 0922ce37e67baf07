#pragma once
// All cells of a grid in one row-major block. A grid of 2.56 million cells
// is one allocation instead of one per row; large blocks are mapped with
// transparent huge pages, so filling and freeing them costs a few hundred
// page faults instead of tens of thousands.
#include <cstddef>

#include "grid/store/CompactCell.h"

class CellArray {
public:
    CellArray() = default;
    ~CellArray() { Clear(); }
    CellArray(const CellArray&) = delete;
    CellArray& operator=(const CellArray&) = delete;

    int Rows() const { return rows_; }
    int Columns() const { return columns_; }
    CompactCell& At(int row, int col) { return data_[Index(row, col)]; }
    const CompactCell& At(int row, int col) const { return data_[Index(row, col)]; }
    CompactCell* begin() { return data_; }
    CompactCell* end() { return data_ + CellCount(); }
    const CompactCell* begin() const { return data_; }
    const CompactCell* end() const { return data_ + CellCount(); }

    // Adds rows at the end, every cell a copy of blank.
    void AppendRows(int count, const CompactCell& blank);
    // Destroys the rows from row n on.
    void TruncateRows(int n);
    // Keeps the first min(old, n) cells of every row; new cells copy blank.
    void SetColumns(int n, const CompactCell& blank);
    // Exchanges the cells of two rows.
    void SwapRows(int a, int b);
    // Destroys every cell and frees the block; the column count stays.
    void ClearRows();
    // Destroys every cell, frees the block, no rows and no columns.
    void Clear();

private:
    std::size_t Index(int row, int col) const
    {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(col);
    }
    // The first cell of a row (no reference: the row may hold no cells).
    CompactCell* RowStart(int row) { return data_ + Index(row, 0); }
    std::size_t CellCount() const { return static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_); }
    // Moves the cells into a new block of the given capacity (in cells).
    void Reallocate(std::size_t capacity);

    CompactCell* data_ = nullptr;
    std::size_t capacity_ = 0;   // cells the block holds
    int rows_ = 0;
    int columns_ = 0;
};
