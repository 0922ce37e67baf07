// The in-process server behind "Excel.Application": the objects of the
// automation table over a Workbook. Workbook errors become dispatch
// exceptions, as a server reports a failed call.
#include "export/AutomationServer.h"

#include "export/SpreadsheetHost.h"
#include "spreadsheet/Workbook.h"

#include <filesystem>

namespace ExcelAutomation {
namespace {

// A workbook the application has open, and the name it will be saved under.
struct OpenWorkbook {
    ::Workbook book;
    std::string stem;   // the template's name without extension
};
using OpenWorkbookPtr = std::shared_ptr<OpenWorkbook>;

struct ApplicationState {
    std::string program;
    bool visible = false;
    std::vector<OpenWorkbookPtr> workbooks;
};

[[noreturn]] void Fail(std::string_view object, std::string_view why)
{
    throw COleDispatchException(std::string(object) + ": " + std::string(why));
}

void Expect(bool ok, std::string_view object, std::string_view why)
{
    if (!ok)
        Fail(object, why);
}

void ExpectArgs(const std::vector<VARIANT>& args, std::size_t count, std::string_view object)
{
    Expect(args.size() == count, object, "wrong number of arguments");
}

std::int32_t IntegerArg(const VARIANT& arg, std::string_view object)
{
    if (const auto* value = std::get_if<std::int32_t>(&arg))
        return *value;
    if (const auto* value = std::get_if<bool>(&arg))
        return *value ? 1 : 0;
    Fail(object, "type mismatch: a number is needed");
}

const std::string& TextArg(const VARIANT& arg, std::string_view object)
{
    const auto* value = std::get_if<std::string>(&arg);
    Expect(value != nullptr, object, "type mismatch: a text is needed");
    return *value;
}

// Runs a workbook operation, reporting its failure as the server does.
template <typename Operation>
void OnWorkbook(std::string_view object, Operation&& operation)
{
    try {
        operation();
    } catch (const WorkbookError& error) {
        Fail(object, error.what());
    }
}

class FontObject : public DispatchObject {
public:
    FontObject(OpenWorkbookPtr workbook, int sheet, int row, int column)
        : workbook(std::move(workbook)), sheet(sheet), row(row), column(column) {}

    VARIANT Invoke(DISPID member, WORD flags, const std::vector<VARIANT>& args) override
    {
        Expect(member == dispid::Color && flags == DISPATCH_PROPERTYPUT, "Font", "unknown member");
        ExpectArgs(args, 1, "Font.Color");
        CellFormat format;
        format.fontColor = static_cast<std::uint32_t>(IntegerArg(args[0], "Font.Color")) & 0xFFFFFF;
        OnWorkbook("Font.Color", [&] { workbook->book.ApplyFormat(sheet, row, column, format); });
        return {};
    }

private:
    OpenWorkbookPtr workbook;
    int sheet, row, column;
};

// A range of a sheet: the whole sheet (Cells) or one cell.
class RangeObject : public DispatchObject {
public:
    RangeObject(OpenWorkbookPtr workbook, int sheet, int top, int left, bool oneCell)
        : workbook(std::move(workbook)), sheet(sheet), top(top), left(left), oneCell(oneCell) {}

    VARIANT Invoke(DISPID member, WORD flags, const std::vector<VARIANT>& args) override
    {
        if (member == dispid::Item && flags == DISPATCH_PROPERTYGET) {
            ExpectArgs(args, 2, "Range.Item");
            const auto [row, column] = Position(args);
            return LPDISPATCH(std::make_shared<RangeObject>(workbook, sheet, row, column, true));
        }
        if (member == dispid::Item && flags == DISPATCH_PROPERTYPUT) {
            ExpectArgs(args, 3, "Range.Item");
            const auto position = Position(args);
            const int row = position.first, column = position.second;   // lambdas cannot capture bindings in clang 14
            OnWorkbook("Range.Item", [&] {
                if (const auto* text = std::get_if<std::string>(&args[2]))
                    workbook->book.SetText(sheet, row, column, *text);
                else
                    workbook->book.SetNumber(sheet, row, column, IntegerArg(args[2], "Range.Item"));
            });
            return {};
        }
        if (member == dispid::Font && flags == DISPATCH_PROPERTYGET) {
            Expect(oneCell, "Range.Font", "only the font of one cell can be set here");
            return LPDISPATCH(std::make_shared<FontObject>(workbook, sheet, top, left));
        }
        Fail("Range", "unknown member");
    }

private:
    // The cell (row, column) counted from the range's top left, 1-based.
    std::pair<int, int> Position(const std::vector<VARIANT>& args) const
    {
        const std::int32_t row = IntegerArg(args[0], "Range.Item"), column = IntegerArg(args[1], "Range.Item");
        Expect(row >= 1 && column >= 1 && row <= 1048576 - (top - 1) && column <= 16384 - (left - 1), "Range.Item",
               "the cell lies outside the sheet");
        return {top + row - 1, left + column - 1};
    }

    OpenWorkbookPtr workbook;
    int sheet, top, left;
    bool oneCell;
};

class WorksheetObject : public DispatchObject {
public:
    WorksheetObject(OpenWorkbookPtr workbook, int sheet) : workbook(std::move(workbook)), sheet(sheet) {}

    VARIANT Invoke(DISPID member, WORD flags, const std::vector<VARIANT>&) override
    {
        Expect(member == dispid::Cells && flags == DISPATCH_PROPERTYGET, "Worksheet", "unknown member");
        return LPDISPATCH(std::make_shared<RangeObject>(workbook, sheet, 1, 1, false));
    }

private:
    OpenWorkbookPtr workbook;
    int sheet;
};

class WorksheetsObject : public DispatchObject {
public:
    explicit WorksheetsObject(OpenWorkbookPtr workbook) : workbook(std::move(workbook)) {}

    VARIANT Invoke(DISPID member, WORD flags, const std::vector<VARIANT>& args) override
    {
        Expect(member == dispid::Item && flags == DISPATCH_PROPERTYGET, "Worksheets", "unknown member");
        ExpectArgs(args, 1, "Worksheets.Item");
        std::optional<int> sheet;
        if (const auto* name = std::get_if<std::string>(&args[0])) {
            sheet = workbook->book.FindSheet(*name);
            Expect(sheet.has_value(), "Worksheets.Item", "the workbook has no sheet named \"" + *name + "\"");
        } else {
            const int number = IntegerArg(args[0], "Worksheets.Item");
            Expect(number >= 1 && number <= static_cast<int>(workbook->book.SheetNames().size()), "Worksheets.Item",
                   "the workbook has no sheet " + std::to_string(number));
            sheet = number - 1;
        }
        return LPDISPATCH(std::make_shared<WorksheetObject>(workbook, *sheet));
    }

private:
    OpenWorkbookPtr workbook;
};

class WorkbookObject : public DispatchObject {
public:
    explicit WorkbookObject(OpenWorkbookPtr workbook) : workbook(std::move(workbook)) {}

    VARIANT Invoke(DISPID member, WORD flags, const std::vector<VARIANT>&) override
    {
        Expect(member == dispid::Worksheets && flags == DISPATCH_PROPERTYGET, "Workbook", "unknown member");
        return LPDISPATCH(std::make_shared<WorksheetsObject>(workbook));
    }

private:
    OpenWorkbookPtr workbook;
};

// The template file a path names: the file itself, otherwise with ".xlsx".
std::optional<std::filesystem::path> ResolveTemplate(const std::string& path)
{
    std::error_code ec;
    for (std::filesystem::path candidate : {std::filesystem::path(path), std::filesystem::path(path + ".xlsx")})
        if (std::filesystem::is_regular_file(candidate, ec))
            return candidate;
    return std::nullopt;
}

class WorkbooksObject : public DispatchObject {
public:
    explicit WorkbooksObject(std::shared_ptr<ApplicationState> state) : state(std::move(state)) {}

    VARIANT Invoke(DISPID member, WORD flags, const std::vector<VARIANT>& args) override
    {
        Expect(member == dispid::Add && (flags & DISPATCH_METHOD), "Workbooks", "unknown member");
        ExpectArgs(args, 1, "Workbooks.Add");
        const std::string& path = TextArg(args[0], "Workbooks.Add");
        const std::optional<std::filesystem::path> file = ResolveTemplate(path);
        Expect(file.has_value(), "Workbooks.Add", "no template file " + path);
        std::optional<::Workbook> book;
        OnWorkbook("Workbooks.Add", [&] { book.emplace(::Workbook::Open(file->string())); });
        auto opened = std::make_shared<OpenWorkbook>(OpenWorkbook{std::move(*book), file->stem().string()});
        state->workbooks.push_back(opened);
        return LPDISPATCH(std::make_shared<WorkbookObject>(opened));
    }

private:
    std::shared_ptr<ApplicationState> state;
};

class ApplicationObject : public DispatchObject {
public:
    explicit ApplicationObject(std::string program) : state(std::make_shared<ApplicationState>())
    {
        state->program = std::move(program);
    }

    VARIANT Invoke(DISPID member, WORD flags, const std::vector<VARIANT>& args) override
    {
        if (member == dispid::Visible && flags == DISPATCH_PROPERTYPUT) {
            ExpectArgs(args, 1, "Application.Visible");
            state->visible = IntegerArg(args[0], "Application.Visible") != 0;
            return {};
        }
        if (member == dispid::Workbooks && flags == DISPATCH_PROPERTYGET)
            return LPDISPATCH(std::make_shared<WorkbooksObject>(state));
        if (member == dispid::Quit && (flags & DISPATCH_METHOD)) {
            // Quitting closes the open workbooks unsaved.
            state->visible = false;
            state->workbooks.clear();
            return {};
        }
        Fail("Application", "unknown member");
    }

    // The user carries on in the spreadsheet program: each new workbook is
    // saved under a fresh name and handed to it.
    void OnFinalRelease() override
    {
        if (!state->visible)
            return;
        std::vector<OpenWorkbookPtr> handed = std::move(state->workbooks);
        state->workbooks.clear();
        for (const OpenWorkbookPtr& workbook : handed) {
            std::string path;
            try {
                path = FreshWorkbookPath(workbook->stem);
                workbook->book.Save(path);
                CurrentSpreadsheetHost().launch(state->program, path);
            } catch (const std::exception& error) {
                Fail("Application", std::string("the new workbook could not be opened in ") + state->program + ": " + error.what());
            }
        }
    }

private:
    std::shared_ptr<ApplicationState> state;
};

} // namespace

LPDISPATCH CreateSpreadsheetApplication()
{
    const SpreadsheetHost& host = CurrentSpreadsheetHost();
    const std::optional<std::string> program = host.findProgram ? host.findProgram() : std::nullopt;
    if (!program)
        return nullptr;
    return std::make_shared<ApplicationObject>(*program);
}

} // namespace ExcelAutomation
