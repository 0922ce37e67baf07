#pragma once
// Text extents measured once per text and font while a column or row is
// fitted to its contents: a record table's column repeats most of its texts
// (three rows per record), so 196,609 cells need far fewer measurements.
#include <cstring>
#include <string>
#include <unordered_map>

#include "platform/WinTypes.h"

class TextExtentCache {
public:
    // The extent of text in font; measure(text) runs for a text not seen in
    // that font since the font last changed.
    template <class Measure>
    SIZE Extent(const LOGFONT& font, const std::string& text, Measure&& measure)
    {
        if (!hasFont || std::memcmp(&font, &currentFont, sizeof font) != 0) {
            currentFont = font;
            hasFont = true;
            extents.clear();
        }
        const auto [entry, inserted] = extents.try_emplace(text);
        if (inserted)
            entry->second = measure(text);
        return entry->second;
    }

private:
    LOGFONT currentFont{};
    bool hasFont = false;
    std::unordered_map<std::string, SIZE> extents;
};
