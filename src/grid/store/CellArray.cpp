#include "grid/store/CellArray.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Blocks from this size on are mapped on their own with huge pages.
constexpr std::size_t kMapThreshold = std::size_t{4} << 20;

std::size_t MappedBytes(std::size_t bytes)
{
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

// Raw memory for capacity cells.
CompactCell* AllocateCells(std::size_t capacity)
{
    const std::size_t bytes = capacity * sizeof(CompactCell);
    if (bytes < kMapThreshold)
        return static_cast<CompactCell*>(::operator new(bytes));
    // Map one huge page more than needed, then trim to a 2 MB aligned range.
    const std::size_t wanted = MappedBytes(bytes);
    void* raw = mmap(nullptr, wanted + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
    if (aligned > start)
        munmap(raw, aligned - start);
    const std::size_t tail = (start + wanted + kHugePage) - (aligned + wanted);
    if (tail > 0)
        munmap(reinterpret_cast<void*>(aligned + wanted), tail);
    void* block = reinterpret_cast<void*>(aligned);
    madvise(block, wanted, MADV_HUGEPAGE);   // a hint; fine if refused
    return static_cast<CompactCell*>(block);
}

void FreeCells(CompactCell* cells, std::size_t capacity)
{
    if (!cells)
        return;
    const std::size_t bytes = capacity * sizeof(CompactCell);
    if (bytes < kMapThreshold)
        ::operator delete(cells);
    else
        munmap(cells, MappedBytes(bytes));
}

} // namespace

void CellArray::Reallocate(std::size_t capacity)
{
    CompactCell* fresh = AllocateCells(capacity);
    const std::size_t count = CellCount();
    for (std::size_t i = 0; i < count; ++i) {
        new (fresh + i) CompactCell(std::move(data_[i]));
        data_[i].~CompactCell();
    }
    FreeCells(data_, capacity_);
    data_ = fresh;
    capacity_ = capacity;
}

void CellArray::AppendRows(int count, const CompactCell& blank)
{
    const std::size_t needed = (static_cast<std::size_t>(rows_) + static_cast<std::size_t>(count))
                             * static_cast<std::size_t>(columns_);
    if (needed > capacity_)
        Reallocate(std::max(needed, capacity_ * 2));   // a large step gets exactly what it needs
    const std::size_t first = CellCount();
    std::uninitialized_fill(data_ + first, data_ + needed, blank);
    rows_ += count;
}

void CellArray::TruncateRows(int n)
{
    std::destroy(data_ + static_cast<std::size_t>(n) * static_cast<std::size_t>(columns_), end());
    rows_ = n;
    if (rows_ == 0)
        ClearRows();
}

void CellArray::SetColumns(int n, const CompactCell& blank)
{
    if (rows_ == 0 || n == columns_) {
        columns_ = n;
        return;
    }
    const std::size_t capacity = static_cast<std::size_t>(rows_) * static_cast<std::size_t>(n);
    CompactCell* fresh = capacity ? AllocateCells(capacity) : nullptr;
    const int kept = std::min(n, columns_);
    for (int row = 0; row < rows_; ++row) {
        CompactCell* target = fresh + static_cast<std::size_t>(row) * static_cast<std::size_t>(n);
        CompactCell* source = RowStart(row);
        for (int col = 0; col < kept; ++col)
            new (target + col) CompactCell(std::move(source[col]));
        std::uninitialized_fill(target + kept, target + n, blank);
    }
    std::destroy(begin(), end());
    FreeCells(data_, capacity_);
    data_ = fresh;
    capacity_ = capacity;
    columns_ = n;
}

void CellArray::SwapRows(int a, int b)
{
    std::swap_ranges(RowStart(a), RowStart(a) + columns_, RowStart(b));
}

void CellArray::ClearRows()
{
    std::destroy(begin(), end());
    FreeCells(data_, capacity_);
    data_ = nullptr;
    capacity_ = 0;
    rows_ = 0;
}

void CellArray::Clear()
{
    ClearRows();
    columns_ = 0;
}
