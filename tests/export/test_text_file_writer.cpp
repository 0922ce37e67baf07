// Writing the export file: the target is replaced only by a complete file.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <optional>

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

// The file is written in pieces; many pieces must join to the formatter's bytes.
TEST(TextFileWriter, WritesTheFormattedBytesAndLeavesNoTemporary)
{
    ScratchFolder folder;
    const RecordList large = RecordListOf(RandomRecords(12000, 5));
    const ExportResult result = WriteDelimitedTextFile(folder.Path("large.csv"), large, ',');
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(ReadWholeFile(folder.Path("large.csv")), FormatDelimitedText(large, ','));
    EXPECT_EQ(folder.EntryCount(), 1u);
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

// The workbook is written the same way.
TEST(TextFileWriter, WritesThroughASymbolicLinkKeepingTheFilesMode)
{
    ScratchFolder folder;
    const std::string real = folder.Write("real.txt", "old"), link = folder.Path("link.txt");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    std::filesystem::create_symlink(real, link);
    ASSERT_TRUE(WriteDelimitedTextFile(link, Demo(), '\t'));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(real), FormatDelimitedText(Demo(), '\t'));
    EXPECT_EQ(ModeOf(real), 0640u);
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
