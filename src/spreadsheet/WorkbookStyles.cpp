// Workbook: the style sheet. A format change derives a new cell format (and
// a new font or fill) from the cell's current one, so that cells sharing
// that format keep it.
#include "spreadsheet/Workbook_p.h"

#include <sstream>

namespace {

constexpr std::string_view kStylesContentType = "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";
constexpr std::string_view kStylesRelationship = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";

// Children of <styleSheet>, and of <font>, in schema order.
constexpr std::string_view kStyleSheetOrder[] = {
    "numFmts", "fonts", "fills", "borders", "cellStyleXfs", "cellXfs", "cellStyles", "dxfs", "tableStyles", "colors", "extLst"};
constexpr std::string_view kFontOrder[] = {
    "b", "i", "strike", "condense", "extend", "outline", "shadow", "u", "vertAlign", "sz", "color", "name", "family", "charset", "scheme"};
// The first custom number format id; lower ids are built in.
constexpr unsigned kFirstCustomNumberFormat = 164;

constexpr const char* kDefaultStyleSheet =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
    R"(<fonts count="1"><font><sz val="11"/><name val="Calibri"/><family val="2"/></font></fonts>)"
    R"(<fills count="2"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill></fills>)"
    R"(<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>)"
    R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)"
    R"(<cellXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/></cellXfs>)"
    R"(<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>)"
    R"(</styleSheet>)";

std::vector<pugi::xml_node> Elements(const pugi::xml_node& parent, std::string_view local)
{
    std::vector<pugi::xml_node> found;
    for (pugi::xml_node child : parent.children())
        if (child.type() == pugi::node_element && xlsx::LocalName(child) == local)
            found.push_back(child);
    return found;
}

// Appends `element` (a copy of `model`, or a new empty one) to `list` and
// returns its index, keeping the list's count attribute right.
pugi::xml_node AppendToList(pugi::xml_node list, std::string_view local, const pugi::xml_node& model, unsigned& index)
{
    index = static_cast<unsigned>(Elements(list, local).size());
    pugi::xml_node added = model ? list.append_copy(model) : xlsx::AppendElement(list, local);
    xlsx::SetAttribute(list, "count", std::to_string(index + 1));
    return added;
}

std::string NodeXml(const pugi::xml_node& node)
{
    std::ostringstream out;
    node.print(out, "", pugi::format_raw);
    return out.str();
}

// The index of an element of the list equal to `added`, the last one, which
// is then taken out again; `index` (its own) when there is none: formats
// that look alike share their font, fill and border.
unsigned SharedIndex(pugi::xml_node list, pugi::xml_node added, unsigned index)
{
    const std::string xml = NodeXml(added);
    const std::vector<pugi::xml_node> elements = Elements(list, xlsx::LocalName(added));
    for (unsigned i = 0; i < index; ++i)
        if (NodeXml(elements[i]) == xml) {
            list.remove_child(added);
            xlsx::SetAttribute(list, "count", std::to_string(index));
            return i;
        }
    return index;
}

void ReplaceFontChild(pugi::xml_node font, std::string_view local, std::string_view value, const char* attribute = "rgb")
{
    pugi::xml_node child = xlsx::ChildInOrder(font, local, kFontOrder);
    while (pugi::xml_attribute old = child.first_attribute())
        child.remove_attribute(old);
    if (!value.empty())
        child.append_attribute(attribute) = std::string(value).c_str();
}

// Thin lines of one colour on all four sides.
void AppendThinBorder(pugi::xml_node border, std::uint32_t color)
{
    for (std::string_view side : {"left", "right", "top", "bottom"}) {
        pugi::xml_node line = xlsx::AppendElement(border, side);
        line.append_attribute("style") = "thin";
        xlsx::AppendElement(line, "color").append_attribute("rgb") = xlsx::ArgbText(color).c_str();
    }
    xlsx::AppendElement(border, "diagonal");
}

void ApplyAlignment(pugi::xml_node xf, const CellLook& look)
{
    // <alignment> comes first among an xf's children.
    pugi::xml_node alignment = xlsx::Child(xf, "alignment");
    if (!alignment)
        alignment = xlsx::InsertElementBefore(xf, "alignment", xf.first_child());
    if (!look.horizontal.empty())
        xlsx::SetAttribute(alignment, "horizontal", look.horizontal);
    if (!look.vertical.empty())
        xlsx::SetAttribute(alignment, "vertical", look.vertical);
    xlsx::SetAttribute(xf, "applyAlignment", "1");
}

unsigned NumberFormatId(pugi::xml_node styleSheet, const std::string& code)
{
    pugi::xml_node formats = xlsx::ChildInOrder(styleSheet, "numFmts", kStyleSheetOrder);
    unsigned next = kFirstCustomNumberFormat;
    for (pugi::xml_node format : Elements(formats, "numFmt")) {
        if (format.attribute("formatCode").value() == code)
            return format.attribute("numFmtId").as_uint();
        next = std::max(next, format.attribute("numFmtId").as_uint() + 1);
    }
    unsigned index = 0;
    pugi::xml_node format = AppendToList(formats, "numFmt", {}, index);
    format.append_attribute("numFmtId") = next;
    format.append_attribute("formatCode") = code.c_str();
    return next;
}

std::string FormatKey(unsigned base, const CellFormat& format, const CellLook& look)
{
    std::string key = std::to_string(base);
    key += '|' + (format.fontColor ? std::to_string(*format.fontColor) : "-");
    key += format.bold ? "|b|" : "||";
    key += (format.fillColor ? std::to_string(*format.fillColor) : "-") + '|' + format.numberFormat;
    key += '|' + look.fontName + '|' + xlsx::NumberText(look.fontPoints) + '|' + look.horizontal + '|' + look.vertical;
    key += '|' + (look.borderColor ? std::to_string(*look.borderColor) : "-");
    return key;
}

} // namespace

pugi::xml_node Workbook::Impl::StyleSheet()
{
    if (!styles) {
        styles = std::make_unique<pugi::xml_document>();
        if (const std::string* bytes = stylesPart.empty() ? nullptr : package.Find(stylesPart)) {
            xlsx::ParsePart(*styles, *bytes, stylesPart);
        } else {
            xlsx::ParsePart(*styles, kDefaultStyleSheet, "styles");
            if (stylesPart.empty()) {
                stylesPart = workbookPart.substr(0, workbookPart.rfind('/') + 1) + "styles.xml";
                AddWorkbookRelationship(kStylesRelationship, "styles.xml");
                AddContentTypeOverride(stylesPart, kStylesContentType);
            }
        }
    }
    pugi::xml_node root = styles->document_element();
    if (xlsx::LocalName(root) != "styleSheet")
        throw WorkbookError("part " + stylesPart + " is not a style sheet");
    return root;
}

unsigned Workbook::Impl::DeriveFormat(unsigned base, const CellFormat& format, const CellLook& look)
{
    const std::string key = FormatKey(base, format, look);
    if (const auto known = derivedFormats.find(key); known != derivedFormats.end())
        return known->second;

    pugi::xml_node styleSheet = StyleSheet();
    pugi::xml_node cellXfs = xlsx::ChildInOrder(styleSheet, "cellXfs", kStyleSheetOrder);
    const std::vector<pugi::xml_node> formats = Elements(cellXfs, "xf");
    unsigned index = 0;
    pugi::xml_node xf = AppendToList(cellXfs, "xf", base < formats.size() ? formats[base] : pugi::xml_node(), index);
    for (const char* id : {"numFmtId", "fontId", "fillId", "borderId"})
        if (!xf.attribute(id))
            xf.append_attribute(id) = 0;

    if (format.fontColor || format.bold || !look.fontName.empty() || look.fontPoints > 0) {
        pugi::xml_node fonts = xlsx::ChildInOrder(styleSheet, "fonts", kStyleSheetOrder);
        const std::vector<pugi::xml_node> existing = Elements(fonts, "font");
        const unsigned baseFont = xf.attribute("fontId").as_uint();
        unsigned fontId = 0;
        pugi::xml_node font = AppendToList(fonts, "font", baseFont < existing.size() ? existing[baseFont] : pugi::xml_node(), fontId);
        if (format.bold)
            ReplaceFontChild(font, "b", {});
        if (format.fontColor)
            ReplaceFontChild(font, "color", xlsx::ArgbText(*format.fontColor));
        if (look.fontPoints > 0)
            ReplaceFontChild(font, "sz", xlsx::NumberText(look.fontPoints), "val");
        if (!look.fontName.empty()) {
            ReplaceFontChild(font, "name", look.fontName, "val");
            // A theme's font scheme would show its own face instead of the name.
            font.remove_child(xlsx::Child(font, "scheme"));
        }
        xlsx::SetAttribute(xf, "fontId", std::to_string(SharedIndex(fonts, font, fontId)));
        xlsx::SetAttribute(xf, "applyFont", "1");
    }
    if (format.fillColor) {
        pugi::xml_node fills = xlsx::ChildInOrder(styleSheet, "fills", kStyleSheetOrder);
        unsigned fillId = 0;
        pugi::xml_node fill = AppendToList(fills, "fill", {}, fillId);
        pugi::xml_node pattern = xlsx::AppendElement(fill, "patternFill");
        pattern.append_attribute("patternType") = "solid";
        xlsx::AppendElement(pattern, "fgColor").append_attribute("rgb") = xlsx::ArgbText(*format.fillColor).c_str();
        xlsx::AppendElement(pattern, "bgColor").append_attribute("indexed") = 64;
        xlsx::SetAttribute(xf, "fillId", std::to_string(SharedIndex(fills, fill, fillId)));
        xlsx::SetAttribute(xf, "applyFill", "1");
    }
    if (look.borderColor) {
        pugi::xml_node borders = xlsx::ChildInOrder(styleSheet, "borders", kStyleSheetOrder);
        unsigned borderId = 0;
        pugi::xml_node border = AppendToList(borders, "border", {}, borderId);
        AppendThinBorder(border, *look.borderColor);
        xlsx::SetAttribute(xf, "borderId", std::to_string(SharedIndex(borders, border, borderId)));
        xlsx::SetAttribute(xf, "applyBorder", "1");
    }
    if (!look.horizontal.empty() || !look.vertical.empty())
        ApplyAlignment(xf, look);
    if (!format.numberFormat.empty()) {
        xlsx::SetAttribute(xf, "numFmtId", std::to_string(NumberFormatId(styleSheet, format.numberFormat)));
        xlsx::SetAttribute(xf, "applyNumberFormat", "1");
    }
    derivedFormats.emplace(key, index);
    return index;
}
