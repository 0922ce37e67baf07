// The template export through the automation layer. The spreadsheet program
// is never started: the host's launcher records what it would start.
#include <gtest/gtest.h>

#include "ScratchFolder.h"
#include "WorkbookTestFiles.h"
#include "export/SpreadsheetHost.h"
#include "export/TemplateExport.h"
#include "platform/WinConstants.h"
#include "WorkbookCells.h"

#include <filesystem>
#include <regex>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace ExcelAutomation;

const std::string kServerMessage = "创建EXCEL服务器失败!";
const std::string kTemplateMessage = "EXCEL模板打开失败，请检查文件是否存在!";

// A message box as "style text".
std::string Shown(unsigned style, const std::string& text) { return std::to_string(style) + " " + text; }

// Passes member calls on to the real object, noting each as "DISPID kind
// arguments" ("0xAA put 4 1 No."); the objects it returns are watched too.
class CallRecorder : public DispatchObject {
public:
    CallRecorder(LPDISPATCH inner, std::vector<std::string>& calls) : inner(std::move(inner)), calls(calls) {}

    VARIANT Invoke(DISPID member, WORD flags, const std::vector<VARIANT>& args) override
    {
        std::ostringstream call;
        call << "0x" << std::hex << std::uppercase << member << std::dec
             << (flags == DISPATCH_PROPERTYGET ? " get" : flags == DISPATCH_PROPERTYPUT ? " put" : " call");
        for (const VARIANT& arg : args)
            std::visit([&](const auto& value) {
                if constexpr (!std::is_same_v<std::decay_t<decltype(value)>, std::monostate> && !std::is_same_v<std::decay_t<decltype(value)>, LPDISPATCH>)
                    call << ' ' << value;
            }, arg);
        calls.push_back(call.str());
        VARIANT result = inner->Invoke(member, flags, args);
        if (auto* object = std::get_if<LPDISPATCH>(&result); object && *object)
            *object = std::make_shared<CallRecorder>(*object, calls);
        return result;
    }
    void OnFinalRelease() override
    {
        if (inner.use_count() == 1)
            inner->OnFinalRelease();
    }

private:
    LPDISPATCH inner;
    std::vector<std::string>& calls;
};

class TemplateExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        program = folder.Write("spreadsheet-program", "#!/bin/sh\nexit 0\n");
        ::chmod(program.c_str(), 0755);
        ::setenv("ORVIK50_SPREADSHEET", program.c_str(), 1);
        ::setenv("XDG_CACHE_HOME", folder.Path("cache").c_str(), 1);
        CurrentSpreadsheetHost() = SpreadsheetHost{FindSpreadsheetProgram,
            [this](const std::string& p, const std::string& workbook) {
                if (launchFails)
                    throw std::runtime_error("launch refused");
                launches.push_back({p, workbook});
            },
            {}};
        realStarter = CurrentServerStarter();
        CurrentServerStarter() = [this](std::string_view progId) {
            LPDISPATCH server = realStarter(progId);
            return server ? LPDISPATCH(std::make_shared<CallRecorder>(server, calls)) : server;
        };
        std::filesystem::create_directory(folder.Path("cwd"));
    }
    void TearDown() override
    {
        ::unsetenv("ORVIK50_SPREADSHEET");
        ::unsetenv("XDG_CACHE_HOME");
        CurrentSpreadsheetHost() = SpreadsheetHost{FindSpreadsheetProgram, StartDetached, {}};
        CurrentServerStarter() = realStarter;
    }
    void Run()
    {
        RunTemplateExport(holders, folder.Path("cwd"), [this](const std::string& text, unsigned style) {
            messages.push_back(Shown(style, text));
        });
        EXPECT_TRUE(holders.AllEmpty()) << "the holders are released whatever happened";
    }
    void CopyBundledTemplate() { std::filesystem::copy_file(ORVIK50_BUNDLED_TEMPLATE, folder.Path("cwd/Book11.xlsx")); }

    ScratchFolder folder;
    std::string program;
    ServerStarter realStarter;
    bool launchFails = false;
    Holders holders;
    std::vector<std::string> messages;
    std::vector<std::string> calls;
    std::vector<std::pair<std::string, std::string>> launches;
};

TEST_F(TemplateExportTest, HeadingsAndBlueFontInANewWorkbookOpenedInTheSpreadsheetProgram)
{
    CopyBundledTemplate();
    Run();
    // A4 .. M4 and I5 .. K5, then the blue (0xFF0000) font of F6.
    EXPECT_EQ(calls, (std::vector<std::string>{"0x22E put 1", "0x23C get", "0xB5 call " + folder.Path("cwd/Book11"), "0x1EE get",
        "0xAA get sheet1", "0xEE get", "0xAA put 4 1 No.", "0xAA put 4 2 OLT name", "0xAA put 4 3 ONT name",
        "0xAA put 4 4 Wavelength", "0xAA put 4 5 Power", "0xAA put 4 6 Unit", "0xAA put 4 7 Ref.(dBm)", "0xAA put 4 8 Thres.Status",
        "0xAA put 4 9 Threshold(dBm)", "0xAA put 5 9 PASS", "0xAA put 5 10 WRNG", "0xAA put 5 11 FAIL", "0xAA put 4 12 Date",
        "0xAA put 4 13 Time", "0xEE get", "0xAA get 6 6", "0x92 get", "0x63 put 16711680"}));
    // The user's cache folder, private; made again when it has gone.
    const std::string workbooks = folder.Path("cache/orvik50/workbooks");
    EXPECT_EQ(std::filesystem::status(workbooks).permissions(), std::filesystem::perms::owner_all);
    std::filesystem::remove_all(folder.Path("cache"));
    Run();
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[0].first, program) << "ORVIK50_SPREADSHEET names the program";
    // Named as new workbooks from "Book11" are named, each run a fresh one.
    std::smatch number;
    ASSERT_TRUE(std::regex_search(launches[0].second, number, std::regex("^" + workbooks + "/Book11([0-9]+)\\.xlsx$"))) << launches[0].second;
    EXPECT_EQ(launches[1].second, workbooks + "/Book11" + std::to_string(std::stoi(number[1]) + 1) + ".xlsx");

    // An independent reader (openpyxl) sees the headings and the blue font of F6, nothing else.
    EXPECT_EQ(WorkbookCells(launches[1].second),
              "A4\t'No.'\tGeneral\t-\t-\nB4\t'OLT name'\tGeneral\t-\t-\nC4\t'ONT name'\tGeneral\t-\t-\n"
              "D4\t'Wavelength'\tGeneral\t-\t-\nE4\t'Power'\tGeneral\t-\t-\nF4\t'Unit'\tGeneral\t-\t-\n"
              "G4\t'Ref.(dBm)'\tGeneral\t-\t-\nH4\t'Thres.Status'\tGeneral\t-\t-\n"
              "I4\t'Threshold(dBm)'\tGeneral\t-\t-\nL4\t'Date'\tGeneral\t-\t-\nM4\t'Time'\tGeneral\t-\t-\n"
              "I5\t'PASS'\tGeneral\t-\t-\nJ5\t'WRNG'\tGeneral\t-\t-\nK5\t'FAIL'\tGeneral\t-\t-\n"
              "F6\tNone\tGeneral\t-\tFF0000FF\n");
}

TEST_F(TemplateExportTest, TemplateWithoutExtensionComesFirstAndKeepsItsParts)
{
    CopyBundledTemplate();
    RichTemplate().Write(folder.Path("cwd/Book11"));
    Run();
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(launches.size(), 1u);
    // Made from the file "Book11", not "Book11.xlsx"; the headings go to the sheet named Sheet1.
    const std::string cells = WorkbookCells(launches[0].second, "--sheet 1");
    EXPECT_EQ(WorkbookLine(cells, "A4") + "|" + WorkbookLine(cells, "F6"), "'No.'\tGeneral\t-\t-|'six'\tGeneral\t-\tFF0000FF") << cells;
}

TEST_F(TemplateExportTest, UnusableTemplatesGiveTheTemplateMessageAndNothingStarts)
{
    const std::string cwd = folder.Path("cwd");
    ZipPackage noWorkbook;
    noWorkbook.Put("docProps/app.xml", "<Properties/>");
    // The rich template with one part replaced, or taken out (null).
    auto damaged = [&](const char* part, const char* bytes) {
        return [&, part, bytes] {
            ZipPackage package = RichTemplate();
            bytes ? package.Put(part, bytes) : package.Remove(part);
            package.Write(cwd + "/Book11");
        };
    };
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"missing", [] {}},
        {"empty file", [&] { folder.Write("cwd/Book11", ""); }},
        {"random bytes", [&] { folder.Write("cwd/Book11.xlsx", std::string(3000, '\x5a') + "PK\x05\x06"); }},
        {"zip without a workbook", [&] { noWorkbook.Write(cwd + "/Book11"); }},
        {"zip bomb", [&] { WriteZipBomb(cwd + "/Book11.xlsx", 80ull << 20); }},
        {"a folder named Book11", [&] { std::filesystem::create_directory(cwd + "/Book11"); }},
        {"a named pipe", [&] { ASSERT_EQ(::mkfifo((cwd + "/Book11").c_str(), 0600), 0); }},
        {"a device", [&] { std::filesystem::create_symlink("/dev/zero", cwd + "/Book11.xlsx"); }},
        {"sheet part missing", damaged("xl/worksheets/sheet2.xml", nullptr)},
        {"sheet part not XML", damaged("xl/worksheets/sheet2.xml", "<worksheet><sheetData>")},
        {"style part missing", damaged("xl/styles.xml", nullptr)},
        {"style part not XML", damaged("xl/styles.xml", "<styleSheet")},
        {"workbook part not XML", damaged("xl/workbook.xml", "<workbook><sheets>")},
    };
    // A template read that blocks (a pipe without writer) ends the test instead of hanging it.
    ::alarm(20);
    struct AlarmOff {
        ~AlarmOff() { ::alarm(0); }
    } alarmOff;
    for (const auto& [name, make] : cases) {
        std::filesystem::remove_all(cwd);
        std::filesystem::create_directory(cwd);
        make();
        messages.clear();
        calls.clear();
        Run();
        EXPECT_EQ(messages, std::vector{Shown(MB_OK | MB_ICONSTOP, kTemplateMessage)}) << name;
        EXPECT_EQ(calls.back(), "0x12E call") << name << ": the spreadsheet program is told to quit";
    }
    EXPECT_TRUE(launches.empty());
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
    EXPECT_TRUE(messages[0].starts_with(Shown(MB_OK | MB_ICONEXCLAMATION, ""))) << messages[0];
    EXPECT_NE(messages[0].find("no sheet named \"sheet1\""), std::string::npos) << messages[0];
    EXPECT_EQ(launches.size(), 1u) << "the new workbook stays open in the spreadsheet program";

    CopyBundledTemplate();
    std::filesystem::remove(folder.Path("cwd/Book11"));
    messages.clear();
    launchFails = true;
    Run();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("launch refused"), std::string::npos) << messages[0];
}

TEST(SpreadsheetProgram, LibreOfficeOpensTheWorkbookAsANewDocument)
{
    const std::string workbook = "/home/u/.cache/orvik50/workbooks/Book111.xlsx";
    const std::vector<std::string> asNew = {"-n", workbook}, plain = {workbook};
    EXPECT_EQ(LaunchArguments("/usr/bin/libreoffice", workbook), asNew);
    EXPECT_EQ(LaunchArguments("/opt/libreoffice7.6/program/soffice", workbook), asNew);
    EXPECT_EQ(LaunchArguments("/usr/bin/xdg-open", workbook), plain);
    EXPECT_EQ(LaunchArguments("/usr/bin/gnumeric", workbook), plain);
}

} // namespace
