#include "grid/store/SelectedCellSet.h"

#include <algorithm>
#include <bit>

namespace {

using Word = std::uint64_t;

// Bits first..last (inclusive, 0..63) of one word.
Word BitRange(int first, int last)
{
    const Word upTo = last >= 63 ? ~Word{0} : (Word{1} << (last + 1)) - 1;
    return upTo & ~((Word{1} << first) - 1);
}

} // namespace

bool SelectedCellSet::Contains(int row, int col) const
{
    if (row < 0 || col < 0 || row >= rows_ || col >= stride_ * kBits)
        return false;
    return (RowWords(row)[col / kBits] >> (col % kBits)) & 1;
}

void SelectedCellSet::Change(int row, int col, bool selected)
{
    if (row < 0 || col < 0 || Contains(row, col) == selected)
        return;
    if (!selected) {
        RowWords(row)[col / kBits] &= ~(Word{1} << (col % kBits));
        if (--count_ == 0)
            Clear();
        return;
    }
    Reserve(row + 1, col + 1);
    RowWords(row)[col / kBits] |= Word{1} << (col % kBits);
    ++count_;
    TouchRows(row, row);
}

void SelectedCellSet::InsertBlock(const CellRange& block)
{
    if (!block.IsValid())
        return;
    Reserve(block.maxRow + 1, block.maxCol + 1);
    const int firstWord = block.minCol / kBits;
    const int lastWord = block.maxCol / kBits;
    for (int row = block.minRow; row <= block.maxRow; ++row) {
        Word* words = RowWords(row);
        for (int w = firstWord; w <= lastWord; ++w) {
            const int from = w == firstWord ? block.minCol % kBits : 0;
            const int to = w == lastWord ? block.maxCol % kBits : kBits - 1;
            const Word mask = BitRange(from, to);
            count_ += static_cast<std::size_t>(std::popcount(mask & ~words[w]));
            words[w] |= mask;
        }
    }
    TouchRows(block.minRow, block.maxRow);
}

void SelectedCellSet::InsertAll(const SelectedCellSet& other)
{
    if (other.empty())
        return;
    Reserve(other.lastTouched_ + 1, other.stride_ * kBits);
    for (int row = other.firstTouched_; row <= other.lastTouched_; ++row) {
        const Word* from = other.RowWords(row);
        Word* to = RowWords(row);
        for (int w = 0; w < other.stride_; ++w) {
            count_ += static_cast<std::size_t>(std::popcount(from[w] & ~to[w]));
            to[w] |= from[w];
        }
    }
    TouchRows(other.firstTouched_, other.lastTouched_);
}

void SelectedCellSet::Truncate(int rows, int columns)
{
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    if (rows < rows_) {
        for (int row = rows; row <= lastTouched_; ++row)
            for (int w = 0; w < stride_; ++w)
                count_ -= static_cast<std::size_t>(std::popcount(RowWords(row)[w]));
        words_.resize(static_cast<std::size_t>(rows) * stride_);
        rows_ = rows;
        lastTouched_ = std::min(lastTouched_, rows - 1);
    }
    if (columns < stride_ * kBits) {
        for (int row = firstTouched_; row <= lastTouched_; ++row) {
            Word* words = RowWords(row);
            for (int w = columns / kBits; w < stride_; ++w) {
                // Columns 0..columns-1 stay: in the first word its low bits.
                const int kept = w == columns / kBits ? columns % kBits : 0;
                const Word keep = kept == 0 ? 0 : BitRange(0, kept - 1);
                count_ -= static_cast<std::size_t>(std::popcount(words[w] & ~keep));
                words[w] &= keep;
            }
        }
    }
    if (count_ == 0)
        Clear();
}

void SelectedCellSet::SwapRows(int a, int b)
{
    if (empty() || a == b || a < 0 || b < 0)
        return;
    const bool aHolds = a >= firstTouched_ && a <= lastTouched_;
    const bool bHolds = b >= firstTouched_ && b <= lastTouched_;
    if (!aHolds && !bHolds)
        return;
    Reserve(std::max(a, b) + 1, 0);
    std::swap_ranges(RowWords(a), RowWords(a) + stride_, RowWords(b));
    TouchRows(std::min(a, b), std::max(a, b));
}

void SelectedCellSet::Clear()
{
    if (lastTouched_ >= firstTouched_)
        std::fill(RowWords(firstTouched_), RowWords(lastTouched_) + stride_, Word{0});
    count_ = 0;
    firstTouched_ = 0;
    lastTouched_ = -1;
}

CellRange SelectedCellSet::Bounds() const
{
    CellRange bounds;
    if (empty())
        return bounds;
    int minCol = stride_ * kBits;
    int maxCol = -1;
    for (int row = firstTouched_; row <= lastTouched_; ++row) {
        const Word* words = RowWords(row);
        for (int w = 0; w < stride_; ++w) {
            if (words[w] == 0)
                continue;
            if (bounds.minRow < 0)
                bounds.minRow = row;
            bounds.maxRow = row;
            minCol = std::min(minCol, w * kBits + std::countr_zero(words[w]));
            maxCol = std::max(maxCol, w * kBits + kBits - 1 - std::countl_zero(words[w]));
        }
    }
    bounds.minCol = minCol;
    bounds.maxCol = maxCol;
    return bounds;
}

void SelectedCellSet::Reserve(int rows, int columns)
{
    const int stride = std::max(stride_, (columns + kBits - 1) / kBits);
    if (stride > stride_) {
        std::vector<Word> wider(static_cast<std::size_t>(std::max(rows, rows_)) * stride, 0);
        for (int row = firstTouched_; row <= lastTouched_; ++row)
            std::copy(RowWords(row), RowWords(row) + stride_, wider.begin() + static_cast<std::ptrdiff_t>(row) * stride);
        words_.swap(wider);
        stride_ = stride;
        rows_ = std::max(rows, rows_);
    } else if (rows > rows_) {
        words_.resize(static_cast<std::size_t>(rows) * stride_, 0);
        rows_ = rows;
    }
}

void SelectedCellSet::TouchRows(int first, int last)
{
    if (lastTouched_ < firstTouched_) {
        firstTouched_ = first;
        lastTouched_ = last;
        return;
    }
    firstTouched_ = std::min(firstTouched_, first);
    lastTouched_ = std::max(lastTouched_, last);
}

SelectedCellSet::const_iterator SelectedCellSet::begin() const
{
    if (empty())
        return end();
    const_iterator it(this, firstTouched_, 0);
    it.Settle();
    return it;
}

SelectedCellSet::const_iterator& SelectedCellSet::const_iterator::operator++()
{
    ++col_;
    Settle();
    return *this;
}

void SelectedCellSet::const_iterator::Settle()
{
    while (row_ >= 0 && row_ <= set_->lastTouched_) {
        const Word* words = set_->RowWords(row_);
        for (int w = col_ / kBits; w < set_->stride_; ++w) {
            Word bits = words[w];
            if (w == col_ / kBits)
                bits &= ~Word{0} << (col_ % kBits);
            if (bits != 0) {
                col_ = w * kBits + std::countr_zero(bits);
                return;
            }
        }
        ++row_;
        col_ = 0;
    }
    row_ = col_ = -1;
}
