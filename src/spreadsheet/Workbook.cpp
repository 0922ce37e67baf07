// Workbook: the package and its structure (content types, relationships,
// the sheet list), opening, starting empty and saving.
#include "spreadsheet/Workbook_p.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace xlsx {

std::string_view LocalName(const pugi::xml_node& node)
{
    const std::string_view name = node.name();
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node Child(const pugi::xml_node& parent, std::string_view local)
{
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element && LocalName(child) == local)
            return child;
    return {};
}

namespace {

std::string PrefixedName(const pugi::xml_node& parent, std::string_view local)
{
    const std::string_view name = parent.name();
    const std::size_t colon = name.find(':');
    std::string result(colon == std::string_view::npos ? std::string_view{} : name.substr(0, colon + 1));
    result += local;
    return result;
}

std::size_t Rank(std::string_view local, std::span<const std::string_view> order)
{
    return static_cast<std::size_t>(std::find(order.begin(), order.end(), local) - order.begin());
}

} // namespace

pugi::xml_node AppendElement(pugi::xml_node parent, std::string_view local)
{
    return parent.append_child(PrefixedName(parent, local).c_str());
}

pugi::xml_node InsertElementBefore(pugi::xml_node parent, std::string_view local, pugi::xml_node before)
{
    if (!before)
        return AppendElement(parent, local);
    return parent.insert_child_before(PrefixedName(parent, local).c_str(), before);
}

pugi::xml_node ChildInOrder(pugi::xml_node parent, std::string_view local, std::span<const std::string_view> order)
{
    if (pugi::xml_node existing = Child(parent, local))
        return existing;
    const std::size_t rank = Rank(local, order);
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element && Rank(LocalName(child), order) > rank)
            return InsertElementBefore(parent, local, child);
    return AppendElement(parent, local);
}

void SetAttribute(pugi::xml_node node, const char* name, std::string_view value)
{
    pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute)
        attribute = node.append_attribute(name);
    attribute.set_value(std::string(value).c_str());
}

void ParsePart(pugi::xml_document& document, const std::string& bytes, const std::string& partName)
{
    // Whitespace-only texts are kept: a cell may hold a single space.
    const unsigned options = pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single;
    const pugi::xml_parse_result result = document.load_buffer(bytes.data(), bytes.size(), options);
    if (!result)
        throw WorkbookError("part " + partName + " is not readable XML: " + result.description());
}

std::string SerializePart(const pugi::xml_document& document)
{
    std::ostringstream out;
    unsigned flags = pugi::format_raw;
    if (document.first_child().type() == pugi::node_declaration)
        flags |= pugi::format_no_declaration;   // the document's own declaration is written
    document.save(out, "", flags, pugi::encoding_utf8);
    return out.str();
}

std::string ArgbText(std::uint32_t colorref)
{
    char buffer[9];
    std::snprintf(buffer, sizeof buffer, "FF%02X%02X%02X", colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF);
    return buffer;
}

std::string NumberText(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// The part a relationship target names, relative to the part `source`
// ("" for the package's own relationships).
std::string ResolveTarget(std::string_view source, std::string_view target)
{
    std::string joined;
    if (!target.empty() && target.front() == '/')
        joined = target.substr(1);
    else
        joined = std::string(source.substr(0, source.rfind('/') + 1)) + std::string(target);
    std::vector<std::string> segments;
    std::stringstream stream(joined);
    for (std::string segment; std::getline(stream, segment, '/');) {
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
    }
    std::string resolved;
    for (const std::string& segment : segments)
        resolved += (resolved.empty() ? "" : "/") + segment;
    return resolved;
}

std::string RelationshipsPartOf(std::string_view part)
{
    const std::size_t slash = part.rfind('/');
    const std::string_view folder = slash == std::string_view::npos ? std::string_view{} : part.substr(0, slash + 1);
    const std::string_view file = slash == std::string_view::npos ? part : part.substr(slash + 1);
    return std::string(folder) + "_rels/" + std::string(file) + ".rels";
}

} // namespace xlsx

namespace {

constexpr const char* kContentTypesPart = "[Content_Types].xml";
constexpr std::string_view kTemplateMain = "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml";
constexpr std::string_view kMacroTemplateMain = "application/vnd.ms-excel.template.macroEnabled.main+xml";
constexpr std::string_view kWorkbookMain = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
constexpr std::string_view kMacroWorkbookMain = "application/vnd.ms-excel.sheet.macroEnabled.main+xml";

bool EndsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

const std::string& RequiredPart(const ZipPackage& package, const std::string& name)
{
    const std::string* bytes = package.Find(name);
    if (!bytes)
        throw WorkbookError("the package has no part " + name + ": it is not a workbook");
    return *bytes;
}

// The relationship id attribute of a <sheet> element ("r:id" under whatever prefix).
std::string SheetRelationshipId(const pugi::xml_node& sheet)
{
    for (pugi::xml_attribute attribute : sheet.attributes())
        if (EndsWith(attribute.name(), ":id"))
            return attribute.value();
    return {};
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

constexpr const char* kEmptyWorkbookParts[][2] = {
    {kContentTypesPart,
     R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
     R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
     R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
     R"(<Default Extension="xml" ContentType="application/xml"/>)"
     R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
     R"(<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
     R"(</Types>)"},
    {"_rels/.rels",
     R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
     R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
     R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>)"
     R"(</Relationships>)"},
    {"xl/workbook.xml",
     R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
     R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
     R"(<bookViews><workbookView/></bookViews><sheets><sheet name="" sheetId="1" r:id="rId1"/></sheets></workbook>)"},
    {"xl/_rels/workbook.xml.rels",
     R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
     R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
     R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>)"
     R"(</Relationships>)"},
    {"xl/worksheets/sheet1.xml",
     R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
     R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
     R"(<sheetData/></worksheet>)"},
};

} // namespace

Workbook::Workbook(std::unique_ptr<Impl> impl) : impl(std::move(impl)) {}
Workbook::Workbook(Workbook&&) noexcept = default;
Workbook& Workbook::operator=(Workbook&&) noexcept = default;
Workbook::~Workbook() = default;

Workbook Workbook::Open(const std::string& path, const PackageLimits& limits)
{
    auto impl = std::make_unique<Impl>();
    try {
        impl->package = ZipPackage::Read(path, limits);
    } catch (const PackageError& error) {
        throw WorkbookError(error.what());
    }
    impl->LoadStructure();
    // Checked now, so that a template that cannot be used fails here and
    // not once a workbook half made from it exists.
    impl->CheckParts();
    // A workbook made from a template is a workbook, no longer a template.
    const std::string overrideName = "/" + impl->workbookPart;
    for (pugi::xml_node entry : impl->contentTypes.document_element().children()) {
        pugi::xml_attribute type = entry.attribute("ContentType");
        if (xlsx::LocalName(entry) != "Override" || overrideName != entry.attribute("PartName").value())
            continue;
        if (type.value() == kTemplateMain)
            type.set_value(std::string(kWorkbookMain).c_str());
        else if (type.value() == kMacroTemplateMain)
            type.set_value(std::string(kMacroWorkbookMain).c_str());
        else
            continue;
        impl->contentTypesChanged = true;
    }
    return Workbook(std::move(impl));
}

Workbook Workbook::CreateEmpty(std::string_view sheetName)
{
    auto impl = std::make_unique<Impl>();
    for (const auto& part : kEmptyWorkbookParts)
        impl->package.Put(part[0], part[1]);
    impl->LoadStructure();
    // The sheet's name goes in through the XML writer, which escapes it.
    impl->sheets.front().name = sheetName;
    pugi::xml_document workbook;
    xlsx::ParsePart(workbook, *impl->package.Find(impl->workbookPart), impl->workbookPart);
    xlsx::SetAttribute(xlsx::Child(xlsx::Child(workbook.document_element(), "sheets"), "sheet"), "name", sheetName);
    impl->package.Put(impl->workbookPart, xlsx::SerializePart(workbook));
    return Workbook(std::move(impl));
}

void Workbook::Impl::LoadStructure()
{
    xlsx::ParsePart(contentTypes, RequiredPart(package, kContentTypesPart), kContentTypesPart);

    pugi::xml_document packageRels;
    xlsx::ParsePart(packageRels, RequiredPart(package, "_rels/.rels"), "_rels/.rels");
    for (pugi::xml_node rel : packageRels.document_element().children())
        if (EndsWith(rel.attribute("Type").value(), xlsx::kOfficeDocumentType))
            workbookPart = xlsx::ResolveTarget("", rel.attribute("Target").value());
    if (workbookPart.empty())
        throw WorkbookError("the package names no workbook part: it is not a workbook");

    pugi::xml_document workbook;
    xlsx::ParsePart(workbook, RequiredPart(package, workbookPart), workbookPart);
    workbookRelsPart = xlsx::RelationshipsPartOf(workbookPart);
    if (const std::string* rels = package.Find(workbookRelsPart))
        xlsx::ParsePart(workbookRels, *rels, workbookRelsPart);
    else
        workbookRels.append_child("Relationships").append_attribute("xmlns") =
            "http://schemas.openxmlformats.org/package/2006/relationships";

    std::map<std::string, std::string> worksheetTargets;
    for (pugi::xml_node rel : workbookRels.document_element().children()) {
        const std::string target = xlsx::ResolveTarget(workbookPart, rel.attribute("Target").value());
        if (EndsWith(rel.attribute("Type").value(), xlsx::kWorksheetType))
            worksheetTargets[rel.attribute("Id").value()] = target;
        else if (EndsWith(rel.attribute("Type").value(), xlsx::kStylesType))
            stylesPart = target;
        else if (EndsWith(rel.attribute("Type").value(), xlsx::kCalcChainType))
            calcChainPart = target;
    }
    // Chart sheets and other kinds of sheets are not worksheets: passed over.
    for (pugi::xml_node sheet : xlsx::Child(workbook.document_element(), "sheets").children()) {
        const auto target = worksheetTargets.find(SheetRelationshipId(sheet));
        if (target == worksheetTargets.end())
            continue;
        WorksheetPart& part = sheets.emplace_back();
        part.name = sheet.attribute("name").value();
        part.partName = target->second;
        part.sheetId = sheet.attribute("sheetId").as_int();
    }
}

void Workbook::Impl::CheckParts() const
{
    // Parsed and let go: documents kept loaded would be written anew at
    // saving, where untouched parts keep their own bytes.
    auto check = [this](const std::string& partName, std::string_view root) {
        pugi::xml_document document;
        xlsx::ParsePart(document, RequiredPart(package, partName), partName);
        if (xlsx::LocalName(document.document_element()) != root)
            throw WorkbookError("part " + partName + " is not a " + std::string(root));
    };
    for (const WorksheetPart& sheet : sheets)
        check(sheet.partName, "worksheet");
    if (!stylesPart.empty())
        check(stylesPart, "styleSheet");
}

std::vector<std::string> Workbook::SheetNames() const
{
    std::vector<std::string> names;
    for (const WorksheetPart& sheet : impl->sheets)
        names.push_back(sheet.name);
    return names;
}

std::optional<int> Workbook::FindSheet(std::string_view name) const
{
    for (std::size_t i = 0; i < impl->sheets.size(); ++i)
        if (SameIgnoringAsciiCase(impl->sheets[i].name, name))
            return static_cast<int>(i);
    return std::nullopt;
}

std::string Workbook::Impl::AddWorkbookRelationship(std::string_view type, std::string_view target)
{
    pugi::xml_node root = workbookRels.document_element();
    std::string id;
    for (int n = 1; id.empty(); ++n) {
        std::string candidate = "rId" + std::to_string(n);
        if (!root.find_child_by_attribute("Id", candidate.c_str()))
            id = candidate;
    }
    pugi::xml_node rel = xlsx::AppendElement(root, "Relationship");
    rel.append_attribute("Id") = id.c_str();
    rel.append_attribute("Type") = std::string(type).c_str();
    rel.append_attribute("Target") = std::string(target).c_str();
    package.Put(workbookRelsPart, xlsx::SerializePart(workbookRels));
    return id;
}

void Workbook::Impl::RemoveWorkbookPart(const std::string& target)
{
    package.Remove(target);
    pugi::xml_node root = workbookRels.document_element();
    for (pugi::xml_node rel = root.first_child(); rel;) {
        const pugi::xml_node next = rel.next_sibling();
        if (xlsx::ResolveTarget(workbookPart, rel.attribute("Target").value()) == target)
            root.remove_child(rel);
        rel = next;
    }
    package.Put(workbookRelsPart, xlsx::SerializePart(workbookRels));
    const std::string overrideName = "/" + target;
    pugi::xml_node types = contentTypes.document_element();
    while (pugi::xml_node entry = types.find_child_by_attribute("PartName", overrideName.c_str()))
        types.remove_child(entry);
    contentTypesChanged = true;
}

void Workbook::Impl::AddContentTypeOverride(const std::string& partName, std::string_view contentType)
{
    pugi::xml_node entry = xlsx::AppendElement(contentTypes.document_element(), "Override");
    entry.append_attribute("PartName") = ("/" + partName).c_str();
    entry.append_attribute("ContentType") = std::string(contentType).c_str();
    contentTypesChanged = true;
}

namespace {

constexpr std::string_view kRowsMarker = "<!--rows-->", kMergesMarker = "<!--merges-->";

// Throws when a block's rows do not come after the sheet's and the earlier
// blocks' rows; returns the number of merged ranges the blocks hold.
std::size_t CheckRowBlocks(const WorksheetPart& sheet)
{
    int lastRow = sheet.rows.empty() ? 0 : sheet.rows.rbegin()->first;
    std::size_t merges = 0;
    for (const auto& block : sheet.rowBlocks) {
        merges += block->mergeCount;
        if (block->firstRow == 0)
            continue;
        if (block->firstRow <= lastRow)
            throw WorkbookError("rows are appended in increasing order after the sheet's rows");
        lastRow = block->lastRow;
    }
    return merges;
}

// The sheet's XML in three pieces: the appended rows go between the first
// two, the appended merged ranges between the last two.
struct SheetXml {
    std::string xml;
    std::size_t rowsAt = 0, mergesAt = 0;   // where the markers start

    std::string_view BeforeRows() const { return std::string_view(xml).substr(0, rowsAt); }
    std::string_view BeforeMerges() const
    {
        return std::string_view(xml).substr(rowsAt + kRowsMarker.size(), mergesAt - rowsAt - kRowsMarker.size());
    }
    std::string_view AfterMerges() const { return std::string_view(xml).substr(std::min(xml.size(), mergesAt + kMergesMarker.size())); }
};

SheetXml SerializeAroundMarkers(WorksheetPart& sheet, std::size_t mergeCount)
{
    // The markers are comments, found again in the text pugixml writes.
    pugi::xml_node mergeCells;
    if (mergeCount > 0) {
        mergeCells = xlsx::ChildInOrder(sheet.document->document_element(), "mergeCells", xlsx::kWorksheetOrder);
        const auto existing = static_cast<std::size_t>(std::distance(mergeCells.children().begin(), mergeCells.children().end()));
        xlsx::SetAttribute(mergeCells, "count", std::to_string(existing + mergeCount));
        mergeCells.append_child(pugi::node_comment).set_value("merges");
    }
    sheet.sheetData.append_child(pugi::node_comment).set_value("rows");
    SheetXml result{xlsx::SerializePart(*sheet.document)};
    sheet.sheetData.remove_child(sheet.sheetData.last_child());
    if (mergeCells)
        mergeCells.remove_child(mergeCells.last_child());
    result.mergesAt = mergeCells ? result.xml.rfind(kMergesMarker) : result.xml.size();
    result.rowsAt = result.xml.rfind(kRowsMarker, result.mergesAt);
    return result;
}

// One segment of a compressed part, ending on a byte boundary.
DeflatedBytes DeflatedSegment(std::string_view bytes)
{
    DeflateStream stream;
    stream.Write(bytes);
    return stream.Flush();
}

} // namespace

void Workbook::Impl::PutSheet(WorksheetPart& sheet)
{
    const std::size_t blockMerges = CheckRowBlocks(sheet);
    UpdateDimension(sheet);
    const SheetXml xml = SerializeAroundMarkers(sheet, sheet.appendedMergeCount + blockMerges);
    if (sheet.rowBlocks.empty()) {
        // A sheet edited cell by cell: its XML, with the merged ranges added as text.
        std::string whole;
        whole.reserve(xml.xml.size() + sheet.appendedMerges.size());
        for (std::string_view piece : {xml.BeforeRows(), xml.BeforeMerges(), std::string_view(sheet.appendedMerges), xml.AfterMerges()})
            whole += piece;
        package.Put(sheet.partName, std::move(whole));
        return;
    }
    // The blocks' rows and merged ranges are compressed already: the XML
    // around them is compressed in segments that join theirs.
    DeflatedBytes whole = DeflatedSegment(xml.BeforeRows());
    for (const auto& block : sheet.rowBlocks) {
        block->rows.Compress(true);
        whole.Append(block->rows.deflate.Flush());
    }
    whole.Append(DeflatedSegment(xml.BeforeMerges()));
    whole.Append(DeflatedSegment(sheet.appendedMerges));
    for (const auto& block : sheet.rowBlocks) {
        block->merges.Compress(true);
        whole.Append(block->merges.deflate.Flush());
    }
    DeflateStream end;
    end.Write(xml.AfterMerges());
    whole.Append(end.Finish());
    package.PutDeflated(sheet.partName, std::move(whole));
}

void Workbook::Impl::PutEditedParts()
{
    for (WorksheetPart& sheet : sheets)
        if (sheet.document)
            PutSheet(sheet);
    if (styles)
        package.Put(stylesPart, xlsx::SerializePart(*styles));
    PutCalcChain();
    if (contentTypesChanged)
        package.Put(kContentTypesPart, xlsx::SerializePart(contentTypes));
}

void Workbook::Save(const std::string& path)
{
    const ZipPackage& package = Package();
    try {
        package.Write(path);
    } catch (const PackageError& error) {
        throw WorkbookError(error.what());
    }
}

const ZipPackage& Workbook::Package()
{
    impl->PutEditedParts();
    return impl->package;
}
