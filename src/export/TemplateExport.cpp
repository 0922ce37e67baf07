#include "export/TemplateExport.h"

#include "platform/WinConstants.h"

#include <optional>

using namespace ExcelAutomation;
using namespace template_export;

namespace {

// Lets the holders go in the order the export took them, the font last.
// The application's release hands the new workbook to the spreadsheet
// program and may throw; the holders are empty either way (the font holder
// is the caller's local).
void ReleaseHolders(Holders& holders, Font& font)
{
    holders.range.ReleaseDispatch();
    holders.worksheet.ReleaseDispatch();
    holders.worksheets.ReleaseDispatch();
    holders.workbook.ReleaseDispatch();
    holders.workbooks.ReleaseDispatch();
    holders.application.ReleaseDispatch();
    font.ReleaseDispatch();
}

// Writes the headings and colours F6 (the steps after the workbook exists).
void WriteHeadings(Holders& holders, Font& font)
{
    holders.worksheets.AttachDispatch(holders.workbook.GetWorksheets());
    holders.worksheet.AttachDispatch(holders.worksheets.GetItem(std::string(kSheetName)));

    holders.range.AttachDispatch(holders.worksheet.GetCells());
    for (const Heading& heading : kHeadings)
        holders.range.SetItem(heading.row, heading.column, std::string(heading.text));

    holders.range.AttachDispatch(holders.worksheet.GetCells());
    VARIANT cell = holders.range.GetItem(kBlueCellRow, kBlueCellColumn);
    auto* oneCell = std::get_if<LPDISPATCH>(&cell);
    if (!oneCell || !*oneCell)
        throw COleDispatchException("Range.Item: no cell returned");
    holders.range.AttachDispatch(*oneCell);
    font.AttachDispatch(holders.range.GetFont());
    font.SetColor(kBlue);
}

} // namespace

void RunTemplateExport(Holders& holders, const std::string& currentFolder, const MessageBoxFunction& messageBox)
{
    // Initialising the automation libraries has no counterpart here: the
    // server runs in this process.
    const std::string templatePath = currentFolder + "/" + kTemplateName;

    if (!holders.application.CreateDispatch("Excel.Application")) {
        messageBox(kServerFailedMessage, MB_OK);
        return;
    }

    Font font;
    std::optional<std::string> failure;
    try {
        holders.application.SetVisible(true);
        holders.workbooks.AttachDispatch(holders.application.GetWorkbooks());
        bool added = false;
        try {
            holders.workbook.AttachDispatch(holders.workbooks.Add(templatePath));
            added = true;
        } catch (const COleDispatchException&) {
        }
        if (!added) {
            messageBox(kTemplateFailedMessage, MB_OK | MB_ICONSTOP);
            holders.application.Quit();
        } else {
            WriteHeadings(holders, font);
        }
    } catch (const std::exception& error) {
        failure = std::string("The column headings could not be written into the new workbook:\n") + error.what();
    }

    try {
        ReleaseHolders(holders, font);
    } catch (const std::exception& error) {
        if (!failure)
            failure = std::string("The new workbook could not be handed to the spreadsheet program:\n") + error.what();
    }
    if (failure)
        messageBox(*failure, MB_OK | MB_ICONEXCLAMATION);
}
