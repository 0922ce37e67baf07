#include "spreadsheet/XmlText.h"

#include <cstdio>

namespace {

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// True when text[at..] is "_xHHHH_".
bool IsEscapeAt(std::string_view text, std::size_t at)
{
    if (at + 7 > text.size() || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_')
        return false;
    for (std::size_t i = at + 2; i < at + 6; ++i)
        if (!IsHexDigit(text[i]))
            return false;
    return true;
}

void AppendEscape(std::string& out, unsigned code)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "_x%04X_", code);
    out += buffer;
}

void AppendUtf8(std::string& out, unsigned code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

std::string EscapeCellText(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c < 0x20 && c != '\t' && c != '\n') || c == 0x7F)   // XML readers turn a raw CR into LF
            AppendEscape(out, c);
        else if (c == '_' && IsEscapeAt(utf8, i))
            AppendEscape(out, '_');   // keeps a literal "_xHHHH_" literal
        else
            out += static_cast<char>(c);
    }
    return out;
}

std::string UnescapeCellText(std::string_view stored)
{
    std::string out;
    out.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (IsEscapeAt(stored, i)) {
            AppendUtf8(out, static_cast<unsigned>(std::stoul(std::string(stored.substr(i + 2, 4)), nullptr, 16)));
            i += 6;
        } else {
            out += stored[i];
        }
    }
    return out;
}
