// orvik50-make-sample: writes record files for demos, tests and benchmarks.
#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

#include "export/DelimitedTextExport.h"
#include "sample/SampleRecords.h"

namespace {

constexpr int EXIT_USAGE = 2;
constexpr int EXIT_OUTPUT = 4;
constexpr const char* PROGRAM = "orvik50-make-sample";

void PrintHelp()
{
    std::printf(
        "Usage: %s OUT.bin                          the demo file (12 records)\n"
        "       %s --records N [--seed S] OUT.bin   N random records (0 to 65535)\n"
        "       %s --help | --version\n"
        "\n"
        "Writes a meter record file. Random files are the same for the same seed\n"
        "(default 1) on every machine.\n",
        PROGRAM, PROGRAM, PROGRAM);
}

int UsageError(const std::string& message)
{
    std::fprintf(stderr, "%s: %s (try --help)\n", PROGRAM, message.c_str());
    return EXIT_USAGE;
}

bool ParseNumber(std::string_view text, unsigned long& value)
{
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc{} && result.ptr == text.data() + text.size();
}

} // namespace

int main(int argc, char** argv)
{
    bool random = false;
    unsigned long count = 0;
    unsigned long seed = 1;
    std::string output;
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
        if (arg == "--records" || arg == "--seed") {
            if (i + 1 >= argc)
                return UsageError(std::string(arg) + " needs a number");
            unsigned long& target = arg == "--records" ? count : seed;
            if (!ParseNumber(argv[++i], target))
                return UsageError(std::string(arg) + ": not a number: " + argv[i]);
            if (arg == "--records")
                random = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("unknown option " + std::string(arg));
        } else if (output.empty()) {
            output = arg;
        } else {
            return UsageError("too many arguments");
        }
    }
    if (output.empty())
        return UsageError("expected OUT.bin");
    if (count > MAX_RECORD_COUNT)
        return UsageError("--records must be at most 65535");
    if (seed > 0xFFFFFFFFul)
        return UsageError("--seed must fit in 32 bits");

    const auto records = random ? RandomRecords(count, static_cast<std::uint32_t>(seed)) : DemoRecords();
    const ExportResult written = WriteFileAtomically(output, EncodeRecordFile(records));
    if (!written) {
        std::fprintf(stderr, "%s: %s: %s\n", PROGRAM, output.c_str(), written.error.c_str());
        return EXIT_OUTPUT;
    }
    return 0;
}
