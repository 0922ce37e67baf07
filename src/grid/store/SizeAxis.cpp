#include "grid/store/SizeAxis.h"

#include <algorithm>
#include <utility>

void SizeAxis::Set(int index, unsigned size)
{
    sizes_[static_cast<std::size_t>(index)] = size;
    Invalidate(index);   // prefix_[index] itself still holds
}

void SizeAxis::Resize(int n, unsigned newSize)
{
    sizes_.resize(static_cast<std::size_t>(n), newSize);
    prefix_.resize(static_cast<std::size_t>(n) + 1);
    Invalidate(n);
}

void SizeAxis::Swap(int a, int b)
{
    std::swap(sizes_[static_cast<std::size_t>(a)], sizes_[static_cast<std::size_t>(b)]);
    Invalidate(std::min(a, b));
}

void SizeAxis::Clear()
{
    sizes_.clear();
    prefix_.assign(1, 0);
    validUpTo_ = 0;
}

void SizeAxis::ExtendCache(int index) const
{
    for (int i = validUpTo_; i < index; ++i) {
        const auto k = static_cast<std::size_t>(i);
        prefix_[k + 1] = prefix_[k] + sizes_[k];
    }
    if (index > validUpTo_)
        validUpTo_ = index;
}

std::int64_t SizeAxis::Offset(int index) const
{
    ExtendCache(index);
    return prefix_[static_cast<std::size_t>(index)];
}

int SizeAxis::IndexAtOffset(std::int64_t offset) const
{
    if (offset < 0)
        return -1;
    ExtendCache(Count());
    // The first entry whose end lies beyond offset; empty entries end where
    // they start and are passed over.
    const auto end = std::upper_bound(prefix_.begin() + 1, prefix_.end(), offset);
    return static_cast<int>(end - (prefix_.begin() + 1));
}

bool SizeAxis::CacheMatchesSizes() const
{
    if (prefix_.size() != sizes_.size() + 1 || prefix_[0] != 0 || validUpTo_ > Count())
        return false;
    std::int64_t sum = 0;
    for (int i = 0; i < validUpTo_; ++i) {
        sum += sizes_[static_cast<std::size_t>(i)];
        if (prefix_[static_cast<std::size_t>(i) + 1] != sum)
            return false;
    }
    return true;
}
