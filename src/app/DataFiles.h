#pragma once
// Files shipped with the program (the spreadsheet template): a copy in the
// current folder wins, so a technician can keep a changed one beside the
// record files; otherwise the installed copy is used.
#include <filesystem>
#include <optional>
#include <string_view>

// The folder the shipped files are installed in: share/orvik50 beside the
// program's bin folder, so an installed tree can be moved as a whole, or the
// configured install folder when the program runs from elsewhere.
std::filesystem::path InstalledDataFolder();

// `name` in `currentFolder` when it is a file there, else in `dataFolder`;
// nothing when neither has it.
std::optional<std::filesystem::path> FindDataFile(std::string_view name, const std::filesystem::path& currentFolder,
                                                  const std::filesystem::path& dataFolder);

// The same for the process's current folder and InstalledDataFolder().
std::optional<std::filesystem::path> FindDataFile(std::string_view name);
