#pragma once
// Names are stored as bytes in the meter's 8-bit code page. For display they
// are decoded: as UTF-8 when the bytes are valid UTF-8, otherwise as GBK
// (code page 936). Bytes that are not valid GBK show as U+FFFD.
#include <string>
#include <string_view>

std::string NameText(std::string_view nameBytes);

// True when the bytes form valid UTF-8 (no overlongs, surrogates or > U+10FFFF).
bool IsValidUtf8(std::string_view bytes);
