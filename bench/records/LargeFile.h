#pragma once
// The largest record file (65,535 records), written once per benchmark program.
#include <cstdio>
#include <string>
#include <unistd.h>

#include "records/RecordFileReader.h"
#include "sample/SampleRecords.h"

inline const std::string& LargeRecordFilePath()
{
    static const std::string path = [] {
        const std::string p = "/tmp/orvik50-bench-large-" + std::to_string(::getpid()) + ".bin";
        const std::string bytes = EncodeRecordFile(RandomRecords(MAX_RECORD_COUNT, 1));
        if (FILE* f = std::fopen(p.c_str(), "wb")) {
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
        std::atexit([] { std::remove(LargeRecordFilePath().c_str()); });
        return p;
    }();
    return path;
}

inline RecordList LargeRecordList()
{
    return ReadRecordFile(LargeRecordFilePath()).records;
}
