#include "spreadsheet/ZipPackage.h"

#include "spreadsheet/ParallelFor.h"

#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ZipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

constexpr std::size_t kFastCompressionFrom = 1 << 20;

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

// Reads one entry, never more than `limit` bytes: the sizes in the zip's
// directory are not trusted.
std::string ReadEntry(zip_t* archive, zip_uint64_t index, const std::string& name, std::uint64_t limit)
{
    std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(archive, index, 0));
    if (!file)
        throw PackageError("cannot read part " + name + ": " + zip_strerror(archive));
    std::string bytes;
    char buffer[64 * 1024];
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), buffer, sizeof buffer);
        if (got < 0)
            throw PackageError("cannot read part " + name + ": " + zip_file_strerror(file.get()));
        if (got == 0)
            return bytes;
        if (bytes.size() + static_cast<std::uint64_t>(got) > limit)
            throw PackageError("part " + name + " is larger than it may be");
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

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

// libzip source of deflated bytes: it reports them with their size and CRC,
// and libzip writes them as they are.
struct DeflatedSourceState {
    const DeflatedBytes* bytes = nullptr;
    std::size_t readAt = 0;
    zip_error_t error{};   // stays "no error": the source cannot fail
};

zip_int64_t DeflatedSource(void* userdata, void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto* state = static_cast<DeflatedSourceState*>(userdata);
    const DeflatedBytes& part = *state->bytes;
    switch (command) {
    case ZIP_SOURCE_OPEN:
        state->readAt = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        const std::size_t count = std::min<std::size_t>(length, part.data.size() - state->readAt);
        std::copy_n(part.data.data() + state->readAt, count, static_cast<char*>(data));
        state->readAt += count;
        return static_cast<zip_int64_t>(count);
    }
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_STAT: {
        auto* stat = static_cast<zip_stat_t*>(data);
        zip_stat_init(stat);
        stat->size = part.size;
        stat->comp_size = part.data.size();
        stat->crc = part.crc;
        stat->comp_method = ZIP_CM_DEFLATE;
        stat->encryption_method = ZIP_EM_NONE;
        stat->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_CRC | ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&state->error, data, length);
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
        return -1;
    }
}

} // namespace

ZipPackage ZipPackage::Read(const std::string& path, const PackageLimits& limits)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw PackageError("no file " + path);
    int code = 0;
    Archive archive(zip_open(path.c_str(), ZIP_RDONLY, &code));
    if (!archive)
        throw PackageError(path + " is not a usable zip package: " + ZipErrorText(code));

    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count < 0 || static_cast<std::uint64_t>(count) > limits.maxParts)
        throw PackageError(path + " holds too many parts");
    ZipPackage package;
    std::uint64_t total = 0;
    for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
        zip_stat_t stat;
        if (zip_stat_index(archive.get(), i, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME))
            throw PackageError(path + ": unreadable directory entry");
        std::string name = stat.name;
        if (name.empty() || name.back() == '/')
            continue;   // folders are not parts
        const std::uint64_t left = limits.maxTotalBytes - total;
        if ((stat.valid & ZIP_STAT_SIZE) && stat.size > std::min(limits.maxPartBytes, left))
            throw PackageError("part " + name + " is larger than it may be");
        std::string bytes = ReadEntry(archive.get(), i, name, std::min(limits.maxPartBytes, left));
        total += bytes.size();
        package.parts.push_back(Part{std::move(name), std::move(bytes), {}});
    }
    return package;
}

const std::string* ZipPackage::Find(std::string_view name) const
{
    for (const Part& part : parts)
        if (part.name == name)
            return part.deflated ? nullptr : &part.bytes;
    return nullptr;
}

void ZipPackage::Put(std::string_view name, std::string bytes)
{
    for (Part& part : parts)
        if (part.name == name) {
            part.bytes = std::move(bytes);
            part.deflated.reset();
            return;
        }
    parts.push_back(Part{std::string(name), std::move(bytes), {}});
}

void ZipPackage::PutDeflated(std::string_view name, DeflatedBytes deflated)
{
    Put(name, {});
    for (Part& part : parts)
        if (part.name == name)
            part.deflated = std::move(deflated);
}

std::string ZipPackage::Bytes() const
{
    zip_error_t error;
    zip_error_init(&error);
    auto failed = [&](const std::string& why) { return PackageError("cannot make the zip file: " + why); };
    // The archive is made in a buffer of libzip's; kept past zip_close to read it out.
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer)
        throw failed(zip_error_strerror(&error));
    zip_source_keep(buffer);
    std::unique_ptr<zip_source_t, decltype(&zip_source_free)> bufferHolder(buffer, zip_source_free);
    Archive archive(zip_open_from_source(buffer, ZIP_TRUNCATE, &error));
    if (!archive) {
        const std::string why = zip_error_strerror(&error);
        zip_error_fini(&error);
        throw failed(why);
    }

    // Deflated bytes and their readers must live as long as the archive.
    std::vector<DeflatedBytes> compressedHere;
    compressedHere.reserve(parts.size());
    std::vector<std::unique_ptr<DeflatedSourceState>> sources;
    for (const Part& part : parts) {
        // Large parts (a sheet of many rows) are compressed fast rather than
        // small, and on all cores: that takes most of the time of a save.
        const DeflatedBytes* deflated = part.deflated ? &*part.deflated : nullptr;
        if (!deflated && part.bytes.size() > kFastCompressionFrom)
            deflated = &compressedHere.emplace_back(DeflateInParallel(part.bytes));
        zip_source_t* source = nullptr;
        if (deflated) {
            sources.push_back(std::make_unique<DeflatedSourceState>());
            sources.back()->bytes = deflated;
            source = zip_source_function(archive.get(), DeflatedSource, sources.back().get());
        } else {
            source = zip_source_buffer(archive.get(), part.bytes.data(), part.bytes.size(), 0);
        }
        if (!source)
            throw failed(zip_strerror(archive.get()));
        if (zip_file_add(archive.get(), part.name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            throw failed(zip_strerror(archive.get()));
        }
    }
    if (zip_close(archive.get()) != 0)
        throw failed(zip_strerror(archive.get()));
    archive.release();   // closed: nothing left to discard

    zip_stat_t stat;
    if (zip_source_stat(buffer, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) || zip_source_open(buffer) != 0)
        throw failed(zip_error_strerror(zip_source_error(buffer)));
    std::string bytes(stat.size, '\0');
    const zip_int64_t read = zip_source_read(buffer, bytes.data(), bytes.size());
    zip_source_close(buffer);
    if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size)
        throw failed("the archive could not be read back from memory");
    return bytes;
}

void ZipPackage::Write(const std::string& path) const
{
    const std::string bytes = Bytes();
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        throw PackageError("cannot create a file next to " + path);
    // mkstemp makes the file private; the package gets the usual mode of a new file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool written = ::fchmod(fd, 0666 & ~mask) == 0;
    for (std::size_t at = 0; written && at < bytes.size();) {
        const ssize_t count = ::write(fd, bytes.data() + at, bytes.size() - at);
        if (count < 0 && errno == EINTR)
            continue;
        written = count > 0;
        at += written ? static_cast<std::size_t>(count) : 0;
    }
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
