#include "spreadsheet/DeflateStream.h"

#include "spreadsheet/ZipPackage.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

namespace {

constexpr std::size_t kOutputRoom = 64 * 1024;   // free output space before each deflate call
// On sheet XML level 2 is both faster and smaller than level 1: it takes
// longer matches at once, so there are fewer to find and code.
constexpr int kLevel = 2;

} // namespace

void DeflatedBytes::Append(const DeflatedBytes& next)
{
    data += next.data;
    crc = static_cast<std::uint32_t>(crc32_combine(crc, next.crc, static_cast<z_off_t>(next.size)));
    size += next.size;
}

DeflateStream::DeflateStream() : stream(std::make_unique<z_stream_s>())
{
    // Window and memory as zlib's defaults, negative bits for raw deflate (no zlib header).
    if (deflateInit2(stream.get(), kLevel, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw PackageError("cannot start compressing: out of memory");
}

DeflateStream::~DeflateStream()
{
    deflateEnd(stream.get());
}

void DeflateStream::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        // zlib counts in 32 bits.
        const std::size_t length = std::min<std::size_t>(bytes.size(), UINT_MAX / 2);
        const auto* input = reinterpret_cast<const Bytef*>(bytes.data());
        out.crc = static_cast<std::uint32_t>(crc32_z(out.crc, input, length));
        out.size += length;
        stream->next_in = const_cast<Bytef*>(input);
        stream->avail_in = static_cast<uInt>(length);
        Deflate(Z_NO_FLUSH);
        bytes.remove_prefix(length);
    }
}

const DeflatedBytes& DeflateStream::Flush()
{
    Deflate(Z_SYNC_FLUSH);
    return out;
}

const DeflatedBytes& DeflateStream::Finish()
{
    Deflate(Z_FINISH);
    return out;
}

void DeflateStream::Deflate(int flush)
{
    // Without input, a flush is done once zlib leaves output room unused.
    for (;;) {
        if (out.data.size() - outSize < kOutputRoom)
            out.data.resize(std::max(out.data.size() * 2, outSize + kOutputRoom));
        stream->next_out = reinterpret_cast<Bytef*>(out.data.data() + outSize);
        const std::size_t room = out.data.size() - outSize;
        stream->avail_out = static_cast<uInt>(std::min<std::size_t>(room, UINT_MAX / 2));
        const uInt availableOut = stream->avail_out;
        const int status = deflate(stream.get(), flush);
        outSize += availableOut - stream->avail_out;
        if (status == Z_STREAM_ERROR)
            throw PackageError("compression failed");
        const bool outputDone = stream->avail_out != 0;
        if (stream->avail_in == 0 && (flush == Z_NO_FLUSH || (outputDone && (flush != Z_FINISH || status == Z_STREAM_END))))
            break;
    }
    // The room stays for the next write; what was given out is exact.
    if (flush != Z_NO_FLUSH)
        out.data.resize(outSize);
}
