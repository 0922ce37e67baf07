// The blank menu-bar entry runs the template export in the current folder
// with the view's holders, whether or not a record file is open; shipped
// files such as the template are looked for in the current folder first,
// then in the installed data folder.
#include "AppTestSupport.h"

#include "app/AppResources.h"
#include "export/SpreadsheetHost.h"

#include <QDir>

#include <filesystem>

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
