// Shipped files: the current folder first, then the installed data folder.
#include "app/DataFiles.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(DataFiles, CurrentFolderFirstThenTheDataFolder)
{
    QTemporaryDir scratch;
    const fs::path current = fs::path(scratch.path().toStdString()) / "current";
    const fs::path data = fs::path(scratch.path().toStdString()) / "data";
    fs::create_directories(current / "Folder.xlsx");   // a folder is no template
    fs::create_directories(data);
    for (const fs::path& file : {current / "Both.xlsx", data / "Both.xlsx", data / "Shipped.xlsx",
                                 current / "Local.xlsx", data / "Folder.xlsx"})
        std::ofstream(file) << "x";

    const struct {
        const char* name;
        fs::path current, data;
        std::optional<fs::path> found;
    } cases[] = {
        {"Both.xlsx", current, data, current / "Both.xlsx"},
        {"Shipped.xlsx", current, data, data / "Shipped.xlsx"},
        {"Local.xlsx", current, data, current / "Local.xlsx"},
        {"Folder.xlsx", current, data, data / "Folder.xlsx"},
        {"Missing.xlsx", current, data, std::nullopt},
        {"Shipped.xlsx", fs::path(), data, data / "Shipped.xlsx"},   // no current folder (deleted)
        {"Local.xlsx", current, fs::path(), current / "Local.xlsx"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindDataFile(c.name, c.current, c.data), c.found) << c.name;
}
