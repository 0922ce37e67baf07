#pragma once
// Record files for the application tests, written into a private folder, and
// a view over such a folder.
#include "app/COrvik50View.h"
#include "records/MeterRecord.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
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
    QString WriteBytes(const QString& name, const std::string& bytes);
    QString Path(const QString& name) const { return dir.filePath(name); }
    // The bytes of a file, empty when it cannot be read.
    static std::string ReadBytes(const QString& path);

private:
    QTemporaryDir dir;
};

// A view, a private folder for its files and the error messages it reports.
class ViewTest : public ::testing::Test {
protected:
    ViewTest()
    {
        view.SetErrorReporter([this](const QString& text) { errors << text; });
    }
    // Opens `records` from a file written under `name`, as Open does with a chosen file.
    void Open(const std::vector<MeterRecord>& records, const QString& name = QStringLiteral("r.bin"))
    {
        ASSERT_TRUE(view.OpenRecordFile(folder.Write(name, records)));
    }

    RecordFileFolder folder;
    COrvik50View view;
    QStringList errors;
};
