#include "app/DataFiles.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

bool IsFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

} // namespace

fs::path InstalledDataFolder()
{
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        // <prefix>/bin/orvik50 -> <prefix>/share/orvik50
        const fs::path beside = program.parent_path().parent_path() / ORVIK50_RELATIVE_DATA_DIR;
        if (fs::is_directory(beside, error))
            return beside;
    }
    return fs::path(ORVIK50_INSTALLED_DATA_DIR);
}

std::optional<fs::path> FindDataFile(std::string_view name, const fs::path& currentFolder, const fs::path& dataFolder)
{
    for (const fs::path& folder : {currentFolder, dataFolder}) {
        if (folder.empty())
            continue;
        fs::path candidate = folder / name;
        if (IsFile(candidate))
            return candidate;
    }
    return std::nullopt;
}

std::optional<fs::path> FindDataFile(std::string_view name)
{
    std::error_code error;
    const fs::path current = fs::current_path(error);
    return FindDataFile(name, error ? fs::path() : current, InstalledDataFolder());
}
