#pragma once
// Reading a record file into a RecordList.
//
// Only regular files are read: a folder, a named pipe, a device or a socket
// is refused before anything is read from it. The file is opened read-only,
// and never more is read than the header's record count needs. A file that
// holds fewer complete records than its header announces yields the complete
// ones; the caller sees both counts. A file that cannot be read yields an
// error text and no records, so a caller that swaps the records in only on
// success keeps what it had.
#include <cstddef>
#include <string>

#include "records/RecordList.h"

struct RecordFileReadResult {
    bool ok = false;
    std::string error;              // why the file could not be read (when !ok)
    RecordList records;             // the complete records, in file order
    std::size_t announcedCount = 0; // recordCount of the header

    std::size_t ReadCount() const { return records.GetSize(); }
    // False when the file ended before the announced number of records.
    bool IsComplete() const { return ReadCount() == announcedCount; }
};

RecordFileReadResult ReadRecordFile(const std::string& path);

// The same rules on bytes already in memory (a whole file's contents).
RecordFileReadResult ParseRecordFile(const unsigned char* data, std::size_t size);
