#pragma once
// Inside of Workbook: the package, the XML documents being edited and the
// helpers the package, sheet and style files share.
#include "spreadsheet/DeflateStream.h"
#include "spreadsheet/Workbook.h"

#include <pugixml.hpp>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace xlsx {

// Relationship types end with these names (transitional and strict alike).
inline constexpr std::string_view kOfficeDocumentType = "/officeDocument";
inline constexpr std::string_view kWorksheetType = "/worksheet";
inline constexpr std::string_view kStylesType = "/styles";
inline constexpr std::string_view kCalcChainType = "/calcChain";

// The name without its namespace prefix ("x:row" -> "row").
std::string_view LocalName(const pugi::xml_node& node);
// The first child with the local name `local`.
pugi::xml_node Child(const pugi::xml_node& parent, std::string_view local);
// The child with local name `local`, created where the schema's element
// order puts it when missing (`order` lists the parent's children in order).
pugi::xml_node ChildInOrder(pugi::xml_node parent, std::string_view local, std::span<const std::string_view> order);
// A new child element named with the parent's namespace prefix.
pugi::xml_node AppendElement(pugi::xml_node parent, std::string_view local);
pugi::xml_node InsertElementBefore(pugi::xml_node parent, std::string_view local, pugi::xml_node before);
// Sets the attribute, adding it when missing.
void SetAttribute(pugi::xml_node node, const char* name, std::string_view value);

// The children of <worksheet> in the order the schema requires.
extern const std::span<const std::string_view> kWorksheetOrder;

// Parses a part; throws WorkbookError naming it when it is not XML.
void ParsePart(pugi::xml_document& document, const std::string& bytes, const std::string& partName);
std::string SerializePart(const pugi::xml_document& document);

// The part a relationship target names, relative to the part `source`
// ("" for the package's own relationships).
std::string ResolveTarget(std::string_view source, std::string_view target);
// "xl/_rels/workbook.xml.rels" for "xl/workbook.xml".
std::string RelationshipsPartOf(std::string_view part);

// "FF" + RRGGBB of a 0x00BBGGRR colour.
std::string ArgbText(std::uint32_t colorref);
std::string NumberText(double value);

} // namespace xlsx

// Rows written as XML by one WorkbookRowWriter, compressed as they come
// (a sheet of many records is ~100 MB of XML; compressed it is a sixth of
// that), with the merged ranges the writer added.
struct RowBlock {
    // XML not yet compressed; compressed once it reaches kPendingBytes.
    struct Stream {
        static constexpr std::size_t kPendingBytes = 256 * 1024;
        std::string pending;
        DeflateStream deflate;
        // Compresses what is pending when there is enough of it, or always.
        void Compress(bool always = false);
    };
    Stream rows;
    Stream merges;
    std::size_t mergeCount = 0;
    int firstRow = 0, lastRow = 0;   // of the rows begun; 0 while none is
    struct {
        int firstRow = 0, lastRow = 0, firstColumn = 0, lastColumn = 0;
    } used;                          // the area of the cells written
};

// One worksheet: its part and, once touched, its XML with an index of rows.
struct WorksheetPart {
    std::string name;
    std::string partName;
    int sheetId = 0;   // the workbook's id of the sheet, as the calculation chain names it
    std::unique_ptr<pugi::xml_document> document;
    pugi::xml_node sheetData;
    std::map<int, pugi::xml_node> rows;
    // The used area as the <dimension> element tells it, widened by writes.
    int firstRow = 0, firstColumn = 0, lastRow = 0, lastColumn = 0;
    // The namespace prefix of the sheet's elements ("" or "x:"), for the XML written as text.
    std::string prefix;
    // Blocks of rows written by WorkbookRowWriters, in order, after the rows of the document.
    std::vector<std::unique_ptr<RowBlock>> rowBlocks;
    // Merged ranges added, as <mergeCell> XML, after those of the document.
    std::string appendedMerges;
    std::size_t appendedMergeCount = 0;
};

struct Workbook::Impl {
    ZipPackage package;
    pugi::xml_document contentTypes;
    bool contentTypesChanged = false;
    std::string workbookPart;
    pugi::xml_document workbookRels;
    std::string workbookRelsPart;
    std::vector<WorksheetPart> sheets;

    std::unique_ptr<pugi::xml_document> styles;
    std::string stylesPart;
    // Formats already derived: (base format index, changes) -> new index.
    std::unordered_map<std::string, unsigned> derivedFormats;

    // The calculation chain (empty: none), and its entries of cells whose
    // formula was written over: (sheet id, cell name), taken out at saving.
    std::string calcChainPart;
    std::vector<std::pair<int, std::string>> formulasDropped;

    // Loads the package's workbook part and its relationships.
    void LoadStructure();
    // Throws unless every worksheet and the style sheet are readable XML.
    void CheckParts() const;
    WorksheetPart& Sheet(int index);
    // The loaded XML of a worksheet.
    WorksheetPart& LoadedSheet(int index);
    // The cell element at (row, column), created in row and column order.
    pugi::xml_node Cell(WorksheetPart& sheet, int row, int column);
    void UpdateDimension(WorksheetPart& sheet);
    // Empties a cell of its value, formula and type before a new value; its
    // format stays. Cells sharing its formula keep theirs.
    void ClearValue(WorksheetPart& sheet, pugi::xml_node cell);
    // Takes the formulas written over out of the calculation chain.
    void PutCalcChain();
    // The last row written so far by row writers (0 when none).
    static int LastAppendedRow(const WorksheetPart& sheet);
    // The sheet's XML with the rows and merged ranges written as text: raw
    // when no row writer was used, else compressed.
    void PutSheet(WorksheetPart& sheet);
    // Puts every part edited into the package.
    void PutEditedParts();

    // The style sheet, created with the defaults when the package has none.
    pugi::xml_node StyleSheet();
    unsigned DeriveFormat(unsigned base, const CellFormat& format, const CellLook& look = {});
    // Adds a relationship from the workbook part; returns its id.
    std::string AddWorkbookRelationship(std::string_view type, std::string_view target);
    // Takes a part the workbook part relates to out, with its relationship
    // and content type.
    void RemoveWorkbookPart(const std::string& target);
    void AddContentTypeOverride(const std::string& partName, std::string_view contentType);
    // Parses the workbook part, lets `edit` change it and puts it back.
    template <typename Edit>
    void EditWorkbookPart(Edit edit)
    {
        pugi::xml_document workbook;
        xlsx::ParsePart(workbook, *package.Find(workbookPart), workbookPart);
        edit(workbook.document_element());
        package.Put(workbookPart, xlsx::SerializePart(workbook));
    }
};
