#pragma once
// The in-process server behind "Excel.Application".
#include "export/ExcelAutomation.h"

namespace ExcelAutomation {

// A new application object, or null when no spreadsheet program can take
// its workbooks (CurrentSpreadsheetHost().findProgram finds none).
LPDISPATCH CreateSpreadsheetApplication();

} // namespace ExcelAutomation
