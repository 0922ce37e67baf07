#include "export/ExcelAutomation.h"

#include "export/AutomationServer.h"

namespace ExcelAutomation {

ServerStarter& CurrentServerStarter()
{
    static ServerStarter starter = [](std::string_view progId) {
        return progId == "Excel.Application" ? CreateSpreadsheetApplication() : nullptr;
    };
    return starter;
}

bool COleDispatchDriver::CreateDispatch(std::string_view progId)
{
    LPDISPATCH object = CurrentServerStarter() ? CurrentServerStarter()(progId) : nullptr;
    if (!object)
        return false;
    AttachDispatch(std::move(object));
    return true;
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH object)
{
    ReleaseDispatch();
    m_lpDispatch = std::move(object);
}

void COleDispatchDriver::ReleaseDispatch()
{
    LPDISPATCH object = std::move(m_lpDispatch);
    m_lpDispatch.reset();
    if (object && object.use_count() == 1)
        object->OnFinalRelease();
}

VARIANT COleDispatchDriver::InvokeHelper(DISPID member, WORD flags, std::vector<VARIANT> args) const
{
    if (!m_lpDispatch)
        throw COleDispatchException("the holder has no object");
    return m_lpDispatch->Invoke(member, flags, args);
}

LPDISPATCH COleDispatchDriver::InvokeForObject(DISPID member, WORD flags, std::vector<VARIANT> args) const
{
    VARIANT result = InvokeHelper(member, flags, std::move(args));
    auto* object = std::get_if<LPDISPATCH>(&result);
    if (!object || !*object)
        throw COleDispatchException("the member returned no object");
    return *object;
}

void Application::SetVisible(bool visible)
{
    InvokeHelper(dispid::Visible, DISPATCH_PROPERTYPUT, {visible});
}

LPDISPATCH Application::GetWorkbooks()
{
    return InvokeForObject(dispid::Workbooks, DISPATCH_PROPERTYGET, {});
}

void Application::Quit()
{
    InvokeHelper(dispid::Quit, DISPATCH_METHOD, {});
}

LPDISPATCH Workbooks::Add(const VARIANT& templatePath)
{
    return InvokeForObject(dispid::Add, DISPATCH_METHOD, {templatePath});
}

LPDISPATCH Workbook::GetWorksheets()
{
    return InvokeForObject(dispid::Worksheets, DISPATCH_PROPERTYGET, {});
}

LPDISPATCH Worksheets::GetItem(const VARIANT& index)
{
    return InvokeForObject(dispid::Item, DISPATCH_PROPERTYGET, {index});
}

LPDISPATCH Worksheet::GetCells()
{
    return InvokeForObject(dispid::Cells, DISPATCH_PROPERTYGET, {});
}

VARIANT Range::GetItem(const VARIANT& row, const VARIANT& column)
{
    return InvokeHelper(dispid::Item, DISPATCH_PROPERTYGET, {row, column});
}

void Range::SetItem(const VARIANT& row, const VARIANT& column, const VARIANT& value)
{
    InvokeHelper(dispid::Item, DISPATCH_PROPERTYPUT, {row, column, value});
}

LPDISPATCH Range::GetFont()
{
    return InvokeForObject(dispid::Font, DISPATCH_PROPERTYGET, {});
}

void Font::SetColor(const VARIANT& color)
{
    InvokeHelper(dispid::Color, DISPATCH_PROPERTYPUT, {color});
}

} // namespace ExcelAutomation
