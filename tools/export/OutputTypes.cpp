#include "OutputTypes.h"

#include "export/DelimitedTextExport.h"
#include "export/RecordWorkbook.h"
#include "records/RecordFileReader.h"

#include <cctype>
#include <filesystem>

std::optional<OutputType> OutputTypeNamed(std::string_view name)
{
    if (name.starts_with('.'))
        name.remove_prefix(1);
    std::string lower;
    for (char c : name)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "xlsx")
        return OutputType{lower, std::nullopt};
    if (const std::optional<char> separator = SeparatorForSaveType(lower))
        return OutputType{lower, separator};
    return std::nullopt;
}

Conversion ConvertRecordFile(const std::string& input, const std::string& output, const OutputType& type)
{
    const RecordFileReadResult read = ReadRecordFile(input);
    if (!read.ok)
        return {3, {}, input + ": " + read.error};
    Conversion result;
    if (!read.IsComplete())
        result.warning = input + ": warning: file ends early: read " + std::to_string(read.ReadCount()) + " of "
            + std::to_string(read.announcedCount) + " records";
    const ExportResult written = type.separator ? WriteDelimitedTextFile(output, read.records, *type.separator)
                                                : WriteRecordWorkbookFile(output, read.records, std::filesystem::path(input).filename().string());
    if (!written) {
        result.exitCode = 4;
        result.error = output + ": " + written.error;
    }
    return result;
}
