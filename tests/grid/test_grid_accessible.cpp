// What a screen reader gets from the grid through Qt's accessibility layer,
// and the events the grid sends; one row per question.
#include <QAccessible>
#include <QStringList>

#include "grid/GridAccessible.h"
#include "grid_test_example.h"

namespace {

QStringList sentEvents;

// Records the grid's events as "Type row,col" (the cell they name).
void RecordEvent(QAccessibleEvent* event)
{
    const QString type = QString::fromLatin1(QMetaEnum::fromType<QAccessible::Event>().valueToKey(event->type()));
    QAccessibleInterface* cell = event->child() >= 0 ? event->accessibleInterface() : nullptr;
    const QAccessibleTableCellInterface* at = cell ? cell->tableCellInterface() : nullptr;
    sentEvents << (at ? type + QStringLiteral(" %1,%2").arg(at->rowIndex()).arg(at->columnIndex()) : type);
}

// "Role row,col rowsxcols text [focused] [selected]" of a cell interface.
QString Describe(QAccessibleInterface* cell)
{
    QAccessibleTableCellInterface* at = cell ? cell->tableCellInterface() : nullptr;
    if (!at)
        return QStringLiteral("none");
    const QString role = QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(cell->role()));
    return QStringLiteral("%1 %2,%3 %4x%5 %6%7%8")
        .arg(role).arg(at->rowIndex()).arg(at->columnIndex()).arg(at->rowExtent()).arg(at->columnExtent())
        .arg(cell->text(QAccessible::Name), cell->state().focused ? QStringLiteral(" focused") : QString(),
             at->isSelected() ? QStringLiteral(" selected") : QString());
}

struct Listening {
    Listening() { grid_accessible::SetEventObserver(RecordEvent); }
    ~Listening() { grid_accessible::SetEventObserver(nullptr); }
};

// The record table's headers in small: blocks three rows tall, one "Limits"
// block over three columns with a subtitle each, a record block of three rows.
void RecordLayout(CGridCtrl& g)
{
    for (const auto& [row, col, text] : {CellText{0, 0, "No."}, CellText{0, 2, "Power"}, CellText{0, 8, "Limits"},
                                         CellText{2, 9, "Upper"}, CellText{3, 0, "1"}, CellText{3, 1, "ONT-7"},
                                         CellText{4, 2, "-28.00"}})
        g.SetItemText(row, col, text);
    for (int col : {0, 1, 2})
        g.MergeCells(0, col, 2, 0, 0);
    g.MergeCells(0, 8, 1, 2, 0);
    g.MergeCells(3, 0, 2, 0, 0);
    g.MergeCells(3, 1, 2, 0, 0);
}

}  // namespace

TEST(GridAccessible, AnswersAsATableOfCellsAndHeaders)
{
    const Listening listening;
    ExampleGrid grid(RecordLayout);
    CGridCtrl& g = *grid.grid;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&g);
    ASSERT_TRUE(table && table->tableInterface());
    QAccessibleTableInterface* t = table->tableInterface();
    const QPoint origin = g.viewport()->mapToGlobal(QPoint(0, 0));
    const struct {
        const char* name;
        std::function<QString()> ask;
        const char* expected;
    } cases[] = {
        {"size", [&] { return QStringLiteral("%1x%2").arg(t->rowCount()).arg(t->columnCount()); }, "33x13"},
        {"plain cell", [&] { return Describe(t->cellAt(4, 2)); }, "Cell 4,2 1x1 -28.00"},
        {"covered cell is its block", [&] { return Describe(t->cellAt(5, 1)); }, "Cell 3,1 3x1 ONT-7"},
        {"record number", [&] { return Describe(t->cellAt(4, 0)); }, "RowHeader 3,0 3x1 1"},
        {"header block", [&] { return Describe(t->cellAt(1, 10)); }, "ColumnHeader 0,8 2x3 Limits"},
        {"column headers", [&] { return t->columnDescription(9) + "|" + t->columnDescription(2); }, "Limits Upper|Power"},
        {"header of a cell", [&] { return Describe(t->cellAt(4, 2)->tableCellInterface()->columnHeaderCells().value(0)); },
         "ColumnHeader 0,2 3x1 Power"},
        {"row header", [&] { return Describe(t->cellAt(4, 5)->tableCellInterface()->rowHeaderCells().value(0)); },
         "RowHeader 3,0 3x1 1"},
        {"child index", [&] { return QString::number(table->indexOfChild(table->child(4 * 13 + 1))); }, "40"},
        {"block on screen", [&] { auto r = t->cellAt(3, 1)->rect().translated(-origin);
                                  return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()); },
         "40,60 80x60"},
        {"focus by key", [&] { sentEvents.clear(); g.SetFocusCell(3, 2); grid.Keys({Qt::Key_Down});
                               return Describe(table->focusChild()) + "|" + sentEvents.join(','); },
         "Cell 4,2 1x1 -28.00 focused selected|Focus 3,2,Selection 4,2,Focus 4,2"},
        {"selection", [&] { sentEvents.clear(); g.ApplySelectionRange(3, 1, 4, 2);
                            return QStringLiteral("%1 %2|").arg(t->selectedCellCount()).arg(Describe(t->cellAt(4, 1))) + sentEvents.join(','); },
         "3 Cell 3,1 3x1 ONT-7 selected|Selection 3,1"},
        {"select all, one event", [&] { sentEvents.clear(); g.OnEditSelectAll();
                                        return QString::number(t->selectedRowCount()) + "|" + sentEvents.join(','); },
         "30|Selection 3,1"},
        {"edit end", [&] { sentEvents.clear(); g.AcceptCellEdit(4, 2, "-27.50"); return sentEvents.join(','); }, "NameChanged 4,2"},
        {"new content", [&] { sentEvents.clear(); g.SetRowCount(6); return QString::number(t->rowCount()) + "|" + sentEvents.join(','); },
         "6|TableModelChanged"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.ask().toStdString(), c.expected) << c.name;
}
