#pragma once
// Per-grid tables that let a cell hold small indices instead of whole values:
// fonts (a LOGFONT is 60 bytes, and a grid uses a handful), cell styles
// (background, text colour, font) and merged-block records.
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/WinTypes.h"

// Interned LOGFONTs; equal fonts share one index.
class FontTable {
public:
    std::uint32_t Intern(const LOGFONT& font);
    const LOGFONT& Get(std::uint32_t index) const { return fonts_[index]; }
    std::size_t Size() const { return fonts_.size(); }
    void Clear();

private:
    std::vector<LOGFONT> fonts_;
    std::unordered_map<std::string, std::uint32_t> indexByBytes_;
    std::uint32_t lastHit_ = 0;   // most lookups repeat the previous font
};

// The rarely varying attributes of a cell, shared between cells.
struct CellStyle {
    COLORREF bkColor = CLR_DEFAULT;
    COLORREF textColor = CLR_DEFAULT;
    std::uint32_t font = 0;   // FontTable index
    friend bool operator==(const CellStyle&, const CellStyle&) = default;
};

// Interned CellStyles; equal styles share one index.
class StyleTable {
public:
    std::uint32_t Intern(const CellStyle& style);
    const CellStyle& Get(std::uint32_t index) const { return styles_[index]; }
    std::size_t Size() const { return styles_.size(); }
    void Clear();

private:
    struct Hash {
        std::size_t operator()(const CellStyle& s) const;
    };
    std::vector<CellStyle> styles_;
    std::unordered_map<CellStyle, std::uint32_t, Hash> indexByStyle_;
    std::uint32_t lastHit_ = 0;
};

// The integer merged-block fields of a cell (the 0/1 flags live in the cell).
struct MergeRecord {
    int mergeLocked = 0;
    int rowSpan = 0;
    int colSpan = 0;
    int masterRow = 0;
    int masterCol = 0;
    bool IsZero() const { return mergeLocked == 0 && rowSpan == 0 && colSpan == 0 && masterRow == 0 && masterCol == 0; }
    friend bool operator==(const MergeRecord&, const MergeRecord&) = default;
};

// Merge records by index; index 0 is the all-zero record of unmerged cells.
// Records without a master position (those of master cells) are shared, so
// that a merge adds one record for its covered cells; records are dropped
// only when the grid is emptied.
class MergeTable {
public:
    MergeTable() { Clear(); }
    std::uint32_t Add(const MergeRecord& record);
    // Like Add, but every equal record shares one index (covered cells'
    // records, relative to their row's base, repeat from row to row).
    std::uint32_t Intern(const MergeRecord& record);
    const MergeRecord& Get(std::uint32_t index) const { return records_[index]; }
    std::size_t Size() const { return records_.size(); }
    void Clear();

private:
    struct SpanKey {
        int mergeLocked, rowSpan, colSpan;
        friend bool operator==(const SpanKey&, const SpanKey&) = default;
    };
    struct SpanKeyHash {
        std::size_t operator()(const SpanKey& k) const;
    };
    // A deque grows without copying: no doubled peak for the hundreds of
    // thousands of blocks of a large record file.
    std::deque<MergeRecord> records_;
    std::unordered_map<SpanKey, std::uint32_t, SpanKeyHash> masterRecords_;
    struct RecordHash {
        std::size_t operator()(const MergeRecord& r) const;
    };
    std::unordered_map<MergeRecord, std::uint32_t, RecordHash> internedRecords_;
    std::uint32_t lastMaster_ = 0;   // merges in a row usually share their shape
    std::uint32_t lastInterned_ = 0;   // and covered cells their master
};
