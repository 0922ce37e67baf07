#pragma once
// The records of one file, in file order.
#include <cstddef>
#include <vector>

#include "records/MeterRecord.h"

class RecordList {
public:
    std::size_t GetSize() const { return records.size(); }
    bool IsEmpty() const { return records.empty(); }

    // Record at a 0-based position; throws std::out_of_range at or beyond GetSize().
    const MeterRecord& GetAt(std::size_t index) const;
    const MeterRecord& operator[](std::size_t index) const { return GetAt(index); }

    void Add(const MeterRecord& record) { records.push_back(record); }
    // Empties the list; the capacity is kept.
    void RemoveAll() { records.clear(); }
    void Reserve(std::size_t count) { records.reserve(count); }
    void Swap(RecordList& other) noexcept { records.swap(other.records); }

    auto begin() const { return records.begin(); }
    auto end() const { return records.end(); }

private:
    std::vector<MeterRecord> records;
};
