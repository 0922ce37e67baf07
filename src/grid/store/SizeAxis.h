#pragma once
// The row heights (or column widths) of a grid with a lazily kept prefix-sum
// cache, so offsets and "which row is at this offset" stay cheap at the end
// of a grid of 196,609 rows. Every cached result equals the plain sum.
#include <cstdint>
#include <vector>

class SizeAxis {
public:
    int Count() const { return static_cast<int>(sizes_.size()); }
    unsigned Get(int index) const { return sizes_[static_cast<std::size_t>(index)]; }
    void Set(int index, unsigned size);
    // Removes entries past n, or adds entries of newSize up to n.
    void Resize(int n, unsigned newSize);
    void Swap(int a, int b);
    void Clear();

    // Sum of the sizes of entries [0, index); index may equal Count().
    // Complexity: O(1) when cached, else O(index - cached part).
    std::int64_t Offset(int index) const;
    // Sum of the sizes of entries [first, end).
    std::int64_t Sum(int first, int end) const { return Offset(end) - Offset(first); }
    // The entry i with Offset(i) <= offset < Offset(i + 1), skipping empty
    // entries; Count() when offset >= the total, -1 when offset < 0.
    // Complexity: O(log(n)) once the cache is complete.
    int IndexAtOffset(std::int64_t offset) const;

    // The cache agrees with the sizes (for checkConsistency).
    bool CacheMatchesSizes() const;

private:
    void ExtendCache(int index) const;
    void Invalidate(int fromIndex) { if (validUpTo_ > fromIndex) validUpTo_ = fromIndex; }

    std::vector<unsigned> sizes_;
    // prefix_[i] = sum of sizes_[0..i); entries 0..validUpTo_ are correct.
    mutable std::vector<std::int64_t> prefix_{0};
    mutable int validUpTo_ = 0;
};
