#pragma once
// What the grid tells assistive tools (screen readers) through Qt's
// accessibility layer: the grid is a table whose cells are the grid's cells
// (a merged block is one cell with its span), the fixed rows are column
// headers and the fixed column holds the row headers. Cell interfaces are
// made only for the cells a client asks about, and every event below costs
// one flag test while no client listens.
#include <QString>

class CGridCtrl;
class CellEditBox;
class QAccessibleEvent;

namespace grid_accessible {

// Registers the grid's interface factory; the first call does it, later calls nothing.
void InstallFactory();

// For tests: the grid's events go to observer instead of Qt's
// accessibility layer, whether a client listens or not (null: to Qt again).
using EventObserver = void (*)(QAccessibleEvent* event);
void SetEventObserver(EventObserver observer);

// The focus cell moved (keyboard, mouse, find): the new cell gains the focus.
void FocusMoved(CGridCtrl& grid);
// The selected set changed, by one cell or by the whole grid alike: one
// event, naming the first selected cell (the table when none is).
void SelectionChanged(CGridCtrl& grid);
// A cell's text changed at the end of an in-place edit.
void TextChanged(CGridCtrl& grid, int row, int col);
// The table's size or content was replaced (a file opened or closed).
void ContentReset(CGridCtrl& grid);

// The texts of the header blocks over a column (top down), or of the row
// header blocks of a row, joined by spaces; repeats and blanks left out.
QString ColumnHeaderText(const CGridCtrl& grid, int col);
QString RowHeaderText(const CGridCtrl& grid, int row);
// Names the in-place editor after the cell it edits.
void NameEditor(CellEditBox& editor, const CGridCtrl& grid, int row, int col);

}  // namespace grid_accessible
