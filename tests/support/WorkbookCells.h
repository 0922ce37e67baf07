#pragma once
// A sheet of a workbook as an independent reader (openpyxl, through workbook_cells.py)
// reads it: one line a non-empty cell (reference, value, number format, fill,
// font colour), then the merged ranges; with "--layout" also the sheet's name,
// frozen pane, column widths and bold cells. "<no reader>" when the reader
// cannot run, so that a comparison fails instead of passing on nothing.
#include <cstdio>
#include <string>

inline std::string WorkbookCells(const std::string& workbook, const std::string& options = "")
{
    const std::string command = std::string("/usr/bin/python3 '") + ORVIK_WORKBOOK_CELLS + "' '" + workbook + "' " + options + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return "<no reader>";
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    return ::pclose(pipe) == 0 ? out : "<no reader>\n" + out;
}

// The line of `cells` that starts with `key` and a tab, without them; "<none>" when there is none.
inline std::string WorkbookLine(const std::string& cells, const std::string& key)
{
    const std::size_t at = ("\n" + cells).find("\n" + key + "\t");
    if (at == std::string::npos)
        return "<none>";
    const std::size_t from = at + key.size() + 1;
    return cells.substr(from, cells.find('\n', from) - from);
}
