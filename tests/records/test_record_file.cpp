// Record files: decoded from bytes (layout, counts) and read from disk (what opens, what fails and why).
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <stdexcept>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ScratchFolder.h"
#include "records/RecordFileReader.h"
#include "sample/SampleRecords.h"

namespace {

// Bytes of a file built by hand at the documented offsets, independent of
// any encoder the tools use.
struct FileBytes {
    std::vector<unsigned char> bytes;

    FileBytes(std::size_t announced, std::size_t recordBytes) : bytes(RECORD_FILE_HEADER_SIZE + recordBytes, 0)
    {
        bytes[14] = static_cast<unsigned char>(announced & 0xFF);
        bytes[15] = static_cast<unsigned char>(announced >> 8);
    }
    void PutFloat(std::size_t record, std::size_t offset, float value)
    {
        const auto bits = std::bit_cast<std::uint32_t>(value);
        for (int i = 0; i < 4; ++i)
            At(record, offset + i) = static_cast<unsigned char>(bits >> (8 * i));
    }
    unsigned char& At(std::size_t record, std::size_t offset)
    {
        return bytes.at(RECORD_FILE_HEADER_SIZE + METER_RECORD_SIZE * record + offset);
    }
    RecordFileReadResult Parse() const { return ParseRecordFile(bytes.data(), bytes.size()); }
};

// Names stop at a NUL or after sixteen bytes; reserved bytes change nothing.
TEST(RecordFileLayout, EveryFieldIsReadFromItsOwnOffset)
{
    FileBytes file(1, METER_RECORD_SIZE);
    // A distinct value per float: offset 36 + 20w + 4k holds w * 10 + k + 0.25.
    for (int w = 0; w < 3; ++w)
        for (int k = 0; k < 5; ++k)
            file.PutFloat(0, 36 + 20 * w + 4 * k, static_cast<float>(w * 10 + k) + 0.25f);
    const unsigned char modes[] = {0x00, 0x01, 0x34, 0x12};   // threshold mode 0x0100: on, low byte 0
    std::memcpy(&file.At(0, 32), modes, 4);
    const unsigned char dateTime[8] = {0x20, 0x1A, 0x0C, 0x1F, 0x99, 0xFF, 0x00, 0xEE};   // and the reserved byte 103
    std::memcpy(&file.At(0, 96), dateTime, 8);
    std::memcpy(&file.At(0, 0), "OLT-CENTRAL-0001", 16);   // no NUL: the ONT field follows directly
    std::memcpy(&file.At(0, 16), "ONT\0garbage", 11);
    for (std::size_t reserved : {0u, 5u, 13u, 16u, 31u})   // header bytes other than the count
        file.bytes[reserved] = 0x5A;
    const auto result = file.Parse();
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.ReadCount(), 1u);
    const MeterRecord& r = result.records[0];
    for (int w = 0; w < 3; ++w) {
        const WavelengthReading& g = r.readings[w];
        EXPECT_EQ((std::vector<float>{g.power, g.reference, g.passThreshold, g.warnThreshold, g.failThreshold}),
                  (std::vector<float>{w * 10 + 0.25f, w * 10 + 1.25f, w * 10 + 2.25f, w * 10 + 3.25f, w * 10 + 4.25f})) << w;
    }
    EXPECT_EQ(NameBytes(r.oltName), "OLT-CENTRAL-0001");
    EXPECT_EQ(NameBytes(r.ontName), "ONT");
    EXPECT_EQ(r.thresholdMode, 0x0100);
    EXPECT_EQ(r.unitMode, 0x1234);
    const std::uint8_t read[7] = {r.century, r.year, r.month, r.day, r.hour, r.minute, r.second};
    EXPECT_EQ(std::memcmp(read, dateTime, 7), 0);
}

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
// writer), nor read without end (/dev/zero): the alarm turns
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
