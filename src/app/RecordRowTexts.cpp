#include "app/RecordRowTexts.h"

#include "records/NameText.h"
#include "records/RecordTableLayout.h"
#include "records/RecordTexts.h"

std::string RecordRowTexts::CellText(int row, int col) const
{
    const int recordRow = row - record_table::kHeaderRows;
    if (recordRow < 0 || col < 0 || col >= record_table::kColumns)
        return {};
    const auto position = static_cast<std::size_t>(recordRow / record_table::kRowsPerRecord);
    if (position >= records->GetSize())
        return {};
    const MeterRecord& record = (*records)[position];
    const int wavelength = recordRow % record_table::kRowsPerRecord;
    const WavelengthReading& reading = record.readings[wavelength];
    // The per-record columns show the same text on all three rows of a record.
    switch (col) {
    case 0: return RecordNumberText(position);
    case 1: return NameText(NameBytes(record.oltName));
    case 2: return NameText(NameBytes(record.ontName));
    case 3: return std::string(WavelengthLabel(wavelength));
    case 4: return PowerText(reading.power);
    case 5: return std::string(UnitText(record.unitMode));
    case 6: return LevelText(reading.reference);
    case 7: return std::string(VerdictWord(VerdictText(record, wavelength)));
    case 8: return LevelText(reading.passThreshold);
    case 9: return LevelText(reading.warnThreshold);
    case 10: return LevelText(reading.failThreshold);
    case 11: return DateText(record);
    default: return TimeText(record);
    }
}
