#pragma once
// A spreadsheet workbook (Office Open XML) edited in memory: made from a
// template file, whose parts are all kept, or started empty; text and number
// cells, cell formats (font, fill, number format, alignment, borders), merged
// ranges, column widths, frozen rows, page setup, added sheets with bar
// charts and document properties; saved atomically.
//
// Rows and columns are 1-based, as spreadsheets count them. Sheets are
// numbered from 0 in the workbook's order. Colours are 0x00BBGGRR values.
// Every failure throws WorkbookError.
#include "spreadsheet/ZipPackage.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class WorkbookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Changes to a cell's format; what is not given stays as the cell has it.
// Other cells that share the cell's current format keep theirs.
struct CellFormat {
    std::optional<std::uint32_t> fontColor;
    bool bold = false;
    std::optional<std::uint32_t> fillColor;
    std::string numberFormat;   // a format code such as "0.00"; empty keeps the cell's
};

// More of a cell's look, kept apart from CellFormat so that its short
// initializers stay valid; what is empty or zero stays as the cell has it.
struct CellLook {
    std::string fontName;
    double fontPoints = 0;
    std::string horizontal;   // "left", "center", "right"
    std::string vertical;     // "top", "center", "bottom"
    std::optional<std::uint32_t> borderColor;   // thin lines on all four sides
};

// How a sheet prints. Header and footer texts use the spreadsheet codes
// ("&C" centre, "&P" page, "&N" pages, "&&" a literal &).
struct PageSetup {
    bool landscape = false;
    int fitWidth = 0, fitHeight = 0;   // pages across and down; 0 wide: no fitting, 0 tall: as many as needed
    int titleRows = 0;                 // rows repeated at the top of every page
    int lastRow = 0, lastColumn = 0;   // the print area from A1; none when 0
    std::string header, footer;
};

// A clustered bar chart of a small table the chart writes onto the sheet
// too: series names along its first row, category texts down its first
// column, one column of values per series.
struct BarChart {
    struct Series {
        std::string name;
        std::uint32_t color = 0;
        std::vector<double> values;   // one per category
    };
    std::string title;
    std::string corner;   // the table's top-left text
    std::vector<std::string> categories;
    std::vector<Series> series;
    int row = 1, column = 1;           // the table's top-left cell
    int chartRows = 20, chartColumns = 8;   // the chart's size in cells, below the table
};

class WorkbookRowWriter;
struct RowBlock;
struct WorksheetPart;

class Workbook {
public:
    // Opens the workbook or template file at `path` as a new workbook.
    static Workbook Open(const std::string& path, const PackageLimits& limits = {});
    // A workbook with one empty sheet named `sheetName`.
    static Workbook CreateEmpty(std::string_view sheetName);

    Workbook(Workbook&&) noexcept;
    Workbook& operator=(Workbook&&) noexcept;
    ~Workbook();

    std::vector<std::string> SheetNames() const;
    // The worksheet called `name`, ignoring the case of ASCII letters.
    std::optional<int> FindSheet(std::string_view name) const;

    void SetText(int sheet, int row, int column, std::string_view utf8);
    void SetNumber(int sheet, int row, int column, double value);
    void ApplyFormat(int sheet, int row, int column, const CellFormat& format);
    // The index of a cell format made from the default one with `format`'s
    // changes, for SetCellFormat: cheaper than ApplyFormat on many cells.
    unsigned AddCellFormat(const CellFormat& format, const CellLook& look = {});
    void SetCellFormat(int sheet, int row, int column, unsigned formatIndex);
    void MergeCells(int sheet, int firstRow, int firstColumn, int lastRow, int lastColumn);
    // Width in characters of the default font, as spreadsheets measure it.
    void SetColumnWidth(int sheet, int column, double width);
    // Keeps the first `rows` rows on screen while the rest scrolls.
    void FreezeRows(int sheet, int rows);
    void SetPageSetup(int sheet, const PageSetup& setup);

    // A new empty worksheet after the others; returns its number.
    int AddSheet(std::string_view name);
    // Writes the chart's table at its cell and draws the chart below it.
    void AddBarChart(int sheet, const BarChart& chart);
    // The document's title and the program that wrote it.
    void SetDocumentProperties(std::string_view title, std::string_view application);

    // A block of rows after every row the sheet has and after the rows of
    // the blocks asked for before, written straight out (much cheaper than
    // cell by cell for large sheets). Rows must come in increasing order,
    // cells within a row by increasing column. Writers of different blocks
    // may write at the same time on different threads, as long as nothing
    // else uses the workbook meanwhile.
    WorkbookRowWriter AppendRows(int sheet);

    // Writes the workbook file at `path` through a temporary file; throws
    // WorkbookError and leaves `path` as it was on failure.
    void Save(const std::string& path);
    // The workbook's package with every edit put in, for a writer of its
    // own (ZipPackage::WriteTo); valid until the workbook changes.
    const ZipPackage& Package();

    struct Impl;

private:
    explicit Workbook(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl;
};

// Writes a block of rows at the end of a sheet; from Workbook::AppendRows.
// Throws WorkbookError for rows or cells out of order (blocks out of order:
// at saving).
class WorkbookRowWriter {
public:
    void BeginRow(int row);
    void Text(int column, std::string_view utf8, unsigned formatIndex = 0);
    // A number given as a plain decimal text ("-?digits", optionally "." and
    // digits), stored without the fraction's trailing zeros. Throws for
    // other texts.
    void Decimal(int column, std::string_view decimal, unsigned formatIndex = 0);
    void EndRow();
    // Merges a range, as Workbook::MergeCells does.
    void MergeCells(int firstRow, int firstColumn, int lastRow, int lastColumn);

private:
    friend class Workbook;
    WorkbookRowWriter(RowBlock& block, const WorksheetPart& sheet);
    void BeginCell(int column, unsigned formatIndex);
    void Value(int column, std::string_view value, unsigned formatIndex);

    RowBlock& block;
    std::string& out;
    const WorksheetPart& sheet;
    int row = 0;
    std::string rowText;   // the row's number, for the cells' names
    int lastColumn = 0;
};
