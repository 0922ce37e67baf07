#pragma once
// The desktop's spreadsheet program, which takes over the workbooks the
// automation layer makes: how it is found, where the new workbooks are
// saved, and how it is started. Tests replace the parts of the current host.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct SpreadsheetHost {
    // The program that opens .xlsx files, or nothing when there is none.
    std::function<std::optional<std::string>()> findProgram;
    // Starts `program` on `workbook` and returns at once, leaving it running;
    // throws std::runtime_error when it cannot be started.
    std::function<void(const std::string& program, const std::string& workbook)> launch;
    // Where new workbooks are saved; empty: "orvik50/workbooks" in the
    // user's cache folder ($XDG_CACHE_HOME, else ~/.cache), which outlives
    // temporary-file cleaners and which sandboxed programs can read.
    std::string workbookFolder;
};

SpreadsheetHost& CurrentSpreadsheetHost();

// The program named by ORVIK50_SPREADSHEET when set (and nothing when this
// user cannot run it), otherwise the desktop's default application for .xlsx
// files (LibreOffice itself when that is the default, else through
// xdg-open), otherwise libreoffice or soffice.
std::optional<std::string> FindSpreadsheetProgram();
// The arguments that open `workbook` in `program` as a new, unsaved document
// where the program can (LibreOffice takes it as a template: "-n"), so that
// the user's Save asks where to keep it.
std::vector<std::string> LaunchArguments(const std::string& program, const std::string& workbook);
// Starts the program detached from this process.
void StartDetached(const std::string& program, const std::string& workbook);

// A path in the host's folder (made again, mode 0700, when it has gone) for
// a new workbook made from the template named `stem`: stem + 1, 2, ... as a
// spreadsheet names new workbooks ("Book111.xlsx", "Book112.xlsx" for
// "Book11"), never an existing file.
std::string FreshWorkbookPath(std::string_view stem);
