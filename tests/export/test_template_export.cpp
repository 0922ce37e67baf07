// The template export through the automation layer. The spreadsheet program
// is never started: the host's launcher records what it would start.
#include <gtest/gtest.h>

#include "ScratchFolder.h"
#include "WorkbookTestFiles.h"
#include "export/SpreadsheetHost.h"
#include "export/TemplateExport.h"
#include "platform/WinConstants.h"
#include "spreadsheet/WorkbookReader.h"

#include <filesystem>
#include <regex>
#include <sys/stat.h>

namespace {

using namespace template_export;

struct Message {
    std::string text;
    unsigned style;
};

class TemplateExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        program = folder.Write("spreadsheet-program", "#!/bin/sh\nexit 0\n");
        ::chmod(program.c_str(), 0755);
        ::setenv("ORVIK50_SPREADSHEET", program.c_str(), 1);
        std::filesystem::create_directory(folder.Path("workbooks"));
        CurrentSpreadsheetHost() = SpreadsheetHost{FindSpreadsheetProgram,
            [this](const std::string& p, const std::string& workbook) {
                if (launchFails)
                    throw std::runtime_error("launch refused");
                launches.push_back({p, workbook});
            },
            folder.Path("workbooks")};
        std::filesystem::create_directory(folder.Path("cwd"));
    }
    void TearDown() override
    {
        ::unsetenv("ORVIK50_SPREADSHEET");
        CurrentSpreadsheetHost() = SpreadsheetHost{FindSpreadsheetProgram, StartDetached, {}};
    }
    void Run()
    {
        RunTemplateExport(holders, folder.Path("cwd"), [this](const std::string& text, unsigned style) {
            messages.push_back({text, style});
        });
        EXPECT_TRUE(holders.AllEmpty()) << "the holders are released whatever happened";
    }
    void CopyBundledTemplate(const std::string& name)
    {
        std::filesystem::copy_file(ORVIK50_BUNDLED_TEMPLATE, folder.Path("cwd/" + name));
    }

    ScratchFolder folder;
    std::string program;
    bool launchFails = false;
    ExcelAutomation::Holders holders;
    std::vector<Message> messages;
    std::vector<std::pair<std::string, std::string>> launches;
};

TEST_F(TemplateExportTest, HeadingsAndBlueFontInANewWorkbookOpenedInTheSpreadsheetProgram)
{
    CopyBundledTemplate("Book11.xlsx");
    Run();
    Run();
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[0].first, program) << "ORVIK50_SPREADSHEET names the program";
    // Named as new workbooks from "Book11" are named, each run a fresh one.
    std::smatch number;
    ASSERT_TRUE(std::regex_search(launches[0].second, number, std::regex("/workbooks/Book11([0-9]+)\\.xlsx$"))) << launches[0].second;
    EXPECT_TRUE(launches[1].second.ends_with("/Book11" + std::to_string(std::stoi(number[1]) + 1) + ".xlsx"));

    const ReadWorkbook read = ReadWorkbookFile(launches[0].second);
    ASSERT_EQ(read.sheets.size(), 1u);
    const ReadSheet& sheet = read.sheets[0];
    for (const Heading& heading : kHeadings)
        EXPECT_EQ(sheet.At(heading.row, heading.column).text, heading.text) << heading.row << "," << heading.column;
    EXPECT_EQ(sheet.At(4, 7).text, "Ref.(dBm)");
    EXPECT_EQ(sheet.At(6, 6).kind, ReadCell::Kind::Empty);
    EXPECT_EQ(sheet.At(6, 6).fontColor, "FF0000FF") << "0xFF0000 in 0x00BBGGRR is blue";
    EXPECT_EQ(sheet.cells.size(), std::size(kHeadings) + 1) << "nothing else is written";
}

TEST_F(TemplateExportTest, TemplateWithoutExtensionComesFirstAndKeepsItsParts)
{
    CopyBundledTemplate("Book11.xlsx");
    RichTemplate().Write(folder.Path("cwd/Book11"));
    Run();
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(launches.size(), 1u);
    const ReadWorkbook read = ReadWorkbookFile(launches[0].second);
    ASSERT_EQ(read.sheets.size(), 2u) << "made from the file \"Book11\", not \"Book11.xlsx\"";
    EXPECT_EQ(read.sheets[0].At(1, 1).text, "Report");
    const ReadSheet& sheet = read.sheets[1];
    EXPECT_EQ(sheet.At(4, 1).text, "No.") << "the headings go to the sheet named Sheet1";
    EXPECT_EQ(sheet.At(6, 6).text, "six") << "F6 keeps its text and gets a blue font";
    EXPECT_EQ(sheet.At(6, 6).fontColor, "FF0000FF");
    EXPECT_TRUE(sheet.At(6, 6).bold);
    EXPECT_EQ(sheet.At(7, 7).text, "tail");
    EXPECT_EQ(*read.package.Find("docProps/app.xml"), *RichTemplate().Find("docProps/app.xml"));
}

TEST_F(TemplateExportTest, UnusableTemplatesGiveTheTemplateMessageAndNothingStarts)
{
    const std::string cwd = folder.Path("cwd");
    ZipPackage noWorkbook;
    noWorkbook.Put("docProps/app.xml", "<Properties/>");
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"missing", [] {}},
        {"empty file", [&] { folder.Write("cwd/Book11", ""); }},
        {"random bytes", [&] { folder.Write("cwd/Book11.xlsx", std::string(3000, '\x5a') + "PK\x05\x06"); }},
        {"zip without a workbook", [&] { noWorkbook.Write(cwd + "/Book11"); }},
        {"zip bomb", [&] { WriteZipBomb(cwd + "/Book11.xlsx", 80ull << 20); }},
        {"a folder named Book11", [&] { std::filesystem::create_directory(cwd + "/Book11"); }},
    };
    for (const auto& [name, make] : cases) {
        std::filesystem::remove_all(cwd);
        std::filesystem::create_directory(cwd);
        make();
        messages.clear();
        Run();
        ASSERT_EQ(messages.size(), 1u) << name;
        EXPECT_EQ(messages[0].text, kTemplateFailedMessage) << name;
        EXPECT_EQ(messages[0].style, MB_OK | MB_ICONSTOP) << name;
    }
    EXPECT_TRUE(launches.empty()) << "the spreadsheet program is told to quit";
}

TEST_F(TemplateExportTest, FailuresAfterTheWorkbookExistsAreShown)
{
    ZipPackage otherSheet = RichTemplate();
    std::string workbook = *otherSheet.Find("xl/workbook.xml");
    workbook.replace(workbook.find("name=\"Sheet1\""), 13, "name=\"Data\"");
    otherSheet.Put("xl/workbook.xml", workbook);
    otherSheet.Write(folder.Path("cwd/Book11"));
    Run();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].style, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_NE(messages[0].text.find("no sheet named \"sheet1\""), std::string::npos) << messages[0].text;
    EXPECT_EQ(launches.size(), 1u) << "the new workbook stays open in the spreadsheet program";

    CopyBundledTemplate("Book11.xlsx");
    std::filesystem::remove(folder.Path("cwd/Book11"));
    messages.clear();
    launchFails = true;
    Run();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find("launch refused"), std::string::npos) << messages[0].text;
}

TEST_F(TemplateExportTest, NoSpreadsheetProgramGivesTheServerMessage)
{
    CopyBundledTemplate("Book11.xlsx");
    for (const std::string& chosen : {folder.Path("no-such-program"), folder.Path("cwd/Book11.xlsx")}) {
        ::setenv("ORVIK50_SPREADSHEET", chosen.c_str(), 1);
        messages.clear();
        Run();
        ASSERT_EQ(messages.size(), 1u) << chosen;
        EXPECT_EQ(messages[0].text, kServerFailedMessage);
        EXPECT_EQ(messages[0].style, MB_OK);
    }
    ::setenv("ORVIK50_SPREADSHEET", "sh", 1);
    EXPECT_TRUE(FindSpreadsheetProgram().value_or("").ends_with("/sh")) << "a name is looked up on the PATH";
    EXPECT_TRUE(launches.empty());
}

// A real spreadsheet program reads the produced workbook.
TEST_F(TemplateExportTest, SpreadsheetProgramReadsTheHeadings)
{
    const char* soffice = nullptr;
    for (const char* candidate : {"/usr/bin/soffice", "/usr/bin/libreoffice"})
        if (::access(candidate, X_OK) == 0)
            soffice = candidate;
    if (!soffice)
        GTEST_SKIP() << "no LibreOffice on this machine: the headless conversion check is skipped";
    CopyBundledTemplate("Book11.xlsx");
    Run();
    ASSERT_EQ(launches.size(), 1u);
    const std::string command = std::string("HOME=") + folder.Path("home") + " timeout 180 " + soffice
        + " --headless --convert-to csv --outdir " + folder.Path("csv") + " " + launches[0].second + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::string stem = std::filesystem::path(launches[0].second).stem().string();
    const std::string csv = ReadWholeFile(folder.Path("csv/" + stem + ".csv"));
    EXPECT_NE(csv.find("No.,OLT name,ONT name,Wavelength,Power,Unit,Ref.(dBm),Thres.Status,Threshold(dBm),,,Date,Time"),
              std::string::npos) << csv;
    EXPECT_NE(csv.find(",,,,,,,,PASS,WRNG,FAIL"), std::string::npos) << csv;
}

} // namespace
