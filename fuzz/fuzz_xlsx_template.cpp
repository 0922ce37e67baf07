// Fuzz target: arbitrary bytes as the spreadsheet template Book11.xlsx. The
// template export ends in a new workbook handed to the spreadsheet program
// holding the headings, or in a message box (a failure after the workbook
// exists also hands it over); the holders are empty afterwards and nothing
// is ever started.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "export/SpreadsheetHost.h"
#include "export/TemplateExport.h"
#include "spreadsheet/ZipPackage.h"

namespace {

// Names the broken expectation before stopping, so a crash input explains itself.
#define Check(condition) \
    ((condition) ? void() : (std::fprintf(stderr, "check failed: %s\n", #condition), std::abort()))

const std::filesystem::path& ScratchFolder()
{
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvik-fuzz-xlsx-XXXXXX").string();
        Check(::mkdtemp(pattern.data()) != nullptr);
        std::filesystem::create_directory(std::filesystem::path(pattern) / "workbooks");
        return std::filesystem::path(pattern);
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path& folder = ScratchFolder();
    {
        std::ofstream out(folder / "Book11.xlsx", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        Check(out.good());
    }
    std::vector<std::string> launched;
    CurrentSpreadsheetHost() = SpreadsheetHost{
        [] { return std::optional<std::string>("spreadsheet-program"); },
        [&launched](const std::string&, const std::string& workbook) { launched.push_back(workbook); },
        (folder / "workbooks").string()};

    ExcelAutomation::Holders holders;
    int messages = 0;
    RunTemplateExport(holders, folder.string(), [&messages](const std::string&, unsigned) { ++messages; });
    Check(holders.AllEmpty());
    // A failure after the workbook exists says so and still hands the
    // workbook over; a complete run hands it over silently.
    Check(launched.size() <= 1 && messages <= 2 && messages + launched.size() >= 1);
    if (messages == 0) {
        Check(launched.size() == 1);
        // The saved workbook reads back with the first heading in a sheet.
        bool found = false;
        const ZipPackage saved = ZipPackage::Read(launched.front());
        for (const ZipPackage::Part& part : saved.Parts())
            found = found || (part.name.starts_with("xl/worksheets/") && part.bytes.find(R"(r="A4")") != std::string::npos &&
                              part.bytes.find(">No.</") != std::string::npos);
        Check(found);
    }
    std::filesystem::remove_all(folder / "workbooks");
    std::filesystem::create_directory(folder / "workbooks");
    return 0;
}
