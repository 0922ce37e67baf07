// Workbook: what a cell's formula leaves behind when a value is written
// over it. Cells that share its formula get it from another master, and the
// calculation chain forgets the cell, so that spreadsheet programs find
// neither a dangling shared formula nor a chain entry without a formula.
#include "spreadsheet/CellReference.h"
#include "spreadsheet/Workbook_p.h"

#include <algorithm>

namespace {

CellPosition PositionOf(const pugi::xml_node& cell)
{
    return ParseCellName(cell.attribute("r").value()).value_or(CellPosition{});
}

// The cells whose formula is the shared formula `group`, but for `master`, in sheet order.
std::vector<pugi::xml_node> SharingCells(const WorksheetPart& sheet, std::string_view group, const pugi::xml_node& master)
{
    std::vector<pugi::xml_node> cells;
    for (const auto& [number, row] : sheet.rows)
        for (pugi::xml_node cell : row.children()) {
            const pugi::xml_node f = xlsx::Child(cell, "f");
            if (cell != master && f && std::string_view(f.attribute("t").value()) == "shared" && group == f.attribute("si").value())
                cells.push_back(cell);
        }
    return cells;
}

// Gives `cell` the master's formula as it reads from the cell: as the new
// master of the group over `ref`, or (empty `ref`) as a formula of its own.
void TakeFormula(pugi::xml_node cell, const pugi::xml_node& masterFormula, CellPosition from, const std::string& ref)
{
    const CellPosition to = PositionOf(cell);
    pugi::xml_node formula = cell.insert_copy_before(masterFormula, xlsx::Child(cell, "f"));
    cell.remove_child(formula.next_sibling());
    formula.text().set(ShiftFormula(masterFormula.text().get(), to.row - from.row, to.column - from.column).c_str());
    if (!ref.empty()) {
        xlsx::SetAttribute(formula, "ref", ref);
        return;
    }
    for (const char* shared : {"t", "ref", "si"})
        formula.remove_attribute(shared);
}

// The master of a shared formula is written over: the first cell sharing it
// becomes the master of those at and right of its column; the others get
// formulas of their own.
void HandOverSharedFormula(const WorksheetPart& sheet, const pugi::xml_node& master, const pugi::xml_node& formula)
{
    const std::vector<pugi::xml_node> sharing = SharingCells(sheet, formula.attribute("si").value(), master);
    if (sharing.empty())
        return;
    const CellPosition from = PositionOf(master), first = PositionOf(sharing.front());
    CellPosition last = first;
    for (const pugi::xml_node& cell : sharing)
        if (PositionOf(cell).column >= first.column) {
            last.row = std::max(last.row, PositionOf(cell).row);
            last.column = std::max(last.column, PositionOf(cell).column);
        }
    const std::string ref = last == first ? CellName(first.row, first.column)
                                          : CellName(first.row, first.column) + ":" + CellName(last.row, last.column);
    TakeFormula(sharing.front(), formula, from, ref);
    for (const pugi::xml_node& cell : sharing)
        if (PositionOf(cell).column < first.column)
            TakeFormula(cell, formula, from, {});
}

} // namespace

void Workbook::Impl::ClearValue(WorksheetPart& sheet, pugi::xml_node cell)
{
    if (const pugi::xml_node formula = xlsx::Child(cell, "f")) {
        if (std::string_view(formula.attribute("t").value()) == "shared" && formula.attribute("ref"))
            HandOverSharedFormula(sheet, cell, formula);
        formulasDropped.emplace_back(sheet.sheetId, cell.attribute("r").value());
    }
    while (pugi::xml_node child = cell.first_child())
        cell.remove_child(child);
    cell.remove_attribute("t");
}

void Workbook::Impl::PutCalcChain()
{
    const std::string* bytes = calcChainPart.empty() || formulasDropped.empty() ? nullptr : package.Find(calcChainPart);
    if (!bytes)
        return;
    pugi::xml_document chain;
    xlsx::ParsePart(chain, *bytes, calcChainPart);
    pugi::xml_node root = chain.document_element();
    // An entry without a sheet id ("i") is on the sheet of the entry before it.
    int sheetId = 0;
    for (pugi::xml_node entry = root.first_child(); entry;) {
        pugi::xml_node next = entry.next_sibling();
        sheetId = entry.attribute("i").as_int(sheetId);
        const std::pair<int, std::string> key{sheetId, entry.attribute("r").value()};
        if (std::find(formulasDropped.begin(), formulasDropped.end(), key) != formulasDropped.end()) {
            // What the entry says for those after it (its sheet, the start of a new level) passes on.
            for (const char* carried : {"i", "l"})
                if (next && entry.attribute(carried) && !next.attribute(carried))
                    next.append_attribute(carried) = entry.attribute(carried).value();
            root.remove_child(entry);
        }
        entry = next;
    }
    formulasDropped.clear();
    if (!xlsx::Child(root, "c")) {
        RemoveWorkbookPart(calcChainPart);
        calcChainPart.clear();
        return;
    }
    package.Put(calcChainPart, xlsx::SerializePart(chain));
}
