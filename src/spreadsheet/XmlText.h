#pragma once
// Texts in spreadsheet XML. XML 1.0 cannot hold most control characters;
// the workbook format writes such a character as "_xHHHH_", and a text that
// itself contains such a sequence escapes its underscore as "_x005F_".
#include <string>
#include <string_view>

// The text as a workbook stores it (before XML's own escaping).
std::string EscapeCellText(std::string_view utf8);
// The text a workbook's stored text stands for.
std::string UnescapeCellText(std::string_view stored);
