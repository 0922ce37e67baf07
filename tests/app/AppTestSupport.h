#pragma once
// Record files for the application tests, written into a private folder.
#include "records/MeterRecord.h"

#include <QString>
#include <QTemporaryDir>
#include <string>
#include <vector>

// A record whose three powers give pass, wrng and fail with thresholds
// -8 / -25 / -28 (or "off" everywhere when thresholds are off).
MeterRecord VerdictRecord(const std::string& oltName, const std::string& ontName, bool thresholdsOn = true);

// `count` records named OLT-<n>/ONT-<n>, verdicts on.
std::vector<MeterRecord> NumberedRecords(int count);

class RecordFileFolder {
public:
    // Writes a record file announcing `announced` records (default: all of them).
    QString Write(const QString& name, const std::vector<MeterRecord>& records, std::size_t announced);
    QString Write(const QString& name, const std::vector<MeterRecord>& records)
    {
        return Write(name, records, records.size());
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    // The bytes of a file, empty when it cannot be read.
    static std::string ReadBytes(const QString& path);

private:
    QTemporaryDir dir;
};
