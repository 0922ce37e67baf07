#include "grid/store/CellTables.h"

#include <cstring>
#include <new>

namespace {

// The same font with the face name's unused bytes zeroed, so that fonts that
// compare equal also have equal bytes.
LOGFONT Normalized(const LOGFONT& font)
{
    LOGFONT copy = font;
    const std::size_t used = strnlen(copy.lfFaceName, LF_FACESIZE);
    std::memset(copy.lfFaceName + used, 0, LF_FACESIZE - used);
    return copy;
}

std::uint32_t CheckedIndex(std::size_t size)
{
    if (size >= UINT32_MAX)
        throw std::bad_alloc();
    return static_cast<std::uint32_t>(size);
}

} // namespace

std::uint32_t FontTable::Intern(const LOGFONT& font)
{
    // Cheap byte test first: most lookups repeat the previous font.
    if (lastHit_ < fonts_.size()
        && (std::memcmp(&fonts_[lastHit_], &font, sizeof font) == 0 || fonts_[lastHit_] == font))
        return lastHit_;
    const LOGFONT normal = Normalized(font);
    std::string key(reinterpret_cast<const char*>(&normal), sizeof normal);
    const auto found = indexByBytes_.find(key);
    if (found != indexByBytes_.end())
        return lastHit_ = found->second;
    const std::uint32_t index = CheckedIndex(fonts_.size());
    fonts_.push_back(normal);
    indexByBytes_.emplace(std::move(key), index);
    return lastHit_ = index;
}

void FontTable::Clear()
{
    fonts_.clear();
    indexByBytes_.clear();
    lastHit_ = 0;
}

std::size_t StyleTable::Hash::operator()(const CellStyle& s) const
{
    const std::uint64_t colours = (static_cast<std::uint64_t>(s.bkColor) << 32) | s.textColor;
    return std::hash<std::uint64_t>()(colours * 31 + s.font);
}

std::uint32_t StyleTable::Intern(const CellStyle& style)
{
    if (lastHit_ < styles_.size() && styles_[lastHit_] == style)
        return lastHit_;
    const auto found = indexByStyle_.find(style);
    if (found != indexByStyle_.end())
        return lastHit_ = found->second;
    const std::uint32_t index = CheckedIndex(styles_.size());
    styles_.push_back(style);
    indexByStyle_.emplace(style, index);
    return lastHit_ = index;
}

void StyleTable::Clear()
{
    styles_.clear();
    indexByStyle_.clear();
    lastHit_ = 0;
}

std::uint32_t MergeTable::Add(const MergeRecord& record)
{
    if (record.IsZero())
        return 0;
    // The index shares a word with three flag bits.
    if (records_.size() >= (UINT32_MAX >> 3))
        throw std::bad_alloc();
    const bool shareable = record.masterRow == 0 && record.masterCol == 0;
    if (shareable) {
        if (lastMaster_ != 0 && records_[lastMaster_] == record)
            return lastMaster_;
        const SpanKey key{record.mergeLocked, record.rowSpan, record.colSpan};
        const auto found = masterRecords_.find(key);
        if (found != masterRecords_.end())
            return lastMaster_ = found->second;
        lastMaster_ = static_cast<std::uint32_t>(records_.size());
        masterRecords_.emplace(key, lastMaster_);
    }
    records_.push_back(record);
    return static_cast<std::uint32_t>(records_.size() - 1);
}

std::size_t MergeTable::SpanKeyHash::operator()(const SpanKey& k) const
{
    const std::uint64_t spans = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(k.rowSpan)) << 32)
                              | static_cast<std::uint32_t>(k.colSpan);
    return std::hash<std::uint64_t>()(spans * 31 + static_cast<std::uint32_t>(k.mergeLocked));
}

std::uint32_t MergeTable::Intern(const MergeRecord& record)
{
    if (record.IsZero())
        return 0;
    if (lastInterned_ != 0 && records_[lastInterned_] == record)
        return lastInterned_;
    const auto found = internedRecords_.find(record);
    if (found != internedRecords_.end())
        return lastInterned_ = found->second;
    const std::uint32_t index = Add(record);
    internedRecords_.emplace(record, index);
    return lastInterned_ = index;
}

std::size_t MergeTable::RecordHash::operator()(const MergeRecord& r) const
{
    std::size_t h = 0;
    for (const int v : {r.mergeLocked, r.rowSpan, r.colSpan, r.masterRow, r.masterCol})
        h = (h ^ static_cast<std::uint32_t>(v)) * 0x100000001b3ULL;
    return h;
}

void MergeTable::Clear()
{
    internedRecords_.clear();
    records_.assign(1, MergeRecord{});
    masterRecords_.clear();
    lastMaster_ = 0;
    lastInterned_ = 0;
}
