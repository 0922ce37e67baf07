#pragma once
// A cell text in 16 bytes: up to 15 bytes inline, longer texts on the heap.
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
    void Clear() noexcept;
    std::string_view View() const noexcept;
    std::size_t Size() const noexcept { return View().size(); }
    bool Empty() const noexcept { return bytes_[kTagByte] == 0; }
    bool OnHeap() const noexcept { return bytes_[kTagByte] == kHeapTag; }

    static constexpr std::size_t kInlineCapacity = 15;

private:
    static constexpr std::size_t kTagByte = 15;          // inline length, or kHeapTag
    static constexpr unsigned char kHeapTag = 0xFF;

    void Reset() noexcept;
    void Free() noexcept;
    char* HeapPointer() const noexcept;
    std::uint32_t HeapSize() const noexcept;

    // Inline: bytes 0..14 hold the text, byte 15 its length.
    // Heap: bytes 0..7 the pointer, bytes 8..11 the length, byte 15 kHeapTag.
    alignas(8) unsigned char bytes_[16];
};
static_assert(sizeof(CompactText) == 16);
