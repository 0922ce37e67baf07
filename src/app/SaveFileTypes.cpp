#include "app/SaveFileTypes.h"

namespace {

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> SplitAtBars(const std::string& text)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (auto bar = text.find('|'); bar != std::string::npos; bar = text.find('|', start)) {
        parts.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

} // namespace

std::vector<SaveFileType> ParseFileDialogFilter(const std::string& filter)
{
    std::vector<SaveFileType> types;
    const std::vector<std::string> parts = SplitAtBars(filter);
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty())
            break;   // "||" ends the list
        SaveFileType type{parts[i], parts[i + 1], {}};
        const std::string pattern = Trimmed(type.pattern);
        if (pattern.rfind("*.", 0) == 0)
            type.extension = pattern.substr(1);
        types.push_back(std::move(type));
    }
    return types;
}

std::string WithTypeExtension(const std::string& path, const std::string& extension)
{
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (extension.empty() || name.empty() || name.find('.') != std::string::npos)
        return path;
    return path + extension;
}
