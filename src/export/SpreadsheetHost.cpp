#include "export/SpreadsheetHost.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kWorkbookMime = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

// A program this user can run: asked of the system (access), which knows
// better than the mode bits (root, other owners, noexec mounts).
std::optional<std::string> Executable(const QString& program)
{
    if (program.contains(QLatin1Char('/'))) {
        const std::string path = program.toStdString();
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0)
            return path;
        return std::nullopt;
    }
    const QString found = QStandardPaths::findExecutable(program);
    return found.isEmpty() ? std::nullopt : std::optional(found.toStdString());
}

// The desktop file of the desktop's default application for workbooks
// ("libreoffice-calc.desktop"), empty when it names none.
std::string DesktopWorkbookApplication()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
        return {};
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), QString::fromLatin1(kWorkbookMime)});
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(1000);
        return {};
    }
    return query.exitCode() == 0 ? query.readAllStandardOutput().trimmed().toStdString() : std::string();
}

std::optional<std::string> LibreOffice()
{
    for (const char* name : {"libreoffice", "soffice"})
        if (auto program = Executable(QString::fromLatin1(name)))
            return program;
    return std::nullopt;
}

bool IsLibreOffice(const std::string& program)
{
    auto named = [](const std::filesystem::path& path) {
        const std::string name = path.filename().string();
        return name.starts_with("libreoffice") || name.starts_with("soffice");
    };
    std::error_code ec;
    return named(program) || named(std::filesystem::canonical(program, ec));
}

// The folder for new workbooks, made when it is missing, private to the user.
std::filesystem::path WorkbookFolder(const SpreadsheetHost& host)
{
    std::filesystem::path folder = host.workbookFolder;
    if (folder.empty()) {
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        if (cache.isEmpty())
            throw std::runtime_error("the user has no cache folder");
        folder = std::filesystem::path(QFile::encodeName(cache).toStdString()) / "orvik50" / "workbooks";
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || ::chmod(folder.c_str(), 0700) != 0)
        throw std::runtime_error("cannot make the folder " + folder.string() + " for the new workbook");
    return folder;
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
    if (const std::string desktopDefault = DesktopWorkbookApplication(); !desktopDefault.empty()) {
        // Started directly, LibreOffice can open the workbook as a new document.
        if (desktopDefault.starts_with("libreoffice"))
            if (auto program = LibreOffice())
                return program;
        if (auto opener = Executable(QStringLiteral("xdg-open")))
            return opener;
    }
    return LibreOffice();
}

std::vector<std::string> LaunchArguments(const std::string& program, const std::string& workbook)
{
    if (IsLibreOffice(program))
        return {"-n", workbook};
    return {workbook};
}

void StartDetached(const std::string& program, const std::string& workbook)
{
    QStringList arguments;
    for (const std::string& argument : LaunchArguments(program, workbook))
        arguments << QString::fromStdString(argument);
    if (!QProcess::startDetached(QString::fromStdString(program), arguments))
        throw std::runtime_error("cannot start " + program);
}

std::string FreshWorkbookPath(std::string_view stem)
{
    const std::filesystem::path folder = WorkbookFolder(CurrentSpreadsheetHost());
    // Numbers count on through the session, as the spreadsheet's own do.
    static std::map<std::string, int, std::less<>> lastNumber;
    int& number = lastNumber[std::string(stem)];
    for (;;) {
        const std::filesystem::path path = folder / (std::string(stem) + std::to_string(++number) + ".xlsx");
        std::error_code ec;
        if (!std::filesystem::exists(path, ec))
            return path.string();
    }
}
