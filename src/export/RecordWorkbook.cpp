#include "export/RecordWorkbook.h"

#include "records/NameText.h"
#include "records/RecordTableLayout.h"
#include "spreadsheet/Workbook.h"

#include <charconv>
#include <functional>
#include <cmath>
#include <unordered_map>

using namespace record_table;

namespace {

constexpr int kFirstRecordRow = kHeaderRows + 1;   // spreadsheet rows count from 1
constexpr int kMaxSignificantDigits = 15;           // what a spreadsheet shows of a number
constexpr std::size_t kRecordXmlBytes = 1400;       // a little more than three rows of cells take

// Spreadsheet column width (characters of the default font) of a width in
// pixels: 7 pixels a character plus 5 pixels of padding.
double CharacterWidth(int pixels)
{
    return std::round((pixels - 5) / 7.0 * 100) / 100;
}

// Cell formats of the sheet, made once and shared by all cells that use them.
class SheetFormats {
public:
    explicit SheetFormats(Workbook& book) : book(book)
    {
        bold = book.AddCellFormat(CellFormat{{}, true, {}, {}});
        for (ThresholdVerdict verdict : {ThresholdVerdict::Pass, ThresholdVerdict::Wrng, ThresholdVerdict::Fail})
            fills[static_cast<int>(verdict)] = book.AddCellFormat(CellFormat{{}, false, VerdictColour(verdict), {}});
    }
    unsigned Bold() const { return bold; }
    std::optional<unsigned> Fill(ThresholdVerdict verdict) const
    {
        return verdict == ThresholdVerdict::Off ? std::nullopt : std::optional(fills[static_cast<int>(verdict)]);
    }
    unsigned Number(const std::string& code)
    {
        auto [it, added] = numbers.try_emplace(code, 0u);
        if (added)
            it->second = book.AddCellFormat(CellFormat{{}, false, {}, code});
        return it->second;
    }

    // What a text of the columns that repeat few texts (levels, powers,
    // wavelengths) becomes, worked out once per distinct text.
    struct Cell {
        std::optional<double> number;
        unsigned format = 0;
    };
    const Cell& Repeated(std::string_view text)
    {
        auto found = repeated.find(text);
        if (found == repeated.end()) {
            Cell cell;
            if (const std::optional<PlainNumber> number = PlainDecimal(text))
                cell = Cell{number->value, Number(number->formatCode)};
            found = repeated.emplace(std::string(text), cell).first;
        }
        return found->second;
    }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    Workbook& book;
    unsigned bold = 0;
    std::array<unsigned, 4> fills{};
    std::unordered_map<std::string, unsigned> numbers;
    std::unordered_map<std::string, Cell, Hash, std::equal_to<>> repeated;
};

// Writes one text as the table shows it: a number when it is a plain decimal.
void PutText(WorkbookRowWriter& rows, SheetFormats& formats, int column, std::string_view text, unsigned fill = 0)
{
    if (const std::optional<PlainNumber> number = PlainDecimal(text))
        rows.Number(column, number->value, formats.Number(number->formatCode));
    else
        rows.Text(column, text, fill);
}

// PutText for a column of few distinct texts.
void PutRepeatedText(WorkbookRowWriter& rows, SheetFormats& formats, int column, std::string_view text, unsigned fill = 0)
{
    const SheetFormats::Cell& cell = formats.Repeated(text);
    if (cell.number)
        rows.Number(column, *cell.number, cell.format);
    else
        rows.Text(column, text, fill);
}

void WriteHeader(Workbook& book, SheetFormats& formats)
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
            book.SetCellFormat(0, row, column + 1, formats.Bold());
        if (!threshold)
            book.MergeCells(0, 1, column + 1, kHeaderRows, column + 1);
    }
    book.MergeCells(0, 1, kThresholdFirstColumn + 1, kHeaderRows - 1, kThresholdFirstColumn + 3);
    book.FreezeRows(0, kHeaderRows);
}

void WriteRecord(WorkbookRowWriter& rows, SheetFormats& formats, const MeterRecord& record, std::size_t position)
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
        rows.BeginRow(firstRow + wavelength);
        if (first) {
            PutText(rows, formats, 1, number);
            PutText(rows, formats, 2, oltName);
            PutText(rows, formats, 3, ontName);
        }
        PutRepeatedText(rows, formats, 4, WavelengthLabel(wavelength));
        PutRepeatedText(rows, formats, 5, PowerText(reading.power));
        if (first)
            PutRepeatedText(rows, formats, 6, UnitText(record.unitMode));
        PutRepeatedText(rows, formats, 7, LevelText(reading.reference));
        PutRepeatedText(rows, formats, kVerdictColumn + 1, VerdictWord(verdict), formats.Fill(verdict).value_or(0));
        PutRepeatedText(rows, formats, 9, LevelText(reading.passThreshold));
        PutRepeatedText(rows, formats, 10, LevelText(reading.warnThreshold));
        PutRepeatedText(rows, formats, 11, LevelText(reading.failThreshold));
        if (first) {
            PutText(rows, formats, 12, date);
            PutText(rows, formats, 13, time);
        }
        rows.EndRow();
    }
}

void MergeRecordBlocks(Workbook& book, std::size_t recordCount)
{
    for (std::size_t position = 0; position < recordCount; ++position) {
        const int firstRow = kFirstRecordRow + kRowsPerRecord * static_cast<int>(position);
        for (int column : kPerRecordColumns)
            book.MergeCells(0, firstRow, column + 1, firstRow + kRowsPerRecord - 1, column + 1);
    }
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

Workbook RecordTableWorkbook(const RecordList& records)
{
    Workbook book = Workbook::CreateEmpty(kRecordSheetName);
    SheetFormats formats(book);
    WriteHeader(book, formats);
    WorkbookRowWriter rows = book.AppendRows(0, records.GetSize() * kRecordXmlBytes);
    for (std::size_t position = 0; position < records.GetSize(); ++position)
        WriteRecord(rows, formats, records[position], position);
    MergeRecordBlocks(book, records.GetSize());
    return book;
}

ExportResult WriteRecordWorkbookFile(const std::string& path, const RecordList& records)
{
    try {
        RecordTableWorkbook(records).Save(path);
    } catch (const WorkbookError& error) {
        return ExportResult{false, error.what()};
    }
    return ExportResult{true, {}};
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
