#include "spreadsheet/ZipPackage.h"

#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <climits>
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

// A part deflated ahead of time, handed to libzip as already compressed data.
struct DeflatedPart {
    std::string data;   // raw deflate stream
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
    std::size_t readAt = 0;
    zip_error_t error{};   // stays "no error": the source cannot fail
};

// Raw-deflates `bytes` in one chunk per core (as parallel gzip tools do): each
// chunk is an independent deflate run; all but the last end with a sync flush
// on a byte boundary, so the chunks joined are one valid deflate stream.
// Returns false when zlib fails (the caller then lets libzip compress).
bool DeflateInParallel(const std::string& bytes, int level, DeflatedPart& out)
{
    const std::size_t chunks = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
    const std::size_t chunkSize = (bytes.size() + chunks - 1) / chunks;
    std::vector<std::string> deflated(chunks);
    std::vector<uLong> crcs(chunks, 0);
    std::vector<char> ok(chunks, 0);
    if (chunkSize > UINT_MAX / 2)
        return false;   // beyond one zlib call
    auto deflateChunk = [&](std::size_t i) {
        const std::size_t begin = std::min(bytes.size(), i * chunkSize);
        const std::size_t length = std::min(bytes.size() - begin, chunkSize);
        const bool last = i + 1 == chunks;
        const auto* input = reinterpret_cast<const Bytef*>(bytes.data() + begin);
        crcs[i] = crc32_z(0, input, length);
        z_stream stream{};
        if (deflateInit2(&stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            return;
        // Left uninitialised: only the part deflate writes is ever touched.
        const uLong bound = deflateBound(&stream, static_cast<uLong>(length)) + 16;
        std::unique_ptr<Bytef[]> buffer(new Bytef[bound]);
        stream.next_in = const_cast<Bytef*>(input);
        stream.avail_in = static_cast<uInt>(length);
        stream.next_out = buffer.get();
        stream.avail_out = static_cast<uInt>(bound);
        const int status = deflate(&stream, last ? Z_FINISH : Z_SYNC_FLUSH);
        const bool done = last ? status == Z_STREAM_END : status == Z_OK && stream.avail_in == 0 && stream.avail_out > 0;
        deflated[i].assign(reinterpret_cast<const char*>(buffer.get()), stream.total_out);
        deflateEnd(&stream);
        ok[i] = done;
    };
    {
        std::vector<std::jthread> workers;
        for (std::size_t i = 1; i < chunks; ++i)
            workers.emplace_back(deflateChunk, i);
        deflateChunk(0);
    }
    if (std::find(ok.begin(), ok.end(), 0) != ok.end())
        return false;
    out.size = bytes.size();
    out.crc = static_cast<std::uint32_t>(crcs[0]);
    std::size_t total = 0;
    for (const std::string& chunk : deflated)
        total += chunk.size();
    out.data.reserve(total);
    for (std::size_t i = 0; i < chunks; ++i) {
        out.data += deflated[i];
        if (i > 0) {
            const std::size_t begin = std::min(bytes.size(), i * chunkSize);
            const std::size_t length = std::min(bytes.size() - begin, chunkSize);
            out.crc = static_cast<std::uint32_t>(crc32_combine(out.crc, crcs[i], static_cast<z_off_t>(length)));
        }
    }
    return true;
}

// libzip source of a DeflatedPart: it reports deflated data with its size
// and CRC, which libzip then writes as it is.
zip_int64_t DeflatedSource(void* userdata, void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto* part = static_cast<DeflatedPart*>(userdata);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        part->readAt = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        const std::size_t count = std::min<std::size_t>(length, part->data.size() - part->readAt);
        std::copy_n(part->data.data() + part->readAt, count, static_cast<char*>(data));
        part->readAt += count;
        return static_cast<zip_int64_t>(count);
    }
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_STAT: {
        auto* stat = static_cast<zip_stat_t*>(data);
        zip_stat_init(stat);
        stat->size = part->size;
        stat->comp_size = part->data.size();
        stat->crc = part->crc;
        stat->comp_method = ZIP_CM_DEFLATE;
        stat->encryption_method = ZIP_EM_NONE;
        stat->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_CRC | ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&part->error, data, length);
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
        package.parts.push_back(Part{std::move(name), std::move(bytes)});
    }
    return package;
}

const std::string* ZipPackage::Find(std::string_view name) const
{
    for (const Part& part : parts)
        if (part.name == name)
            return &part.bytes;
    return nullptr;
}

void ZipPackage::Put(std::string_view name, std::string bytes)
{
    for (Part& part : parts)
        if (part.name == name) {
            part.bytes = std::move(bytes);
            return;
        }
    parts.push_back(Part{std::string(name), std::move(bytes)});
}

void ZipPackage::Write(const std::string& path) const
{
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        throw PackageError("cannot create a file next to " + path);
    // mkstemp makes the file private; the workbook gets the usual mode of a
    // new file instead (the archive keeps the mode of the file it replaces).
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    ::close(fd);
    auto fail = [&](const std::string& why) {
        std::remove(temporary.c_str());
        throw PackageError("cannot write " + path + ": " + why);
    };

    // Deflated parts must live as long as the archive that reads them.
    std::vector<std::unique_ptr<DeflatedPart>> deflatedParts;
    int code = 0;
    Archive archive(zip_open(temporary.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code));
    if (!archive)
        fail(ZipErrorText(code));
    for (const Part& part : parts) {
        // Large parts (a sheet of many rows) are compressed fast rather than
        // small, and on all cores: that takes most of the time of a save.
        const bool large = part.bytes.size() > kFastCompressionFrom;
        zip_source_t* source = nullptr;
        if (auto deflated = std::make_unique<DeflatedPart>(); large && DeflateInParallel(part.bytes, 1, *deflated)) {
            source = zip_source_function(archive.get(), DeflatedSource, deflated.get());
            deflatedParts.push_back(std::move(deflated));
        } else {
            source = zip_source_buffer(archive.get(), part.bytes.data(), part.bytes.size(), 0);
        }
        if (!source)
            fail(zip_strerror(archive.get()));
        const zip_int64_t index = zip_file_add(archive.get(), part.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            fail(zip_strerror(archive.get()));
        }
        if (large)
            zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1);
    }
    if (zip_close(archive.get()) != 0)
        fail(zip_strerror(archive.get()));
    archive.release();   // closed: nothing left to discard
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec)
        fail(ec.message());
}
