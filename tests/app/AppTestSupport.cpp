#include "AppTestSupport.h"

#include "sample/SampleRecords.h"

#include <QFile>

MeterRecord VerdictRecord(const std::string& oltName, const std::string& ontName, bool thresholdsOn)
{
    MeterRecord record = MakeNamedRecord(oltName, ontName);
    record.thresholdMode = thresholdsOn ? 1 : 0;
    SetThresholds(record, -8.0f, -25.0f, -28.0f);
    record.readings[0].power = -20.5f;   // pass
    record.readings[1].power = -27.0f;   // wrng
    record.readings[2].power = -30.0f;   // fail
    SetRecordDateTime(record, 2011, 5, 12, 9, 5, 7);
    return record;
}

std::vector<MeterRecord> NumberedRecords(int count)
{
    std::vector<MeterRecord> records;
    for (int i = 1; i <= count; ++i)
        records.push_back(VerdictRecord("OLT-" + std::to_string(i), "ONT-" + std::to_string(i)));
    return records;
}

QString RecordFileFolder::Write(const QString& name, const std::vector<MeterRecord>& records, std::size_t announced)
{
    return WriteBytes(name, EncodeRecordFile(records, announced));
}

QString RecordFileFolder::WriteBytes(const QString& name, const std::string& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

std::string RecordFileFolder::ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
