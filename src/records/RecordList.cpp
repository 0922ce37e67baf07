#include "records/RecordList.h"

#include <stdexcept>
#include <string>

const MeterRecord& RecordList::GetAt(std::size_t index) const
{
    if (index >= records.size())
        throw std::out_of_range("RecordList index " + std::to_string(index) + " at or beyond size "
                                + std::to_string(records.size()));
    return records[index];
}
