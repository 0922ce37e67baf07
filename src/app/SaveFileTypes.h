#pragma once
// The Save dialog's file types, read from the filter text
// "description|pattern|description|pattern||", and the extension rule.
#include <string>
#include <vector>

struct SaveFileType {
    std::string description;   // "Text(Tab delimited)(*.txt)"
    std::string pattern;       // "*.txt " as written in the filter
    std::string extension;     // ".txt"
};

// The types in their order; a trailing empty pair ends the list.
std::vector<SaveFileType> ParseFileDialogFilter(const std::string& filter);

// `path` with `extension` appended when its file name has no extension.
std::string WithTypeExtension(const std::string& path, const std::string& extension);
