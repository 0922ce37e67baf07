// Writing the export file: the target is replaced only by a complete file.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ScratchFolder.h"
#include "export/DelimitedTextExport.h"
#include "sample/SampleRecords.h"

namespace {

RecordList Demo()
{
    RecordList list;
    for (const MeterRecord& r : DemoRecords())
        list.Add(r);
    return list;
}

TEST(TextFileWriter, WritesTheFormattedBytesAndLeavesNoTemporary)
{
    ScratchFolder folder;
    const std::string path = folder.Path("out.txt");
    const ExportResult result = WriteDelimitedTextFile(path, Demo(), '\t');
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(ReadWholeFile(path), FormatDelimitedText(Demo(), '\t'));
    EXPECT_EQ(folder.EntryCount(), 1u);
}

// The file is written in pieces; many pieces must join to the same bytes.
TEST(TextFileWriter, LargeListGivesTheSameBytesAsTheFormatter)
{
    ScratchFolder folder;
    RecordList list;
    for (const MeterRecord& r : RandomRecords(12000, 5))
        list.Add(r);
    const std::string path = folder.Path("large.csv");
    ASSERT_TRUE(WriteDelimitedTextFile(path, list, ','));
    EXPECT_EQ(ReadWholeFile(path), FormatDelimitedText(list, ','));
}

TEST(TextFileWriter, ReplacesAnExistingFileKeepingItsPermissions)
{
    ScratchFolder folder;
    const std::string path = folder.Write("out.csv", std::string(100000, 'x'));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(WriteDelimitedTextFile(path, RecordList{}, ','));
    EXPECT_EQ(ReadWholeFile(path), FormatDelimitedText(RecordList{}, ','));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(TextFileWriter, NewFileGetsTheUsualPermissions)
{
    ScratchFolder folder;
    const mode_t old = ::umask(022);
    const std::string path = folder.Path("new.txt");
    const bool ok = WriteDelimitedTextFile(path, Demo(), '\t').ok;
    ::umask(old);
    ASSERT_TRUE(ok);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);   // not the temporary file's private 0600
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

struct TargetFailure {
    const char* name;
    std::string (*makePath)(const ScratchFolder&);
    const char* reason;
};

class UnwritableTarget : public testing::TestWithParam<TargetFailure> {};

TEST_P(UnwritableTarget, GivesTheReasonAndCreatesNothing)
{
    ScratchFolder folder;
    const std::string path = GetParam().makePath(folder);
    const std::size_t entriesBefore = folder.EntryCount();
    const ExportResult result = WriteDelimitedTextFile(path, Demo(), '\t');
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(GetParam().reason), std::string::npos) << result.error;
    EXPECT_EQ(folder.EntryCount(), entriesBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, UnwritableTarget,
    testing::Values(
        TargetFailure{"folder_of_that_name",
                      [](const ScratchFolder& f) {
                          std::filesystem::create_directory(f.Path("out.txt"));
                          return f.Path("out.txt");
                      },
                      "is a folder"},
        TargetFailure{"missing_folder", [](const ScratchFolder& f) { return f.Path("no/such/out.txt"); },
                      "No such file"},
        TargetFailure{"empty_name", [](const ScratchFolder&) { return std::string(); }, "no file name"}),
    [](const auto& info) { return std::string(info.param.name); });

// A write that fails half-way (here: the file size limit) must leave the old
// file as it was and no temporary file behind. Works as root too.
TEST(TextFileWriter, FailedWriteKeepsTheOldFile)
{
    ScratchFolder folder;
    const std::string path = folder.Write("out.txt", "old contents\r\n");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const ExportResult result = WriteDelimitedTextFile(path, Demo(), '\t');
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("too large"), std::string::npos) << result.error;
    EXPECT_EQ(ReadWholeFile(path), "old contents\r\n");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(TextFileWriter, ReadOnlyFileIsNotReplaced)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: write permission is not checked for root";
    ScratchFolder folder;
    const std::string path = folder.Write("out.txt", "keep");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const ExportResult result = WriteDelimitedTextFile(path, Demo(), '\t');
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(ReadWholeFile(path), "keep");
}

TEST(TextFileWriter, DevicesAreWrittenDirectly)
{
    EXPECT_TRUE(WriteDelimitedTextFile("/dev/null", Demo(), '\t'));
    const ExportResult full = WriteDelimitedTextFile("/dev/full", Demo(), '\t');
    EXPECT_FALSE(full.ok);
    EXPECT_NE(full.error.find("No space"), std::string::npos) << full.error;
}

} // namespace
