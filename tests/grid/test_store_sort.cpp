// Sorting rows by a column's text.
#include <gtest/gtest.h>

#include <climits>

#include "store_test_support.h"

namespace {

// One text per row in column 0; the row's original index in its param and
// its height, so both show whether whole rows moved.
void FillColumn(GridCellStore& store, const std::vector<std::string>& texts, int fixedRows = 0)
{
    store.SetRowCount(static_cast<int>(texts.size()));
    store.SetColumnCount(2);
    for (int row = 0; row < store.RowCount(); ++row) {
        store.SetItemText(row, 0, texts[static_cast<std::size_t>(row)]);
        store.SetItemParam(row, 1, row);
        store.SetRowHeight(row, row % 7 + 1);
    }
    store.SetFixedRows(fixedRows);
}

// The original index of each row, top to bottom, after checking that its
// text and height came along.
std::vector<int> RowOrigins(const GridCellStore& store, const std::vector<std::string>& texts)
{
    std::vector<int> origins;
    for (int row = 0; row < store.RowCount(); ++row) {
        const int origin = static_cast<int>(store.GetItemParam(row, 1));
        EXPECT_EQ(store.GetItemText(row, 0), texts[static_cast<std::size_t>(origin)]) << row;
        EXPECT_EQ(store.GetRowHeight(row), origin % 7 + 1) << row;
        origins.push_back(origin);
    }
    return origins;
}

constexpr int kWhole = INT_MIN;

struct SortCase {
    const char* name;
    std::vector<std::string> texts;
    int fixedRows, col, lo, hi;   // lo == kWhole: the call without a range
    BOOL ascending, result;
    std::vector<int> expectedOrigins;   // original row index, top to bottom
};

const std::vector<std::string> kZtoV{"z", "y", "x", "w", "v"};

// Rows end in the quicksort order, whole (text, height, param); the selection follows its row.
TEST(StoreSort, RowsEndInTheQuicksortOrder)
{
    const SortCase cases[] = {
        // Byte order: digits before capitals before small letters before high bytes.
        {"ByteOrderAscending", {"a", "A", "9", "10", ""}, 0, 0, kWhole, -1, TRUE, TRUE, {4, 3, 2, 1, 0}},
        {"ByteOrderDescending", {"10", "9", "A", "a"}, 0, 0, kWhole, -1, FALSE, TRUE, {3, 2, 1, 0}},
        {"HighBytesSortAfterAscii", {"\xC3\xA9", "z", "\xE4\xB8\xAD"}, 0, 0, kWhole, -1, TRUE, TRUE, {1, 0, 2}},
        // Equal texts are never swapped: not a stable order, but a fixed one.
        {"EqualTextsStayWhereThePartitionLeavesThem", {"B", "A", "B", "A"}, 0, 0, kWhole, -1, TRUE, TRUE, {3, 1, 2, 0}},
        {"AllEqualNothingMoves", {"x", "x", "x", "x", "x"}, 0, 0, kWhole, -1, TRUE, TRUE, {0, 1, 2, 3, 4}},
        {"FixedRowsNeverMove", kZtoV, 2, 0, kWhole, -1, TRUE, TRUE, {0, 1, 4, 3, 2}},
        {"SubRangeSortsOnlyThoseRows", kZtoV, 0, 0, 1, 3, TRUE, TRUE, {0, 3, 2, 1, 4}},
        // Refused calls move nothing.
        {"ColumnTooLarge", kZtoV, 0, 2, kWhole, -1, TRUE, FALSE, {0, 1, 2, 3, 4}},
        {"NegativeColumn", kZtoV, 0, -1, kWhole, -1, TRUE, FALSE, {0, 1, 2, 3, 4}},
        {"OneScrollingRow", kZtoV, 4, 0, kWhole, -1, TRUE, FALSE, {0, 1, 2, 3, 4}},
        {"EmptyGrid", {}, 0, 0, kWhole, -1, TRUE, FALSE, {}},
        {"RangeBeforeFirstRow", kZtoV, 0, 0, -1, 2, TRUE, FALSE, {0, 1, 2, 3, 4}},
        {"RangePastLastRow", kZtoV, 0, 0, 1, 5, TRUE, FALSE, {0, 1, 2, 3, 4}}};
    for (const SortCase& c : cases) {
        SCOPED_TRACE(c.name);
        GridCellStore store;
        FillColumn(store, c.texts, c.fixedRows);
        const int selected = static_cast<int>(c.texts.size()) - 1;
        store.SetItemState(selected, 1, CELL_SELECTED);
        const BOOL result = c.lo == kWhole ? store.SortRowsByText(c.col, c.ascending)
                                           : store.SortRowsByText(c.col, c.ascending, c.lo, c.hi);
        EXPECT_EQ(result, c.result);
        const std::vector<int> origins = RowOrigins(store, c.texts);
        EXPECT_EQ(origins, c.expectedOrigins);
        ASSERT_EQ(store.SelectedCells().size(), c.texts.empty() ? 0u : 1u);
        for (const CellId cell : store.SelectedCells())
            EXPECT_EQ(origins[static_cast<std::size_t>(cell.row)], selected);
        EXPECT_CONSISTENT(store);
    }
}

} // namespace
