#include "export/RecordWorkbook.h"

#include "records/NameText.h"
#include "records/RecordTableLayout.h"
#include "spreadsheet/ParallelFor.h"
#include "spreadsheet/Workbook.h"

#include <charconv>
#include <functional>
#include <cmath>
#include <unordered_map>
#include <vector>

using namespace record_table;

namespace {

constexpr int kFirstRecordRow = kHeaderRows + 1;   // spreadsheet rows count from 1
constexpr int kMaxSignificantDigits = 15;           // what a spreadsheet shows of a number
// Records written as one block of rows by one thread; a fixed number, so the
// file is the same however many cores write it.
constexpr std::size_t kRecordsPerBlock = 8192;
// The summary's table of counts starts in this row, below the source file and record count.
constexpr int kSummaryTableRow = 4;

// Spreadsheet column width (characters of the default font) of a width in
// pixels: 7 pixels a character plus 5 pixels of padding.
double CharacterWidth(int pixels)
{
    return std::round((pixels - 5) / 7.0 * 100) / 100;
}

// How the table looks: the application's font, the colour of its fixed
// cells and of its grid lines.
constexpr const char* kTableFont = "DejaVu Sans";
constexpr double kTableFontPoints = 9;
constexpr std::uint32_t kFixedCellColour = 0xEFEFEF;
constexpr std::uint32_t kGridLineColour = 0xC0C0C0;

// The table's font and grid lines with an alignment.
CellLook TableLook(const char* horizontal, const char* vertical)
{
    CellLook look;
    look.fontName = kTableFont;
    look.fontPoints = kTableFontPoints;
    look.horizontal = horizontal;
    look.vertical = vertical;
    look.borderColor = kGridLineColour;
    return look;
}

// Cell formats of the sheet, all made before the rows are written, in a fixed
// order: the rows are then written on several threads that only look them up.
// The table draws every cell's text at the top left (its cells ask for the
// bottom, which a word-wrapping cell does not do), and the headings that span
// several cells centred.
class SheetFormats {
public:
    SheetFormats(Workbook& book, const RecordList& records) : book(book)
    {
        const CellFormat heading{{}, true, kFixedCellColour, {}};
        headingBlock = book.AddCellFormat(heading, TableLook("center", "center"));
        headingCell = book.AddCellFormat(heading, TableLook("left", "top"));
        text = book.AddCellFormat(CellFormat{}, TableLook("left", "top"));
        for (ThresholdVerdict verdict : {ThresholdVerdict::Pass, ThresholdVerdict::Wrng, ThresholdVerdict::Fail})
            fills[static_cast<int>(verdict)] = book.AddCellFormat(CellFormat{{}, false, VerdictColour(verdict), {}}, TableLook("left", "top"));
        // Record numbers and wavelengths; powers and levels ("%.2f").
        Add("0");
        Add("0.00");
        // A name is a plain decimal only when its bytes are ASCII digits,
        // which decode to themselves.
        for (std::size_t position = 0; position < records.GetSize(); ++position)
            for (const auto* name : {&records[position].oltName, &records[position].ontName})
                if (const std::optional<PlainNumber> number = PlainDecimal(NameBytes(*name)))
                    Add(number->formatCode);
    }
    unsigned HeadingBlock() const { return headingBlock; }
    unsigned HeadingCell() const { return headingCell; }
    unsigned Text() const { return text; }
    unsigned Fill(ThresholdVerdict verdict) const
    {
        return verdict == ThresholdVerdict::Off ? text : fills[static_cast<int>(verdict)];
    }
    unsigned Number(const std::string& code) const
    {
        const auto found = numbers.find(code);
        if (found == numbers.end())
            throw WorkbookError("no cell format was made for numbers shown as " + code);
        return found->second;
    }

private:
    void Add(const std::string& code)
    {
        if (!numbers.contains(code))
            numbers.emplace(code, book.AddCellFormat(CellFormat{{}, false, {}, code}, TableLook("left", "top")));
    }

    Workbook& book;
    unsigned headingBlock = 0, headingCell = 0, text = 0;
    std::array<unsigned, 4> fills{};
    std::unordered_map<std::string, unsigned> numbers;
};

// Writes texts as the table shows them, a plain decimal as a number; one per
// thread.
class CellWriter {
public:
    CellWriter(WorkbookRowWriter& rows, const SheetFormats& formats) : rows(rows), formats(formats) {}

    void Put(int column, std::string_view text)
    {
        if (const std::optional<PlainNumber> number = PlainDecimal(text))
            rows.Decimal(column, text, formats.Number(number->formatCode));
        else
            rows.Text(column, text, formats.Text());
    }

    // Put for a column of few distinct texts (levels, powers, wavelengths):
    // what each text becomes is worked out once.
    void PutRepeated(int column, std::string_view text, std::optional<unsigned> fill = std::nullopt)
    {
        auto found = repeated.find(text);
        if (found == repeated.end()) {
            const std::optional<PlainNumber> number = PlainDecimal(text);
            found = repeated.emplace(std::string(text), number ? formats.Number(number->formatCode) : kText).first;
        }
        if (found->second != kText)
            rows.Decimal(column, text, found->second);
        else
            rows.Text(column, text, fill.value_or(formats.Text()));
    }

    WorkbookRowWriter& rows;
    const SheetFormats& formats;

private:
    static constexpr unsigned kText = ~0u;   // no number format: the text stays text
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    // The number format of each text seen, or kText.
    std::unordered_map<std::string, unsigned, Hash, std::equal_to<>> repeated;
};

void WriteHeader(Workbook& book, const SheetFormats& formats)
{
    for (int column = 0; column < kColumns; ++column) {
        const HeaderColumn& header = kHeaderRow0[static_cast<std::size_t>(column)];
        if (header.text)
            book.SetText(0, 1, column + 1, header.text);
        const bool threshold = column >= kThresholdFirstColumn && column < kThresholdFirstColumn + 3;
        if (threshold)
            book.SetText(0, kHeaderRows, column + 1, kThresholdSubtitles[static_cast<std::size_t>(column - kThresholdFirstColumn)]);
        book.SetColumnWidth(0, column + 1, CharacterWidth(threshold ? kThresholdSubtitleWidth : header.width));
        for (int row = 1; row <= kHeaderRows; ++row)
            book.SetCellFormat(0, row, column + 1, threshold && row == kHeaderRows ? formats.HeadingCell() : formats.HeadingBlock());
        if (!threshold)
            book.MergeCells(0, 1, column + 1, kHeaderRows, column + 1);
    }
    book.MergeCells(0, 1, kThresholdFirstColumn + 1, kHeaderRows - 1, kThresholdFirstColumn + 3);
    book.FreezeRows(0, kHeaderRows);
}

// The record's three rows, and its per-record columns merged over them.
// The cells under a block are left out: the block's first cell lines and
// aligns all of it.
void WriteRecord(CellWriter& cells, const MeterRecord& record, std::size_t position)
{
    const int firstRow = kFirstRecordRow + kRowsPerRecord * static_cast<int>(position);
    const std::string number = RecordNumberText(position);
    const std::string oltName = NameText(NameBytes(record.oltName));
    const std::string ontName = NameText(NameBytes(record.ontName));
    const std::string date = DateText(record), time = TimeText(record);
    for (int wavelength = 0; wavelength < WAVELENGTH_COUNT; ++wavelength) {
        const WavelengthReading& reading = record.readings[wavelength];
        const ThresholdVerdict verdict = VerdictText(record, wavelength);
        // Per-record texts go into the first row only: the rows below lie under its block.
        const bool first = wavelength == 0;
        cells.rows.BeginRow(firstRow + wavelength);
        if (first) {
            cells.Put(1, number);
            cells.Put(2, oltName);
            cells.Put(3, ontName);
        }
        cells.PutRepeated(4, WavelengthLabel(wavelength));
        cells.PutRepeated(5, PowerText(reading.power));
        if (first)
            cells.PutRepeated(6, UnitText(record.unitMode));
        cells.PutRepeated(7, LevelText(reading.reference));
        cells.PutRepeated(kVerdictColumn + 1, VerdictWord(verdict), cells.formats.Fill(verdict));
        cells.PutRepeated(9, LevelText(reading.passThreshold));
        cells.PutRepeated(10, LevelText(reading.warnThreshold));
        cells.PutRepeated(11, LevelText(reading.failThreshold));
        if (first) {
            cells.Put(12, date);
            cells.Put(13, time);
        }
        cells.rows.EndRow();
    }
    for (int column : kPerRecordColumns)
        cells.rows.MergeCells(firstRow, column + 1, firstRow + kRowsPerRecord - 1, column + 1);
}

// Landscape, one page wide, the header rows on every page; the record
// file's name above and the page number below.
void SetPrinting(Workbook& book, std::size_t recordCount, std::string_view sourceName)
{
    PageSetup setup;
    setup.landscape = true;
    setup.fitWidth = 1;
    setup.titleRows = kHeaderRows;
    setup.lastRow = kHeaderRows + kRowsPerRecord * static_cast<int>(recordCount);
    setup.lastColumn = kColumns;
    for (char c : sourceName)
        setup.header += c == '&' ? std::string("&&") : std::string(1, c);
    if (!setup.header.empty())
        setup.header.insert(0, "&C");
    setup.footer = "&CPage &P of &N";
    book.SetPageSetup(0, setup);
}

// The second sheet: the record file, its record count and the verdicts
// counted per wavelength, as a table and as a chart in the verdict colours.
void AddSummarySheet(Workbook& book, const RecordList& records, std::string_view sourceName)
{
    const int sheet = book.AddSheet(kSummarySheetName);
    book.SetText(sheet, 1, 1, "Source file");
    book.SetText(sheet, 1, 2, sourceName);
    book.SetText(sheet, 2, 1, "Records");
    book.SetNumber(sheet, 2, 2, static_cast<double>(records.GetSize()));
    const VerdictCounts counts = CountVerdicts(records);
    BarChart chart;
    chart.title = "Verdicts per wavelength";
    chart.corner = "Wavelength";
    chart.row = kSummaryTableRow;
    for (int wavelength = 0; wavelength < WAVELENGTH_COUNT; ++wavelength)
        chart.categories.push_back(std::string(WavelengthLabel(wavelength)) + " nm");
    for (ThresholdVerdict verdict : {ThresholdVerdict::Pass, ThresholdVerdict::Wrng, ThresholdVerdict::Fail, ThresholdVerdict::Off}) {
        // Off has no colour of its own in the table: the plain cell's white.
        BarChart::Series& series = chart.series.emplace_back();
        series.name = VerdictWord(verdict);
        series.color = verdict == ThresholdVerdict::Off ? 0xFFFFFF : VerdictColour(verdict);
        for (const auto& perVerdict : counts)
            series.values.push_back(static_cast<double>(perVerdict[static_cast<std::size_t>(verdict)]));
    }
    book.AddBarChart(sheet, chart);

    // Labels look like the table's fixed cells, values like its cells.
    const unsigned label = book.AddCellFormat(CellFormat{{}, true, kFixedCellColour, {}}, TableLook("left", "top"));
    const unsigned value = book.AddCellFormat(CellFormat{}, TableLook("left", "top"));
    for (int row : {1, 2}) {
        book.SetCellFormat(sheet, row, 1, label);
        book.SetCellFormat(sheet, row, 2, value);
    }
    const int lastColumn = 1 + static_cast<int>(chart.series.size());
    for (int row = kSummaryTableRow; row <= kSummaryTableRow + WAVELENGTH_COUNT; ++row)
        for (int column = 1; column <= lastColumn; ++column)
            book.SetCellFormat(sheet, row, column, row == kSummaryTableRow || column == 1 ? label : value);
    book.SetColumnWidth(sheet, 1, 14);
    book.SetColumnWidth(sheet, 2, 10);
    PageSetup onePage;
    onePage.fitWidth = onePage.fitHeight = 1;
    book.SetPageSetup(sheet, onePage);
}

} // namespace

std::optional<PlainNumber> PlainDecimal(std::string_view text)
{
    std::size_t at = text.starts_with('-') ? 1 : 0;
    const std::size_t integerStart = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9')
        ++at;
    const std::size_t integerDigits = at - integerStart;
    std::size_t fractionDigits = 0;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fractionStart = ++at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9')
            ++at;
        fractionDigits = at - fractionStart;
        if (fractionDigits == 0)
            return std::nullopt;
    }
    if (integerDigits == 0 || at != text.size())
        return std::nullopt;

    // Digits from the first non-zero one on, the shown trailing zeros included.
    std::size_t significant = 0;
    for (char c : text.substr(integerStart))
        if (c != '.' && (significant > 0 || c != '0'))
            ++significant;
    if (significant > kMaxSignificantDigits)
        return std::nullopt;
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    if (value == 0 && integerStart == 1)
        return std::nullopt;   // "-0.00" would show as "0.00"
    // Leading zeros ("007") would be lost: keep such texts as they are.
    if (integerDigits > 1 && text[integerStart] == '0')
        return std::nullopt;
    std::string format = "0";
    if (fractionDigits > 0)
        format += "." + std::string(fractionDigits, '0');
    return PlainNumber{value, format};
}

Workbook RecordTableWorkbook(const RecordList& records, std::string_view sourceName)
{
    Workbook book = Workbook::CreateEmpty(kRecordSheetName);
    const SheetFormats formats(book, records);
    WriteHeader(book, formats);
    const std::size_t blockCount = (records.GetSize() + kRecordsPerBlock - 1) / kRecordsPerBlock;
    std::vector<WorkbookRowWriter> blocks;
    blocks.reserve(blockCount);
    for (std::size_t block = 0; block < blockCount; ++block)
        blocks.push_back(book.AppendRows(0));
    ParallelFor(blockCount, [&](std::size_t block) {
        CellWriter cells(blocks[block], formats);
        const std::size_t end = std::min(records.GetSize(), (block + 1) * kRecordsPerBlock);
        for (std::size_t position = block * kRecordsPerBlock; position < end; ++position)
            WriteRecord(cells, records[position], position);
    });
    SetPrinting(book, records.GetSize(), sourceName);
    AddSummarySheet(book, records, sourceName);
    book.SetDocumentProperties(sourceName, "Orvik50");
    return book;
}

ExportResult WriteRecordWorkbookFile(const std::string& path, const RecordList& records, std::string_view sourceName)
{
    try {
        Workbook book = RecordTableWorkbook(records, sourceName);
        const ZipPackage& package = book.Package();
        // As the text types are written: on disk before it replaces the old file.
        return WriteFileWith(path, [&](int fd) {
            return package.WriteTo([fd](std::string_view bytes) { return WriteAllTo(fd, bytes); });
        });
    } catch (const WorkbookError& error) {
        return ExportResult{false, error.what()};
    }
}

VerdictCounts CountVerdicts(const RecordList& records)
{
    VerdictCounts counts{};
    for (std::size_t position = 0; position < records.GetSize(); ++position)
        for (int wavelength = 0; wavelength < WAVELENGTH_COUNT; ++wavelength)
            ++counts[static_cast<std::size_t>(wavelength)][static_cast<std::size_t>(VerdictText(records[position], wavelength))];
    return counts;
}

std::string VerdictSummary(std::size_t recordCount, const VerdictCounts& counts)
{
    std::string line = std::to_string(recordCount) + " records";
    for (int wavelength = 0; wavelength < WAVELENGTH_COUNT; ++wavelength) {
        const auto& c = counts[static_cast<std::size_t>(wavelength)];
        auto count = [&](ThresholdVerdict verdict) { return std::to_string(c[static_cast<std::size_t>(verdict)]); };
        line += "; " + std::string(WavelengthLabel(wavelength)) + " nm: " + count(ThresholdVerdict::Pass) + " pass, "
            + count(ThresholdVerdict::Wrng) + " wrng, " + count(ThresholdVerdict::Fail) + " fail, "
            + count(ThresholdVerdict::Off) + " off";
    }
    return line;
}
