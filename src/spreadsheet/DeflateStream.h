#pragma once
// Raw deflate (the compression of zip entries) of bytes that come in
// pieces, at a fast level: compressing a large sheet takes most of the
// time of a save. Segments compressed apart (on several threads) join into
// one stream when every segment but the last ends on a byte boundary.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct z_stream_s;

// Deflated data with the length and CRC-32 of the bytes it holds.
struct DeflatedBytes {
    std::string data;
    std::uint64_t size = 0;
    std::uint32_t crc = 0;

    // Appends the segment `next`; this one must end on a byte boundary.
    void Append(const DeflatedBytes& next);
};

class DeflateStream {
public:
    DeflateStream();
    ~DeflateStream();
    DeflateStream(const DeflateStream&) = delete;
    DeflateStream& operator=(const DeflateStream&) = delete;

    void Write(std::string_view bytes);
    // Ends what was written so far on a byte boundary; more may follow.
    const DeflatedBytes& Flush();
    // Ends the whole stream; nothing may follow.
    const DeflatedBytes& Finish();

private:
    void Deflate(int flush);

    std::unique_ptr<z_stream_s> stream;
    DeflatedBytes out;
    std::size_t outSize = 0;   // bytes of out.data in use; the rest is room
};
