// Reading a zip package, bounded; writing is in ZipPackageWrite.cpp.
#include "spreadsheet/ZipPackage.h"

#include <zip.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace {

std::string ZipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

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

void ZipPackage::Remove(std::string_view name)
{
    std::erase_if(parts, [name](const Part& part) { return part.name == name; });
}

void ZipPackage::PutDeflated(std::string_view name, DeflatedBytes deflated)
{
    Put(name, {});
    for (Part& part : parts)
        if (part.name == name)
            part.deflated = std::move(deflated);
}
