#pragma once
// The Save command's output: every record as delimited text, three lines per
// record after two header lines, CR LF line ends, names as their original
// bytes, nothing quoted. Tab for the .xls and .txt types, comma for .csv.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "records/RecordList.h"

constexpr char TAB_SEPARATOR = '\t';
constexpr char COMMA_SEPARATOR = ',';

// The whole file's bytes.
std::string FormatDelimitedText(const RecordList& records, char separator);

// Appends the two header lines.
void AppendDelimitedHeader(std::string& out, char separator);
// Appends the three lines of the record at 0-based position `position`.
void AppendDelimitedRecord(std::string& out, const MeterRecord& record, std::size_t position, char separator);

// Separator of a save type given as "xls", "txt" or "csv" (case-insensitive,
// with or without a leading dot); nothing for any other type.
std::optional<char> SeparatorForSaveType(std::string_view type);
// Separator of the Save dialog's 1-based filter index (1 .xls, 2 .txt, 3 .csv).
std::optional<char> SeparatorForFilterIndex(int filterIndex);

struct ExportResult {
    bool ok = false;
    std::string error;   // why nothing was written (when !ok)
    explicit operator bool() const { return ok; }
};

// Writes the text to `path`. A regular file is written to a temporary file in
// the same folder, flushed to disk and renamed over the target only when
// complete; on any failure the temporary is removed and an existing file
// stays as it was. "-", "/dev/stdout" and other non-regular targets (devices,
// pipes) are written directly; a named pipe that nothing reads and a socket
// are refused.
ExportResult WriteDelimitedTextFile(const std::string& path, const RecordList& records, char separator);

// The same for any bytes already made (a workbook, a record file).
ExportResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// Writes all of `bytes` to `fd`, going on after interruptions; false with
// errno set.
bool WriteAllTo(int fd, std::string_view bytes);

// Writes a file's contents to an open descriptor; false with errno set.
using FileBodyWriter = std::function<bool(int fd)>;
// The same rules for any contents: whatever `body` writes replaces the file
// at `path` only when `body` succeeds and the bytes are on disk.
ExportResult WriteFileWith(const std::string& path, const FileBodyWriter& body);
