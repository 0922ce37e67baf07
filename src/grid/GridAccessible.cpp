// The grid's accessibility: the table interface of the grid window, the cell
// interfaces it hands out, the factory that makes the table interface, and
// the events the grid sends when its focus, selection or content changes.
#include "grid/GridAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWindow>
#include <algorithm>
#include <limits>

#include "grid/CGridCtrl.h"
#include "grid/CellEditBox.h"

namespace {

// A client asking for the selected cells of a whole-file selection would get
// millions of objects; it gets this many, and the count tells the rest.
constexpr int kMaxListedCells = 4096;

// The cell that stands for (row, col): the master of its merged block.
CellId StandIn(const CGridCtrl& grid, int row, int col)
{
    const GridCellMerge merge = grid.GetCellMerge(row, col);
    return merge.covered ? CellId(merge.masterRow, merge.masterCol) : CellId(row, col);
}

// The cells of a block whose master is given (the cell alone outside blocks).
CellRange BlockOf(const CGridCtrl& grid, CellId master)
{
    const GridCellMerge merge = grid.GetCellMerge(master.row, master.col);
    return CellRange(master.row, master.col, master.row + merge.rowSpan, master.col + merge.colSpan);
}

// The distinct blocks met along a run of cells, in order.
template <typename CellAt>
QList<CellId> BlocksAlong(const CGridCtrl& grid, int count, CellAt cellAt)
{
    QList<CellId> blocks;
    for (int i = 0; i < count; ++i) {
        const CellId cell = cellAt(i);
        const CellId master = StandIn(grid, cell.row, cell.col);
        if (!blocks.contains(master))
            blocks.append(master);
    }
    return blocks;
}

QList<CellId> ColumnHeaderBlocks(const CGridCtrl& grid, int col)
{
    return BlocksAlong(grid, grid.GetFixedRowCount(), [col](int r) { return CellId(r, col); });
}

// A header row has no row header: the fixed column's cells there are column headers.
QList<CellId> RowHeaderBlocks(const CGridCtrl& grid, int row)
{
    if (row < grid.GetFixedRowCount())
        return {};
    return BlocksAlong(grid, grid.GetFixedColumnCount(), [row](int c) { return CellId(row, c); });
}

QString CellText(const CGridCtrl& grid, CellId cell)
{
    return QString::fromStdString(grid.GetItemText(cell.row, cell.col));
}

QString JoinedTexts(const CGridCtrl& grid, const QList<CellId>& blocks)
{
    QStringList texts;
    for (const CellId& block : blocks) {
        const QString text = CellText(grid, block).simplified();
        if (!text.isEmpty() && !texts.contains(text))
            texts.append(text);
    }
    return texts.join(QLatin1Char(' '));
}

// The open in-place editor over the cell, if any.
CellEditBox* EditorOn(const CGridCtrl& grid, CellId cell)
{
    const auto editors = grid.viewport()->findChildren<CellEditBox*>(Qt::FindDirectChildrenOnly);
    for (CellEditBox* editor : editors)
        if (editor->isVisible() && editor->GetEditRow() == cell.row && editor->GetEditColumn() == cell.col)
            return editor;
    return nullptr;
}

// One cell of the table, or one merged block: its master stands for it.
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridCellAccessible(CGridCtrl* grid, CellId master) : grid(grid), cell(master) {}

    bool isValid() const override { return grid && grid->IsValidCell(cell); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid ? grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(grid); }
    // The in-place editor, while it edits this cell, is the cell's one child.
    QAccessibleInterface* child(int index) const override
    {
        CellEditBox* editor = index == 0 && grid ? EditorOn(*grid, cell) : nullptr;
        return editor ? QAccessible::queryAccessibleInterface(editor) : nullptr;
    }
    int childCount() const override { return grid && EditorOn(*grid, cell) ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface* iface) const override
    {
        return iface && grid && iface->object() == EditorOn(*grid, cell) ? 0 : -1;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? CellText(*grid, cell) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    bool isSelected() const override { return isValid() && grid->Store().SelectedCells().Contains(cell); }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return cell.col; }
    int rowIndex() const override { return cell.row; }
    int columnExtent() const override { return isValid() ? BlockOf(*grid, cell).ColSpan() : 1; }
    int rowExtent() const override { return isValid() ? BlockOf(*grid, cell).RowSpan() : 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QList<QAccessibleInterface*> Interfaces(const QList<CellId>& cells) const;

    QPointer<CGridCtrl> grid;
    CellId cell;
};

// The grid window as a table of all its rows and columns; child i is the
// cell (i / columns, i % columns), as the AT-SPI bridge counts them.
class GridTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridTableAccessible(CGridCtrl* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~GridTableAccessible() override { ForgetCells(); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override
    {
        QAccessible::State st = QAccessibleWidget::state();
        st.multiSelectable = !Grid().GetSingleSelection();
        return st;
    }
    int childCount() const override
    {
        return static_cast<int>(std::min<qint64>(qint64(rowCount()) * columnCount(), std::numeric_limits<int>::max()));
    }
    QAccessibleInterface* child(int index) const override
    {
        const int columns = columnCount();
        return index >= 0 && columns > 0 ? cellAt(index / columns, index % columns) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* iface) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override
    {
        const CellId focus = Grid().GetFocusCell();
        return cellAt(focus.row, focus.col);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override { return grid_accessible::ColumnHeaderText(Grid(), column); }
    QString rowDescription(int row) const override { return grid_accessible::RowHeaderText(Grid(), row); }
    int selectedColumnCount() const override { return static_cast<int>(selectedColumns().size()); }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    int columnCount() const override { return Grid().GetColumnCount(); }
    int rowCount() const override { return Grid().GetRowCount(); }
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    // Selecting through the table is left to the grid's own keys and mouse.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { ForgetCells(); }

private:
    CGridCtrl& Grid() const { return *static_cast<CGridCtrl*>(widget()); }
    static qint64 Key(CellId cell) { return (qint64(cell.row) << 32) | quint32(cell.col); }
    // Unregisters the cell interfaces handed out so far.
    void ForgetCells();

    // The cell interfaces handed out, by master cell; registered with Qt,
    // which deletes them when told to.
    mutable QHash<qint64, QAccessible::Id> cells;
};

QRect GridCellAccessible::rect() const
{
    RECT box;
    if (!isValid() || !grid->GetCellRangeRect(BlockOf(*grid, cell), &box))
        return QRect();
    // Grid rectangles are inclusive and in the viewport's coordinates.
    const QRect local(QPoint(box.left, box.top), QPoint(box.right, box.bottom));
    return local.translated(grid->viewport()->mapToGlobal(QPoint(0, 0)));
}

QAccessible::Role GridCellAccessible::role() const
{
    if (!isValid())
        return QAccessible::Cell;
    if (cell.row < grid->GetFixedRowCount())
        return QAccessible::ColumnHeader;
    return cell.col < grid->GetFixedColumnCount() ? QAccessible::RowHeader : QAccessible::Cell;
}

QAccessible::State GridCellAccessible::state() const
{
    QAccessible::State st;
    if (!isValid()) {
        st.invalid = true;
        return st;
    }
    const bool fixed = grid->IsCellFixed(cell.row, cell.col) != FALSE;
    st.focusable = !fixed;
    st.selectable = !fixed && grid->IsSelectionEnabled();
    const CellId focus = grid->GetFocusCell();
    st.focused = grid->IsValidCell(focus) && StandIn(*grid, focus.row, focus.col) == cell;
    st.selected = isSelected();
    st.editable = grid->IsCellEditable(cell) != FALSE;
    st.readOnly = !st.editable;
    st.invisible = !grid->IsCellVisible(cell);
    return st;
}

QList<QAccessibleInterface*> GridCellAccessible::Interfaces(const QList<CellId>& cells) const
{
    QList<QAccessibleInterface*> interfaces;
    QAccessibleInterface* tableIface = parent();
    QAccessibleTableInterface* tableInterface = tableIface ? tableIface->tableInterface() : nullptr;
    if (!tableInterface)
        return interfaces;
    for (const CellId& c : cells)
        interfaces.append(tableInterface->cellAt(c.row, c.col));
    return interfaces;
}

// The header blocks of the cell's column, also for a header cell itself:
// the AT-SPI bridge finds a column's header through the cell in row 0.
QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const
{
    return isValid() ? Interfaces(ColumnHeaderBlocks(*grid, cell.col)) : QList<QAccessibleInterface*>();
}

QList<QAccessibleInterface*> GridCellAccessible::rowHeaderCells() const
{
    return isValid() ? Interfaces(RowHeaderBlocks(*grid, cell.row)) : QList<QAccessibleInterface*>();
}

int GridTableAccessible::indexOfChild(const QAccessibleInterface* iface) const
{
    if (!iface || iface->parent() != this)
        return -1;
    auto* cellIface = const_cast<QAccessibleInterface*>(iface)->tableCellInterface();
    return cellIface ? cellIface->rowIndex() * columnCount() + cellIface->columnIndex() : -1;
}

QAccessibleInterface* GridTableAccessible::childAt(int x, int y) const
{
    const QPoint local = Grid().viewport()->mapFromGlobal(QPoint(x, y));
    if (!Grid().viewport()->rect().contains(local))
        return nullptr;
    const CellId cell = Grid().GetCellFromPoint(POINT{local.x(), local.y()});
    return cellAt(cell.row, cell.col);
}

QAccessibleInterface* GridTableAccessible::cellAt(int row, int column) const
{
    if (!Grid().IsValidCell(row, column))
        return nullptr;
    const CellId master = StandIn(Grid(), row, column);
    const auto known = cells.constFind(Key(master));
    if (known != cells.cend())
        return QAccessible::accessibleInterface(known.value());
    auto* iface = new GridCellAccessible(&Grid(), master);
    cells.insert(Key(master), QAccessible::registerAccessibleInterface(iface));
    return iface;
}

void GridTableAccessible::ForgetCells()
{
    for (const QAccessible::Id id : std::as_const(cells))
        QAccessible::deleteAccessibleInterface(id);
    cells.clear();
}

// O(selected cells): only when a client asks.
int GridTableAccessible::selectedCellCount() const
{
    qint64 count = 0;
    for (const CellId cell : Grid().Store().SelectedCells())
        if (!Grid().GetCellMerge(cell.row, cell.col).covered)
            ++count;
    return static_cast<int>(std::min<qint64>(count, std::numeric_limits<int>::max()));
}

QList<QAccessibleInterface*> GridTableAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> selected;
    for (const CellId cell : Grid().Store().SelectedCells()) {
        if (selected.size() == kMaxListedCells)
            break;
        if (!Grid().GetCellMerge(cell.row, cell.col).covered)
            selected.append(cellAt(cell.row, cell.col));
    }
    return selected;
}

// A column (row) is selected when all of its cells outside the headers are.
bool GridTableAccessible::isColumnSelected(int column) const
{
    const CGridCtrl& grid = Grid();
    if (column < grid.GetFixedColumnCount() || column >= grid.GetColumnCount()
        || grid.GetFixedRowCount() >= grid.GetRowCount())
        return false;
    for (int row = grid.GetFixedRowCount(); row < grid.GetRowCount(); ++row)
        if (!grid.Store().SelectedCells().Contains(row, column))
            return false;
    return true;
}

bool GridTableAccessible::isRowSelected(int row) const
{
    const CGridCtrl& grid = Grid();
    if (row < grid.GetFixedRowCount() || row >= grid.GetRowCount() || grid.GetFixedColumnCount() >= grid.GetColumnCount())
        return false;
    for (int col = grid.GetFixedColumnCount(); col < grid.GetColumnCount(); ++col)
        if (!grid.Store().SelectedCells().Contains(row, col))
            return false;
    return true;
}

QList<int> GridTableAccessible::selectedColumns() const
{
    QList<int> columns;
    if (Grid().Store().SelectedCells().empty())
        return columns;
    for (int col = 0; col < columnCount(); ++col)
        if (isColumnSelected(col))
            columns.append(col);
    return columns;
}

QList<int> GridTableAccessible::selectedRows() const
{
    QList<int> rows;
    const CellRange bounds = Grid().SelectionBounds();
    for (int row = std::max(bounds.minRow, 0); row <= bounds.maxRow; ++row)
        if (isRowSelected(row))
            rows.append(row);
    return rows;
}

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("CGridCtrl"))
        return new GridTableAccessible(static_cast<CGridCtrl*>(object));
    if (className == QLatin1String("TitleTip"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::ToolTip);
    return nullptr;
}

grid_accessible::EventObserver eventObserver = nullptr;

// Events go out only while a client listens, and never while the grid is
// not yet a window or is being destroyed (its signals are blocked then).
bool Listening(const CGridCtrl& grid)
{
    return (eventObserver || QAccessible::isActive()) && grid.IsWindowCreated() && !grid.signalsBlocked();
}

void Deliver(QAccessibleEvent& event)
{
    if (eventObserver)
        eventObserver(&event);
    else
        QAccessible::updateAccessibility(&event);
}

void SendCellEvent(CGridCtrl& grid, CellId cell, QAccessible::Event type)
{
    const CellId master = StandIn(grid, cell.row, cell.col);
    QAccessibleEvent event(&grid, type);
    event.setChild(master.row * grid.GetColumnCount() + master.col);
    Deliver(event);
}

}  // namespace

namespace grid_accessible {

void InstallFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

void SetEventObserver(EventObserver observer)
{
    eventObserver = observer;
}

void FocusMoved(CGridCtrl& grid)
{
    if (Listening(grid) && grid.IsValidCell(grid.GetFocusCell()))
        SendCellEvent(grid, grid.GetFocusCell(), QAccessible::Focus);
}

void SelectionChanged(CGridCtrl& grid)
{
    if (!Listening(grid))
        return;
    // The AT-SPI bridge passes on only selection events that name a cell (or
    // the table): the first selected cell stands for the whole change, as a
    // stock table view does it.
    const SelectedCellSet& selected = grid.Store().SelectedCells();
    if (!selected.empty()) {
        SendCellEvent(grid, *selected.begin(), QAccessible::Selection);
        return;
    }
    QAccessibleEvent event(&grid, QAccessible::Selection);
    Deliver(event);
}

void TextChanged(CGridCtrl& grid, int row, int col)
{
    if (Listening(grid) && grid.IsValidCell(row, col))
        SendCellEvent(grid, CellId(row, col), QAccessible::NameChanged);
}

void ContentReset(CGridCtrl& grid)
{
    if (!Listening(grid))
        return;
    QAccessibleTableModelChangeEvent event(&grid, QAccessibleTableModelChangeEvent::ModelReset);
    Deliver(event);
}

QString ColumnHeaderText(const CGridCtrl& grid, int col)
{
    if (col < 0 || col >= grid.GetColumnCount())
        return QString();
    return JoinedTexts(grid, ColumnHeaderBlocks(grid, col));
}

QString RowHeaderText(const CGridCtrl& grid, int row)
{
    if (row < 0 || row >= grid.GetRowCount())
        return QString();
    return JoinedTexts(grid, RowHeaderBlocks(grid, row));
}

void NameEditor(CellEditBox& editor, const CGridCtrl& grid, int row, int col)
{
    editor.setAccessibleName(ColumnHeaderText(grid, col));
    editor.setAccessibleDescription(RowHeaderText(grid, row));
}

}  // namespace grid_accessible
