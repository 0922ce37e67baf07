#include "grid/store/CellArray.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Pattern cells hold no text bytes of their own (empty or made on demand),
// so two cells are equal exactly when their bytes are (no padding).
bool SameCells(const std::vector<CompactCell>& a, const std::vector<CompactCell>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(CompactCell)) == 0);
}

} // namespace

std::size_t CellArray::Hash(const std::vector<CompactCell>& cells)
{
    std::size_t h = cells.size();
    for (const CompactCell& cell : cells) {
        std::uint64_t words[sizeof(CompactCell) / 8];
        std::memcpy(words, &cell, sizeof words);
        for (const std::uint64_t word : words)
            h = (h ^ static_cast<std::size_t>(word)) * 0x100000001b3ULL;
    }
    return h;
}

std::uint32_t CellArray::Intern(const std::vector<CompactCell>& cells)
{
    for (const std::uint32_t index : lastPatterns_)
        if (index < patterns_.size() && SameCells(patterns_[index], cells))
            return index;
    const std::size_t hash = Hash(cells);
    auto [first, last] = patternByHash_.equal_range(hash);
    std::uint32_t index = static_cast<std::uint32_t>(patterns_.size());
    for (; first != last; ++first)
        if (SameCells(patterns_[first->second], cells)) {
            index = first->second;
            break;
        }
    if (index == patterns_.size()) {
        patterns_.push_back(cells);
        patternByHash_.emplace(hash, index);
    }
    std::rotate(std::begin(lastPatterns_), std::end(lastPatterns_) - 1, std::end(lastPatterns_));
    lastPatterns_[0] = index;
    return index;
}

void CellArray::Reindex()
{
    patternByHash_.clear();
    for (std::size_t i = 0; i < patterns_.size(); ++i)
        patternByHash_.emplace(Hash(patterns_[i]), static_cast<std::uint32_t>(i));
}

std::unique_ptr<CompactCell[]> CellArray::RowCells()
{
    if (spareRows_.empty())
        return std::make_unique<CompactCell[]>(Slot(columns_));
    std::unique_ptr<CompactCell[]> cells = std::move(spareRows_.back());
    spareRows_.pop_back();
    return cells;
}

void CellArray::Materialize(int row)
{
    Row& r = rows_[Slot(row)];
    const std::vector<CompactCell>& pattern = patterns_[r.pattern];
    r.cells = RowCells();
    std::copy(pattern.begin(), pattern.end(), r.cells.get());
}

void CellArray::UsePattern(int row, const std::vector<CompactCell>& cells, int base)
{
    Row& r = rows_[Slot(row)];
    // A row written and then read back often ends as the pattern it left.
    if (r.pattern >= patterns_.size() || !SameCells(patterns_[r.pattern], cells))
        r.pattern = Intern(cells);
    r.base = base;
    if (spareRows_.size() < 16)
        spareRows_.push_back(std::move(r.cells));
    r.cells.reset();
}

void CellArray::AppendRows(int count, const std::vector<CompactCell>& cells)
{
    const std::uint32_t pattern = Intern(cells);
    rows_.reserve(rows_.size() + Slot(count));
    for (int i = 0; i < count; ++i)
        rows_.push_back(Row{nullptr, pattern, 0});
}

void CellArray::CopyRow(int to, int from, int shift)
{
    Row& target = rows_[Slot(to)];
    const Row& source = rows_[Slot(from)];
    if (source.cells) {
        if (!target.cells)
            target.cells = RowCells();
        std::copy(source.cells.get(), source.cells.get() + columns_, target.cells.get());
    } else {
        if (target.cells && spareRows_.size() < 16)
            spareRows_.push_back(std::move(target.cells));
        target.cells.reset();
        target.pattern = source.pattern;
    }
    target.base = source.base + shift;
}

void CellArray::TruncateRows(int n)
{
    rows_.resize(Slot(n));
    if (n == 0)
        ClearRows();
}

void CellArray::SetColumns(int n, const CompactCell& blank)
{
    const int kept = std::min(n, columns_);
    for (Row& row : rows_) {
        if (!row.cells)
            continue;
        auto fresh = std::make_unique<CompactCell[]>(Slot(n));
        std::move(row.cells.get(), row.cells.get() + kept, fresh.get());
        std::fill(fresh.get() + kept, fresh.get() + n, blank);
        row.cells = std::move(fresh);
    }
    for (std::vector<CompactCell>& pattern : patterns_)
        pattern.resize(Slot(n), blank);
    spareRows_.clear();
    columns_ = n;
    Reindex();
}

void CellArray::ClearRows()
{
    rows_.clear();
    rows_.shrink_to_fit();
    patterns_.clear();
    patternByHash_.clear();
    spareRows_.clear();
    std::fill(std::begin(lastPatterns_), std::end(lastPatterns_), 0);
}

void CellArray::Clear()
{
    ClearRows();
    columns_ = 0;
}
