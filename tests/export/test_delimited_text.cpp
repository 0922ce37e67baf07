// The delimited text export: its exact bytes, and its file writer, which replaces the target only by a complete file.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "FileSizeLimit.h"
#include "ScratchFolder.h"
#include "export/DelimitedTextExport.h"
#include "sample/SampleRecords.h"

// Every umask() call of this program comes here. The writers must not make
// any: the umask belongs to every thread, and one set to read it, even for a
// moment, can be left at 0 by another thread doing the same.
static std::atomic<int> umaskCalls = 0;
extern "C" mode_t umask(mode_t mask) noexcept
{
    ++umaskCalls;
    return static_cast<mode_t>(::syscall(SYS_umask, mask));
}

namespace {

const std::string TAB_HEADER =
    "No.\tOLT name\tONT name\tWavelength\tPower\tUnit\tRef.(dBm)\tThres.Status\tThreshold(dBm)\t\t\tDate\tTime\r\n"
    "\t\t\t\t\t\t\t\tPASS\tWRNG\tFAIL\t\r\n";

// The first record of the worked example: OLT-A / ONT-7, 2011-05-12 09:05:07.
MeterRecord ExampleRecord()
{
    MeterRecord r = MakeNamedRecord("OLT-A", "ONT-7");
    r.thresholdMode = 1;
    SetThresholds(r, -8.0f, -25.0f, -28.0f);
    r.readings[0].power = -20.5f;
    r.readings[1].power = -26.0f;
    r.readings[1].reference = -1.25f;
    r.readings[2].power = -95.0f;
    r.readings[2].reference = 3.0f;
    SetRecordDateTime(r, 2011, 5, 12, 9, 5, 7);
    return r;
}

// The comma type differs only in its separators: nothing is quoted, not even a name with a comma.
TEST(DelimitedText, WorkedExampleByteForByte)
{
    const std::string expected = TAB_HEADER
        + "1\tOLT-A\tONT-7\t1310nm\t-20.50\tdBm\t0.00\tpass\t-8.00\t-25.00\t-28.00\t2011//5//12\t09:05:07\r\n"
          "\t\t\t1490nm\t-26.00\tdBm\t-1.25\twrng\t-8.00\t-25.00\t-28.00\t2011//5//12\t09:05:07\r\n"
          "\t\t\t1550nm\tLow\tdBm\t3.00\tfail\t-8.00\t-25.00\t-28.00\t2011//5//12\t09:05:07\r\n";
    EXPECT_EQ(FormatDelimitedText(RecordListOf({ExampleRecord()}), '\t'), expected);
    EXPECT_EQ(FormatDelimitedText(RecordList{}, '\t'), TAB_HEADER);
    std::string commas = expected;
    std::replace(commas.begin(), commas.end(), '\t', ',');
    EXPECT_EQ(FormatDelimitedText(RecordListOf({ExampleRecord()}), ','), commas);
    const std::string named = FormatDelimitedText(RecordListOf({MakeNamedRecord("Pole 7, left", "x")}), ',');
    EXPECT_NE(named.find("\r\n1,Pole 7, left,x,1310nm"), std::string::npos) << named;
}

// One field of one line after changing one thing in the example record.
TEST(DelimitedText, FieldTexts)
{
    const struct {
        const char* name;
        void (*change)(MeterRecord&);
        int line;    // 0, 1, 2: the record's lines
        int field;   // 0-based position on the line
        std::string expected;
    } cases[] = {
        {"power_below_limit_is_low", [](MeterRecord& r) { r.readings[0].power = -90.01f; }, 0, 4, "Low"},
        {"reference_has_no_low_rule", [](MeterRecord& r) { r.readings[1].reference = -99.0f; }, 1, 6, "-99.00"},
        {"off_still_writes_thresholds", [](MeterRecord& r) { r.thresholdMode = 0; }, 2, 10, "-28.00"},
        {"unit_db_on_every_line", [](MeterRecord& r) { r.unitMode = 0x0100; }, 2, 5, "dB"},
        {"month_not_bcd", [](MeterRecord& r) { r.month = 0x0A; }, 0, 11, "2011//a//12"},
        {"date_on_later_lines", [](MeterRecord& r) { r.year = 0x05; }, 2, 11, "205//5//12"},
        {"hour_padded", [](MeterRecord& r) { r.hour = 0x00; }, 1, 12, "00:05:07"},
        {"percent_in_name_unchanged", [](MeterRecord& r) { r = MakeNamedRecord("100%d%s", "x"); }, 0, 1, "100%d%s"},
        {"sixteen_byte_name", [](MeterRecord& r) { r = MakeNamedRecord("OLT-CENTRAL-0001", "O"); }, 0, 1,
         "OLT-CENTRAL-0001"},
        {"gbk_name_bytes_unchanged", [](MeterRecord& r) { r = MakeNamedRecord("\xBE\xD6\xB6\xCB", "x"); }, 0, 1,
         "\xBE\xD6\xB6\xCB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MeterRecord r = ExampleRecord();
        c.change(r);
        std::istringstream text(FormatDelimitedText(RecordListOf({r}), ','));
        std::string line;
        for (int skipped = 0; skipped <= 2 + c.line; ++skipped)   // past the header's two lines
            std::getline(text, line);
        line.pop_back();   // the CR
        std::vector<std::string> fields;
        std::istringstream in(line);
        for (std::string field; std::getline(in, field, ',');)
            fields.push_back(field);
        ASSERT_EQ(fields.size(), 13u) << line;
        EXPECT_EQ(fields[c.field], c.expected) << line;
    }
}

const RecordList& Demo()
{
    static const RecordList demo = RecordListOf(DemoRecords());
    return demo;
}

mode_t ModeOf(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

// The file is written in pieces; many pieces must join to the formatter's
// bytes. Through a link, the file it names is replaced and keeps its mode (the
// workbook is written the same way); no temporary is left.
TEST(TextFileWriter, WritesTheFormattedBytesThroughALinkKeepingTheFilesMode)
{
    ScratchFolder folder;
    const std::string real = folder.Write("real.csv", "old"), link = folder.Path("link.csv");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    std::filesystem::create_symlink(real, link);
    const RecordList large = RecordListOf(RandomRecords(12000, 5));
    const ExportResult result = WriteDelimitedTextFile(link, large, ',');
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(ReadWholeFile(real), FormatDelimitedText(large, ','));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ModeOf(real), 0640u);
    EXPECT_EQ(folder.EntryCount(), 2u);
}

TEST(TextFileWriter, PermissionsOfReplacedAndNewFiles)
{
    ScratchFolder folder;
    const std::string existing = folder.Write("out.csv", std::string(100000, 'x'));
    ASSERT_EQ(::chmod(existing.c_str(), 0640), 0);
    ASSERT_TRUE(WriteDelimitedTextFile(existing, RecordList{}, ','));
    EXPECT_EQ(ReadWholeFile(existing), FormatDelimitedText(RecordList{}, ','));
    EXPECT_EQ(ModeOf(existing), 0640u) << "a replaced file keeps its permissions";

    const mode_t old = ::umask(022);
    const int callsBefore = umaskCalls;
    const bool ok = WriteDelimitedTextFile(folder.Path("new.txt"), Demo(), '\t').ok;
    EXPECT_EQ(umaskCalls, callsBefore) << "the umask is read without setting it";
    ::umask(old);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ModeOf(folder.Path("new.txt")), 0644u) << "not the temporary file's private 0600";
}

// A target that cannot be written is refused with the reason and leaves every
// file as it was, with no temporary left. Every target is the test's own: a
// path through a regular file and a full disk (the size limit) bind root too,
// permission bits everyone else. A pipe nothing reads is refused at once.
TEST(TextFileWriter, UnwritableTargetGivesTheReasonAndChangesNothing)
{
    ScratchFolder folder;
    std::filesystem::create_directory(folder.Path("out.txt"));
    const std::string kept = folder.Write("kept.txt", "keep"), pipe = folder.Path("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_EQ(::mknod(folder.Path("socket").c_str(), S_IFSOCK | 0600, 0), 0);
    const struct {
        std::string path;
        const char* reason;
        rlim_t sizeLimit = 0;   // 0: none
    } cases[] = {{folder.Path("out.txt"), "is a folder"},
                 {folder.Path("no/such/out.txt"), "No such file"},
                 {kept + "/inner.txt", "Not a directory"},
                 {"", "no file name"},
                 {kept, "too large", 1000},
                 {pipe, "is a named pipe that nothing reads"},
                 {folder.Path("socket"), "is a socket"}};
    ::alarm(30);   // a writer waiting for a reader fails the test instead of hanging it
    for (const auto& c : cases) {
        std::optional<FileSizeLimit> limit;
        if (c.sizeLimit)
            limit.emplace(c.sizeLimit);
        const ExportResult result = WriteDelimitedTextFile(c.path, Demo(), '\t');
        limit.reset();
        EXPECT_FALSE(result.ok) << c.path;
        EXPECT_NE(result.error.find(c.reason), std::string::npos) << result.error;
        EXPECT_EQ(folder.EntryCount(), 4u) << c.path;
    }
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(kept.c_str(), 0444), 0);
        EXPECT_FALSE(WriteDelimitedTextFile(kept, Demo(), '\t').ok) << "a read-only file";
    }
    EXPECT_EQ(ReadWholeFile(kept), "keep");

    // A pipe that is read is written directly, not replaced by a file.
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    EXPECT_TRUE(WriteDelimitedTextFile(pipe, Demo(), '\t'));
    std::string received(64 * 1024, '\0');
    received.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(reader, received.data(), received.size()))));
    ::close(reader);
    ::alarm(0);
    EXPECT_EQ(received, FormatDelimitedText(Demo(), '\t'));
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_EQ(folder.EntryCount(), 4u);
}

// The folder goes away half-way through writing (a removed stick, another
// program): the Save fails with the reason, an old file that still exists
// is unchanged, and no temporary file is left in the folder.
TEST(TextFileWriter, FolderThatGoesAwayMidwayFailsAndKeepsTheOldFile)
{
    for (const bool removed : {false, true}) {
        ScratchFolder scratch;
        const std::string folder = scratch.Path("out");
        std::filesystem::create_directory(folder);
        scratch.Write("out/table.txt", "old");
        const ExportResult result = WriteFileWith(folder + "/table.txt", [&](int fd) {
            if (removed)
                std::filesystem::remove_all(folder);
            else
                std::filesystem::rename(folder, scratch.Path("moved"));
            return ::write(fd, "new", 3) == 3;
        });
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find("No such file"), std::string::npos) << result.error;
        if (!removed) {
            EXPECT_EQ(ReadWholeFile(scratch.Path("moved/table.txt")), "old");
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.Path("moved")), {}), 1) << "a temporary was left";
        }
    }
}

} // namespace
