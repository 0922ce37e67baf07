#include "export/SpreadsheetHost.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <sys/stat.h>

namespace {

constexpr const char* kWorkbookMime = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

std::optional<std::string> Executable(const QString& program)
{
    if (program.contains(QLatin1Char('/'))) {
        const std::string path = program.toStdString();
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 0111))
            return path;
        return std::nullopt;
    }
    const QString found = QStandardPaths::findExecutable(program);
    return found.isEmpty() ? std::nullopt : std::optional(found.toStdString());
}

// True when the desktop names a default application for workbooks.
bool DesktopHasWorkbookApplication()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
        return false;
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), QString::fromLatin1(kWorkbookMime)});
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(1000);
        return false;
    }
    return query.exitCode() == 0 && !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

SpreadsheetHost& CurrentSpreadsheetHost()
{
    static SpreadsheetHost host{FindSpreadsheetProgram, StartDetached, {}};
    return host;
}

std::optional<std::string> FindSpreadsheetProgram()
{
    if (const char* chosen = std::getenv("ORVIK50_SPREADSHEET"); chosen && *chosen)
        return Executable(QString::fromLocal8Bit(chosen));
    if (DesktopHasWorkbookApplication())
        if (auto opener = Executable(QStringLiteral("xdg-open")))
            return opener;
    for (const char* name : {"libreoffice", "soffice"})
        if (auto program = Executable(QString::fromLatin1(name)))
            return program;
    return std::nullopt;
}

void StartDetached(const std::string& program, const std::string& workbook)
{
    if (!QProcess::startDetached(QString::fromStdString(program), {QString::fromStdString(workbook)}))
        throw std::runtime_error("cannot start " + program);
}

std::string FreshWorkbookPath(std::string_view stem)
{
    SpreadsheetHost& host = CurrentSpreadsheetHost();
    if (host.workbookFolder.empty()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvik50-workbooks-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a folder for the new workbook");
        host.workbookFolder = pattern;
    }
    // Numbers count on through the session, as the spreadsheet's own do.
    static std::map<std::string, int, std::less<>> lastNumber;
    int& number = lastNumber[std::string(stem)];
    for (;;) {
        const std::filesystem::path path =
            std::filesystem::path(host.workbookFolder) / (std::string(stem) + std::to_string(++number) + ".xlsx");
        std::error_code ec;
        if (!std::filesystem::exists(path, ec))
            return path.string();
    }
}
