// Reading record files from disk: what opens, what fails and with which reason.
#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ScratchFolder.h"
#include "records/RecordFileReader.h"
#include "sample/SampleRecords.h"

namespace {

bool SameRecord(const MeterRecord& a, const MeterRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Records are read in pieces; the cut may fall anywhere, also after the last record.
TEST(RecordFileReading, ShortenedFileKeepsCompleteRecordsAndReportsBothCounts)
{
    ScratchFolder folder;
    const auto records = RandomRecords(1500, 7);
    const std::string full = EncodeRecordFile(records);
    for (std::size_t complete : {0u, 2u, 511u, 512u, 513u, 1100u, 1499u, 1500u}) {
        for (std::size_t extra : {0u, 30u}) {
            SCOPED_TRACE(testing::Message() << complete << " records + " << extra << " bytes");
            const std::size_t size = RECORD_FILE_HEADER_SIZE + complete * METER_RECORD_SIZE + extra;
            const auto result = ReadRecordFile(folder.Write("short.bin", full.substr(0, size)));
            ASSERT_TRUE(result.ok);
            EXPECT_EQ(result.announcedCount, 1500u);
            EXPECT_EQ(result.ReadCount(), complete);
            if (complete > 0) {
                EXPECT_TRUE(SameRecord(result.records[complete - 1], records[complete - 1]));
            }
        }
    }
}

// Files that are not regular files must neither block (a pipe without a
// writer), nor read without end (/dev/zero, /dev/urandom): the alarm turns
// a hang into a failure.
TEST(RecordFileReading, FailuresGiveTheReasonAndNoRecords)
{
    ScratchFolder folder;
    std::filesystem::create_directory(folder.Path("dir.bin"));
    ASSERT_EQ(::mkfifo(folder.Path("pipe.bin").c_str(), 0600), 0);
    ASSERT_EQ(::mknod(folder.Path("socket.bin").c_str(), S_IFSOCK | 0600, 0), 0);
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {folder.Path("none.bin"), "No such file"},
        {folder.Path("dir.bin"), "is a folder"},
        {folder.Path("pipe.bin"), "is a named pipe"},
        {folder.Path("socket.bin"), "is a socket"},
        {"/dev/zero", "is a device"},
        {"/dev/urandom", "is a device"},
        {folder.Write("empty.bin", ""), "too short"},
        {folder.Write("half.bin", std::string(31, '\x01')), "too short"},   // one byte short of a header
    };
    ::alarm(30);
    for (const auto& c : cases) {
        const auto result = ReadRecordFile(c.path);
        EXPECT_FALSE(result.ok) << c.path;
        EXPECT_NE(result.error.find(c.reason), std::string::npos) << result.error;
        EXPECT_EQ(result.ReadCount(), 0u) << c.path;
    }
    ::alarm(0);
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

} // namespace
