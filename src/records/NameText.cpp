#include "records/NameText.h"

#include <cerrno>

#include <iconv.h>

namespace {

constexpr std::string_view REPLACEMENT_CHARACTER = "\xEF\xBF\xBD";

// Length of the UTF-8 sequence starting at bytes[i], or 0 when it is invalid.
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;   // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;        // no overlongs
        if (lead == 0xED) high = 0x9F;       // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;       // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    if (byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    return length;
}

// One converter per thread, opened on first use: opening costs far more
// than converting a 16-byte name.
class Cp936Decoder {
public:
    Cp936Decoder() : cd(iconv_open("UTF-8", "CP936")) {}
    ~Cp936Decoder()
    {
        if (cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd);
    }
    Cp936Decoder(const Cp936Decoder&) = delete;
    Cp936Decoder& operator=(const Cp936Decoder&) = delete;

    std::string Decode(std::string_view bytes)
    {
        std::string out;
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            AppendAsciiOnly(out, bytes);
            return out;
        }
        iconv(cd, nullptr, nullptr, nullptr, nullptr);   // reset shift state
        char buffer[256];
        char* in = const_cast<char*>(bytes.data());
        std::size_t inLeft = bytes.size();
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, outPtr);
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                // Invalid or incomplete sequence: mark one byte and go on.
                out += REPLACEMENT_CHARACTER;
                ++in;
                --inLeft;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

private:
    static void AppendAsciiOnly(std::string& out, std::string_view bytes)
    {
        for (char c : bytes) {
            if (static_cast<unsigned char>(c) < 0x80)
                out += c;
            else
                out += REPLACEMENT_CHARACTER;
        }
    }

    iconv_t cd;
};

} // namespace

bool IsValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string NameText(std::string_view nameBytes)
{
    if (IsValidUtf8(nameBytes))
        return std::string(nameBytes);
    thread_local Cp936Decoder decoder;
    return decoder.Decode(nameBytes);
}
