// orvik50-make-template: writes the plain workbook template the viewer's
// template export starts from (one empty sheet named "Sheet1").
#include <cstdio>
#include <string_view>

#include "spreadsheet/Workbook.h"

int main(int argc, char** argv)
{
    if (argc != 2 || std::string_view(argv[1]) == "--help") {
        std::fprintf(stderr, "Usage: orvik50-make-template OUTPUT.xlsx\n"
                             "Writes a workbook with one empty sheet named \"Sheet1\" (the bundled Book11.xlsx).\n");
        return 2;
    }
    try {
        Workbook::CreateEmpty("Sheet1").Save(argv[1]);
    } catch (const WorkbookError& error) {
        std::fprintf(stderr, "orvik50-make-template: %s\n", error.what());
        return 4;
    }
    return 0;
}
