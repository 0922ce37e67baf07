#pragma once
// Workbook files for tests: a template with shared strings, styles, two
// sheets and parts the workbook layer never touches; unusable files.
#include "spreadsheet/ZipPackage.h"

#include <cstdint>
#include <string>

// Parts of the rich template. Sheet "Cover" (sheet1.xml) holds the shared
// string "Report" in A1; sheet "Sheet1" (sheet2.xml, sheet id 2) holds the
// shared formula "B4*2" in A4 and A7 (both in the calculation chain), the
// shared strings "Keep" in B4 and "six" in F6 (B4 and F6 share the bold
// format 1), nothing in row 5, and "tail" in G7. Row 4 as a whole and
// columns J:K have the yellow fill of format 2.
ZipPackage RichTemplate();

// A zip with one part of `bytes` zeros, compressed.
void WriteZipBomb(const std::string& path, std::uint64_t bytes);
