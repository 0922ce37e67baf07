#include "records/MeterRecord.h"

#include <bit>
#include <cstring>

namespace {

std::uint16_t LoadU16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

float LoadF32(const unsigned char* p)
{
    const std::uint32_t bits = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
        | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    return std::bit_cast<float>(bits);
}

constexpr std::size_t READINGS_OFFSET = 36;
constexpr std::size_t READING_SIZE = 20;
constexpr std::size_t DATE_OFFSET = 96;

} // namespace

RecordFileHeader DecodeRecordFileHeader(const unsigned char* bytes)
{
    RecordFileHeader header{};
    std::memcpy(header.reserved1, bytes, sizeof header.reserved1);
    header.recordCount = LoadU16(bytes + 14);
    std::memcpy(header.reserved2, bytes + 16, sizeof header.reserved2);
    return header;
}

MeterRecord DecodeMeterRecord(const unsigned char* bytes)
{
    MeterRecord record{};
    std::memcpy(record.oltName, bytes, NAME_FIELD_SIZE);
    std::memcpy(record.ontName, bytes + NAME_FIELD_SIZE, NAME_FIELD_SIZE);
    record.thresholdMode = LoadU16(bytes + 32);
    record.unitMode = LoadU16(bytes + 34);
    for (int w = 0; w < WAVELENGTH_COUNT; ++w) {
        const unsigned char* block = bytes + READINGS_OFFSET + READING_SIZE * w;
        WavelengthReading& reading = record.readings[w];
        reading.power = LoadF32(block);
        reading.reference = LoadF32(block + 4);
        reading.passThreshold = LoadF32(block + 8);
        reading.warnThreshold = LoadF32(block + 12);
        reading.failThreshold = LoadF32(block + 16);
    }
    const unsigned char* date = bytes + DATE_OFFSET;
    record.century = date[0];
    record.year = date[1];
    record.month = date[2];
    record.day = date[3];
    record.hour = date[4];
    record.minute = date[5];
    record.second = date[6];
    record.reserved = date[7];
    return record;
}

std::string_view NameBytes(const char (&field)[NAME_FIELD_SIZE])
{
    const void* nul = std::memchr(field, '\0', NAME_FIELD_SIZE);
    const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : NAME_FIELD_SIZE;
    return std::string_view(field, length);
}
