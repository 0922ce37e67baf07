// Workbook: the cells, merged ranges, column widths and panes of a worksheet.
#include "spreadsheet/CellReference.h"
#include "spreadsheet/Workbook_p.h"
#include "spreadsheet/XmlText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace xlsx {
namespace {

constexpr std::string_view kWorksheetOrderNames[] = {
    "sheetPr", "dimension", "sheetViews", "sheetFormatPr", "cols", "sheetData", "sheetCalcPr",
    "sheetProtection", "protectedRanges", "scenarios", "autoFilter", "sortState", "dataConsolidate",
    "customSheetViews", "mergeCells", "phoneticPr", "conditionalFormatting", "dataValidations",
    "hyperlinks", "printOptions", "pageMargins", "pageSetup", "headerFooter", "rowBreaks", "colBreaks",
    "customProperties", "cellWatches", "ignoredErrors", "smartTags", "drawing", "legacyDrawing",
    "legacyDrawingHF", "picture", "oleObjects", "controls", "webPublishItems", "tableParts", "extLst"};

} // namespace
const std::span<const std::string_view> kWorksheetOrder = kWorksheetOrderNames;
} // namespace xlsx

namespace {

using xlsx::kWorksheetOrder;

void CheckPosition(int row, int column)
{
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
        throw WorkbookError("cell (" + std::to_string(row) + ", " + std::to_string(column) + ") lies outside the sheet");
}

int ColumnOf(const pugi::xml_node& cell)
{
    const std::optional<CellPosition> position = ParseCellName(cell.attribute("r").value());
    return position ? position->column : 0;
}

// Rows and cells may leave out their position ("the next one"); giving every
// one its position lets writes find their place.
void NumberRowsAndCells(WorksheetPart& sheet)
{
    int rowNumber = 0;
    for (pugi::xml_node row : sheet.sheetData.children()) {
        if (xlsx::LocalName(row) != "row")
            continue;
        const int given = row.attribute("r").as_int(0);
        rowNumber = given > rowNumber ? given : rowNumber + 1;
        xlsx::SetAttribute(row, "r", std::to_string(rowNumber));
        sheet.rows[rowNumber] = row;
        int columnNumber = 0;
        for (pugi::xml_node cell : row.children()) {
            if (xlsx::LocalName(cell) != "c")
                continue;
            const std::optional<CellPosition> position = ParseCellName(cell.attribute("r").value());
            columnNumber = position && position->column > columnNumber ? position->column : columnNumber + 1;
            xlsx::SetAttribute(cell, "r", CellName(rowNumber, columnNumber));
        }
    }
}

void ReadDimension(WorksheetPart& sheet)
{
    const std::string_view ref = xlsx::Child(sheet.document->document_element(), "dimension").attribute("ref").value();
    const std::size_t colon = ref.find(':');
    const std::optional<CellPosition> first = ParseCellName(ref.substr(0, colon));
    const std::optional<CellPosition> last = colon == std::string_view::npos ? first : ParseCellName(ref.substr(colon + 1));
    if (first && last) {
        sheet.firstRow = first->row, sheet.firstColumn = first->column;
        sheet.lastRow = last->row, sheet.lastColumn = last->column;
    }
}

// Widens the used area of a sheet or row block (first row 0: none yet) to the cell.
template <typename Area>
void Widen(Area& area, int row, int column)
{
    if (area.firstRow == 0) {
        area.firstRow = area.lastRow = row;
        area.firstColumn = area.lastColumn = column;
        return;
    }
    area.firstRow = std::min(area.firstRow, row);
    area.lastRow = std::max(area.lastRow, row);
    area.firstColumn = std::min(area.firstColumn, column);
    area.lastColumn = std::max(area.lastColumn, column);
}

// The format a new cell starts with, as spreadsheet programs give it: its
// row's when the row is formatted as a whole, otherwise its column's.
unsigned InheritedFormat(const WorksheetPart& sheet, const pugi::xml_node& row, int column)
{
    if (row.attribute("customFormat").as_bool())
        return row.attribute("s").as_uint(0);
    for (pugi::xml_node cols : sheet.document->document_element().children())
        if (xlsx::LocalName(cols) == "cols")
            for (pugi::xml_node col : cols.children())
                if (col.attribute("min").as_int() <= column && column <= col.attribute("max").as_int())
                    return col.attribute("style").as_uint(0);
    return 0;
}

} // namespace

namespace {

// Appends a number in decimal without making a string of it.
template <typename Number>
void AppendNumber(std::string& out, Number value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// Appends "F" for column 6.
void AppendColumnLetters(std::string& out, int column)
{
    char letters[4];
    int count = 0;
    for (; column > 0; column = (column - 1) / 26)
        letters[count++] = static_cast<char>('A' + (column - 1) % 26);
    while (count > 0)
        out += letters[--count];
}

// Appends "F6" for (6, 6).
void AppendCellName(std::string& out, int row, int column)
{
    AppendColumnLetters(out, column);
    AppendNumber(out, row);
}

void CheckMergedRange(int firstRow, int firstColumn, int lastRow, int lastColumn)
{
    CheckPosition(firstRow, firstColumn);
    CheckPosition(lastRow, lastColumn);
    if (lastRow < firstRow || lastColumn < firstColumn)
        throw WorkbookError("a merged range must run from its first to its last cell");
}

// Written as text: a sheet of many records has hundreds of thousands of
// merged ranges, so they are appended in place without temporary strings.
void AppendMergeCell(std::string& out, const std::string& prefix, int firstRow, int firstColumn, int lastRow, int lastColumn)
{
    out += '<';
    out += prefix;
    out += "mergeCell ref=\"";
    AppendCellName(out, firstRow, firstColumn);
    out += ':';
    AppendCellName(out, lastRow, lastColumn);
    out += "\"/>";
}

} // namespace

WorksheetPart& Workbook::Impl::Sheet(int index)
{
    if (index < 0 || index >= static_cast<int>(sheets.size()))
        throw WorkbookError("there is no sheet " + std::to_string(index));
    return sheets[static_cast<std::size_t>(index)];
}

WorksheetPart& Workbook::Impl::LoadedSheet(int index)
{
    WorksheetPart& sheet = Sheet(index);
    if (sheet.document)
        return sheet;
    auto document = std::make_unique<pugi::xml_document>();
    const std::string* bytes = package.Find(sheet.partName);
    if (!bytes)
        throw WorkbookError("the package has no part " + sheet.partName);
    xlsx::ParsePart(*document, *bytes, sheet.partName);
    pugi::xml_node root = document->document_element();
    if (xlsx::LocalName(root) != "worksheet")
        throw WorkbookError("part " + sheet.partName + " is not a worksheet");
    const std::string_view rootName = root.name();
    sheet.prefix = rootName.substr(0, rootName.size() - xlsx::LocalName(root).size());
    sheet.document = std::move(document);
    sheet.sheetData = xlsx::ChildInOrder(root, "sheetData", kWorksheetOrder);
    NumberRowsAndCells(sheet);
    ReadDimension(sheet);
    return sheet;
}

pugi::xml_node Workbook::Impl::Cell(WorksheetPart& sheet, int row, int column)
{
    CheckPosition(row, column);
    if (row <= LastAppendedRow(sheet))
        throw WorkbookError("row " + std::to_string(row) + " was written as a whole already");
    pugi::xml_node rowNode;
    if (auto found = sheet.rows.find(row); found != sheet.rows.end()) {
        rowNode = found->second;
    } else {
        const auto next = sheet.rows.upper_bound(row);
        rowNode = xlsx::InsertElementBefore(sheet.sheetData, "row", next == sheet.rows.end() ? pugi::xml_node() : next->second);
        rowNode.append_attribute("r") = row;
        sheet.rows.emplace(row, rowNode);
    }
    // "spans" is a hint of the row's used columns; a new cell can make it wrong.
    rowNode.remove_attribute("spans");
    Widen(sheet, row, column);

    // Rows are short (a few dozen cells), and writes mostly append: search from the end.
    pugi::xml_node after;
    for (pugi::xml_node cell = rowNode.last_child(); cell; cell = cell.previous_sibling()) {
        if (xlsx::LocalName(cell) != "c")
            continue;
        const int cellColumn = ColumnOf(cell);
        if (cellColumn == column)
            return cell;
        if (cellColumn < column)
            break;
        after = cell;
    }
    pugi::xml_node cell = xlsx::InsertElementBefore(rowNode, "c", after);
    cell.append_attribute("r") = CellName(row, column).c_str();
    if (const unsigned format = InheritedFormat(sheet, rowNode, column))
        cell.append_attribute("s") = format;
    return cell;
}

void Workbook::Impl::UpdateDimension(WorksheetPart& sheet)
{
    struct {
        int firstRow, lastRow, firstColumn, lastColumn;
    } area{sheet.firstRow, sheet.lastRow, sheet.firstColumn, sheet.lastColumn};
    for (const auto& block : sheet.rowBlocks)
        if (block->used.firstRow != 0) {
            Widen(area, block->used.firstRow, block->used.firstColumn);
            Widen(area, block->used.lastRow, block->used.lastColumn);
        }
    if (area.firstRow == 0)
        return;
    std::string ref = CellName(area.firstRow, area.firstColumn);
    if (area.lastRow != area.firstRow || area.lastColumn != area.firstColumn)
        ref += ":" + CellName(area.lastRow, area.lastColumn);
    pugi::xml_node dimension = xlsx::ChildInOrder(sheet.document->document_element(), "dimension", kWorksheetOrder);
    xlsx::SetAttribute(dimension, "ref", ref);
}

void Workbook::SetText(int sheetIndex, int row, int column, std::string_view utf8)
{
    WorksheetPart& sheet = impl->LoadedSheet(sheetIndex);
    pugi::xml_node cell = impl->Cell(sheet, row, column);
    impl->ClearValue(sheet, cell);
    xlsx::SetAttribute(cell, "t", "inlineStr");
    pugi::xml_node text = xlsx::AppendElement(xlsx::AppendElement(cell, "is"), "t");
    const std::string stored = EscapeCellText(utf8);
    if (!stored.empty() && (std::isspace(static_cast<unsigned char>(stored.front())) || std::isspace(static_cast<unsigned char>(stored.back()))
                            || stored.find('\n') != std::string::npos))
        text.append_attribute("xml:space") = "preserve";
    text.text().set(stored.c_str());
}

void Workbook::SetNumber(int sheetIndex, int row, int column, double value)
{
    if (!std::isfinite(value))
        throw WorkbookError("a cell cannot hold the number " + xlsx::NumberText(value));
    WorksheetPart& sheet = impl->LoadedSheet(sheetIndex);
    pugi::xml_node cell = impl->Cell(sheet, row, column);
    impl->ClearValue(sheet, cell);
    xlsx::AppendElement(cell, "v").text().set(xlsx::NumberText(value).c_str());
}

void Workbook::ApplyFormat(int sheetIndex, int row, int column, const CellFormat& format)
{
    pugi::xml_node cell = impl->Cell(impl->LoadedSheet(sheetIndex), row, column);
    const unsigned derived = impl->DeriveFormat(cell.attribute("s").as_uint(0), format);
    xlsx::SetAttribute(cell, "s", std::to_string(derived));
}

unsigned Workbook::AddCellFormat(const CellFormat& format, const CellLook& look)
{
    return impl->DeriveFormat(0, format, look);
}

void Workbook::SetCellFormat(int sheetIndex, int row, int column, unsigned formatIndex)
{
    pugi::xml_node cell = impl->Cell(impl->LoadedSheet(sheetIndex), row, column);
    pugi::xml_attribute style = cell.attribute("s");
    if (!style)
        style = cell.append_attribute("s");
    style.set_value(formatIndex);
}

void Workbook::MergeCells(int sheetIndex, int firstRow, int firstColumn, int lastRow, int lastColumn)
{
    CheckMergedRange(firstRow, firstColumn, lastRow, lastColumn);
    WorksheetPart& sheet = impl->LoadedSheet(sheetIndex);
    AppendMergeCell(sheet.appendedMerges, sheet.prefix, firstRow, firstColumn, lastRow, lastColumn);
    ++sheet.appendedMergeCount;
}

void Workbook::SetColumnWidth(int sheetIndex, int column, double width)
{
    CheckPosition(1, column);
    if (!(width >= 0 && width <= 255))
        throw WorkbookError("a column width lies between 0 and 255 characters");
    WorksheetPart& sheet = impl->LoadedSheet(sheetIndex);
    pugi::xml_node cols = xlsx::ChildInOrder(sheet.document->document_element(), "cols", kWorksheetOrder);
    // A <col> covering several columns is split so that only `column` changes.
    pugi::xml_node before;
    for (pugi::xml_node col : cols.children()) {
        const int min = col.attribute("min").as_int(), max = col.attribute("max").as_int();
        if (max < column)
            continue;
        if (min > column) {
            before = col;
            break;
        }
        if (min < column) {
            pugi::xml_node left = cols.insert_copy_before(col, col);
            xlsx::SetAttribute(left, "max", std::to_string(column - 1));
        }
        if (max > column) {
            pugi::xml_node right = cols.insert_copy_after(col, col);
            xlsx::SetAttribute(right, "min", std::to_string(column + 1));
        }
        xlsx::SetAttribute(col, "min", std::to_string(column));
        xlsx::SetAttribute(col, "max", std::to_string(column));
        xlsx::SetAttribute(col, "width", xlsx::NumberText(width));
        xlsx::SetAttribute(col, "customWidth", "1");
        return;
    }
    pugi::xml_node col = xlsx::InsertElementBefore(cols, "col", before);
    col.append_attribute("min") = column;
    col.append_attribute("max") = column;
    col.append_attribute("width") = xlsx::NumberText(width).c_str();
    col.append_attribute("customWidth") = "1";
}

void Workbook::FreezeRows(int sheetIndex, int rows)
{
    CheckPosition(rows + 1, 1);
    WorksheetPart& sheet = impl->LoadedSheet(sheetIndex);
    pugi::xml_node views = xlsx::ChildInOrder(sheet.document->document_element(), "sheetViews", kWorksheetOrder);
    pugi::xml_node view = xlsx::Child(views, "sheetView");
    if (!view) {
        view = xlsx::AppendElement(views, "sheetView");
        view.append_attribute("workbookViewId") = 0;
    }
    // The pane replaces any split or freeze the sheet had; selections belong to the old panes.
    for (std::string_view old : {"pane", "selection"})
        while (pugi::xml_node node = xlsx::Child(view, old))
            view.remove_child(node);
    if (rows == 0)
        return;
    pugi::xml_node pane = xlsx::InsertElementBefore(view, "pane", view.first_child());
    pane.append_attribute("ySplit") = rows;
    pane.append_attribute("topLeftCell") = CellName(rows + 1, 1).c_str();
    pane.append_attribute("activePane") = "bottomLeft";
    pane.append_attribute("state") = "frozen";
    pugi::xml_node selection = xlsx::InsertElementBefore(view, "selection", pane.next_sibling());
    selection.append_attribute("pane") = "bottomLeft";
}


void RowBlock::Stream::Compress(bool always)
{
    if (always || pending.size() >= kPendingBytes) {
        deflate.Write(pending);
        pending.clear();
    }
}

int Workbook::Impl::LastAppendedRow(const WorksheetPart& sheet)
{
    int last = 0;
    for (const auto& block : sheet.rowBlocks)
        last = std::max(last, block->lastRow);
    return last;
}

WorkbookRowWriter Workbook::AppendRows(int sheetIndex)
{
    WorksheetPart& sheet = impl->LoadedSheet(sheetIndex);
    sheet.rowBlocks.push_back(std::make_unique<RowBlock>());
    return WorkbookRowWriter(*sheet.rowBlocks.back(), sheet);
}

WorkbookRowWriter::WorkbookRowWriter(RowBlock& block, const WorksheetPart& sheet)
    : block(block), out(block.rows.pending), sheet(sheet)
{
    out.reserve(RowBlock::Stream::kPendingBytes + 4096);
}

void WorkbookRowWriter::BeginRow(int rowNumber)
{
    const int lastDocumentRow = sheet.rows.empty() ? 0 : sheet.rows.rbegin()->first;
    CheckPosition(rowNumber, 1);
    if (rowNumber <= std::max(lastDocumentRow, block.lastRow))
        throw WorkbookError("rows are appended in increasing order after the sheet's rows");
    row = block.lastRow = rowNumber;
    if (block.firstRow == 0)
        block.firstRow = rowNumber;
    lastColumn = 0;
    rowText.clear();
    AppendNumber(rowText, row);
    out += '<';
    out += sheet.prefix;
    out += "row r=\"";
    out += rowText;
    out += "\">";
}

void WorkbookRowWriter::BeginCell(int column, unsigned formatIndex)
{
    CheckPosition(row, column);
    if (column <= lastColumn)
        throw WorkbookError("cells are written in increasing column order");
    lastColumn = column;
    Widen(block.used, row, column);
    out += '<';
    out += sheet.prefix;
    out += "c r=\"";
    AppendColumnLetters(out, column);
    out += rowText;
    out += '"';
    if (formatIndex != 0) {
        out += " s=\"";
        AppendNumber(out, formatIndex);
        out += '"';
    }
}

void WorkbookRowWriter::Text(int column, std::string_view utf8, unsigned formatIndex)
{
    BeginCell(column, formatIndex);
    const bool plain = std::all_of(utf8.begin(), utf8.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x20 && u != 0x7F && c != '_' && c != '&' && c != '<' && c != '>';
    });
    const bool preserve = !utf8.empty() && (std::isspace(static_cast<unsigned char>(utf8.front()))
                                            || std::isspace(static_cast<unsigned char>(utf8.back())) || utf8.find('\n') != std::string_view::npos);
    out += " t=\"inlineStr\"><";
    out += sheet.prefix;
    out += "is><";
    out += sheet.prefix;
    out += preserve ? "t xml:space=\"preserve\">" : "t>";
    if (plain) {
        out += utf8;   // the usual case: nothing to escape
    } else {
        for (char c : EscapeCellText(utf8)) {
            switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            default: out += c;
            }
        }
    }
    for (const char* element : {"t>", "is>", "c>"}) {
        out += "</";
        out += sheet.prefix;
        out += element;
    }
}

void WorkbookRowWriter::Decimal(int column, std::string_view decimal, unsigned formatIndex)
{
    // Moves `at` past the digits there; true when there was at least one.
    auto skipDigits = [&](std::size_t& at) {
        const std::size_t from = at;
        while (at < decimal.size() && decimal[at] >= '0' && decimal[at] <= '9')
            ++at;
        return at > from;
    };
    std::size_t at = decimal.starts_with('-') ? 1 : 0;
    bool plain = skipDigits(at);
    const std::size_t dot = at;
    const bool fraction = plain && at < decimal.size() && decimal[at] == '.';
    if (fraction)
        plain = skipDigits(++at);
    if (!plain || at != decimal.size())
        throw WorkbookError("\"" + std::string(decimal) + "\" is not a plain decimal number");
    // "-8.00" is stored as spreadsheets store -8: "-8".
    if (fraction) {
        const std::size_t lastKept = decimal.find_last_not_of('0');
        decimal = decimal.substr(0, lastKept == dot ? dot : lastKept + 1);
    }
    Value(column, decimal, formatIndex);
}

void WorkbookRowWriter::Value(int column, std::string_view value, unsigned formatIndex)
{
    BeginCell(column, formatIndex);
    out += "><";
    out += sheet.prefix;
    out += "v>";
    out += value;
    for (const char* element : {"v>", "c>"}) {
        out += "</";
        out += sheet.prefix;
        out += element;
    }
}

void WorkbookRowWriter::EndRow()
{
    out += "</";
    out += sheet.prefix;
    out += "row>";
    block.rows.Compress();
}

void WorkbookRowWriter::MergeCells(int firstRow, int firstColumn, int lastRow, int lastColumn)
{
    CheckMergedRange(firstRow, firstColumn, lastRow, lastColumn);
    AppendMergeCell(block.merges.pending, sheet.prefix, firstRow, firstColumn, lastRow, lastColumn);
    ++block.mergeCount;
    block.merges.Compress();
}
