// The batch programs: orvik50-export (outputs, messages, exit codes) and orvik50-make-sample.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include <sys/stat.h>
#include <sys/wait.h>

#include "ScratchFolder.h"
#include "WorkbookCells.h"
#include "export/DelimitedTextExport.h"
#include "sample/SampleRecords.h"

namespace {

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Through the shell, every argument in single quotes (the tests use none
// inside one); a program that hangs is killed after a minute.
inline ToolRun RunTool(const std::string& program, const std::vector<std::string>& args, const ScratchFolder& folder)
{
    const std::string outPath = folder.Path("run.stdout"), errPath = folder.Path("run.stderr");
    std::string command = "timeout 60 '" + program + "'";
    for (const std::string& a : args)
        command += " '" + a + "'";
    const int status = std::system((command + " >'" + outPath + "' 2>'" + errPath + "'").c_str());
    ToolRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWholeFile(outPath), ReadWholeFile(errPath)};
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
}

std::string Formatted(const std::vector<MeterRecord>& records, char separator)
{
    return FormatDelimitedText(RecordListOf(records), separator);
}

class ExportTool : public testing::Test {
protected:
    ScratchFolder folder;
    std::string demo = folder.Write("demo.bin", EncodeRecordFile(DemoRecords()));

    ToolRun Run(const std::vector<std::string>& args) { return RunTool(ORVIK50_EXPORT_PATH, args, folder); }
};

// Type from --type or, without it, from the output's extension; "-" is standard output.
TEST_F(ExportTool, WritesTheSaveCommandsBytesForEveryType)
{
    const std::string tabs = Formatted(DemoRecords(), '\t'), commas = Formatted(DemoRecords(), ',');
    const struct {
        std::vector<std::string> options;
        const char* output;
        const std::string& expected;
    } cases[] = {
        {{}, "a.xls", tabs},          {{}, "b.txt", tabs},           {{}, "c.csv", commas},
        {{}, "D.CSV", commas},        {{}, "e.Txt", tabs},           {{"--type", "csv"}, "f.txt", commas},
        {{"--type", "xls"}, "g", tabs}, {{"--type=TXT"}, "h.csv", tabs}, {{"--type", "csv"}, "-", commas},
        {{"--type", "txt"}, "/dev/stdout", tabs},
    };
    for (const auto& c : cases) {
        const bool toStdout = c.output[0] == '-' || c.output[0] == '/';
        std::vector<std::string> args = c.options;
        args.push_back(demo);
        args.push_back(toStdout ? c.output : folder.Path(c.output));
        const ToolRun run = Run(args);
        EXPECT_EQ(run.exitCode, 0) << c.output << ": " << run.err;
        EXPECT_EQ(run.err, "") << c.output;
        EXPECT_EQ(toStdout ? run.out : ReadWholeFile(args.back()), c.expected) << c.output;
    }
}

// Each run's exit code, what it prints and its messages, each one line on
// stderr; no run writes out.txt. "@" stands for the scratch folder. The
// reasons a record file cannot be read are the reader's, tested with it.
TEST_F(ExportTool, RunsExitWithTheirCodeAndPrintTheirMessages)
{
    std::string shortened = EncodeRecordFile(RandomRecords(5, 2));
    shortened.resize(RECORD_FILE_HEADER_SIZE + 2 * METER_RECORD_SIZE + 17);
    folder.Write("short.bin", shortened);
    folder.Write("broken.bin", "");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string out, errPart;
    } cases[] = {
        {{"--help"}, 0, "Usage: orvik50-export [--type xls|txt|csv|xlsx] INPUT.bin OUTPUT\n", ""},
        {{"--version"}, 0, "orvik50-export " ORVIK50_VERSION "\n", ""},
        {{"@short.bin", "@short.csv"}, 0, "", "read 2 of 5 records"},
        {{"@demo.bin", "@b.XLSX"}, 0, "", ""},   // the workbook type from the extension
        {{"--summary", "@demo.bin", "@broken.bin"}, 3, demo + ": 12 records; 1310 nm: 5 pass, 3 wrng, 3 fail, 1 off; "
          "1490 nm: 6 pass, 1 wrng, 4 fail, 1 off; 1550 nm: 4 pass, 3 wrng, 4 fail, 1 off\n", "broken.bin"},
        {{}, 2, "", "expected INPUT.bin and OUTPUT"},
        {{"@demo.bin"}, 2, "", "expected INPUT.bin and OUTPUT"},
        {{"@demo.bin", "@out.pdf"}, 2, "", "--type"},
        {{"--type", "pdf", "@demo.bin", "@out.txt"}, 2, "", "unknown type"},
        {{"--fast", "@demo.bin", "@out.txt"}, 2, "", "unknown option --fast"},
        {{"@none.bin", "@out.txt"}, 3, "", "none.bin: No such file"},
        {{"@demo.bin", "@no/out.txt"}, 4, "", "out.txt: No such file"},
        {{"--type", "txt", "@demo.bin", "@"}, 4, "", "is a folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        std::vector<std::string> args;
        for (const std::string& a : c.args)
            args.push_back(a.starts_with("@") ? folder.Path(a.substr(1)) : a);
        const ToolRun run = Run(args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_TRUE(run.out.starts_with(c.out)) << run.out;
        EXPECT_NE(run.err.find(c.errPart), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), c.errPart.empty() ? 0 : 1) << run.err;
        EXPECT_FALSE(std::filesystem::exists(folder.Path("out.txt")));
    }
    EXPECT_EQ(ReadWholeFile(folder.Path("short.csv")), Formatted(RandomRecords(2, 2), ','));
    EXPECT_EQ(WorkbookLine(WorkbookCells(folder.Path("b.XLSX")), "A1"), "'No.'\tGeneral\tFFEFEFEF\t-");
}

// Many files into a folder: the good ones converted, the bad one named, exit 3.
TEST_F(ExportTool, FolderModeConvertsWhatItCanAndNamesFailures)
{
    const std::string other = folder.Write("other.bin", EncodeRecordFile(RandomRecords(40, 3)));
    const std::string broken = folder.Write("broken.bin", "not a record file");
    const ToolRun xlsx = Run({"--type", "xlsx", "-o", folder.Path("out"), demo, broken, other});
    EXPECT_EQ(xlsx.exitCode, 3);
    EXPECT_NE(xlsx.err.find("broken.bin"), std::string::npos) << xlsx.err;
    EXPECT_EQ(xlsx.err.find("demo.bin"), std::string::npos) << xlsx.err;
    EXPECT_FALSE(std::filesystem::exists(folder.Path("out/broken.xlsx")));
    EXPECT_EQ(WorkbookLine(WorkbookCells(folder.Path("out/other.xlsx")), "A121"), "40\t0\t-\t-");
    EXPECT_EQ(WorkbookLine(WorkbookCells(folder.Path("out/demo.xlsx")), "B4"), "'OLT-A'\tGeneral\t-\t-");

    // Many outputs on several threads, under the umask set here for the tool:
    // each new file gets 0666 less the umask, a replaced one keeps its own.
    std::vector<std::string> args = {"--type", "csv", "-o", folder.Path("csv"), demo, other};
    for (int i = 0; i < 40; ++i)
        args.push_back(folder.Write("r" + std::to_string(i) + ".bin", EncodeRecordFile(RandomRecords(2, i))));
    std::filesystem::create_directory(folder.Path("csv"));
    ASSERT_EQ(::chmod(folder.Write("csv/demo.csv", "old").c_str(), 0604), 0);
    const mode_t umaskBefore = ::umask(027);
    const ToolRun csv = Run(args);
    ::umask(umaskBefore);
    EXPECT_EQ(csv.exitCode, 0) << csv.err;
    EXPECT_EQ(ReadWholeFile(folder.Path("csv/other.csv")), Formatted(RandomRecords(40, 3), ','));
    std::size_t outputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path("csv"))) {
        const auto permissions = static_cast<unsigned>(entry.status().permissions());
        EXPECT_EQ(permissions, entry.path().filename() == "demo.csv" ? 0604u : 0640u) << entry.path();
        ++outputs;
    }
    EXPECT_EQ(outputs, 42u);
    EXPECT_EQ(Run({"-o", folder.Path("out"), demo}).exitCode, 2) << "-o needs a type";
}

// The demo shows every verdict (see the summary above) and every special text.
TEST(MakeSampleTool, DemoFileCoversEveryVerdictAndSpecialText)
{
    ScratchFolder folder;
    const std::string path = folder.Path("demo.bin");
    ASSERT_EQ(RunTool(ORVIK50_MAKE_SAMPLE_PATH, {path}, folder).exitCode, 0);
    EXPECT_EQ(ReadWholeFile(path), EncodeRecordFile(DemoRecords()));
    const std::string text = Formatted(DemoRecords(), '\t');
    for (const char* special : {"\tLow\t", "\tdB\t", "\tOLT-CENTRAL-0001\t", "\t\xB9\xE2\xC3\xA8-01\t"})   // GBK "光猫-01"
        EXPECT_NE(text.find(special), std::string::npos) << special;
    // A random record is the same whatever compiler built the tool.
    const std::string random = Formatted(RandomRecords(1, 3), '\t');
    EXPECT_EQ(random.substr(random.find("\n1\t")),
              "\n1\tOLT-27\tONT-1428\t1310nm\t-17.41\tdB\t1.54\tpass\t-7.64\t-24.51\t-27.56\t2021//6//21\t20:20:54\r\n"
              "\t\t\t1490nm\t-9.60\tdB\t-1.89\tpass\t-7.64\t-24.51\t-27.56\t2021//6//21\t20:20:54\r\n"
              "\t\t\t1550nm\t-11.83\tdB\t2.53\tpass\t-7.64\t-24.51\t-27.56\t2021//6//21\t20:20:54\r\n");
}

} // namespace
