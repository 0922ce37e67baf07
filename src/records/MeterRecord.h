#pragma once
// The record file's data: a 32-byte header followed by 104-byte records.
// The structs mirror the on-disk layout for readability, but files are always
// decoded field by field (little-endian), never by copying bytes onto them.
#include <cstddef>
#include <cstdint>
#include <string_view>

constexpr std::size_t RECORD_FILE_HEADER_SIZE = 32;
constexpr std::size_t METER_RECORD_SIZE = 104;
constexpr std::size_t NAME_FIELD_SIZE = 16;
constexpr int WAVELENGTH_COUNT = 3;
// Largest count the 16-bit header field can announce.
constexpr std::size_t MAX_RECORD_COUNT = 65535;

struct RecordFileHeader {
    std::uint8_t reserved1[14];
    std::uint16_t recordCount;   // number of records that follow
    std::uint8_t reserved2[16];
};

// Values of one wavelength, all in dBm.
struct WavelengthReading {
    float power;
    float reference;
    float passThreshold;
    float warnThreshold;
    float failThreshold;
};

// One stored measurement. Date and time bytes are packed BCD, kept as stored.
struct MeterRecord {
    char oltName[NAME_FIELD_SIZE];   // up to the first NUL, at most 16 bytes
    char ontName[NAME_FIELD_SIZE];
    std::uint16_t thresholdMode;     // 0: evaluation off
    std::uint16_t unitMode;          // 0: "dBm", otherwise "dB"
    WavelengthReading readings[WAVELENGTH_COUNT];   // 1310, 1490, 1550 nm
    std::uint8_t century;
    std::uint8_t year;
    std::uint8_t month;
    std::uint8_t day;
    std::uint8_t hour;
    std::uint8_t minute;
    std::uint8_t second;
    std::uint8_t reserved;
};

static_assert(sizeof(RecordFileHeader) == RECORD_FILE_HEADER_SIZE);
static_assert(offsetof(RecordFileHeader, recordCount) == 14);
static_assert(sizeof(WavelengthReading) == 20);
static_assert(sizeof(MeterRecord) == METER_RECORD_SIZE);
static_assert(offsetof(MeterRecord, ontName) == 16);
static_assert(offsetof(MeterRecord, thresholdMode) == 32);
static_assert(offsetof(MeterRecord, unitMode) == 34);
static_assert(offsetof(MeterRecord, readings) == 36);
static_assert(offsetof(MeterRecord, century) == 96);
static_assert(offsetof(MeterRecord, second) == 102);

// Decodes a header from its 32 bytes.
RecordFileHeader DecodeRecordFileHeader(const unsigned char* bytes);

// Decodes one record from its 104 bytes.
MeterRecord DecodeMeterRecord(const unsigned char* bytes);

// The bytes of a name field up to its first NUL; all 16 when there is none.
// The view stays valid as long as the record does.
std::string_view NameBytes(const char (&field)[NAME_FIELD_SIZE]);
