// Writing the export file: the target is replaced only by a complete file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "FileSizeLimit.h"
#include "ScratchFolder.h"
#include "export/DelimitedTextExport.h"
#include "sample/SampleRecords.h"

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
    const bool ok = WriteDelimitedTextFile(folder.Path("new.txt"), Demo(), '\t').ok;
    ::umask(old);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ModeOf(folder.Path("new.txt")), 0644u) << "not the temporary file's private 0600";
}

TEST(TextFileWriter, WritesThroughASymbolicLink)
{
    ScratchFolder folder;
    const std::string real = folder.Write("real.txt", "old");
    const std::string link = folder.Path("link.txt");
    std::filesystem::create_symlink(real, link);
    ASSERT_TRUE(WriteDelimitedTextFile(link, Demo(), '\t'));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(real), FormatDelimitedText(Demo(), '\t'));
}

// A target that cannot be written is refused with the reason and leaves every
// file as it was. A path through a regular file is refused for root too;
// permission bits bind everyone else.
TEST(TextFileWriter, UnwritableTargetGivesTheReasonAndChangesNothing)
{
    ScratchFolder folder;
    std::filesystem::create_directory(folder.Path("out.txt"));
    const std::string kept = folder.Write("kept.txt", "keep");
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {{folder.Path("out.txt"), "is a folder"},
                 {folder.Path("no/such/out.txt"), "No such file"},
                 {kept + "/inner.txt", "Not a directory"},
                 {"", "no file name"},
                 {"/dev/full", "No space"}};
    for (const auto& c : cases) {
        const ExportResult result = WriteDelimitedTextFile(c.path, Demo(), '\t');
        EXPECT_FALSE(result.ok) << c.path;
        EXPECT_NE(result.error.find(c.reason), std::string::npos) << result.error;
        EXPECT_EQ(folder.EntryCount(), 2u) << c.path;
    }
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(kept.c_str(), 0444), 0);
        EXPECT_FALSE(WriteDelimitedTextFile(kept, Demo(), '\t').ok) << "a read-only file";
    }
    EXPECT_EQ(ReadWholeFile(kept), "keep");
    EXPECT_EQ(folder.EntryCount(), 2u);
    EXPECT_TRUE(WriteDelimitedTextFile("/dev/null", Demo(), '\t')) << "devices are written directly";

    // A named pipe without a reader fails at once instead of waiting for one.
    ScratchFolder other;
    ASSERT_EQ(::mkfifo(other.Path("pipe").c_str(), 0600), 0);
    ::alarm(30);
    const ExportResult toPipe = WriteDelimitedTextFile(other.Path("pipe"), Demo(), '\t');
    ::alarm(0);
    EXPECT_NE(toPipe.error.find("named pipe"), std::string::npos) << toPipe.error;
}

// A write that fails half-way (here: the file size limit) must leave the old
// file as it was and no temporary file behind. Works as root too.
TEST(TextFileWriter, FailedWriteKeepsTheOldFile)
{
    ScratchFolder folder;
    const std::string path = folder.Write("out.txt", "old contents\r\n");
    ExportResult result;
    {
        const FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.Applied());
        result = WriteDelimitedTextFile(path, Demo(), '\t');
    }

    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("too large"), std::string::npos) << result.error;
    EXPECT_EQ(ReadWholeFile(path), "old contents\r\n");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

// The folder goes away half-way through writing (a removed stick, another
// program): the Save fails with the reason, an old file that still exists
// is unchanged, and no temporary file is left in the folder.
TEST(TextFileWriter, FolderThatGoesAwayMidwayFailsAndKeepsTheOldFile)
{
    for (const bool removed : {false, true}) {
        SCOPED_TRACE(removed ? "folder removed" : "folder moved");
        ScratchFolder scratch;
        const std::string folder = scratch.Path("out"), moved = scratch.Path("moved");
        std::filesystem::create_directory(folder);
        std::ofstream(folder + "/table.txt") << "old";
        const ExportResult result = WriteFileWith(folder + "/table.txt", [&](int fd) {
            if (::write(fd, "new", 3) != 3)
                return false;
            if (removed)
                std::filesystem::remove_all(folder);
            else
                std::filesystem::rename(folder, moved);
            return ::write(fd, " text", 5) == 5;
        });
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find("No such file"), std::string::npos) << result.error;
        if (!removed) {
            EXPECT_EQ(ReadWholeFile(moved + "/table.txt"), "old");
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(moved), {}), 1) << "a temporary was left";
        }
    }
}

} // namespace
