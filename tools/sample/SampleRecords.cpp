#include "sample/SampleRecords.h"

#include <bit>
#include <cstring>
#include <random>

namespace {

std::uint8_t Bcd(int value)
{
    return static_cast<std::uint8_t>(((value / 10) % 10) << 4 | (value % 10));
}

void CopyName(char (&field)[NAME_FIELD_SIZE], std::string_view name)
{
    std::memset(field, 0, NAME_FIELD_SIZE);
    std::memcpy(field, name.data(), name.size() < NAME_FIELD_SIZE ? name.size() : NAME_FIELD_SIZE);
}

void AppendU16(std::string& out, std::uint16_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void AppendF32(std::string& out, float value)
{
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((bits >> shift) & 0xFF);
}

void SetReading(MeterRecord& record, int w, float power, float reference)
{
    record.readings[w].power = power;
    record.readings[w].reference = reference;
}

} // namespace

MeterRecord MakeNamedRecord(std::string_view oltName, std::string_view ontName)
{
    MeterRecord record{};
    CopyName(record.oltName, oltName);
    CopyName(record.ontName, ontName);
    return record;
}

void SetRecordDateTime(MeterRecord& record, int year, int month, int day, int hour, int minute, int second)
{
    record.century = Bcd(year / 100);
    record.year = Bcd(year % 100);
    record.month = Bcd(month);
    record.day = Bcd(day);
    record.hour = Bcd(hour);
    record.minute = Bcd(minute);
    record.second = Bcd(second);
}

void SetThresholds(MeterRecord& record, float pass, float warn, float fail)
{
    for (WavelengthReading& reading : record.readings) {
        reading.passThreshold = pass;
        reading.warnThreshold = warn;
        reading.failThreshold = fail;
    }
}

void AppendEncodedRecord(std::string& out, const MeterRecord& record)
{
    out.append(record.oltName, NAME_FIELD_SIZE);
    out.append(record.ontName, NAME_FIELD_SIZE);
    AppendU16(out, record.thresholdMode);
    AppendU16(out, record.unitMode);
    for (const WavelengthReading& r : record.readings) {
        AppendF32(out, r.power);
        AppendF32(out, r.reference);
        AppendF32(out, r.passThreshold);
        AppendF32(out, r.warnThreshold);
        AppendF32(out, r.failThreshold);
    }
    for (std::uint8_t byte : {record.century, record.year, record.month, record.day, record.hour, record.minute,
                              record.second, record.reserved})
        out += static_cast<char>(byte);
}

std::string EncodeRecordFile(const std::vector<MeterRecord>& records, std::size_t announcedCount)
{
    std::string out(RECORD_FILE_HEADER_SIZE, '\0');
    out[14] = static_cast<char>(announcedCount & 0xFF);
    out[15] = static_cast<char>((announcedCount >> 8) & 0xFF);
    out.reserve(RECORD_FILE_HEADER_SIZE + records.size() * METER_RECORD_SIZE);
    for (const MeterRecord& record : records)
        AppendEncodedRecord(out, record);
    return out;
}

std::vector<MeterRecord> DemoRecords()
{
    std::vector<MeterRecord> demo;
    // Thresholds as the meter ships them: FAIL < WRNG < PASS.
    auto add = [&](std::string_view olt, std::string_view ont, float p1310, float p1490, float p1550) -> MeterRecord& {
        MeterRecord& r = demo.emplace_back(MakeNamedRecord(olt, ont));
        r.thresholdMode = 1;
        SetThresholds(r, -8.0f, -25.0f, -28.0f);
        SetReading(r, 0, p1310, 0.0f);
        SetReading(r, 1, p1490, -1.5f);
        SetReading(r, 2, p1550, 2.25f);
        SetRecordDateTime(r, 2011, 5, 12, 9, 5, 7);
        return r;
    };
    add("OLT-A", "ONT-7", -20.5f, -21.37f, -19.84f);                        // pass
    SetRecordDateTime(add("OLT-A", "ONT-8", -26.12f, -25.0f, -27.99f), 2011, 5, 12, 9, 17, 42);   // wrng
    SetRecordDateTime(add("OLT-A", "ONT-9", -30.0f, -28.5f, -31.25f), 2011, 5, 12, 10, 2, 0);     // fail, weak
    SetRecordDateTime(add("OLT-B", "ONT-1", -7.5f, -8.0f, -3.2f), 2011, 6, 1, 14, 30, 0);         // fail, strong
    MeterRecord& off = add("OLT-B", "ONT-2", -22.0f, -35.0f, -5.0f);                              // off
    off.thresholdMode = 0;
    SetRecordDateTime(off, 2012, 1, 9, 8, 0, 59);
    SetRecordDateTime(add("OLT-B", "ONT-3", -95.0f, -24.0f, -90.0f), 2012, 11, 30, 23, 59, 59);   // "Low"
    MeterRecord& db = add("OLT-C", "ONT-4", -3.5f, 1.25f, -0.75f);                               // unit dB
    db.unitMode = 1;
    SetThresholds(db, 0.0f, -3.0f, -6.0f);
    SetRecordDateTime(db, 2013, 2, 28, 0, 0, 0);
    SetRecordDateTime(add("OLT-CENTRAL-0001", "ONT-BUILDING-12A", -18.0f, -19.5f, -17.25f), 2014, 7, 4, 12, 0, 1);
    // "局端一号" and "光猫-01" in GBK bytes, as the meter stores them.
    SetRecordDateTime(add("\xBE\xD6\xB6\xCB\xD2\xBB\xBA\xC5", "\xB9\xE2\xC3\xA8-01", -22.4f, -23.1f, -21.9f),
                      2015, 10, 8, 7, 45, 3);
    SetRecordDateTime(add("OLT-D", "\xB9\xE2\xC3\xA8-02", -27.0f, -26.5f, -25.5f), 2019, 12, 31, 16, 8, 9);
    SetRecordDateTime(add("OLT-D", "ONT-15", -24.99f, -8.01f, -28.0f), 2020, 2, 29, 19, 20, 21);
    SetRecordDateTime(add("Pole 7, left", "ONT-16", -12.345f, -0.0f, -89.99f), 2024, 3, 15, 6, 6, 6);
    return demo;
}

std::vector<MeterRecord> RandomRecords(std::size_t count, std::uint32_t seed)
{
    // mt19937's output is fixed by the standard; the distributions are not,
    // so values are derived from its raw output.
    std::mt19937 engine(seed);
    auto below = [&](std::uint32_t n) { return static_cast<int>(engine() % n); };
    auto hundredths = [&](int low, int high) {   // a value in [low, high] dBm, 0.01 steps
        return static_cast<float>(low * 100 + below(static_cast<std::uint32_t>((high - low) * 100 + 1))) / 100.0f;
    };
    std::vector<MeterRecord> records;
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string olt = "OLT-" + std::to_string(1 + below(40));
        std::string ont = "ONT-" + std::to_string(1 + below(9999));
        if (below(20) == 0)
            ont = "\xB9\xE2\xC3\xA8-" + std::to_string(below(100));   // 光猫-n in GBK
        MeterRecord r = MakeNamedRecord(olt, ont);
        r.thresholdMode = below(10) == 0 ? 0 : 1;
        r.unitMode = below(8) == 0 ? 1 : 0;
        // Each value drawn in a statement of its own: the order in which a
        // call's arguments are worked out differs between compilers. (Last
        // argument first, the order the files were first made in.)
        const float fail = hundredths(-30, -27), warn = hundredths(-26, -22), pass = hundredths(-10, -6);
        SetThresholds(r, pass, warn, fail);
        for (int w = 0; w < WAVELENGTH_COUNT; ++w) {
            const float reference = hundredths(-3, 3);
            const float power = below(50) == 0 ? hundredths(-99, -91) : hundredths(-35, -5);
            SetReading(r, w, power, reference);
        }
        const int second = below(60), minute = below(60), hour = below(24);
        const int day = 1 + below(28), month = 1 + below(12), year = 2010 + below(20);
        SetRecordDateTime(r, year, month, day, hour, minute, second);
        records.push_back(r);
    }
    return records;
}

RecordList RecordListOf(const std::vector<MeterRecord>& records)
{
    RecordList list;
    for (const MeterRecord& record : records)
        list.Add(record);
    return list;
}
