#pragma once
// Reads a workbook file back: every worksheet's cells (text, number, their
// font colour, boldness, fill and number format), merged ranges, column
// widths and frozen rows. For tests and tools that check what was written.
#include "spreadsheet/ZipPackage.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

struct ReadCell {
    enum class Kind { Empty, Text, Number, Other };
    Kind kind = Kind::Empty;
    std::string text;      // texts; the stored value for others
    double number = 0;
    std::string fontColor;      // "FFRRGGBB" as stored, empty when the font names none
    bool bold = false;
    std::string fillColor;      // of a solid fill, empty otherwise
    std::string numberFormat;   // the format code, "General" for the default
};

struct ReadSheet {
    std::string name;
    std::map<std::pair<int, int>, ReadCell> cells;   // (row, column), 1-based
    std::vector<std::string> merges;                 // "A1:C3"
    std::map<int, double> columnWidths;
    int frozenRows = 0;

    // The cell, or an empty one.
    const ReadCell& At(int row, int column) const;
};

struct ReadWorkbook {
    std::vector<ReadSheet> sheets;
    // The parts of the package, for comparing packages.
    ZipPackage package;
};

// Throws WorkbookError (or PackageError for the zip) when unreadable.
ReadWorkbook ReadWorkbookFile(const std::string& path, const PackageLimits& limits = {});
