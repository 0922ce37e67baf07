#pragma once
// Cell names as spreadsheets write them: column letters and a 1-based row
// ("A4", "AB12"), and ranges of two names ("A1:C3").
#include <optional>
#include <string>
#include <string_view>

struct CellPosition {
    int row = 0;      // 1-based
    int column = 0;   // 1-based
    bool operator==(const CellPosition&) const = default;
};

constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;

// "A" for 1, "Z" for 26, "AA" for 27.
std::string ColumnName(int column);
// "F6" for (6, 6).
std::string CellName(int row, int column);
// (row, column) of a name like "F6" or "$F$6"; nothing for a name that is
// not one or lies outside the sheet.
std::optional<CellPosition> ParseCellName(std::string_view name);
// The column of a name (the row may be missing, as in "B"); nothing otherwise.
std::optional<int> ParseColumnName(std::string_view letters);
// The formula as it reads in the cell `rows` rows down and `columns` columns
// right of its own: relative parts of references move, $-anchored parts
// stay, a reference moved off the sheet becomes #REF!. Texts, quoted sheet
// names, function names and bracketed parts are left as they are.
std::string ShiftFormula(std::string_view formula, int rows, int columns);
