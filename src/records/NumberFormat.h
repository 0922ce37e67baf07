#pragma once
// printf-exact number conversions that append to a string, without iostreams
// or format parsing; used by the text rules and the text export.
#include <cstdint>
#include <string>

// "%.2f" of a float widened to double: "nan"/"-nan", "inf"/"-inf", "-0.00".
void AppendFixed2(std::string& out, float value);
// "%d"/"%u" of an unsigned number.
void AppendDecimal(std::string& out, std::uint64_t value);
// "%x" of a byte: lower case, no leading zero.
void AppendHex(std::string& out, std::uint8_t value);
// "%02x" of a byte.
void AppendHex02(std::string& out, std::uint8_t value);
