// Reading record files from disk: what opens, what fails and with which reason.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ScratchFolder.h"
#include "records/RecordFileReader.h"
#include "sample/SampleRecords.h"

namespace {

TEST(RecordFileReading, ReadsWhatTheSampleMakerWrote)
{
    ScratchFolder folder;
    const auto records = DemoRecords();
    const auto result = ReadRecordFile(folder.Write("demo.bin", EncodeRecordFile(records)));
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.ReadCount(), records.size());
    EXPECT_TRUE(result.IsComplete());
    for (std::size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(std::memcmp(&result.records[i], &records[i], sizeof(MeterRecord)), 0) << i;
}

// Records are read in pieces; the cut may fall anywhere.
TEST(RecordFileReading, ShortenedFileKeepsCompleteRecordsAndReportsBothCounts)
{
    ScratchFolder folder;
    const auto records = RandomRecords(1500, 7);
    const std::string full = EncodeRecordFile(records);
    for (std::size_t complete : {0u, 2u, 511u, 512u, 513u, 1100u, 1499u}) {
        for (std::size_t extra : {0u, 30u}) {
            const std::string bytes = full.substr(0, RECORD_FILE_HEADER_SIZE + complete * METER_RECORD_SIZE + extra);
            const auto result = ReadRecordFile(folder.Write("short.bin", bytes));
            ASSERT_TRUE(result.ok);
            EXPECT_EQ(result.announcedCount, 1500u);
            EXPECT_EQ(result.ReadCount(), complete) << "extra bytes " << extra;
            EXPECT_FALSE(result.IsComplete());
            if (complete > 0) {
                EXPECT_EQ(std::memcmp(&result.records[complete - 1], &records[complete - 1], sizeof(MeterRecord)), 0);
            }
        }
    }
}

struct FailureCase {
    const char* name;
    std::string (*makePath)(const ScratchFolder&);
    const char* reason;
};

class RecordFileFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(RecordFileFailure, GivesTheReasonAndNoRecords)
{
    ScratchFolder folder;
    const auto result = ReadRecordFile(GetParam().makePath(folder));
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(GetParam().reason), std::string::npos) << result.error;
    EXPECT_EQ(result.ReadCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RecordFileFailure,
    testing::Values(
        FailureCase{"missing", [](const ScratchFolder& f) { return f.Path("none.bin"); }, "No such file"},
        FailureCase{"folder",
                    [](const ScratchFolder& f) {
                        std::filesystem::create_directory(f.Path("dir.bin"));
                        return f.Path("dir.bin");
                    },
                    "is a folder"},
        FailureCase{"empty_file", [](const ScratchFolder& f) { return f.Write("empty.bin", ""); }, "too short"},
        FailureCase{"half_header",
                    [](const ScratchFolder& f) { return f.Write("half.bin", std::string(20, '\x01')); },
                    "too short"}),
    [](const auto& info) { return std::string(info.param.name); });

// The caller keeps its records when a second file cannot be read.
TEST(RecordFileReading, FailedReadLeavesCallersRecordsAlone)
{
    ScratchFolder folder;
    RecordList current;
    auto first = ReadRecordFile(folder.Write("a.bin", EncodeRecordFile(DemoRecords())));
    ASSERT_TRUE(first.ok);
    current.Swap(first.records);
    const auto second = ReadRecordFile(folder.Path("missing.bin"));
    ASSERT_FALSE(second.ok);
    EXPECT_EQ(current.GetSize(), DemoRecords().size());
}

// A running program cannot be opened for writing, not even by root ("Text
// file busy"), so this test's own executable stands for a file on read-only
// media: opening for update (as "rb+" would) fails, a read-only open works.
TEST(RecordFileReading, OpensWithReadOnlyAccess)
{
    const std::string unwritable = "/proc/self/exe";
    const int fd = ::open(unwritable.c_str(), O_RDWR | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        GTEST_SKIP() << "this system lets a running program be opened for writing";
    }
    const auto result = ReadRecordFile(unwritable);
    EXPECT_TRUE(result.ok) << result.error;
}

TEST(RecordFileReading, FileWithoutWritePermissionOpens)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: permission bits do not stop root, so mode 0444 proves nothing "
                        "(OpensWithReadOnlyAccess covers the read-only open)";
    ScratchFolder folder;
    const std::string path = folder.Write("ro.bin", EncodeRecordFile(DemoRecords()));
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const auto result = ReadRecordFile(path);
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.ReadCount(), DemoRecords().size());
}

} // namespace
