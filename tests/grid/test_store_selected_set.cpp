// The selected-cell set against a plain std::set of cells: every operation,
// in random order and with columns on both sides of a 64-bit word, must
// leave membership, size, bounds and iteration order exactly alike.
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "grid/store/SelectedCellSet.h"

namespace {

using Model = std::set<std::pair<int, int>>;

void ExpectSame(const SelectedCellSet& set, const Model& model)
{
    std::vector<std::pair<int, int>> members;
    for (const CellId cell : set)
        members.emplace_back(cell.row, cell.col);
    ASSERT_EQ(members, (std::vector<std::pair<int, int>>(model.begin(), model.end()))) << "row-major order";
    ASSERT_EQ(set.size(), model.size());
    CellRange bounds;
    for (const auto& [row, col] : model)
        bounds = CellRange(bounds.minRow < 0 ? row : std::min(bounds.minRow, row),
                           bounds.minCol < 0 ? col : std::min(bounds.minCol, col), std::max(bounds.maxRow, row),
                           std::max(bounds.maxCol, col));
    EXPECT_EQ(set.Bounds(), bounds);
}

TEST(StoreSelectedCellSet, RandomOperationsMatchASetOfCells)
{
    std::mt19937 random(7);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const int rows = 40;
    for (const int columns : {13, 64, 130}) {
        SCOPED_TRACE(columns);
        SelectedCellSet set;
        Model model;
        for (int step = 0; step < 400; ++step) {
            const int row = pick(rows), col = pick(columns), other = pick(rows);
            switch (pick(6)) {
            case 0:
            case 1: {
                const bool on = pick(2) == 0;
                set.Set(row, col, on);
                on ? (void)model.emplace(row, col) : (void)model.erase({row, col});
                break;
            }
            case 2: {
                const CellRange block(row, col, other, pick(columns));
                set.InsertBlock(block);
                for (int r = block.minRow; block.IsValid() && r <= block.maxRow; ++r)
                    for (int c = block.minCol; c <= block.maxCol; ++c)
                        model.emplace(r, c);
                break;
            }
            case 3: {
                set.SwapRows(row, other);
                Model swapped;
                for (auto [r, c] : model)
                    swapped.emplace(r == row ? other : r == other ? row : r, c);
                model.swap(swapped);
                break;
            }
            case 4: {
                const int keepRows = rows - pick(5), keepCols = columns - pick(std::min(70, columns));
                set.Truncate(keepRows, keepCols);
                std::erase_if(model, [&](const auto& cell) { return cell.first >= keepRows || cell.second >= keepCols; });
                break;
            }
            default: {
                SelectedCellSet added;
                added.InsertBlock(CellRange(row, col, row + 1, col));
                set.InsertAll(added);
                model.insert({{row, col}, {row + 1, col}});
                if (pick(8) == 0) {
                    set.Clear();
                    model.clear();
                }
            }
            }
            for (int probe = 0; probe < 5; ++probe) {
                const int r = pick(rows + 2), c = pick(columns + 2);
                ASSERT_EQ(set.Contains(r, c), model.count({r, c}) == 1) << r << ", " << c;
            }
            ExpectSame(set, model);
        }
    }
}

// Select All of the largest record file: 196,609 rows of 13 columns.
TEST(StoreSelectedCellSet, WholeLargestGridIsOneBlock)
{
    SelectedCellSet set;
    set.InsertBlock(CellRange(3, 1, 196608, 12));
    EXPECT_EQ(set.Bounds(), CellRange(3, 1, 196608, 12));
    EXPECT_TRUE(set.Contains(70000, 5) && !set.Contains(70000, 0) && !set.Contains(2, 5));
    set.Set(196608, 12, false);
    EXPECT_EQ(set.size(), 196606u * 12u - 1);
}

}  // namespace
