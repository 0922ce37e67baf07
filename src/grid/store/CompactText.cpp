#include "grid/store/CompactText.h"

#include <cstring>
#include <new>

CompactText::CompactText(CompactText&& other) noexcept
{
    std::memcpy(bytes_, other.bytes_, sizeof bytes_);
    other.Reset();
}

CompactText& CompactText::operator=(const CompactText& other)
{
    if (this == &other)
        return *this;
    if (other.OnHeap()) {
        Assign(other.View());
    } else {
        Free();   // inline or made on demand: the bytes are the text
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
    }
    return *this;
}

CompactText& CompactText::operator=(CompactText&& other) noexcept
{
    if (this != &other) {
        Free();
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        other.Reset();
    }
    return *this;
}

void CompactText::Assign(std::string_view text)
{
    if (text.size() <= kInlineCapacity) {
        // Copy out first: text may point into the heap block freed here.
        unsigned char copy[kInlineCapacity];
        if (!text.empty())
            std::memcpy(copy, text.data(), text.size());
        Free();
        Reset();
        if (!text.empty())
            std::memcpy(bytes_, copy, text.size());
        bytes_[kTagByte] = static_cast<unsigned char>(text.size());
        return;
    }
    if (text.size() > UINT32_MAX)
        throw std::bad_alloc();
    // Copy first: text may point into our own heap block.
    char* block = new char[text.size()];
    std::memcpy(block, text.data(), text.size());
    Free();
    const auto size = static_cast<std::uint32_t>(text.size());
    std::memcpy(bytes_, &block, sizeof block);
    std::memcpy(bytes_ + 8, &size, sizeof size);
    bytes_[kTagByte] = kHeapTag;
}

void CompactText::Clear() noexcept
{
    Free();
    Reset();
}

std::string_view CompactText::View() const noexcept
{
    if (OnHeap())
        return {HeapPointer(), HeapSize()};
    if (OnDemand())
        return {};
    return {reinterpret_cast<const char*>(bytes_), bytes_[kTagByte]};
}

char* CompactText::HeapPointer() const noexcept
{
    char* p = nullptr;
    std::memcpy(&p, bytes_, sizeof p);
    return p;
}

std::uint32_t CompactText::HeapSize() const noexcept
{
    std::uint32_t size = 0;
    std::memcpy(&size, bytes_ + 8, sizeof size);
    return size;
}
