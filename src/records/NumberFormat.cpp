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
    // Fixed precision is correctly rounded (round-half-even on the exact
    // binary value), as glibc's printf is. The largest float has 39 digits.
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
