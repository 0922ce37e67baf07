#pragma once
// Building record files for demos, tests and benchmarks. The viewer itself
// never writes record files; only these tools and tests do.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/MeterRecord.h"
#include "records/RecordList.h"

// A record with the given names (bytes, at most 16 each), zeros elsewhere.
MeterRecord MakeNamedRecord(std::string_view oltName, std::string_view ontName);
// Sets the seven BCD date and time bytes from decimal values (year is 4 digits).
void SetRecordDateTime(MeterRecord& record, int year, int month, int day, int hour, int minute, int second);
// Sets all three readings' thresholds.
void SetThresholds(MeterRecord& record, float pass, float warn, float fail);

// The 104 bytes of a record, little-endian.
void AppendEncodedRecord(std::string& out, const MeterRecord& record);
// A whole file: header announcing `announcedCount` records, then the records.
std::string EncodeRecordFile(const std::vector<MeterRecord>& records, std::size_t announcedCount);
inline std::string EncodeRecordFile(const std::vector<MeterRecord>& records)
{
    return EncodeRecordFile(records, records.size());
}

// The bundled demo file's records: pass, wrng, fail and off verdicts, a "Low"
// power, unit dB, a 16-byte name, ASCII and Chinese (GBK) names.
std::vector<MeterRecord> DemoRecords();
// `count` plausible records, the same for the same seed on every machine.
std::vector<MeterRecord> RandomRecords(std::size_t count, std::uint32_t seed);
// The records as a RecordList, as a file holding them reads.
RecordList RecordListOf(const std::vector<MeterRecord>& records);
