#pragma once
// The layout of the record table: three header rows, then three rows per
// record (one per wavelength) in 13 columns. Shared by the view's grid and
// the workbook export, which mirrors the table.
#include <array>

namespace record_table {

constexpr int kHeaderRows = 3;
constexpr int kColumns = 13;
constexpr int kRowsPerRecord = 3;

struct HeaderColumn {
    const char* text;   // null: the cell lies under the block of the column before it
    int width;          // pixels; 0: the width is set with the subtitles
};
// Row 0 of the header. Columns 9 and 10 lie under "Threshold(dBm)".
constexpr std::array<HeaderColumn, kColumns> kHeaderRow0{{
    {"No.", 40}, {"OLT name", 110}, {"ONT name", 110}, {"Wavelength", 80}, {"Power", 60},
    {"Unit", 40}, {"Ref(dBm)", 80}, {"Thres.Status", 90}, {"Threshold(dBm)", 60},
    {nullptr, 0}, {nullptr, 0}, {"Date", 80}, {"Time", 70},
}};
// The last header row under "Threshold(dBm)" (columns 8 to 10).
constexpr int kThresholdFirstColumn = 8;
constexpr std::array<const char*, 3> kThresholdSubtitles{"PASS", "WRNG", "FAIL"};
constexpr int kThresholdSubtitleWidth = 50;
// The verdict column, coloured green, yellow or red.
constexpr int kVerdictColumn = 7;

// Columns that show one value per record, merged over its three rows.
constexpr std::array<int, 6> kPerRecordColumns{0, 1, 2, 5, 11, 12};

} // namespace record_table
