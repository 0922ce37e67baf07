// orvik50-export: writes a record file as the Save command's delimited text.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "export/DelimitedTextExport.h"
#include "records/RecordFileReader.h"

namespace {

constexpr int EXIT_USAGE = 2;
constexpr int EXIT_INPUT = 3;
constexpr int EXIT_OUTPUT = 4;
constexpr const char* PROGRAM = "orvik50-export";

void PrintHelp()
{
    std::printf(
        "Usage: %s [--type xls|txt|csv] INPUT.bin OUTPUT\n"
        "       %s --help | --version\n"
        "\n"
        "Writes the records of a meter record file as delimited text, byte for byte\n"
        "as the viewer's Save command writes it: two header lines, then three lines\n"
        "per record (1310, 1490, 1550 nm), CR LF line ends, names as stored.\n"
        "\n"
        "  --type xls|txt   tab-separated (the .xls type is tab-separated text too)\n"
        "  --type csv       comma-separated\n"
        "Without --type the type follows OUTPUT's extension (.xls, .txt, .csv).\n"
        "OUTPUT \"-\" or /dev/stdout prints the text. An existing OUTPUT file is\n"
        "replaced only once the new text is completely written.\n"
        "\n"
        "Exit status: 0 done (a shortened input warns \"read N of M records\"),\n"
        "2 usage error, 3 INPUT cannot be read, 4 OUTPUT cannot be written.\n",
        PROGRAM, PROGRAM);
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

} // namespace

int main(int argc, char** argv)
{
    std::optional<std::string> type;
    std::string paths[2];
    int pathCount = 0;
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
        if (arg == "--type") {
            if (i + 1 >= argc)
                return UsageError("--type needs a value: xls, txt or csv");
            type = argv[++i];
        } else if (arg.starts_with("--type=")) {
            type = std::string(arg.substr(7));
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            return UsageError("unknown option " + std::string(arg));
        } else if (pathCount < 2) {
            paths[pathCount++] = std::string(arg);
        } else {
            return UsageError("too many arguments");
        }
    }
    if (pathCount != 2)
        return UsageError("expected INPUT.bin and OUTPUT");
    const std::string& input = paths[0];
    const std::string& output = paths[1];

    std::optional<char> separator;
    if (type) {
        separator = SeparatorForSaveType(*type);
        if (!separator)
            return UsageError("unknown type \"" + *type + "\": use xls, txt or csv");
    } else {
        separator = SeparatorForSaveType(ExtensionOf(output));
        if (!separator)
            return UsageError(output + ": cannot tell the type from the extension; give --type xls, txt or csv");
    }

    const RecordFileReadResult read = ReadRecordFile(input);
    if (!read.ok) {
        std::fprintf(stderr, "%s: %s: %s\n", PROGRAM, input.c_str(), read.error.c_str());
        return EXIT_INPUT;
    }
    if (!read.IsComplete())
        std::fprintf(stderr, "%s: %s: warning: file ends early: read %zu of %zu records\n", PROGRAM, input.c_str(),
                     read.ReadCount(), read.announcedCount);

    const ExportResult written = WriteDelimitedTextFile(output, read.records, *separator);
    if (!written) {
        std::fprintf(stderr, "%s: %s: %s\n", PROGRAM, output.c_str(), written.error.c_str());
        return EXIT_OUTPUT;
    }
    return 0;
}
