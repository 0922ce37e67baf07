#pragma once
// The compact form of one cell inside the store.
#include <cstdint>

#include "grid/store/CompactText.h"
#include "grid/store/GridCell.h"

// One cell as the store keeps it: 40 bytes instead of a heap object with its
// own LOGFONT. Colours and font sit in a shared CellStyle; the integer merge
// fields in a shared MergeRecord, the three 0/1 merge flags in the low bits.
struct CompactCell {
    CompactText text;
    UINT state = 0;
    UINT format = 0;
    CellParam param = 0;
    int image = -1;
    std::uint32_t style = 0;   // StyleTable index
    std::uint32_t merge = 0;   // MergeTable index << 3 | covered << 2 | joinedDown << 1 | joinedRight

    static constexpr std::uint32_t kJoinedRight = 0x1;
    static constexpr std::uint32_t kJoinedDown = 0x2;
    static constexpr std::uint32_t kCovered = 0x4;
    static constexpr std::uint32_t kFlagMask = 0x7;
    static constexpr int kRecordShift = 3;
};
static_assert(sizeof(CompactCell) == 40);   // no padding: row patterns compare cells by their bytes
