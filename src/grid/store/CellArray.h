#pragma once
// The cells of a grid, row by row. Most rows of a large table repeat a few
// row patterns (the same format, colours and blocks, texts made from the
// row's data), so a row either holds cells of its own or names a shared
// pattern plus a base: a pattern cell's text made on demand and a covered
// cell's master row are stored relative to that base. A row pointing at a
// pattern costs 16 bytes instead of 40 bytes per cell; it gets cells of its
// own (Materialize) only when something writes to it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "grid/store/CompactCell.h"

class CellArray {
public:
    int Rows() const { return static_cast<int>(rows_.size()); }
    int Columns() const { return columns_; }
    bool Patterned(int row) const { return !rows_[Slot(row)].cells; }
    // What the relative values of a patterned row add up to; 0 for a row of its own.
    int Base(int row) const { return rows_[Slot(row)].base; }
    const CompactCell& At(int row, int col) const
    {
        const Row& r = rows_[Slot(row)];
        return r.cells ? r.cells[Slot(col)] : patterns_[r.pattern][Slot(col)];
    }
    // Precondition: the row holds cells of its own.
    CompactCell& At(int row, int col) { return rows_[Slot(row)].cells[Slot(col)]; }

    // Gives a patterned row cells of its own, copies of its pattern's; the
    // values stay relative to the row's base.
    void Materialize(int row);
    // Makes a row of its own point at the pattern of these cells (relative
    // to base, no text bytes of their own: empty or made on demand), shared
    // with every row of equal cells; its own cells are spare.
    void UsePattern(int row, const std::vector<CompactCell>& cells, int base);

    // Adds rows at the end, each with these cells (absolute values, no text
    // bytes of their own).
    void AppendRows(int count, const std::vector<CompactCell>& cells);
    // Row to becomes a copy of row from (its pattern, or copies of its own
    // cells), its base moved by shift.
    void CopyRow(int to, int from, int shift);
    // Destroys the rows from row n on.
    void TruncateRows(int n);
    // Keeps the first min(old, n) cells of every row; new cells copy blank.
    void SetColumns(int n, const CompactCell& blank);
    // Exchanges the cells of two rows.
    void SwapRows(int a, int b) { std::swap(rows_[Slot(a)], rows_[Slot(b)]); }
    // Destroys every cell and pattern; the column count stays.
    void ClearRows();
    // Destroys every cell, no rows and no columns.
    void Clear();
    // Changes every stored cell, of rows and of patterns alike, with f(cell).
    template <class F>
    void ForEachStoredCell(F f)
    {
        for (Row& row : rows_)
            if (row.cells)
                for (int col = 0; col < columns_; ++col)
                    f(row.cells[Slot(col)]);
        for (std::vector<CompactCell>& pattern : patterns_)
            for (CompactCell& cell : pattern)
                f(cell);
        Reindex();
    }

private:
    struct Row {
        std::unique_ptr<CompactCell[]> cells;   // null: the row uses its pattern
        std::uint32_t pattern = 0;
        int base = 0;
    };
    static std::size_t Slot(int i) { return static_cast<std::size_t>(i); }
    static std::size_t Hash(const std::vector<CompactCell>& cells);
    // Cells for a row: spare ones if there are, else new.
    std::unique_ptr<CompactCell[]> RowCells();
    std::uint32_t Intern(const std::vector<CompactCell>& cells);
    void Reindex();

    std::vector<Row> rows_;
    std::vector<std::vector<CompactCell>> patterns_;
    std::unordered_multimap<std::size_t, std::uint32_t> patternByHash_;
    std::uint32_t lastPatterns_[4] = {};
    // Cells of rows gone back to their pattern, for the next row made its own.
    std::vector<std::unique_ptr<CompactCell[]>> spareRows_;   // rows in a row usually repeat a short cycle
    int columns_ = 0;
};
