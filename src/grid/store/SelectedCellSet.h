#pragma once
// SelectedCellSet: a set of cells as one bit per cell, row by row. It answers
// membership, size, bounds and ordered iteration exactly as a set of single
// cells would, but a whole block (Select All of 2.56 million cells) is
// inserted a 64-bit word at a time, and emptying it touches only the rows
// that ever held a member. Plain C++, no Qt.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "grid/store/GridCell.h"

class SelectedCellSet {
public:
    bool Contains(int row, int col) const;
    bool Contains(CellId cell) const { return Contains(cell.row, cell.col); }
    // Adds or removes one cell; negative rows or columns are ignored.
    // Creating and releasing cells clears the bit of every cell: an empty
    // set answers that at once, without a call.
    void Set(int row, int col, bool selected)
    {
        if (selected || count_ != 0)
            Change(row, col, selected);
    }
    // Adds every cell of a valid block (an invalid block adds nothing).
    void InsertBlock(const CellRange& block);
    // Adds every member of another set.
    void InsertAll(const SelectedCellSet& other);
    // Drops every member outside rows [0, rows) x columns [0, columns).
    void Truncate(int rows, int columns);
    // Exchanges the members of two rows (sorting moves rows).
    void SwapRows(int a, int b);
    void Clear();

    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    // (min row, min col, max row, max col) of the members; all -1 when empty.
    CellRange Bounds() const;

    // Members in row-major order.
    class const_iterator {
    public:
        using value_type = CellId;
        using difference_type = std::ptrdiff_t;
        const_iterator() = default;
        CellId operator*() const { return {row_, col_}; }
        const_iterator& operator++();
        const_iterator operator++(int)
        {
            const_iterator old = *this;
            ++*this;
            return old;
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b)
        {
            return a.row_ == b.row_ && a.col_ == b.col_;
        }

    private:
        friend class SelectedCellSet;
        const_iterator(const SelectedCellSet* set, int row, int col) : set_(set), row_(row), col_(col) {}
        // Moves to the first member at or after (row_, col_), or to the end.
        void Settle();
        const SelectedCellSet* set_ = nullptr;
        int row_ = -1;
        int col_ = -1;
    };
    const_iterator begin() const;
    const_iterator end() const { return const_iterator(this, -1, -1); }

private:
    using Word = std::uint64_t;
    static constexpr int kBits = 64;

    // Set for a cell that may change the set.
    void Change(int row, int col, bool selected);
    const Word* RowWords(int row) const { return words_.data() + static_cast<std::size_t>(row) * stride_; }
    Word* RowWords(int row) { return words_.data() + static_cast<std::size_t>(row) * stride_; }
    // Makes room for cell (row, col), keeping the members.
    void Reserve(int rows, int columns);
    // Widens the rows that may hold members to take in [first, last].
    void TouchRows(int first, int last);

    std::vector<Word> words_;   // rows_ rows of stride_ words
    int rows_ = 0;
    int stride_ = 0;            // words per row
    std::size_t count_ = 0;
    // Rows outside [firstTouched_, lastTouched_] hold no member.
    int firstTouched_ = 0;
    int lastTouched_ = -1;
};
