#pragma once
// The first sheet of a workbook as an independent reader (openpyxl, through workbook_cells.py)
// reads it: one line a non-empty cell (reference, value, number format, fill,
// font colour), then the merged ranges. "<no reader>" when the reader cannot
// run, so that a comparison fails instead of passing on nothing.
#include <cstdio>
#include <string>

inline std::string WorkbookCells(const std::string& workbook)
{
    const std::string command = std::string("/usr/bin/python3 '") + ORVIK_WORKBOOK_CELLS + "' '" + workbook + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return "<no reader>";
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    return ::pclose(pipe) == 0 ? out : "<no reader>\n" + out;
}
