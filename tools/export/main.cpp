// orvik50-export: writes record files as the Save command's delimited text
// or as workbooks, one file or many at once, or counts their verdicts.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "OutputTypes.h"
#include "export/RecordWorkbook.h"
#include "files/FileModes.h"
#include "records/RecordFileReader.h"
#include "spreadsheet/ParallelFor.h"

namespace {

constexpr int EXIT_USAGE = 2;
constexpr int EXIT_INPUT = 3;
constexpr const char* PROGRAM = "orvik50-export";

void PrintHelp()
{
    std::printf(
        "Usage: %s [--type xls|txt|csv|xlsx] INPUT.bin OUTPUT\n"
        "       %s --type xls|txt|csv|xlsx -o FOLDER INPUT.bin...\n"
        "       %s --summary INPUT.bin...\n"
        "       %s --help | --version\n"
        "\n"
        "Writes the records of a meter record file as delimited text, byte for byte\n"
        "as the viewer's Save command writes it: two header lines, then three lines\n"
        "per record (1310, 1490, 1550 nm), CR LF line ends, names as stored.\n"
        "\n"
        "  --type xls|txt   tab-separated (the .xls type is tab-separated text too)\n"
        "  --type csv       comma-separated\n"
        "  --type xlsx      a workbook that looks like the viewer's table: merged\n"
        "                   blocks, column widths, coloured verdicts, numbers that compute\n"
        "Without --type the type follows OUTPUT's extension (.xls, .txt, .csv, .xlsx).\n"
        "OUTPUT \"-\" or /dev/stdout writes to standard output. An existing OUTPUT\n"
        "file is replaced only once the new file is completely written.\n"
        "\n"
        "  -o FOLDER        converts every INPUT into FOLDER, named after the input\n"
        "                   with the type's extension, on all processor cores; files\n"
        "                   that fail are named on stderr and the others still converted\n"
        "  --summary        one line per INPUT: its record count and, per wavelength,\n"
        "                   how many verdicts are pass, wrng, fail and off\n"
        "\n"
        "Exit status: 0 done (a shortened input warns \"read N of M records\"),\n"
        "2 usage error, 3 INPUT cannot be read (with -o or --summary: any INPUT or\n"
        "OUTPUT failed), 4 OUTPUT cannot be written.\n",
        PROGRAM, PROGRAM, PROGRAM, PROGRAM);
}

int UsageError(const std::string& message)
{
    std::fprintf(stderr, "%s: %s (try --help)\n", PROGRAM, message.c_str());
    return EXIT_USAGE;
}

std::string_view ExtensionOf(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view{} : name.substr(dot + 1);
}

void PrintLine(const std::string& line)
{
    if (!line.empty())
        std::fprintf(stderr, "%s: %s\n", PROGRAM, line.c_str());
}

int ConvertOne(const std::string& input, const std::string& output, const OutputType& type)
{
    const Conversion done = ConvertRecordFile(input, output, type);
    PrintLine(done.warning);
    PrintLine(done.error);
    return done.exitCode;
}

// Progress on a terminal: "converted K of N", rewritten in place.
class Progress {
public:
    explicit Progress(std::size_t total) : total(total), shown(::isatty(STDERR_FILENO) == 1) {}

    // One file finished; `lines` (warnings, errors) go out above the progress line.
    void Finished(const std::vector<std::string>& lines)
    {
        std::lock_guard lock(mutex);
        ++done;
        if (shown)
            std::fputs("\r\033[K", stderr);
        for (const std::string& line : lines)
            PrintLine(line);
        if (shown)
            std::fprintf(stderr, "converted %zu of %zu", done, total);
        std::fflush(stderr);
    }
    ~Progress()
    {
        if (shown && done > 0)
            std::fputc('\n', stderr);
    }

private:
    std::mutex mutex;
    std::size_t total, done = 0;
    bool shown;
};

int ConvertIntoFolder(const std::vector<std::string>& inputs, const std::string& folder, const OutputType& type)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder, ec)) {
        std::fprintf(stderr, "%s: %s: cannot make the folder\n", PROGRAM, folder.c_str());
        return EXIT_INPUT;
    }
    // Two inputs of the same name would write the same output: the later ones fail.
    std::vector<std::string> outputs;
    std::set<std::string> taken;
    for (const std::string& input : inputs) {
        const std::string output = (std::filesystem::path(folder) /
            std::filesystem::path(input).filename().replace_extension(type.extension)).string();
        outputs.push_back(taken.insert(output).second ? output : std::string());
    }

    Progress progress(inputs.size());
    std::atomic<bool> anyFailed = false;
    ParallelFor(inputs.size(), [&](std::size_t i) {
        Conversion done;
        if (outputs[i].empty())
            done = {EXIT_INPUT, {}, inputs[i] + ": another input has the same name; not converted"};
        else
            done = ConvertRecordFile(inputs[i], outputs[i], type);
        if (done.exitCode != 0)
            anyFailed = true;
        progress.Finished({done.warning, done.error});
    });
    return anyFailed ? EXIT_INPUT : 0;
}

int PrintSummaries(const std::vector<std::string>& inputs)
{
    int exitCode = 0;
    for (const std::string& input : inputs) {
        const RecordFileReadResult read = ReadRecordFile(input);
        if (!read.ok) {
            std::fprintf(stderr, "%s: %s: %s\n", PROGRAM, input.c_str(), read.error.c_str());
            exitCode = EXIT_INPUT;
            continue;
        }
        std::printf("%s: %s\n", input.c_str(), VerdictSummary(read.records.GetSize(), CountVerdicts(read.records)).c_str());
    }
    return exitCode;
}

} // namespace

int main(int argc, char** argv)
{
    ProcessUmask();   // before the writers' threads start
    std::optional<std::string> type, folder;
    bool summary = false;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            PrintHelp();
            return 0;
        }
        if (arg == "--version") {
            std::printf("%s %s\n", PROGRAM, ORVIK50_VERSION);
            return 0;
        }
        if (arg == "--type" || arg == "-o") {
            if (i + 1 >= argc)
                return UsageError(std::string(arg) + (arg == "-o" ? " needs a folder" : " needs a value: xls, txt, csv or xlsx"));
            (arg == "-o" ? folder : type) = argv[++i];
        } else if (arg.starts_with("--type=")) {
            type = std::string(arg.substr(7));
        } else if (arg == "--summary") {
            summary = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            return UsageError("unknown option " + std::string(arg));
        } else {
            paths.emplace_back(arg);
        }
    }

    if (summary) {
        if (type || folder)
            return UsageError("--summary writes no files: leave out --type and -o");
        if (paths.empty())
            return UsageError("expected INPUT.bin...");
        return PrintSummaries(paths);
    }

    std::optional<OutputType> outputType;
    if (type) {
        outputType = OutputTypeNamed(*type);
        if (!outputType)
            return UsageError("unknown type \"" + *type + "\": use xls, txt, csv or xlsx");
    }
    if (folder) {
        if (!outputType)
            return UsageError("-o needs --type xls, txt, csv or xlsx");
        if (paths.empty())
            return UsageError("expected INPUT.bin...");
        return ConvertIntoFolder(paths, *folder, *outputType);
    }

    if (paths.size() > 2)
        return UsageError("too many arguments");
    if (paths.size() != 2)
        return UsageError("expected INPUT.bin and OUTPUT");
    if (!outputType) {
        outputType = OutputTypeNamed(ExtensionOf(paths[1]));
        if (!outputType)
            return UsageError(paths[1] + ": cannot tell the type from the extension; give --type xls, txt, csv or xlsx");
    }
    return ConvertOne(paths[0], paths[1], *outputType);
}
