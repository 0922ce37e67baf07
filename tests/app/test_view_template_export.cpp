// The blank menu-bar entry runs the template export in the current folder
// with the view's holders, whether or not a record file is open; shipped
// files such as the template are looked for in the current folder first,
// then in the installed data folder.
#include "AppTestSupport.h"

#include "app/AppResources.h"
#include "app/DataFiles.h"
#include "export/SpreadsheetHost.h"

#include <QDir>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(ViewTemplateExport, RunsInTheCurrentFolderWithTheViewsHolders)
{
    RecordFileFolder folder;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.Path(QString())));
    ::setenv("ORVIK50_SPREADSHEET", "sh", 1);
    std::vector<std::string> launched;
    CurrentSpreadsheetHost() = SpreadsheetHost{FindSpreadsheetProgram,
        [&](const std::string&, const std::string& workbook) { launched.push_back(workbook); },
        QFile::encodeName(folder.Path(QString())).toStdString()};

    COrvik50View view;
    std::vector<std::pair<std::string, unsigned>> messages;
    view.SetTemplateMessageBox([&](const std::string& text, unsigned style) { messages.emplace_back(text, style); });
    ASSERT_TRUE(view.OnCmdMsg(res::ID_TEMPLATE_EXPORT, true));
    EXPECT_EQ(messages, (std::vector<std::pair<std::string, unsigned>>{{"EXCEL模板打开失败，请检查文件是否存在!", MB_OK | MB_ICONSTOP}}));
    EXPECT_TRUE(launched.empty());

    fs::copy_file(ORVIK50_BUNDLED_TEMPLATE, QFile::encodeName(folder.Path("Book11.xlsx")).toStdString());
    messages.clear();
    view.OnCmdMsg(res::ID_TEMPLATE_EXPORT, true);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(launched.size(), 1u);
    EXPECT_TRUE(view.ExcelHolders().AllEmpty());

    QDir::setCurrent(previous);
    ::unsetenv("ORVIK50_SPREADSHEET");
    CurrentSpreadsheetHost() = SpreadsheetHost{FindSpreadsheetProgram, StartDetached, {}};
}

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
