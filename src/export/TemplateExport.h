#pragma once
// The template export: starts the spreadsheet program with a new workbook
// made from the template "Book11" of the current folder and writes the
// table's column headings into its sheet "sheet1". No record data.
#include "export/ExcelAutomation.h"

#include <functional>
#include <string>

// The program's message box: text and MB_* style.
using MessageBoxFunction = std::function<void(const std::string& text, unsigned style)>;

namespace template_export {

inline constexpr const char* kServerFailedMessage = "创建EXCEL服务器失败!";
inline constexpr const char* kTemplateFailedMessage = "EXCEL模板打开失败，请检查文件是否存在!";
inline constexpr const char* kTemplateName = "Book11";
inline constexpr const char* kSheetName = "sheet1";

struct Heading {
    int row;
    int column;
    const char* text;
};
// The heading cells in the order they are written (1-based, A4 .. M4, I5 .. K5).
inline constexpr Heading kHeadings[] = {
    {4, 1, "No."},         {4, 2, "OLT name"},       {4, 3, "ONT name"},   {4, 4, "Wavelength"},
    {4, 5, "Power"},       {4, 6, "Unit"},           {4, 7, "Ref.(dBm)"},  {4, 8, "Thres.Status"},
    {4, 9, "Threshold(dBm)"}, {5, 9, "PASS"},        {5, 10, "WRNG"},      {5, 11, "FAIL"},
    {4, 12, "Date"},       {4, 13, "Time"}};
// Cell F6 gets a blue font (0x00BBGGRR) and no text.
inline constexpr int kBlueCellRow = 6, kBlueCellColumn = 6;
inline constexpr std::int32_t kBlue = 0xFF0000;

} // namespace template_export

// Runs the export with the view's holders; `currentFolder` is the folder
// the template is looked up in. Every failure ends in a message box; the
// holders are empty again when it returns.
void RunTemplateExport(ExcelAutomation::Holders& holders, const std::string& currentFolder, const MessageBoxFunction& messageBox);
