#pragma once
// Helpers shared by the cell store tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/store/GridCellStore.h"

// Every store invariant holds; the failure message names the broken one.
#define EXPECT_CONSISTENT(store)                                      \
    do {                                                              \
        std::string why_;                                             \
        EXPECT_TRUE((store).checkConsistency(&why_)) << why_;         \
    } while (0)

// The merge fields of every cell, row by row, to show that a refused merge
// changed nothing.
inline std::vector<GridCellMerge> AllMerges(const GridCellStore& store)
{
    std::vector<GridCellMerge> merges;
    for (int row = 0; row < store.RowCount(); ++row)
        for (int col = 0; col < store.ColumnCount(); ++col)
            merges.push_back(store.GetCellMerge(row, col));
    return merges;
}

// The texts of one column, top to bottom.
inline std::vector<std::string> ColumnTexts(const GridCellStore& store, int col)
{
    std::vector<std::string> texts;
    for (int row = 0; row < store.RowCount(); ++row)
        texts.push_back(store.GetItemText(row, col));
    return texts;
}

// A font that differs from the default one.
inline LOGFONT TestFont(const char* face, int height)
{
    LOGFONT font;
    font.lfHeight = height;
    font.SetFaceName(face);
    return font;
}

inline void PrintTo(const GridCellMerge& m, std::ostream* os)
{
    *os << "{jr " << m.joinedRight << ", jd " << m.joinedDown << ", cov " << m.covered << ", lock " << m.mergeLocked
        << ", rs " << m.rowSpan << ", cs " << m.colSpan << ", master " << m.masterRow << "," << m.masterCol << "}";
}
