#pragma once
// A zip package held in memory: its parts by name, in archive order.
// Reading is bounded (number of parts, size of one part, size of all parts),
// so a damaged or hostile file is refused instead of filling the memory.
#include "spreadsheet/DeflateStream.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class PackageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct PackageLimits {
    std::size_t maxParts = 4096;
    std::uint64_t maxPartBytes = 64ull << 20;
    std::uint64_t maxTotalBytes = 256ull << 20;
};

class ZipPackage {
public:
    struct Part {
        std::string name;
        std::string bytes;
        // Set instead of `bytes` for a part given already compressed.
        std::optional<DeflatedBytes> deflated;
    };

    // Reads every part of the zip file at `path`; throws PackageError when
    // the file is missing, not a zip, damaged or beyond `limits`.
    static ZipPackage Read(const std::string& path, const PackageLimits& limits = {});

    // The bytes of the part named `name` (exact name), or null (also for a
    // part given compressed).
    const std::string* Find(std::string_view name) const;
    // Replaces the part's bytes, or adds the part at the end.
    void Put(std::string_view name, std::string bytes);
    // Takes the part out of the package (nothing when there is none).
    void Remove(std::string_view name);
    // As Put, with the bytes as one whole raw deflate stream.
    void PutDeflated(std::string_view name, DeflatedBytes deflated);
    const std::vector<Part>& Parts() const { return parts; }

    // Takes the bytes of a file in order; false when they cannot be written.
    using ByteSink = std::function<bool(std::string_view)>;
    // Writes the package as a zip file through `write`, compressing the parts
    // given as plain bytes first. False with errno set when `write` fails, or
    // (EFBIG) when the package is too large for a zip file without 64-bit
    // extensions; throws nothing.
    bool WriteTo(const ByteSink& write) const;
    // Writes the package to `path` through a temporary file in the same
    // folder that replaces `path` only once it is complete; throws
    // PackageError and leaves `path` as it was on failure.
    void Write(const std::string& path) const;

private:
    std::vector<Part> parts;
};
