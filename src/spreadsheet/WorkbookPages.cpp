// Workbook: what goes beyond cells: page setup and print names, added
// sheets, bar charts (a drawing part and a chart part) and the document's
// properties.
#include "spreadsheet/CellReference.h"
#include "spreadsheet/Workbook_p.h"

namespace {

constexpr std::string_view kRelationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
constexpr std::string_view kPackageRelationships = "http://schemas.openxmlformats.org/package/2006/relationships/";
constexpr std::string_view kOfficeTypes = "application/vnd.openxmlformats-officedocument.";
constexpr const char* kDrawingNamespace = "http://schemas.openxmlformats.org/drawingml/2006/main";
constexpr const char* kChartNamespace = "http://schemas.openxmlformats.org/drawingml/2006/chart";

// Children of <workbook> in schema order, as far as they are written here.
constexpr std::string_view kWorkbookOrder[] = {
    "fileVersion", "fileSharing", "workbookPr", "workbookProtection", "bookViews", "sheets",
    "functionGroups", "externalReferences", "definedNames", "calcPr", "oleSize", "customWorkbookViews",
    "pivotCaches", "smartTagPr", "smartTagTypes", "webPublishing", "fileRecoveryPr", "webPublishObjects", "extLst"};

// 'Sheet''s name' as formulas name a sheet.
std::string QuotedSheetName(std::string_view name)
{
    std::string quoted = "'";
    for (char c : name)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

// "$A$1" for (1, 1).
std::string AbsoluteCell(int row, int column)
{
    const std::string name = CellName(row, column);
    const std::size_t digits = name.find_first_of("0123456789");
    return "$" + name.substr(0, digits) + "$" + name.substr(digits);
}

std::string AbsoluteRange(std::string_view sheet, int firstRow, int firstColumn, int lastRow, int lastColumn)
{
    std::string range = QuotedSheetName(sheet) + "!" + AbsoluteCell(firstRow, firstColumn);
    if (lastRow != firstRow || lastColumn != firstColumn)
        range += ":" + AbsoluteCell(lastRow, lastColumn);
    return range;
}

// Replaces the workbook's defined name `name` of one sheet, or takes it out when `value` is empty.
void SetDefinedName(pugi::xml_node workbook, std::string_view name, int sheet, const std::string& value)
{
    pugi::xml_node names = xlsx::ChildInOrder(workbook, "definedNames", kWorkbookOrder);
    for (pugi::xml_node entry : names.children())
        if (name == entry.attribute("name").value() && entry.attribute("localSheetId").as_int(-1) == sheet) {
            names.remove_child(entry);
            break;
        }
    if (!value.empty()) {
        pugi::xml_node entry = xlsx::AppendElement(names, "definedName");
        entry.append_attribute("name") = std::string(name).c_str();
        entry.append_attribute("localSheetId") = sheet;
        entry.text().set(value.c_str());
    }
    if (!names.first_child())
        workbook.remove_child(names);
}

// The element `local` of the worksheet, emptied of its attributes and children.
pugi::xml_node FreshChild(pugi::xml_node worksheet, std::string_view local)
{
    pugi::xml_node node = xlsx::ChildInOrder(worksheet, local, xlsx::kWorksheetOrder);
    while (node.first_attribute())
        node.remove_attribute(node.first_attribute());
    while (node.first_child())
        node.remove_child(node.first_child());
    return node;
}

// The first free part name "<folder><stem>N.xml".
std::string FreePartName(const ZipPackage& package, const std::string& folderAndStem)
{
    for (int n = 1;; ++n)
        if (std::string name = folderAndStem + std::to_string(n) + ".xml"; !package.Find(name))
            return name;
}

// A part's relationships document with one relationship to `target`.
std::string SingleRelationship(std::string_view type, std::string_view target)
{
    pugi::xml_document rels;
    pugi::xml_node root = rels.append_child("Relationships");
    root.append_attribute("xmlns") = "http://schemas.openxmlformats.org/package/2006/relationships";
    pugi::xml_node rel = root.append_child("Relationship");
    rel.append_attribute("Id") = "rId1";
    rel.append_attribute("Type") = std::string(type).c_str();
    rel.append_attribute("Target") = std::string(target).c_str();
    return xlsx::SerializePart(rels);
}

// "../charts/chart1.xml" from "xl/drawings/drawing1.xml" to "xl/charts/chart1.xml".
std::string RelativeTarget(std::string_view from, std::string_view to)
{
    const std::string_view folder = from.substr(0, from.rfind('/') + 1);
    if (to.substr(0, folder.size()) == folder)
        return std::string(to.substr(folder.size()));
    return "../" + std::string(to.substr(to.find('/') + 1));
}

void AppendValue(pugi::xml_node parent, const char* name, const std::string& value)
{
    parent.append_child(name).append_attribute("val") = value.c_str();
}

// <c:strRef>/<c:numRef> of a reference and its cached points.
void AppendReference(pugi::xml_node parent, const std::string& formula, const std::vector<std::string>& points, bool numbers)
{
    pugi::xml_node ref = parent.append_child(numbers ? "c:numRef" : "c:strRef");
    ref.append_child("c:f").text().set(formula.c_str());
    pugi::xml_node cache = ref.append_child(numbers ? "c:numCache" : "c:strCache");
    if (numbers)
        cache.append_child("c:formatCode").text().set("General");
    AppendValue(cache, "c:ptCount", std::to_string(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) {
        pugi::xml_node point = cache.append_child("c:pt");
        point.append_attribute("idx") = static_cast<unsigned>(i);
        point.append_child("c:v").text().set(points[i].c_str());
    }
}

void AppendSolidFill(pugi::xml_node parent, std::uint32_t color)
{
    const std::string rgb = xlsx::ArgbText(color).substr(2);
    parent.append_child("a:solidFill").append_child("a:srgbClr").append_attribute("val") = rgb.c_str();
}

void AppendAxis(pugi::xml_node plot, const char* kind, int id, int crossing, const char* position)
{
    pugi::xml_node axis = plot.append_child(kind);
    AppendValue(axis, "c:axId", std::to_string(id));
    AppendValue(axis.append_child("c:scaling"), "c:orientation", "minMax");
    AppendValue(axis, "c:delete", "0");
    AppendValue(axis, "c:axPos", position);
    const bool values = std::string_view(kind) == "c:valAx";
    if (values)
        axis.append_child("c:majorGridlines");
    AppendValue(axis, "c:tickLblPos", "nextTo");
    AppendValue(axis, "c:crossAx", std::to_string(crossing));
    AppendValue(axis, "c:crosses", "autoZero");
    if (values)
        AppendValue(axis, "c:crossBetween", "between");
    else
        AppendValue(axis, "c:auto", "1");
}

// The chart part: one clustered bar series per column of the table.
std::string ChartPart(const BarChart& chart, std::string_view sheetName)
{
    pugi::xml_document document;
    pugi::xml_node space = document.append_child("c:chartSpace");
    space.append_attribute("xmlns:c") = kChartNamespace;
    space.append_attribute("xmlns:a") = kDrawingNamespace;
    space.append_attribute("xmlns:r") = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    pugi::xml_node body = space.append_child("c:chart");
    pugi::xml_node title = body.append_child("c:title");
    pugi::xml_node rich = title.append_child("c:tx").append_child("c:rich");
    rich.append_child("a:bodyPr");
    rich.append_child("a:p").append_child("a:r").append_child("a:t").text().set(chart.title.c_str());
    AppendValue(title, "c:overlay", "0");
    AppendValue(body, "c:autoTitleDeleted", "0");
    pugi::xml_node plot = body.append_child("c:plotArea");
    plot.append_child("c:layout");
    pugi::xml_node bars = plot.append_child("c:barChart");
    AppendValue(bars, "c:barDir", "col");
    AppendValue(bars, "c:grouping", "clustered");
    AppendValue(bars, "c:varyColors", "0");
    const int lastRow = chart.row + static_cast<int>(chart.categories.size());
    for (std::size_t i = 0; i < chart.series.size(); ++i) {
        const BarChart::Series& series = chart.series[i];
        const int column = chart.column + 1 + static_cast<int>(i);
        pugi::xml_node entry = bars.append_child("c:ser");
        AppendValue(entry, "c:idx", std::to_string(i));
        AppendValue(entry, "c:order", std::to_string(i));
        AppendReference(entry.append_child("c:tx"), AbsoluteRange(sheetName, chart.row, column, chart.row, column), {series.name}, false);
        pugi::xml_node shape = entry.append_child("c:spPr");
        AppendSolidFill(shape, series.color);
        AppendSolidFill(shape.append_child("a:ln"), 0x404040);   // so that a pale bar keeps its edge
        AppendValue(entry, "c:invertIfNegative", "0");
        AppendReference(entry.append_child("c:cat"), AbsoluteRange(sheetName, chart.row + 1, chart.column, lastRow, chart.column),
                        chart.categories, false);
        std::vector<std::string> values;
        for (double value : series.values)
            values.push_back(xlsx::NumberText(value));
        AppendReference(entry.append_child("c:val"), AbsoluteRange(sheetName, chart.row + 1, column, lastRow, column), values, true);
    }
    AppendValue(bars, "c:gapWidth", "150");
    AppendValue(bars, "c:axId", "1");
    AppendValue(bars, "c:axId", "2");
    AppendAxis(plot, "c:catAx", 1, 2, "b");
    AppendAxis(plot, "c:valAx", 2, 1, "l");
    pugi::xml_node legend = body.append_child("c:legend");
    AppendValue(legend, "c:legendPos", "r");
    AppendValue(legend, "c:overlay", "0");
    AppendValue(body, "c:plotVisOnly", "1");
    return xlsx::SerializePart(document);
}

void AppendAnchorPoint(pugi::xml_node anchor, const char* name, int row, int column)
{
    pugi::xml_node point = anchor.append_child(name);
    point.append_child("xdr:col").text().set(column - 1);
    point.append_child("xdr:colOff").text().set(0);
    point.append_child("xdr:row").text().set(row - 1);
    point.append_child("xdr:rowOff").text().set(0);
}

// The drawing part: the chart (relationship rId1) over the cells given.
std::string DrawingPart(int firstRow, int firstColumn, int lastRow, int lastColumn)
{
    pugi::xml_document document;
    pugi::xml_node root = document.append_child("xdr:wsDr");
    root.append_attribute("xmlns:xdr") = "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";
    root.append_attribute("xmlns:a") = kDrawingNamespace;
    pugi::xml_node anchor = root.append_child("xdr:twoCellAnchor");
    AppendAnchorPoint(anchor, "xdr:from", firstRow, firstColumn);
    AppendAnchorPoint(anchor, "xdr:to", lastRow, lastColumn);
    pugi::xml_node frame = anchor.append_child("xdr:graphicFrame");
    frame.append_attribute("macro") = "";
    pugi::xml_node properties = frame.append_child("xdr:nvGraphicFramePr");
    pugi::xml_node name = properties.append_child("xdr:cNvPr");
    name.append_attribute("id") = 2;
    name.append_attribute("name") = "Chart 1";
    properties.append_child("xdr:cNvGraphicFramePr");
    // The anchor places the chart; the frame's own offset and size stay zero.
    pugi::xml_node transform = frame.append_child("xdr:xfrm");
    pugi::xml_node offset = transform.append_child("a:off"), extent = transform.append_child("a:ext");
    offset.append_attribute("x") = 0;
    offset.append_attribute("y") = 0;
    extent.append_attribute("cx") = 0;
    extent.append_attribute("cy") = 0;
    pugi::xml_node data = frame.append_child("a:graphic").append_child("a:graphicData");
    data.append_attribute("uri") = kChartNamespace;
    pugi::xml_node chart = data.append_child("c:chart");
    chart.append_attribute("xmlns:c") = kChartNamespace;
    chart.append_attribute("xmlns:r") = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    chart.append_attribute("r:id") = "rId1";
    anchor.append_child("xdr:clientData");
    return xlsx::SerializePart(document);
}

} // namespace

void Workbook::SetPageSetup(int sheetIndex, const PageSetup& setup)
{
    WorksheetPart& sheet = impl->LoadedSheet(sheetIndex);
    pugi::xml_node worksheet = sheet.document->document_element();
    if (setup.fitWidth > 0) {
        pugi::xml_node properties = xlsx::ChildInOrder(worksheet, "sheetPr", xlsx::kWorksheetOrder);
        pugi::xml_node fit = xlsx::Child(properties, "pageSetUpPr");
        if (!fit)   // after <tabColor> and <outlinePr>, the only children before it
            fit = xlsx::AppendElement(properties, "pageSetUpPr");
        xlsx::SetAttribute(fit, "fitToPage", "1");
    }
    pugi::xml_node margins = FreshChild(worksheet, "pageMargins");
    // The margins spreadsheet programs start with, in inches.
    constexpr const char* kMargins[][2] = {{"left", "0.7"}, {"right", "0.7"}, {"top", "0.75"}, {"bottom", "0.75"}, {"header", "0.3"}, {"footer", "0.3"}};
    for (const auto& margin : kMargins)
        margins.append_attribute(margin[0]) = margin[1];
    pugi::xml_node page = FreshChild(worksheet, "pageSetup");
    page.append_attribute("orientation") = setup.landscape ? "landscape" : "portrait";
    if (setup.fitWidth > 0) {
        page.append_attribute("fitToWidth") = setup.fitWidth;
        page.append_attribute("fitToHeight") = setup.fitHeight;
    }
    pugi::xml_node headerFooter = FreshChild(worksheet, "headerFooter");
    if (!setup.header.empty())
        xlsx::AppendElement(headerFooter, "oddHeader").text().set(setup.header.c_str());
    if (!setup.footer.empty())
        xlsx::AppendElement(headerFooter, "oddFooter").text().set(setup.footer.c_str());

    const std::string name = sheet.name;
    impl->EditWorkbookPart([&](pugi::xml_node workbook) {
        SetDefinedName(workbook, "_xlnm.Print_Area", sheetIndex,
                     setup.lastRow > 0 ? AbsoluteRange(name, 1, 1, setup.lastRow, setup.lastColumn) : std::string());
        SetDefinedName(workbook, "_xlnm.Print_Titles", sheetIndex,
                     setup.titleRows > 0 ? QuotedSheetName(name) + "!$1:$" + std::to_string(setup.titleRows) : std::string());
    });
}

int Workbook::AddSheet(std::string_view name)
{
    const std::string folder = impl->workbookPart.substr(0, impl->workbookPart.rfind('/') + 1);
    const std::string partName = FreePartName(impl->package, folder + "worksheets/sheet");
    impl->package.Put(partName,
                      R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
                      R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
                      R"(<sheetData/></worksheet>)");
    const std::string id = impl->AddWorkbookRelationship(std::string(kRelationships) + "worksheet", partName.substr(folder.size()));
    impl->AddContentTypeOverride(partName, std::string(kOfficeTypes) + "spreadsheetml.worksheet+xml");
    int sheetId = 1;
    for (const WorksheetPart& sheet : impl->sheets)
        sheetId = std::max(sheetId, sheet.sheetId + 1);
    impl->EditWorkbookPart([&](pugi::xml_node workbook) {
        pugi::xml_node entry = xlsx::AppendElement(xlsx::ChildInOrder(workbook, "sheets", kWorkbookOrder), "sheet");
        entry.append_attribute("name") = std::string(name).c_str();
        entry.append_attribute("sheetId") = sheetId;
        entry.append_attribute("r:id") = id.c_str();
    });
    WorksheetPart& sheet = impl->sheets.emplace_back();
    sheet.name = name;
    sheet.partName = partName;
    sheet.sheetId = sheetId;
    return static_cast<int>(impl->sheets.size()) - 1;
}

void Workbook::AddBarChart(int sheetIndex, const BarChart& chart)
{
    // The drawing's relationship is the sheet's only one.
    if (impl->package.Find(xlsx::RelationshipsPartOf(impl->Sheet(sheetIndex).partName)))
        throw WorkbookError("a chart goes only on a sheet without relationships of its own");
    SetText(sheetIndex, chart.row, chart.column, chart.corner);
    for (std::size_t i = 0; i < chart.series.size(); ++i) {
        const int column = chart.column + 1 + static_cast<int>(i);
        SetText(sheetIndex, chart.row, column, chart.series[i].name);
        for (std::size_t k = 0; k < chart.categories.size() && k < chart.series[i].values.size(); ++k)
            SetNumber(sheetIndex, chart.row + 1 + static_cast<int>(k), column, chart.series[i].values[k]);
    }
    for (std::size_t k = 0; k < chart.categories.size(); ++k)
        SetText(sheetIndex, chart.row + 1 + static_cast<int>(k), chart.column, chart.categories[k]);

    WorksheetPart& sheet = impl->LoadedSheet(sheetIndex);
    const std::string folder = impl->workbookPart.substr(0, impl->workbookPart.rfind('/') + 1);
    const std::string chartPart = FreePartName(impl->package, folder + "charts/chart");
    const std::string drawingPart = FreePartName(impl->package, folder + "drawings/drawing");
    const int top = chart.row + static_cast<int>(chart.categories.size()) + 2;
    impl->package.Put(chartPart, ChartPart(chart, sheet.name));
    impl->package.Put(drawingPart, DrawingPart(top, chart.column, top + chart.chartRows, chart.column + chart.chartColumns));
    impl->package.Put(xlsx::RelationshipsPartOf(drawingPart),
                      SingleRelationship(std::string(kRelationships) + "chart", RelativeTarget(drawingPart, chartPart)));
    impl->package.Put(xlsx::RelationshipsPartOf(sheet.partName),
                      SingleRelationship(std::string(kRelationships) + "drawing", RelativeTarget(sheet.partName, drawingPart)));
    impl->AddContentTypeOverride(chartPart, std::string(kOfficeTypes) + "drawingml.chart+xml");
    impl->AddContentTypeOverride(drawingPart, std::string(kOfficeTypes) + "drawing+xml");
    pugi::xml_node drawing = FreshChild(sheet.document->document_element(), "drawing");
    drawing.append_attribute("r:id") = "rId1";
}

void Workbook::SetDocumentProperties(std::string_view title, std::string_view application)
{
    pugi::xml_document core;
    pugi::xml_node properties = core.append_child("cp:coreProperties");
    properties.append_attribute("xmlns:cp") = "http://schemas.openxmlformats.org/package/2006/metadata/core-properties";
    properties.append_attribute("xmlns:dc") = "http://purl.org/dc/elements/1.1/";
    if (!title.empty())
        properties.append_child("dc:title").text().set(std::string(title).c_str());
    pugi::xml_document app;
    pugi::xml_node extended = app.append_child("Properties");
    extended.append_attribute("xmlns") = "http://schemas.openxmlformats.org/officeDocument/2006/extended-properties";
    extended.append_child("Application").text().set(std::string(application).c_str());

    pugi::xml_document packageRels;
    xlsx::ParsePart(packageRels, *impl->package.Find("_rels/.rels"), "_rels/.rels");
    pugi::xml_node rels = packageRels.document_element();
    const struct {
        const char* part;
        const pugi::xml_document& document;
        std::string type, contentType;
    } parts[] = {
        {"docProps/core.xml", core, std::string(kPackageRelationships) + "metadata/core-properties",
         "application/vnd.openxmlformats-package.core-properties+xml"},
        {"docProps/app.xml", app, std::string(kRelationships) + "extended-properties", std::string(kOfficeTypes) + "extended-properties+xml"},
    };
    for (const auto& part : parts) {
        // A workbook that has the part already keeps its relationship and content type.
        if (!impl->package.Find(part.part)) {
            pugi::xml_node rel = xlsx::AppendElement(rels, "Relationship");
            rel.append_attribute("Id") = ("rIdProperties" + std::to_string(&part - parts)).c_str();
            rel.append_attribute("Type") = part.type.c_str();
            rel.append_attribute("Target") = part.part;
            impl->AddContentTypeOverride(part.part, part.contentType);
        }
        impl->package.Put(part.part, xlsx::SerializePart(part.document));
    }
    impl->package.Put("_rels/.rels", xlsx::SerializePart(packageRels));
}
