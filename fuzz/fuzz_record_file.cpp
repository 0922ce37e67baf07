// Fuzz target: arbitrary bytes as a record file. The file reader and the
// in-memory parser must agree, never read past the bytes, and every record
// read must go through all table texts and both kinds of text export.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

#include "export/DelimitedTextExport.h"
#include "records/NameText.h"
#include "records/RecordFileReader.h"
#include "records/RecordTexts.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// The bytes as a file with a path, without touching the disk.
RecordFileReadResult ReadAsFile(const std::uint8_t* data, std::size_t size)
{
    const int fd = ::memfd_create("record-file", MFD_CLOEXEC);
    Check(fd >= 0);
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        Check(n > 0);
        done += static_cast<std::size_t>(n);
    }
    RecordFileReadResult result = ReadRecordFile("/proc/self/fd/" + std::to_string(fd));
    ::close(fd);
    return result;
}

bool SameRecords(const RecordList& a, const RecordList& b)
{
    if (a.GetSize() != b.GetSize())
        return false;
    for (std::size_t i = 0; i < a.GetSize(); ++i)
        if (std::memcmp(&a[i], &b[i], sizeof(MeterRecord)) != 0)
            return false;
    return true;
}

// Every text the table shows for one record.
std::size_t TableTextBytes(const MeterRecord& record, std::size_t position)
{
    std::size_t bytes = RecordNumberText(position).size() + NameText(NameBytes(record.oltName)).size()
                        + NameText(NameBytes(record.ontName)).size() + UnitText(record.unitMode).size()
                        + DateText(record).size() + TimeText(record).size();
    for (int w = 0; w < WAVELENGTH_COUNT; ++w) {
        const WavelengthReading& r = record.readings[w];
        bytes += WavelengthLabel(w).size() + PowerText(r.power).size() + LevelText(r.reference).size()
                 + LevelText(r.passThreshold).size() + LevelText(r.warnThreshold).size()
                 + LevelText(r.failThreshold).size() + VerdictWord(VerdictText(record, w)).size();
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const RecordFileReadResult parsed = ParseRecordFile(data, size);
    const RecordFileReadResult read = ReadAsFile(data, size);
    Check(parsed.ok == read.ok && parsed.announcedCount == read.announcedCount);
    Check(SameRecords(parsed.records, read.records));
    if (!parsed.ok)
        return 0;
    // Complete records only, and never more than announced.
    const std::size_t available = (size - RECORD_FILE_HEADER_SIZE) / METER_RECORD_SIZE;
    Check(parsed.ReadCount() == std::min(available, parsed.announcedCount));

    // Kept in a volatile, so the texts are made even when nothing reads them.
    volatile std::size_t textBytes = 0;
    std::size_t position = 0;
    for (const MeterRecord& record : parsed.records)
        textBytes = textBytes + TableTextBytes(record, position++);
    // Each record gives three CR LF lines after the two header lines.
    const std::string tabs = FormatDelimitedText(parsed.records, TAB_SEPARATOR);
    const std::string commas = FormatDelimitedText(parsed.records, COMMA_SEPARATOR);
    Check(tabs.size() == commas.size());
    Check(tabs.ends_with("\r\n"));
    return 0;
}
