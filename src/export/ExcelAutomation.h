#pragma once
// The thin automation layer through which the template export drives the
// spreadsheet program: one dispatch holder per spreadsheet object and one
// call per member, each an Invoke with the member's fixed DISPID.
//
// "Excel.Application" is served in-process (AutomationServer.cpp) over an
// Office Open XML workbook; the user's spreadsheet program gets the new
// workbook when the application holder is released (SpreadsheetHost.h).
// Member calls report failure by throwing COleDispatchException; nothing
// here catches.
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ExcelAutomation {

using DISPID = long;
using WORD = unsigned short;

// Members used, with the DISPIDs of the spreadsheet's type library.
namespace dispid {
constexpr DISPID Visible = 0x22E;      // Application, property put
constexpr DISPID Workbooks = 0x23C;    // Application, property get
constexpr DISPID Quit = 0x12E;         // Application, method
constexpr DISPID Add = 0xB5;           // Workbooks, method (template path)
constexpr DISPID Worksheets = 0x1EE;   // Workbook, property get
constexpr DISPID Item = 0xAA;          // Worksheets get (name); Range get and put (row, column)
constexpr DISPID Cells = 0xEE;         // Worksheet, property get
constexpr DISPID Font = 0x92;          // Range, property get
constexpr DISPID Color = 0x63;         // Font, property put (0x00BBGGRR)
} // namespace dispid

constexpr WORD DISPATCH_METHOD = 0x1;
constexpr WORD DISPATCH_PROPERTYGET = 0x2;
constexpr WORD DISPATCH_PROPERTYPUT = 0x4;

class DispatchObject;
using LPDISPATCH = std::shared_ptr<DispatchObject>;
// VT_EMPTY, VT_BOOL, VT_I4, VT_BSTR (UTF-8) or VT_DISPATCH.
using VARIANT = std::variant<std::monostate, bool, std::int32_t, std::string, LPDISPATCH>;

// A failed member call: the object lacks the member, an argument has the
// wrong type, or the spreadsheet refused the call (description says why).
class COleDispatchException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An automation object of the server.
class DispatchObject {
public:
    virtual ~DispatchObject() = default;
    // One member call; throws COleDispatchException on failure.
    virtual VARIANT Invoke(DISPID member, WORD flags, const std::vector<VARIANT>& args) = 0;
    // The last holder let the object go through ReleaseDispatch.
    virtual void OnFinalRelease() {}
};

// Starts the server registered under a ProgID, or gives null when there is
// none; CreateDispatch goes through it. Tests put in one that watches calls.
using ServerStarter = std::function<LPDISPATCH(std::string_view progId)>;
ServerStarter& CurrentServerStarter();

// Holds one automation object. Empty until CreateDispatch or AttachDispatch.
class COleDispatchDriver {
public:
    COleDispatchDriver() = default;
    COleDispatchDriver(const COleDispatchDriver&) = delete;
    COleDispatchDriver& operator=(const COleDispatchDriver&) = delete;
    // A holder that goes out of scope still holding lets go without the
    // final-release work; the owner releases with ReleaseDispatch.
    ~COleDispatchDriver() = default;

    // Starts the server registered under `progId`; false when it cannot.
    bool CreateDispatch(std::string_view progId);
    // Takes the object (releasing what the holder had).
    void AttachDispatch(LPDISPATCH object);
    // Lets the object go; the last holder's release may do work that fails
    // and throws (the holder is empty either way).
    void ReleaseDispatch();
    bool IsEmpty() const { return !m_lpDispatch; }

    LPDISPATCH m_lpDispatch;

protected:
    VARIANT InvokeHelper(DISPID member, WORD flags, std::vector<VARIANT> args) const;
    LPDISPATCH InvokeForObject(DISPID member, WORD flags, std::vector<VARIANT> args) const;
};

class Application : public COleDispatchDriver {
public:
    void SetVisible(bool visible);
    LPDISPATCH GetWorkbooks();
    void Quit();
};

class Workbooks : public COleDispatchDriver {
public:
    // A new workbook made from the template file.
    LPDISPATCH Add(const VARIANT& templatePath);
};

class Workbook : public COleDispatchDriver {
public:
    LPDISPATCH GetWorksheets();
};

class Worksheets : public COleDispatchDriver {
public:
    // The sheet of that name (case ignored) or 1-based number.
    LPDISPATCH GetItem(const VARIANT& index);
};

class Worksheet : public COleDispatchDriver {
public:
    LPDISPATCH GetCells();
};

class Range : public COleDispatchDriver {
public:
    // A VARIANT holding the one-cell range at (row, column), 1-based.
    VARIANT GetItem(const VARIANT& row, const VARIANT& column);
    void SetItem(const VARIANT& row, const VARIANT& column, const VARIANT& value);
    LPDISPATCH GetFont();
};

class Font : public COleDispatchDriver {
public:
    void SetColor(const VARIANT& color);
};

// The six holders the record table view owns, empty between exports.
struct Holders {
    Application application;
    Workbooks workbooks;
    Workbook workbook;
    Worksheets worksheets;
    Worksheet worksheet;
    Range range;

    bool AllEmpty() const
    {
        return application.IsEmpty() && workbooks.IsEmpty() && workbook.IsEmpty() && worksheets.IsEmpty()
            && worksheet.IsEmpty() && range.IsEmpty();
    }
};

} // namespace ExcelAutomation
