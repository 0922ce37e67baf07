#pragma once
// The output types of orvik50-export and how one record file is converted.
#include <optional>
#include <string>
#include <string_view>

#include "records/RecordList.h"

struct OutputType {
    std::string extension;            // "xls", "txt", "csv", "xlsx"
    std::optional<char> separator;    // delimited text; none for the workbook
};

// The type named "xls", "txt", "csv" or "xlsx" (any case, leading dot allowed).
std::optional<OutputType> OutputTypeNamed(std::string_view name);

struct Conversion {
    int exitCode = 0;        // 0, 3 (input) or 4 (output)
    std::string warning;     // a shortened input
    std::string error;       // why nothing was written
};

// Reads `input` and writes it as `type` to `output`.
Conversion ConvertRecordFile(const std::string& input, const std::string& output, const OutputType& type);
