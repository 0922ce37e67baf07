#pragma once
// The texts of the record rows of the table, made when the grid asks for a
// cell instead of formatting 2.56 million of them when a file opens. Every
// text is the one the record's formatting rules give for that cell.
#include "grid/store/CellTextProvider.h"
#include "records/RecordList.h"

#include <string>

class RecordRowTexts : public CellTextProvider {
public:
    explicit RecordRowTexts(const RecordList& records) : records(&records) {}

    // The text of a record row's cell; "" outside the record rows or columns.
    std::string CellText(int row, int col) const override;

private:
    const RecordList* records;
};
