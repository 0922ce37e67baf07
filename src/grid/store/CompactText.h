#pragma once
// A cell text in 16 bytes: up to 15 bytes inline, longer texts on the heap,
// or no bytes at all but a key under which the text is made when asked for
// (a table that can derive its texts from its data need not store them).
// Most cell texts are short numbers, dates and names, so filling a grid of
// millions of cells allocates almost nothing.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

class CompactText {
public:
    CompactText() noexcept { Reset(); }
    ~CompactText() { Free(); }
    CompactText(const CompactText& other)
    {
        if (other.OnHeap()) {
            Reset();
            Assign(other.View());
        } else {
            std::memcpy(bytes_, other.bytes_, sizeof bytes_);   // inline text: copy the bytes
        }
    }
    CompactText(CompactText&& other) noexcept;
    CompactText& operator=(const CompactText& other);
    CompactText& operator=(CompactText&& other) noexcept;

    void Assign(std::string_view text);
    // No bytes of its own: the text is made from `key` when asked for.
    void AssignOnDemand(std::uint32_t key) noexcept
    {
        Free();
        Reset();
        std::memcpy(bytes_, &key, sizeof key);
        bytes_[kTagByte] = kOnDemandTag;
    }
    void Clear() noexcept;
    // The stored bytes; empty for a text made on demand.
    std::string_view View() const noexcept;
    std::size_t Size() const noexcept { return View().size(); }
    bool Empty() const noexcept { return bytes_[kTagByte] == 0; }
    bool OnHeap() const noexcept { return bytes_[kTagByte] == kHeapTag; }
    bool OnDemand() const noexcept { return bytes_[kTagByte] == kOnDemandTag; }
    std::uint32_t OnDemandKey() const noexcept
    {
        std::uint32_t key = 0;
        std::memcpy(&key, bytes_, sizeof key);
        return key;
    }

    static constexpr std::size_t kInlineCapacity = 15;

private:
    static constexpr std::size_t kTagByte = 15;          // inline length, or kHeapTag
    static constexpr unsigned char kHeapTag = 0xFF;
    static constexpr unsigned char kOnDemandTag = 0xFE;

    void Reset() noexcept { std::memset(bytes_, 0, sizeof bytes_); }
    void Free() noexcept
    {
        if (OnHeap())
            delete[] HeapPointer();
    }
    char* HeapPointer() const noexcept;
    std::uint32_t HeapSize() const noexcept;

    // Inline: bytes 0..14 hold the text, byte 15 its length.
    // Heap: bytes 0..7 the pointer, bytes 8..11 the length, byte 15 kHeapTag.
    // On demand: bytes 0..3 the key, byte 15 kOnDemandTag.
    alignas(8) unsigned char bytes_[16];
};
static_assert(sizeof(CompactText) == 16);
