// Building the record table: the grid's size, header rows and blocks, the
// three rows of every record, the per-record blocks and the fixed counts.
// The record rows' texts are made when the grid asks for them (RecordRowTexts):
// opening the largest file formats no text at all.
#include "app/COrvik50View.h"

#include "app/AppResources.h"
#include "app/RecordRowTexts.h"
#include "grid/CGridCtrl.h"
#include "records/RecordTableLayout.h"
#include "records/RecordTexts.h"

#include <array>

using namespace record_table;

namespace {

// WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP
constexpr DWORD kGridStyle = 0x50810000;
// DT_BOTTOM | DT_WORDBREAK: every filled cell
constexpr UINT kFillFormat = DT_BOTTOM | DT_WORDBREAK;

} // namespace

void COrvik50View::BuildGrid(const RECT& clientRect)
{
    grid = new CGridCtrl(0, 0, 0, 0);
    grid->Create(clientRect, this, res::GRID_CONTROL_ID, kGridStyle);

    fillItem.mask = ITEM_TEXT | ITEM_FORMAT;
    fillItem.format = kFillFormat;
    const int recordCount = static_cast<int>(recordList.GetSize());
    // Columns first: every new row is then made whole at once, which is much
    // cheaper than widening 196,609 rows afterwards; the cells come out the same.
    grid->SetColumnCount(kColumns);
    grid->SetRowCount(kRowsPerRecord * recordCount + kHeaderRows + 1);
    FillHeaderRows();
    FillRecordRows();
    // After all merges: a block whose master is already fixed is refused.
    grid->SetFixedRows(kHeaderRows);
    grid->SetFixedColumns(1);
}

void COrvik50View::ApplyFillItem(int row, int column)
{
    fillItem.row = row;
    fillItem.column = column;
    grid->SetItem(&fillItem);
}

void COrvik50View::FillHeaderRows()
{
    for (int row = 0; row < kHeaderRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            if (column < 8)
                grid->MergeCells(0, column, 2, 0, 0);   // repeats are refused
            if (row == 0) {
                const HeaderColumn& header = kHeaderRow0[static_cast<std::size_t>(column)];
                if (header.width > 0)
                    grid->SetColumnWidth(column, header.width);
                if (header.text)
                    fillItem.text = header.text;
            } else if (column >= 8 && column <= 10) {
                grid->SetColumnWidth(column, kThresholdSubtitleWidth);
                fillItem.text = kThresholdSubtitles[static_cast<std::size_t>(column - 8)];
            }
            // Cells given no text of their own keep the previous cell's text;
            // they lie under blocks and are never shown.
            ApplyFillItem(row, column);
        }
        grid->MergeCells(0, 8, 1, 2, 0);
        grid->MergeCells(0, 11, 2, 0, 0);
        grid->MergeCells(0, 12, 2, 0, 0);
    }
}

void COrvik50View::FillRecordRows()
{
    if (recordList.GetSize() == 0)
        return;
    // Every record cell as if filled with its text and the fill format; the
    // texts come from recordTexts whenever a cell is read. Records differ only
    // in their texts and the colours of their three verdicts, so the first
    // record of each colour set is filled and merged, and the records after
    // it repeat its rows (the texts follow the row).
    grid->SetTextProvider(&recordTexts);
    std::array<int, 4 * 4 * 4> firstRowOfColours;   // four verdicts at each of three wavelengths
    firstRowOfColours.fill(-1);
    int row = kHeaderRows;
    for (std::size_t position = 0; position < recordList.GetSize(); ++position, row += kRowsPerRecord) {
        const MeterRecord& record = recordList[position];
        std::size_t colours = 0;
        for (int wavelength = 0; wavelength < WAVELENGTH_COUNT; ++wavelength)
            colours = colours * 4 + static_cast<std::size_t>(VerdictText(record, wavelength));
        int& first = firstRowOfColours[colours];
        if (first >= 0 && grid->RepeatRows(first, kRowsPerRecord, row))
            continue;
        first = row;
        grid->SetItemsOnDemand(CellRange(row, 0, row + kRowsPerRecord - 1, kColumns - 1), kFillFormat);
        for (int wavelength = 0; wavelength < WAVELENGTH_COUNT; ++wavelength) {
            const ThresholdVerdict verdict = VerdictText(record, wavelength);
            if (verdict != ThresholdVerdict::Off)
                grid->SetItemBkColor(row + wavelength, kVerdictColumn, VerdictColour(verdict));
        }
        // Only the merge on a record's first row can take effect (the rows
        // below are then covered), so the calls on the other two rows are left out.
        for (int column : kPerRecordColumns)
            grid->MergeCells(row, column, 2, 0, 0);
    }
}
