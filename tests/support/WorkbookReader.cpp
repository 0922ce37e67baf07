#include "WorkbookReader.h"

#include "spreadsheet/CellReference.h"
#include "spreadsheet/Workbook_p.h"
#include "spreadsheet/XmlText.h"

#include <cstdlib>

namespace {

using xlsx::Child;
using xlsx::LocalName;

// Formats of the style sheet as the reader needs them.
struct Formats {
    struct Font {
        std::string color;
        bool bold = false;
    };
    std::vector<Font> fonts;
    std::vector<std::string> fills;
    std::map<unsigned, std::string> numberFormats;
    struct Xf {
        unsigned font = 0, fill = 0, numberFormat = 0;
    };
    std::vector<Xf> xfs;
};

std::string BuiltInFormat(unsigned id)
{
    switch (id) {
    case 0: return "General";
    case 1: return "0";
    case 2: return "0.00";
    case 3: return "#,##0";
    case 4: return "#,##0.00";
    case 49: return "@";
    default: return "builtin " + std::to_string(id);
    }
}

Formats ReadFormats(const ZipPackage& package, const std::string& part)
{
    Formats formats;
    const std::string* bytes = part.empty() ? nullptr : package.Find(part);
    if (!bytes)
        return formats;
    pugi::xml_document document;
    xlsx::ParsePart(document, *bytes, part);
    const pugi::xml_node root = document.document_element();
    for (pugi::xml_node font : Child(root, "fonts").children()) {
        const pugi::xml_node b = Child(font, "b");
        formats.fonts.push_back({Child(font, "color").attribute("rgb").value(),
                                 b && b.attribute("val").as_bool(true)});
    }
    for (pugi::xml_node fill : Child(root, "fills").children()) {
        const pugi::xml_node pattern = Child(fill, "patternFill");
        formats.fills.push_back(std::string_view(pattern.attribute("patternType").value()) == "solid"
                                    ? Child(pattern, "fgColor").attribute("rgb").value() : "");
    }
    for (pugi::xml_node format : Child(root, "numFmts").children())
        formats.numberFormats[format.attribute("numFmtId").as_uint()] = format.attribute("formatCode").value();
    for (pugi::xml_node xf : Child(root, "cellXfs").children())
        formats.xfs.push_back({xf.attribute("fontId").as_uint(), xf.attribute("fillId").as_uint(), xf.attribute("numFmtId").as_uint()});
    return formats;
}

std::vector<std::string> ReadSharedStrings(const ZipPackage& package, const std::string& part)
{
    std::vector<std::string> strings;
    const std::string* bytes = part.empty() ? nullptr : package.Find(part);
    if (!bytes)
        return strings;
    pugi::xml_document document;
    xlsx::ParsePart(document, *bytes, part);
    for (pugi::xml_node item : document.document_element().children()) {
        std::string text;
        // Plain (<t>) or rich text (runs <r><t>); phonetic runs are not text.
        for (pugi::xml_node node : item.children()) {
            if (LocalName(node) == "t")
                text += node.text().get();
            else if (LocalName(node) == "r")
                text += Child(node, "t").text().get();
        }
        strings.push_back(UnescapeCellText(text));
    }
    return strings;
}

void ApplyFormat(ReadCell& cell, unsigned xfIndex, const Formats& formats)
{
    cell.numberFormat = "General";
    if (xfIndex >= formats.xfs.size())
        return;
    const Formats::Xf& xf = formats.xfs[xfIndex];
    if (xf.font < formats.fonts.size()) {
        cell.fontColor = formats.fonts[xf.font].color;
        cell.bold = formats.fonts[xf.font].bold;
    }
    if (xf.fill < formats.fills.size())
        cell.fillColor = formats.fills[xf.fill];
    const auto custom = formats.numberFormats.find(xf.numberFormat);
    cell.numberFormat = custom != formats.numberFormats.end() ? custom->second : BuiltInFormat(xf.numberFormat);
}

ReadCell ReadOneCell(const pugi::xml_node& c, const std::vector<std::string>& shared, const Formats& formats)
{
    ReadCell cell;
    const std::string_view type = c.attribute("t").value();
    const std::string value = Child(c, "v").text().get();
    if (type == "inlineStr") {
        cell.kind = ReadCell::Kind::Text;
        cell.text = UnescapeCellText(Child(Child(c, "is"), "t").text().get());
    } else if (type == "s") {
        cell.kind = ReadCell::Kind::Text;
        const std::size_t index = std::strtoul(value.c_str(), nullptr, 10);
        cell.text = index < shared.size() ? shared[index] : std::string();
    } else if (type == "str") {
        cell.kind = ReadCell::Kind::Text;
        cell.text = UnescapeCellText(value);
    } else if ((type.empty() || type == "n") && !value.empty()) {
        cell.kind = ReadCell::Kind::Number;
        cell.number = std::strtod(value.c_str(), nullptr);
        cell.text = value;
    } else if (!value.empty()) {
        cell.kind = ReadCell::Kind::Other;
        cell.text = value;
    }
    ApplyFormat(cell, c.attribute("s").as_uint(0), formats);
    return cell;
}

ReadSheet ReadOneSheet(const std::string& bytes, const std::string& part, const std::vector<std::string>& shared, const Formats& formats)
{
    ReadSheet sheet;
    pugi::xml_document document;
    xlsx::ParsePart(document, bytes, part);
    const pugi::xml_node root = document.document_element();
    for (pugi::xml_node row : Child(root, "sheetData").children())
        for (pugi::xml_node c : row.children())
            if (const std::optional<CellPosition> at = ParseCellName(c.attribute("r").value()))
                sheet.cells[{at->row, at->column}] = ReadOneCell(c, shared, formats);
    for (pugi::xml_node merge : Child(root, "mergeCells").children())
        sheet.merges.push_back(merge.attribute("ref").value());
    for (pugi::xml_node col : Child(root, "cols").children())
        for (int c = col.attribute("min").as_int(); c >= 1 && c <= col.attribute("max").as_int() && c <= kMaxColumns; ++c)
            sheet.columnWidths[c] = col.attribute("width").as_double();
    const pugi::xml_node pane = Child(Child(Child(root, "sheetViews"), "sheetView"), "pane");
    if (std::string_view(pane.attribute("state").value()) == "frozen")
        sheet.frozenRows = pane.attribute("ySplit").as_int();
    return sheet;
}

bool EndsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

} // namespace

const ReadCell& ReadSheet::At(int row, int column) const
{
    static const ReadCell empty;
    const auto found = cells.find({row, column});
    return found == cells.end() ? empty : found->second;
}

ReadWorkbook ReadWorkbookFile(const std::string& path, const PackageLimits& limits)
{
    ReadWorkbook workbook{{}, ZipPackage::Read(path, limits)};
    const ZipPackage& package = workbook.package;
    auto required = [&](const std::string& part) -> const std::string& {
        const std::string* bytes = package.Find(part);
        if (!bytes)
            throw WorkbookError("the package has no part " + part);
        return *bytes;
    };

    pugi::xml_document rootRels;
    xlsx::ParsePart(rootRels, required("_rels/.rels"), "_rels/.rels");
    std::string workbookPart;
    for (pugi::xml_node rel : rootRels.document_element().children())
        if (EndsWith(rel.attribute("Type").value(), xlsx::kOfficeDocumentType))
            workbookPart = xlsx::ResolveTarget("", rel.attribute("Target").value());

    pugi::xml_document rels;
    const std::string relsPart = xlsx::RelationshipsPartOf(workbookPart);
    xlsx::ParsePart(rels, required(relsPart), relsPart);
    std::map<std::string, std::string> targets;
    std::string stylesPart, sharedStringsPart;
    for (pugi::xml_node rel : rels.document_element().children()) {
        const std::string target = xlsx::ResolveTarget(workbookPart, rel.attribute("Target").value());
        targets[rel.attribute("Id").value()] = target;
        if (EndsWith(rel.attribute("Type").value(), xlsx::kStylesType))
            stylesPart = target;
        else if (EndsWith(rel.attribute("Type").value(), "/sharedStrings"))
            sharedStringsPart = target;
    }
    const Formats formats = ReadFormats(package, stylesPart);
    const std::vector<std::string> shared = ReadSharedStrings(package, sharedStringsPart);

    pugi::xml_document book;
    xlsx::ParsePart(book, required(workbookPart), workbookPart);
    for (pugi::xml_node entry : Child(book.document_element(), "sheets").children()) {
        std::string id;
        for (pugi::xml_attribute attribute : entry.attributes())
            if (EndsWith(attribute.name(), ":id"))
                id = attribute.value();
        const std::string& part = targets[id];
        ReadSheet sheet = ReadOneSheet(required(part), part, shared, formats);
        sheet.name = entry.attribute("name").value();
        workbook.sheets.push_back(std::move(sheet));
    }
    return workbook;
}
