// Decoding record files from bytes: layout, byte order, counts, short files.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <random>
#include <stdexcept>
#include <vector>

#include "records/RecordFileReader.h"

namespace {

// Bytes of a file built by hand at the documented offsets, independent of
// any encoder the tools use.
struct FileBytes {
    std::vector<unsigned char> bytes;

    FileBytes(std::size_t announced, std::size_t recordBytes)
        : bytes(RECORD_FILE_HEADER_SIZE + recordBytes, 0)
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

TEST(RecordFileLayout, EveryFloatFieldIsReadFromItsOwnOffset)
{
    FileBytes file(1, METER_RECORD_SIZE);
    // A distinct value per field: offset 36 + 20w + 4k holds w * 10 + k + 0.25.
    for (int w = 0; w < 3; ++w)
        for (int k = 0; k < 5; ++k)
            file.PutFloat(0, 36 + 20 * w + 4 * k, static_cast<float>(w * 10 + k) + 0.25f);
    const auto result = file.Parse();
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.ReadCount(), 1u);
    const MeterRecord& r = result.records[0];
    for (int w = 0; w < 3; ++w) {
        SCOPED_TRACE(w);
        const WavelengthReading& reading = r.readings[w];
        EXPECT_EQ(reading.power, w * 10 + 0.25f);
        EXPECT_EQ(reading.reference, w * 10 + 1.25f);
        EXPECT_EQ(reading.passThreshold, w * 10 + 2.25f);
        EXPECT_EQ(reading.warnThreshold, w * 10 + 3.25f);
        EXPECT_EQ(reading.failThreshold, w * 10 + 4.25f);
    }
}

TEST(RecordFileLayout, ModesAreWholeLittleEndianWordsAndDateBytesAreKept)
{
    FileBytes file(1, METER_RECORD_SIZE);
    file.At(0, 32) = 0x00;   // thresholdMode 0x0100: on, although its low byte is 0
    file.At(0, 33) = 0x01;
    file.At(0, 34) = 0x34;
    file.At(0, 35) = 0x12;
    const unsigned char dateTime[8] = {0x20, 0x1A, 0x0C, 0x1F, 0x99, 0xFF, 0x00, 0xEE};
    for (int i = 0; i < 8; ++i)
        file.At(0, 96 + i) = dateTime[i];
    const MeterRecord r = file.Parse().records[0];
    EXPECT_EQ(r.thresholdMode, 0x0100);
    EXPECT_EQ(r.unitMode, 0x1234);
    EXPECT_EQ(r.century, 0x20);
    EXPECT_EQ(r.year, 0x1A);
    EXPECT_EQ(r.month, 0x0C);
    EXPECT_EQ(r.day, 0x1F);
    EXPECT_EQ(r.hour, 0x99);
    EXPECT_EQ(r.minute, 0xFF);
    EXPECT_EQ(r.second, 0x00);
}

TEST(RecordFileLayout, NameStopsAtNulOrAfterSixteenBytes)
{
    FileBytes file(2, 2 * METER_RECORD_SIZE);
    std::memcpy(&file.At(0, 0), "OLT-CENTRAL-0001", 16);   // no NUL: the ONT field follows directly
    std::memcpy(&file.At(0, 16), "ONT\0garbage", 11);
    std::memcpy(&file.At(1, 0), "\0hidden", 7);
    const auto result = file.Parse();
    EXPECT_EQ(NameBytes(result.records[0].oltName), "OLT-CENTRAL-0001");
    EXPECT_EQ(NameBytes(result.records[0].ontName), "ONT");
    EXPECT_EQ(NameBytes(result.records[1].oltName), "");
}

TEST(RecordFileLayout, RecordsFollowTheHeaderInFileOrder)
{
    FileBytes file(300, 300 * METER_RECORD_SIZE);
    ASSERT_EQ(file.bytes[14], 0x2C);   // 300 = 0x012C, low byte first
    ASSERT_EQ(file.bytes[15], 0x01);
    for (std::size_t n = 0; n < 300; ++n)
        file.PutFloat(n, 36, static_cast<float>(n));
    const auto result = file.Parse();
    ASSERT_EQ(result.announcedCount, 300u);
    ASSERT_EQ(result.ReadCount(), 300u);
    EXPECT_TRUE(result.IsComplete());
    for (std::size_t n = 0; n < 300; ++n)
        ASSERT_EQ(result.records[n].readings[0].power, static_cast<float>(n));
}

TEST(RecordFileLayout, NanAndInfinityAreKeptAsStored)
{
    FileBytes file(1, METER_RECORD_SIZE);
    file.PutFloat(0, 36, -std::numeric_limits<float>::quiet_NaN());
    file.PutFloat(0, 40, -std::numeric_limits<float>::infinity());
    const MeterRecord r = file.Parse().records[0];
    EXPECT_TRUE(std::isnan(r.readings[0].power));
    EXPECT_TRUE(std::signbit(r.readings[0].power));
    EXPECT_EQ(r.readings[0].reference, -std::numeric_limits<float>::infinity());
}

// How many records a file yields for what its header says and what it holds.
struct CountCase {
    const char* name;
    std::size_t announced;
    std::size_t recordBytes;
    std::size_t expectedRead;
};

class RecordCount : public testing::TestWithParam<CountCase> {};

TEST_P(RecordCount, KeepsCompleteRecordsOnly)
{
    const CountCase& c = GetParam();
    FileBytes file(c.announced, c.recordBytes);
    const auto result = file.Parse();
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.announcedCount, c.announced);
    EXPECT_EQ(result.ReadCount(), c.expectedRead);
    EXPECT_EQ(result.IsComplete(), c.expectedRead == c.announced);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RecordCount,
    testing::Values(CountCase{"header_only_zero_records", 0, 0, 0},
                    CountCase{"exact_three", 3, 3 * METER_RECORD_SIZE, 3},
                    CountCase{"last_record_cut_short", 3, 2 * METER_RECORD_SIZE + 50, 2},
                    CountCase{"one_byte_missing", 3, 3 * METER_RECORD_SIZE - 1, 2},
                    CountCase{"header_only_announcing_records", 5, 0, 0},
                    CountCase{"trailing_bytes_ignored", 2, 5 * METER_RECORD_SIZE + 7, 2},
                    CountCase{"largest_count_short_file", 65535, 4 * METER_RECORD_SIZE, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordCount, LargestCountIsFullyRead)
{
    FileBytes file(0, MAX_RECORD_COUNT * METER_RECORD_SIZE);
    file.bytes[14] = 0xFF;
    file.bytes[15] = 0xFF;
    const auto result = file.Parse();
    EXPECT_EQ(result.announcedCount, 65535u);
    EXPECT_EQ(result.ReadCount(), 65535u);
}

TEST(RecordCount, FileShorterThanHeaderIsAnError)
{
    for (std::size_t size : {0u, 1u, 15u, 16u, 31u}) {
        const std::vector<unsigned char> bytes(size, 0);
        const auto result = ParseRecordFile(bytes.data(), bytes.size());
        EXPECT_FALSE(result.ok) << size;
        EXPECT_NE(result.error.find("too short"), std::string::npos) << result.error;
        EXPECT_EQ(result.ReadCount(), 0u);
    }
}

// Random bytes of random length never crash and never yield more than
// either the header or the data allows.
TEST(RecordCount, RandomGarbageYieldsOnlyWhatTheBytesHold)
{
    std::mt19937 engine(20240601);
    for (int round = 0; round < 300; ++round) {
        std::vector<unsigned char> bytes(engine() % (RECORD_FILE_HEADER_SIZE + 40 * METER_RECORD_SIZE));
        for (auto& b : bytes)
            b = static_cast<unsigned char>(engine());
        if (bytes.size() > 15 && round % 2 == 0)
            bytes[15] = 0;   // keep half of the counts small enough to be met
        const auto result = ParseRecordFile(bytes.data(), bytes.size());
        if (bytes.size() < RECORD_FILE_HEADER_SIZE) {
            EXPECT_FALSE(result.ok);
            continue;
        }
        ASSERT_TRUE(result.ok);
        const std::size_t available = (bytes.size() - RECORD_FILE_HEADER_SIZE) / METER_RECORD_SIZE;
        EXPECT_EQ(result.ReadCount(), std::min(available, result.announcedCount));
    }
}

TEST(RecordListAccess, IndexAtOrBeyondSizeThrows)
{
    RecordList list;
    EXPECT_THROW(list.GetAt(0), std::out_of_range);
    list.Add(MeterRecord{});
    list.Add(MeterRecord{});
    EXPECT_NO_THROW(list.GetAt(1));
    EXPECT_THROW(list.GetAt(2), std::out_of_range);
    EXPECT_THROW(list[static_cast<std::size_t>(-1)], std::out_of_range);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_THROW(list.GetAt(0), std::out_of_range);
}

} // namespace
