#include "export/DelimitedTextExport.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/FileModes.h"
#include "records/NumberFormat.h"
#include "records/RecordTexts.h"

namespace {

constexpr std::string_view LINE_END = "\r\n";
constexpr std::string_view EXPORT_WAVELENGTH_LABELS[WAVELENGTH_COUNT] = {"1310nm", "1490nm", "1550nm"};

// The date as "%x%x//%x//%x": two slashes between the parts.
void AppendExportDate(std::string& out, const MeterRecord& record)
{
    AppendHex(out, record.century);
    AppendHex(out, record.year);
    out += "//";
    AppendHex(out, record.month);
    out += "//";
    AppendHex(out, record.day);
}

// The time as "%02x:%02x:%02x": the hour padded too.
void AppendExportTime(std::string& out, const MeterRecord& record)
{
    AppendHex02(out, record.hour);
    out += ':';
    AppendHex02(out, record.minute);
    out += ':';
    AppendHex02(out, record.second);
}

void AppendPower(std::string& out, float power)
{
    if (!(power >= LOW_POWER_LIMIT))
        out += "Low";
    else
        AppendFixed2(out, power);
}

} // namespace

void AppendDelimitedHeader(std::string& out, char separator)
{
    const char s = separator;
    for (std::string_view title : {"No.", "OLT name", "ONT name", "Wavelength", "Power", "Unit", "Ref.(dBm)",
                                   "Thres.Status", "Threshold(dBm)"}) {
        out += title;
        out += s;
    }
    out += s;
    out += s;
    out += "Date";
    out += s;
    out += "Time";
    out += LINE_END;

    out.append(8, s);
    out += "PASS";
    out += s;
    out += "WRNG";
    out += s;
    out += "FAIL";
    out += s;
    out += LINE_END;
}

void AppendDelimitedRecord(std::string& out, const MeterRecord& record, std::size_t position, char separator)
{
    const char s = separator;
    const std::string_view unit = UnitText(record.unitMode);
    for (int w = 0; w < WAVELENGTH_COUNT; ++w) {
        const WavelengthReading& r = record.readings[w];
        // Number and names stand on the record's first line only.
        if (w == 0) {
            AppendDecimal(out, static_cast<std::uint64_t>(position) + 1);
            out += s;
            out += NameBytes(record.oltName);
            out += s;
            out += NameBytes(record.ontName);
            out += s;
        } else {
            out.append(3, s);
        }
        out += EXPORT_WAVELENGTH_LABELS[w];
        out += s;
        AppendPower(out, r.power);
        out += s;
        out += unit;
        out += s;
        AppendFixed2(out, r.reference);
        out += s;
        out += VerdictWord(VerdictText(record, w));
        out += s;
        AppendFixed2(out, r.passThreshold);
        out += s;
        AppendFixed2(out, r.warnThreshold);
        out += s;
        AppendFixed2(out, r.failThreshold);
        out += s;
        AppendExportDate(out, record);
        out += s;
        AppendExportTime(out, record);
        out += LINE_END;
    }
}

std::string FormatDelimitedText(const RecordList& records, char separator)
{
    std::string out;
    // About 75 bytes per line is typical; one reservation avoids regrowth.
    out.reserve(256 + records.GetSize() * 3 * 80);
    AppendDelimitedHeader(out, separator);
    std::size_t position = 0;
    for (const MeterRecord& record : records)
        AppendDelimitedRecord(out, record, position++, separator);
    return out;
}

std::optional<char> SeparatorForSaveType(std::string_view type)
{
    if (!type.empty() && type.front() == '.')
        type.remove_prefix(1);
    if (type.size() != 3)
        return std::nullopt;
    std::string lower;
    for (char c : type)
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower == "xls" || lower == "txt")
        return TAB_SEPARATOR;
    if (lower == "csv")
        return COMMA_SEPARATOR;
    return std::nullopt;
}

std::optional<char> SeparatorForFilterIndex(int filterIndex)
{
    switch (filterIndex) {
    case 1:
    case 2: return TAB_SEPARATOR;
    case 3: return COMMA_SEPARATOR;
    default: return std::nullopt;
    }
}

// ---- Writing the file ----

bool WriteAllTo(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

namespace {

ExportResult Failed(std::string reason)
{
    return ExportResult{false, std::move(reason)};
}

ExportResult FailedWithErrno()
{
    return Failed(std::strerror(errno));
}

// Writes every byte, resuming after interrupted or partial writes.
// Formats and writes in pieces, so the whole text never has to be in memory.
bool WriteDelimitedTextTo(int fd, const RecordList& records, char separator)
{
    constexpr std::size_t FLUSH_AT = 256 * 1024;
    std::string piece;
    piece.reserve(FLUSH_AT + 16 * 1024);   // room for the record that crosses the mark
    AppendDelimitedHeader(piece, separator);
    std::size_t position = 0;
    for (const MeterRecord& record : records) {
        AppendDelimitedRecord(piece, record, position++, separator);
        if (piece.size() >= FLUSH_AT) {
            if (!WriteAllTo(fd, piece))
                return false;
            piece.clear();
        }
    }
    return WriteAllTo(fd, piece);
}

// Devices, pipes and the standard output cannot be replaced by renaming.
ExportResult WriteDirectly(int fd, const FileBodyWriter& body)
{
    if (!body(fd))
        return FailedWithErrno();
    return ExportResult{true, {}};
}

ExportResult WriteToNonRegularFile(const std::string& path, const FileBodyWriter& body)
{
    // Opening a named pipe for writing would wait, without end, for a reader:
    // without one the write fails at once. Writing itself may then block.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENXIO ? Failed("is a named pipe that nothing reads") : FailedWithErrno();
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    ExportResult result = WriteDirectly(fd, body);
    if (::close(fd) != 0 && result.ok)
        result = FailedWithErrno();
    return result;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Closes the descriptor on every way out.
struct FolderHandle {
    int fd;
    ~FolderHandle()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Writes to a temporary file next to the target and renames it over the
// target only when everything is on disk.
ExportResult ReplaceRegularFile(const std::string& target, mode_t mode, const FileBodyWriter& body)
{
    const std::string folderPath = FolderOf(target);
    // The folder is held open, so the temporary can be removed from it even
    // when the folder is moved or removed while the file is written.
    const FolderHandle folder{::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    std::string temporary = folderPath + "/.orvik50-save-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return FailedWithErrno();
    bool written = ::fchmod(fd, mode) == 0 && body(fd) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    if (::close(fd) != 0 && written)
        written = false;
    else
        errno = savedErrno;
    if (written && ::rename(temporary.c_str(), target.c_str()) == 0) {
        // Makes the rename itself durable; a failure here loses nothing written.
        if (folder.fd >= 0)
            ::fsync(folder.fd);
        return ExportResult{true, {}};
    }
    ExportResult failure = FailedWithErrno();
    if (folder.fd >= 0)
        ::unlinkat(folder.fd, NameOf(temporary).c_str(), 0);
    else
        ::unlink(temporary.c_str());
    return failure;
}

// Directs the body to the target: directly for devices, pipes and the
// standard output, through a temporary file for regular files.
ExportResult WriteFileThrough(const std::string& path, const FileBodyWriter& body)
{
    if (path.empty())
        return Failed("no file name");
    if (path == "-" || path == "/dev/stdout")
        return WriteDirectly(STDOUT_FILENO, body);
    if (path == "/dev/stderr")
        return WriteDirectly(STDERR_FILENO, body);

    std::string target = path;
    mode_t mode = NewFileMode();
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return Failed("is a folder");
        // open() refuses a socket with the error a pipe without reader gives.
        if (S_ISSOCK(info.st_mode))
            return Failed("is a socket");
        if (!S_ISREG(info.st_mode))
            return WriteToNonRegularFile(path, body);
        // A read-only file is not replaced, as opening it for writing would fail.
        if (::access(path.c_str(), W_OK) != 0)
            return FailedWithErrno();
        mode = info.st_mode & 07777;
        // Through a symbolic link, replace the file it points to, not the link.
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved))
            target = resolved;
    }
    return ReplaceRegularFile(target, mode, body);
}

} // namespace

ExportResult WriteFileWith(const std::string& path, const FileBodyWriter& body)
{
    return WriteFileThrough(path, body);
}

ExportResult WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    return WriteFileThrough(path, [bytes](int fd) { return WriteAllTo(fd, bytes); });
}

ExportResult WriteDelimitedTextFile(const std::string& path, const RecordList& records, char separator)
{
    return WriteFileThrough(path, [&](int fd) { return WriteDelimitedTextTo(fd, records, separator); });
}
