#include "records/NumberFormat.h"

#include <charconv>
#include <cmath>

void AppendFixed2(std::string& out, float value)
{
    const double widened = value;   // printf receives floats as double
    // to_chars leaves the spelling of NaN's sign to the library; printf's is fixed.
    if (std::isnan(widened)) {
        out += std::signbit(widened) ? "-nan" : "nan";
        return;
    }
    if (std::isinf(widened)) {
        out += widened < 0 ? "-inf" : "inf";
        return;
    }
    // A float has a 24-bit significand and 100 needs 7 bits, so |value| * 100
    // is exact in a double. Rounding it to an integer in the default rounding
    // mode (nearest, ties to even) is then exactly printf's rounding to two
    // decimals. Far cheaper than a general conversion; the bound keeps the
    // integer exact.
    const double scaled = std::fabs(widened) * 100.0;
    if (scaled < 1e15) {
        auto hundredths = static_cast<std::uint64_t>(std::nearbyint(scaled));
        char buffer[24];
        char* const end = buffer + sizeof buffer;
        char* p = end;
        *--p = static_cast<char>('0' + hundredths % 10);
        hundredths /= 10;
        *--p = static_cast<char>('0' + hundredths % 10);
        hundredths /= 10;
        *--p = '.';
        do {
            *--p = static_cast<char>('0' + hundredths % 10);
            hundredths /= 10;
        } while (hundredths != 0);
        if (std::signbit(widened))   // printf keeps the sign of -0.0 and of -0.001
            *--p = '-';
        out.append(p, end);
        return;
    }
    // Larger values: fixed precision to_chars is correctly rounded as glibc's
    // printf is. The largest float has 39 digits.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, widened, std::chars_format::fixed, 2);
    out.append(buffer, result.ptr);
}

void AppendDecimal(std::string& out, std::uint64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

namespace {
constexpr char HEX_DIGITS[] = "0123456789abcdef";
}

void AppendHex(std::string& out, std::uint8_t value)
{
    if (value >= 0x10)
        out += HEX_DIGITS[value >> 4];
    out += HEX_DIGITS[value & 0x0F];
}

void AppendHex02(std::string& out, std::uint8_t value)
{
    out += HEX_DIGITS[value >> 4];
    out += HEX_DIGITS[value & 0x0F];
}
