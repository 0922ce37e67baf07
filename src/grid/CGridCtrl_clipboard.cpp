// Copy, cut and paste of cell text as plain UTF-8 text. One format serves the
// clipboard and drag and drop: one line per row of the selection's bounding
// block, a tab between fields, a line feed between lines (none after the
// last). A selected empty cell is a single space, so that a paste empties
// the cell it lands on; an unselected cell inside the block is an empty field.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <functional>
#include <string>
#include <string_view>

#include "grid/CGridCtrl.h"

namespace {

// Paste splits a line at tabs and at commas, so text saved as CSV pastes too.
constexpr std::string_view kFieldDelimiters = "\t,\n";
constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

// Without the white space at both ends; this also drops the carriage return
// that ends each line of text from programs that write CR LF.
std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(kWhiteSpace);
    return text.substr(first, last - first + 1);
}

// The data's plain text as UTF-8, up to its first NUL: a NUL ends a text block.
std::string PlainTextOf(const QMimeData& data)
{
    QByteArray bytes = data.text().toUtf8();
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return bytes.toStdString();
}

}  // namespace

QMimeData* CGridCtrl::BuildCopyData()
{
    const CellRange bounds = SelectionBounds();
    if (!IsValidRange(bounds))
        return nullptr;

    const SelectedCellSet& selected = store.SelectedCells();
    // The UTF-8 bytes are what the data keeps and what other programs get:
    // the text of a whole large table is built once, never converted again.
    QByteArray text;
    for (int row = bounds.minRow; row <= bounds.maxRow; ++row) {
        for (int col = bounds.minCol; col <= bounds.maxCol; ++col) {
            if (col > bounds.minCol)
                text += '\t';
            if (!selected.Contains(row, col))
                continue;
            const std::string cell = GetItemText(row, col);
            if (cell.empty())
                text += ' ';
            else
                text.append(cell.data(), static_cast<qsizetype>(cell.size()));
        }
        if (row < bounds.maxRow)
            text += '\n';
    }
    auto* data = new QMimeData;
    data->setData(QStringLiteral("text/plain"), text);
    return data;
}

void CGridCtrl::ClearSelectedText()
{
    if (!IsEditable())
        return;
    const SelectedCellSet& selected = store.SelectedCells();
    for (auto it = selected.begin(); it != selected.end();) {
        const CellId cell = *it;
        ++it;   // clearing takes the cell out of the set
        if (!IsCellEditable(cell))
            continue;
        // Only the text and the selection go: the cell keeps its focus mark
        // and stays a live cell (ReleaseCell is for cells being deleted).
        NotifyOwner(cell.row, cell.col, LVN_BEGINLABELEDIT);
        SetItemText(cell.row, cell.col, "");
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~CELL_SELECTED);
        SetModified(TRUE, cell.row, cell.col);
        NotifyOwner(cell.row, cell.col, LVN_ENDLABELEDIT);
    }
    Invalidate();
}

BOOL CGridCtrl::PasteTextAt(CellId start, const QMimeData* data)
{
    if (!IsValidCell(start) || !IsCellEditable(start) || !data || !data->hasText())
        return FALSE;
    const std::string text = PlainTextOf(*data);
    ForEachPastedField(start, text, [this](int row, int col, std::string_view field) {
        NotifyOwner(row, col, LVN_BEGINLABELEDIT);
        SetItemText(row, col, field);
        SetModified(TRUE, row, col);
        NotifyOwner(row, col, LVN_ENDLABELEDIT);
        // A cell that took dropped text is no longer part of a moved source block.
        SetItemState(row, col, GetItemState(row, col) & ~CELL_SELECTED);
    });
    Invalidate();
    return TRUE;
}

bool CGridCtrl::PasteFitsWhole(CellId start, const QMimeData* data) const
{
    if (!data || !data->hasText())
        return false;
    return ForEachPastedField(start, PlainTextOf(*data), [](int, int, std::string_view) {});
}

bool CGridCtrl::ForEachPastedField(CellId start, std::string_view text,
                                   const std::function<void(int, int, std::string_view)>& place) const
{
    // One pass over the text, and none past the grid's last row or column:
    // megabytes of clipboard text cost no more than the cells they fill.
    bool whole = true;
    std::string_view rest = text;
    for (int row = start.row;; ++row) {
        // A line ends at LF, at CR LF, or at a CR alone (text from older
        // programs): a CR never stays inside a cell.
        const std::size_t lineEnd = rest.find_first_of("\r\n");
        const bool lastLine = lineEnd == std::string_view::npos;
        const std::size_t endLength = !lastLine && rest.substr(lineEnd, 2) == "\r\n" ? 2 : 1;
        std::string_view line = rest.substr(0, lineEnd);
        // An empty line inside the text is one empty field: it empties the
        // first cell of its row.
        if (line.empty() && !lastLine)
            line = " ";
        if (row >= GetRowCount())
            return whole && Trimmed(rest).empty();
        whole = ForEachLineField(row, start.col, line, place) && whole;
        if (lastLine)
            return whole;
        rest.remove_prefix(lineEnd + endLength);
    }
}

bool CGridCtrl::ForEachLineField(int row, int firstCol, std::string_view line,
                                 const std::function<void(int, int, std::string_view)>& place) const
{
    bool whole = true;
    int col = firstCol;
    std::size_t pos = line.find_first_not_of(kFieldDelimiters);
    // Delimiters next to each other give no empty field: later fields move left.
    for (; pos != std::string_view::npos; ++col) {
        const std::size_t end = line.find_first_of(kFieldDelimiters, pos);
        const std::string_view token = line.substr(pos, end == std::string_view::npos ? end : end - pos);
        pos = end == std::string_view::npos ? end : line.find_first_not_of(kFieldDelimiters, end);
        if (col >= GetColumnCount())
            return false;
        // A locked merged block keeps its text; read-only marks do not count here.
        if (GetCellMerge(row, col).mergeLocked != 0) {
            whole = false;
            continue;
        }
        place(row, col, Trimmed(token));
    }
    return whole;
}

void CGridCtrl::OnEditCopy()
{
    if (QMimeData* data = BuildCopyData())
        QGuiApplication::clipboard()->setMimeData(data);   // the clipboard owns it now
}

void CGridCtrl::OnEditCut()
{
    if (!IsEditable())
        return;
    if (QMimeData* data = BuildCopyData()) {
        QGuiApplication::clipboard()->setMimeData(data);
        ClearSelectedText();
    }
}

void CGridCtrl::OnEditPaste()
{
    if (!IsEditable())
        return;
    const CellId start = IsValidCell(focusCell) ? focusCell : GetTopLeftScrollCell();
    if (!IsValidCell(start))
        return;
    if (const QMimeData* data = QGuiApplication::clipboard()->mimeData())
        PasteTextAt(start, data);
}
