#pragma once
// Drawing the table report onto a device context: the page mapping, the
// header block and the record boxes. Every record text comes from a text
// source that answers (grid row, column), normally the view's grid, so the
// report prints what the table shows, edited cells included.
#include "platform/CDC.h"

#include <cstddef>
#include <functional>
#include <string>

using CellTextSource = std::function<std::string(int row, int column)>;

// MM_ANISOTROPIC, window 1000 x 700, viewport from LOGPIXELSX/Y: one unit is
// 1/110 inch across and 1/100 inch down.
void SetReportPageCoordinates(CDC& dc);

// The two header lines and their boxes, drawn with the selected font.
void DrawReportHeader(CDC& dc);

// The record in `slot` (0..7) of 1-based `page`: its own report font, the
// texts of its grid cells and their boxes.
void DrawReportRecord(CDC& dc, int slot, int page, const CellTextSource& cellText);

// One whole page: the report font, then (unless there are no records) the
// header block and the page's records. An empty report is one blank page.
void DrawReportPage(CDC& dc, int page, std::size_t recordCount, const CellTextSource& cellText);
