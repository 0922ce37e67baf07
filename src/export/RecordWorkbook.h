#pragma once
// The record table as a workbook: one sheet that mirrors the table on
// screen (header rows and blocks, three rows per record with the
// per-record columns merged, column widths, verdict fills, header rows bold
// and frozen). Texts are the table's; a plain decimal text is stored as a
// number whose format shows the same digits.
#include "export/DelimitedTextExport.h"
#include "records/RecordList.h"
#include "records/RecordTexts.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

class Workbook;

inline constexpr const char* kRecordSheetName = "Records";

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

Workbook RecordTableWorkbook(const RecordList& records);
// Writes the workbook to `path` by the rules of the text types' writer
// (atomically, an existing file stays as it was on failure).
ExportResult WriteRecordWorkbookFile(const std::string& path, const RecordList& records);

// The verdicts of every record and wavelength, counted per wavelength
// (index 0 = 1310 nm) and verdict (index of ThresholdVerdict).
using VerdictCounts = std::array<std::array<std::size_t, 4>, 3>;
VerdictCounts CountVerdicts(const RecordList& records);
// "N records; 1310 nm: P pass, W wrng, F fail, O off; 1490 nm: ...; 1550 nm: ..."
std::string VerdictSummary(std::size_t recordCount, const VerdictCounts& counts);
