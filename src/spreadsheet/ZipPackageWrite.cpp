// Writing a package as a zip file. Every part's size and CRC are known before
// its bytes are written, so the file is written front to back without
// seeking: to a pipe as well as to a file, and without a copy in memory.
#include "spreadsheet/ZipPackage.h"

#include "files/FileModes.h"
#include "spreadsheet/ParallelFor.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <limits>
#include <system_error>
#include <thread>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kParallelCompressionFrom = 1 << 20;
constexpr std::uint16_t kVersionNeeded = 20;                   // 2.0: deflate
constexpr std::uint16_t kVersionMadeBy = (3 << 8) | 20;        // Unix, 2.0
constexpr std::uint32_t kRegularFileAttributes = 0100644u << 16;
constexpr std::uint16_t kUtf8NameFlag = 0x0800;
constexpr std::uint16_t kStored = 0, kDeflated = 8;

// Raw-deflates `bytes` in one chunk per core (as parallel gzip tools do):
// each chunk is compressed apart and all but the last end on a byte boundary,
// so the chunks joined are one valid deflate stream.
DeflatedBytes DeflateInParallel(std::string_view bytes)
{
    const std::size_t chunks = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
    const std::size_t chunkSize = (bytes.size() + chunks - 1) / chunks;
    std::vector<DeflatedBytes> deflated(chunks);
    ParallelFor(chunks, [&](std::size_t i) {
        DeflateStream stream;
        stream.Write(bytes.substr(std::min(bytes.size(), i * chunkSize), chunkSize));
        deflated[i] = i + 1 == chunks ? stream.Finish() : stream.Flush();
    });
    DeflatedBytes whole = std::move(deflated[0]);
    for (std::size_t i = 1; i < chunks; ++i)
        whole.Append(deflated[i]);
    return whole;
}

DeflatedBytes Deflate(std::string_view bytes)
{
    if (bytes.size() >= kParallelCompressionFrom)
        return DeflateInParallel(bytes);
    DeflateStream stream;
    stream.Write(bytes);
    return stream.Finish();
}

// Little-endian fields of the zip headers.
void Put16(std::string& out, std::uint16_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void Put32(std::string& out, std::uint32_t value)
{
    Put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(value >> 16));
}

// The date and time of now as zip entries keep them (MS-DOS form, local time).
std::pair<std::uint16_t, std::uint16_t> DosDateTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    const int year = std::clamp(local.tm_year + 1900, 1980, 2107);
    return {static_cast<std::uint16_t>(((year - 1980) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday),
            static_cast<std::uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2))};
}

// One entry as it is written: stored or deflated bytes with their size and CRC.
struct Entry {
    const ZipPackage::Part* part;
    DeflatedBytes compressedHere;   // for a part given as plain bytes
    const DeflatedBytes* deflated;  // the compressed bytes, or null when stored
    std::uint32_t crc;
    std::uint64_t size;
    std::uint64_t offset = 0;       // of its local header

    std::string_view Data() const { return deflated ? std::string_view(deflated->data) : std::string_view(part->bytes); }
};

// The fields the local and the central header share, from "version needed" on.
void PutCommonFields(std::string& out, const Entry& entry, std::pair<std::uint16_t, std::uint16_t> dateTime)
{
    const bool ascii = std::all_of(entry.part->name.begin(), entry.part->name.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    Put16(out, kVersionNeeded);
    Put16(out, ascii ? 0 : kUtf8NameFlag);
    Put16(out, entry.deflated ? kDeflated : kStored);
    Put16(out, dateTime.second);
    Put16(out, dateTime.first);
    Put32(out, entry.crc);
    Put32(out, static_cast<std::uint32_t>(entry.Data().size()));
    Put32(out, static_cast<std::uint32_t>(entry.size));
    Put16(out, static_cast<std::uint16_t>(entry.part->name.size()));
    Put16(out, 0);   // no extra field
}

} // namespace

bool ZipPackage::WriteTo(const ByteSink& write) const
{
    // Everything that can fail other than writing is done first.
    std::vector<Entry> entries;
    try {
        entries.reserve(parts.size());
        for (const Part& part : parts) {
            Entry& entry = entries.emplace_back(Entry{&part, {}, nullptr, 0, part.bytes.size()});
            if (part.deflated) {
                entry.deflated = &*part.deflated;
                entry.size = part.deflated->size;
                entry.crc = part.deflated->crc;
                continue;
            }
            entry.compressedHere = Deflate(part.bytes);
            entry.crc = entry.compressedHere.crc;
            if (entry.compressedHere.data.size() < part.bytes.size())
                entry.deflated = &entry.compressedHere;
        }
    } catch (const std::system_error& error) {
        errno = error.code().value();   // no thread could be started
        return false;
    } catch (const std::exception&) {
        errno = ENOMEM;   // out of memory, or zlib could not start for want of it
        return false;
    }
    // Without the 64-bit extensions a zip holds at most 65,535 entries of under 4 GiB.
    constexpr std::uint64_t kMax32 = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t total = 0;
    for (const Entry& entry : entries)
        total += 30 + entry.part->name.size() + entry.Data().size() + 46 + entry.part->name.size();
    if (entries.size() > 0xFFFF || total >= kMax32) {
        errno = EFBIG;
        return false;
    }

    const auto dateTime = DosDateTime();
    std::uint64_t offset = 0;
    std::string header;
    for (Entry& entry : entries) {
        entry.offset = offset;
        header.clear();
        Put32(header, 0x04034b50);
        PutCommonFields(header, entry, dateTime);
        header += entry.part->name;
        if (!write(header) || !write(entry.Data()))
            return false;
        offset += header.size() + entry.Data().size();
    }
    std::string directory;
    for (const Entry& entry : entries) {
        Put32(directory, 0x02014b50);
        Put16(directory, kVersionMadeBy);
        PutCommonFields(directory, entry, dateTime);
        Put16(directory, 0);   // comment length
        Put16(directory, 0);   // disk number
        Put16(directory, 0);   // internal attributes
        Put32(directory, kRegularFileAttributes);
        Put32(directory, static_cast<std::uint32_t>(entry.offset));
        directory += entry.part->name;
    }
    const std::size_t directorySize = directory.size();
    Put32(directory, 0x06054b50);
    Put16(directory, 0);   // this disk
    Put16(directory, 0);   // the disk the directory starts on
    Put16(directory, static_cast<std::uint16_t>(entries.size()));
    Put16(directory, static_cast<std::uint16_t>(entries.size()));
    Put32(directory, static_cast<std::uint32_t>(directorySize));
    Put32(directory, static_cast<std::uint32_t>(offset));
    Put16(directory, 0);   // comment length
    return write(directory);
}

void ZipPackage::Write(const std::string& path) const
{
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        throw PackageError("cannot create a file next to " + path);
    // mkstemp makes the file private; the package gets the usual mode of a new file.
    bool written = ::fchmod(fd, NewFileMode()) == 0 && WriteTo([fd](std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t count = ::write(fd, bytes.data(), bytes.size());
            if (count < 0 && errno != EINTR)
                return false;
            bytes.remove_prefix(count < 0 ? 0 : static_cast<std::size_t>(count));
        }
        return true;
    });
    const int writeError = errno;
    written = ::close(fd) == 0 && written;
    std::error_code ec;
    if (written)
        std::filesystem::rename(temporary, path, ec);
    if (!written || ec) {
        std::remove(temporary.c_str());
        throw PackageError("cannot write " + path + ": " + (ec ? ec.message() : std::strerror(writeError)));
    }
}
