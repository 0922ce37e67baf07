#pragma once
// The record table as a workbook: a sheet that mirrors the table on screen
// (header rows and blocks, three rows per record with the per-record columns
// merged, column widths, the table's font, alignment, grid lines and header
// fill, verdict fills, header rows bold and frozen) and prints like it
// (landscape, one page wide, the header rows on every page), and a summary
// sheet of the verdicts per wavelength with a chart of them. Texts are the
// table's; a plain decimal text is stored as a number whose format shows the
// same digits.
#include "export/DelimitedTextExport.h"
#include "records/RecordList.h"
#include "records/RecordTexts.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

class Workbook;

inline constexpr const char* kRecordSheetName = "Records";
inline constexpr const char* kSummarySheetName = "Summary";

// A text that is a plain decimal number ("-?digits", optionally "." and
// more digits) as the number and the format code showing it the same way
// ("0", "0.00"); nothing for every other text, and for numbers a
// spreadsheet cannot show digit for digit (more than 15 significant digits,
// a negative zero).
struct PlainNumber {
    double value;
    std::string formatCode;
};
std::optional<PlainNumber> PlainDecimal(std::string_view text);

// `sourceName` is the record file's name: the document's title, the printed
// pages' header and the summary's source; left out when empty.
Workbook RecordTableWorkbook(const RecordList& records, std::string_view sourceName = {});
// Writes the workbook to `path` by the rules of the text types' writer
// (atomically, an existing file stays as it was on failure).
ExportResult WriteRecordWorkbookFile(const std::string& path, const RecordList& records, std::string_view sourceName = {});

// The verdicts of every record and wavelength, counted per wavelength
// (index 0 = 1310 nm) and verdict (index of ThresholdVerdict).
using VerdictCounts = std::array<std::array<std::size_t, 4>, 3>;
VerdictCounts CountVerdicts(const RecordList& records);
// "N records; 1310 nm: P pass, W wrng, F fail, O off; 1490 nm: ...; 1550 nm: ..."
std::string VerdictSummary(std::size_t recordCount, const VerdictCounts& counts);
