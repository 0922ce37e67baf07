// Clipboard and drag and drop. Drops are sent as Qt drag events: a real drag
// ends at once on the offscreen platform.
#include <QClipboard>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "grid_test_example.h"

namespace {

using namespace std::string_literals;
using Notes = std::vector<std::array<int, 3>>;   // row, column, code

template <typename Event>
bool SendDrag(QWidget* to, QPoint at, const QMimeData& data, Qt::KeyboardModifiers mods = {},
              Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction)
{
    Event event(at, offered, &data, Qt::LeftButton, mods);
    QApplication::sendEvent(to, &event);
    return event.isAccepted();
}

// A grid whose drag drops where the test says, as the platform's drag would.
struct DragTestGrid : CGridCtrl {
    using CGridCtrl::CGridCtrl;
    QWidget* dropOn = nullptr;
    QPoint dropAt;
    Qt::KeyboardModifiers mods;
    Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    Qt::DropAction ExecuteDrag(QMimeData* data) override
    {
        std::unique_ptr<QMimeData> owned(data);
        SendDrag<QDragEnterEvent>(dropOn, dropAt, *data, mods, offered);
        if (!SendDrag<QDragMoveEvent>(dropOn, dropAt, *data, mods, offered))
            return Qt::IgnoreAction;
        QDropEvent drop(dropAt, offered, data, Qt::NoButton, mods);
        QApplication::sendEvent(dropOn, &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    }
};

// The example grid's layout with "old" in every scrolling cell, drag and drop
// on, and the owner's notes recorded.
struct ClipGrid : ExampleGrid {
    DragTestGrid& g;
    Notes notes;
    ClipGrid() : ExampleGrid({}, new DragTestGrid(kRows, kCols, 0, 0)), g(static_cast<DragTestGrid&>(*grid))
    {
        for (int r = 3; r < kRows; ++r)
            for (int c = 1; c < kCols; ++c)
                g.SetItemText(r, c, "old");
        g.EnableDragDrop(TRUE);
        QObject::connect(&g, &CGridCtrl::ownerNotify,
                         [this](const GridNotifyInfo& info) { notes.push_back({info.row, info.column, info.hdr.code}); });
    }
    void Fill(const std::vector<CellText>& cells, bool select) const
    {
        for (const CellText& c : cells) {
            g.SetItemText(c.row, c.col, c.text);
            if (select)
                g.SetItemState(c.row, c.col, g.GetItemState(c.row, c.col) | CELL_SELECTED);
        }
    }
    std::string CopyBytes() const
    {
        std::unique_ptr<QMimeData> data(g.BuildCopyData());
        return data ? data->data("text/plain").toStdString() : "<no data>";
    }
};

// ---- copy, cut and paste ----

TEST(GridClipboard, CopyGivesTheTextFormatByteForByte)
{
    const struct { std::vector<CellText> selected; std::string bytes; } cases[] = {
        {{}, "<no data>"}, {{{5, 2, ""}}, " "},   // an empty cell is a space
        {{{5, 2, "A"}, {5, 3, ""}, {6, 2, "1"}, {6, 3, "2"}}, "A\t \n1\t2"},
        {{{5, 2, "局端一"}, {5, 3, "终端"}}, "\xE5\xB1\x80\xE7\xAB\xAF\xE4\xB8\x80\t\xE7\xBB\x88\xE7\xAB\xAF"}};
    for (const auto& c : cases) {
        ClipGrid grid;
        grid.Fill(c.selected, true);
        EXPECT_EQ(grid.CopyBytes(), c.bytes);
    }
    // Ctrl+clicked cells copy their whole bounding block, whose unselected
    // cells ("old" here) are empty fields.
    ClipGrid grid;
    ASSERT_TRUE(grid.Activate());
    grid.g.EnableDragDrop(FALSE);   // a press on a selected cell must select, not drag
    grid.Fill({{5, 2, "p"}, {7, 3, "q"}}, false);
    grid.Click(At(5, 2));
    grid.Click(At(7, 3), Qt::ControlModifier);
    EXPECT_EQ(grid.CopyBytes(), "p\t\n\t\n\tq");
}

// On a grid with (5, 3) read-only, which a paste starting before it writes,
// and the locked merged block (10, 5)-(10, 6). No cell may keep a CR, LF or tab.
TEST(GridClipboard, PasteSplitsTrimsAndPlacesTheFields)
{
    const struct { const char* name; CellId start; std::string text; std::vector<CellText> expected; } cases[] = {
        {"tab and line feed", {5, 2}, "1\t2\n3\t4", {{5, 2, "1"}, {5, 3, "2"}, {6, 2, "3"}, {6, 3, "4"}, {7, 2, "old"}}},
        {"commas split, empty fields go", {5, 2}, "1,\t,2", {{5, 2, "1"}, {5, 3, "2"}, {5, 4, "old"}}},
        {"spaces around a field go", {5, 2}, "  x  ", {{5, 2, "x"}}},
        {"an empty line empties its first cell", {5, 2}, "a\n\nb", {{5, 2, "a"}, {6, 2, ""}, {6, 3, "old"}, {7, 2, "b"}}},
        {"CR LF lines, the last adds no row", {5, 2}, "a\tb\r\n\r\nc\td\r\n",
         {{5, 2, "a"}, {5, 3, "b"}, {6, 2, ""}, {7, 2, "c"}, {7, 3, "d"}, {8, 2, "old"}}},
        {"a CR alone ends a line too", {5, 2}, "a\rb c\r\rd", {{5, 2, "a"}, {6, 2, "b c"}, {7, 2, ""}, {8, 2, "d"}}},
        {"fields past the grid are dropped", {31, 12}, "1\t2\n3\t4\n5", {{31, 12, "1"}, {32, 12, "3"}, {31, 11, "old"}}},
        {"a locked block keeps its text", {10, 4}, "1\t2\t3\t4", {{10, 4, "1"}, {10, 5, "old"}, {10, 6, "old"}, {10, 7, "4"}}},
        {"a NUL ends the text", {5, 2}, "1\t2\0" "3\t4\n5"s, {{5, 2, "1"}, {5, 3, "2"}, {5, 4, "old"}, {6, 2, "old"}}},
        // Huge texts must finish: each would take hours if the text were
        // copied or searched again per field or per line.
        {"megabytes in one line", {5, 1}, QByteArray("field\t\t").repeated(1 << 20).toStdString(),
         {{5, 1, "field"}, {5, 12, "field"}, {6, 1, "old"}}},
        {"a million lines", {3, 11}, QByteArray("x,y\n").repeated(1 << 20).toStdString(),
         {{3, 11, "x"}, {3, 12, "y"}, {32, 11, "x"}, {32, 12, "y"}, {32, 10, "old"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClipGrid grid;
        grid.g.MergeCells(10, 5, 0, 1, 1);
        grid.g.SetItemState(5, 3, CELL_READONLY);
        QMimeData data;
        data.setText(QString::fromUtf8(c.text));
        ASSERT_TRUE(grid.g.PasteTextAt(c.start, &data));
        grid.ExpectTexts(c.expected);
        for (int r = 0; r < ClipGrid::kRows; ++r)
            for (int col = 0; col < ClipGrid::kCols; ++col)
                EXPECT_EQ(grid.g.GetItemText(r, col).find_first_of("\r\n\t"), std::string::npos) << r << "," << col;
    }
}

// Copy; paste at the focus, refused on a read-only one, at the top-left
// scrolling cell with none, and not at all on a grid that is not editable;
// cut, which also needs an editable grid and keeps read-only cells.
TEST(GridClipboard, CommandsGoThroughTheClipboard)
{
    ClipGrid grid;
    QClipboard& clipboard = *QGuiApplication::clipboard();
    grid.Fill({{5, 2, "局端一"}, {5, 3, "终端二"}}, true);
    grid.g.OnEditCopy();
    EXPECT_EQ(clipboard.text().toStdString(), "局端一\t终端二");
    grid.Fill({{9, 5, "old"}}, true);
    grid.g.SetFocusCell(9, 4);
    grid.notes.clear();
    grid.g.OnEditPaste();
    grid.ExpectTexts({{9, 4, "局端一"}, {9, 5, "终端二"}});
    EXPECT_EQ(grid.notes, (Notes{{9, 4, -105}, {9, 4, -106}, {9, 5, -105}, {9, 5, -106}}));
    EXPECT_EQ(grid.g.GetItemState(9, 5) & (CELL_SELECTED | CELL_MODIFIED), CELL_MODIFIED);
    EXPECT_EQ(grid.g.Store().SelectedCells().size(), 2u);   // the copied cells

    clipboard.setText("a\tb\r\nc\r\n");
    grid.g.SetItemState(8, 2, CELL_READONLY);
    grid.g.SetFocusCell(8, 2);
    grid.g.OnEditPaste();
    grid.ExpectTexts({{8, 2, "old"}, {8, 3, "old"}});
    grid.g.SetFocusCell(-1, -1);
    grid.g.OnVScroll(SB_LINEDOWN);   // top-left scrolling cell (6, 1)
    grid.g.OnEditPaste();
    grid.ExpectTexts({{6, 1, "a"}, {6, 2, "b"}, {7, 1, "c"}});

    grid.g.SetItemState(5, 3, grid.g.GetItemState(5, 3) | CELL_READONLY);
    grid.g.SetEditable(FALSE);
    grid.g.SetFocusCell(11, 2);
    grid.g.OnEditPaste();
    grid.g.OnEditCut();
    EXPECT_EQ(clipboard.text().toStdString(), "a\tb\r\nc\r\n");
    grid.ExpectTexts({{5, 2, "局端一"}, {5, 3, "终端二"}, {11, 2, "old"}});
    grid.g.SetEditable(TRUE);
    grid.notes.clear();
    grid.g.OnEditCut();
    EXPECT_EQ(clipboard.text().toStdString(), "局端一\t终端二");
    grid.ExpectTexts({{5, 2, ""}, {5, 3, "终端二"}});
    EXPECT_EQ(grid.notes, (Notes{{5, 2, -105}, {5, 2, -106}}));
}

// ---- drag and drop ----

TEST(GridDragDrop, MovePicturesTheFocusCellAndOntoAnOverlapKeepsItAndEmptiesTheRest)
{
    ClipGrid grid;
    ASSERT_TRUE(grid.Activate());
    grid.g.setFocus();
    grid.g.ApplySelectionRange(5, 2, 6, 3);
    SIZE size{};
    EXPECT_EQ(grid.g.MakeDragImage(&size), nullptr);   // no focus cell
    grid.g.SetFocusCell(6, 3);
    const std::unique_ptr<QPixmap> picture(grid.g.MakeDragImage(&size));   // the dragged picture
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(QSize(size.cx, size.cy) == QSize(80, 20) && picture->size() == QSize(80, 20));
    grid.Fill({{5, 2, "a"}, {5, 3, "b"}, {6, 2, "c"}, {6, 3, "d"}}, false);
    grid.g.dropOn = grid.g.viewport();
    grid.g.dropAt = At(6, 3);
    grid.notes.clear();
    // A press on a selected cell of the focused grid, then a move: the drag.
    grid.Press(At(5, 2));
    ASSERT_EQ(grid.g.GetPointerMode(), PointerMode::PendingDrag);
    grid.MoveTo(At(5, 3));
    EXPECT_NE(std::find(grid.notes.begin(), grid.notes.end(), std::array<int, 3>{5, 2, -109}), grid.notes.end());
    EXPECT_EQ(grid.g.GetPointerMode(), PointerMode::Idle);
    grid.ExpectTexts({{5, 2, ""}, {5, 3, ""}, {6, 2, ""}, {6, 3, "a"}, {6, 4, "b"}, {7, 3, "c"}, {7, 4, "d"}});
    EXPECT_FALSE(grid.g.GetItemState(6, 3) & CELL_DROPHILITED);
}

// Drags of (5, 2)-(5, 3), "a" and "b" (or of the last two columns): a copy
// within the grid, moves onto an overlap one cell to the right or left, a
// move where only "a" finds a cell (nothing changes on either side), a full
// move to another grid of a drag offered only to move.
TEST(GridDragDrop, DragsCopyOrMoveTheBlock)
{
    ClipGrid source, other;
    const auto drag = [&](ClipGrid& target, CellId cell, Qt::KeyboardModifiers mods, int firstCol = 2) {
        source.g.ClearSelection();
        source.Fill({{5, firstCol, "a"}, {5, firstCol + 1, "b"}}, true);
        target.g.EnsureVisible(cell);
        POINT origin{};
        EXPECT_TRUE(target.g.GetCellOrigin(cell, &origin));
        source.g.dropOn = target.g.viewport();
        source.g.dropAt = QPoint(origin.x + 5, origin.y + 5);
        source.g.mods = mods;
        source.g.StartDrag();
    };
    drag(source, {9, 1}, Qt::ControlModifier);
    source.ExpectTexts({{5, 2, "a"}, {5, 3, "b"}, {9, 1, "a"}, {9, 2, "b"}});
    drag(source, {5, 3}, {});
    source.ExpectTexts({{5, 2, ""}, {5, 3, "a"}, {5, 4, "b"}});
    drag(source, {5, 1}, {});
    source.ExpectTexts({{5, 1, "a"}, {5, 2, "b"}, {5, 3, ""}});
    drag(source, {5, 12}, {}, 11);
    source.ExpectTexts({{5, 11, "a"}, {5, 12, "b"}});
    EXPECT_EQ(source.g.GetItemState(5, 12) & CELL_DROPHILITED, 0u) << "a refused move leaves no highlight";
    source.g.offered = Qt::MoveAction;   // Ctrl cannot make a copy of what is offered only to move
    drag(other, {9, 12}, Qt::ControlModifier);
    source.ExpectTexts({{5, 2, "a"}, {5, 3, "b"}});
    other.ExpectTexts({{9, 12, "old"}});
    drag(other, {10, 1}, Qt::ControlModifier);
    source.ExpectTexts({{5, 2, ""}, {5, 3, ""}});
    other.ExpectTexts({{10, 1, "a"}, {10, 2, "b"}});
}

// One drag after another over one grid: after each event, whether it was
// taken, the only highlighted cell and the drop target cell.
TEST(GridDragDrop, OnlyAnEditableScrollingCellTakesTextAndNoCellTakesAFile)
{
    ClipGrid grid;
    QMimeData text, file;
    text.setText("x");
    file.setUrls({QUrl::fromLocalFile("/tmp/records.bin")});
    file.setText("/tmp/records.bin");
    grid.g.SetItemState(8, 2, CELL_READONLY);
    // event: Enter, Move, Drop, Leave; taken is not asked of a leave.
    const struct { char event; CellId at; const QMimeData& data; bool taken; CellId lit, target; } steps[] = {
        {'E', {8, 2}, text, true, {}, {8, 2}},          {'M', {8, 2}, text, false, {}, {8, 2}},
        {'M', {5, 2}, text, true, {5, 2}, {5, 2}},      {'M', {6, 3}, text, true, {6, 3}, {6, 3}},
        {'M', {1, 3}, text, false, {}, {}},             {'D', {1, 3}, text, false, {}, {}},
        {'E', {7, 2}, text, true, {7, 2}, {7, 2}},      {'L', {}, text, false, {}, {7, 2}},
        {'E', {5, 2}, file, false, {}, {7, 2}},         {'M', {5, 2}, file, false, {}, {7, 2}},
        {'D', {5, 2}, file, false, {}, {7, 2}},
    };
    QWidget* view = grid.g.viewport();
    for (const auto& s : steps) {
        const QPoint at = At(s.at.row, s.at.col);
        SCOPED_TRACE(testing::Message() << s.event << " " << s.at.row << "," << s.at.col);
        if (s.event == 'L') {
            QDragLeaveEvent leave;
            QApplication::sendEvent(view, &leave);
        } else {
            EXPECT_EQ(s.event == 'E'   ? SendDrag<QDragEnterEvent>(view, at, s.data)
                      : s.event == 'M' ? SendDrag<QDragMoveEvent>(view, at, s.data)
                                       : SendDrag<QDropEvent>(view, at, s.data),
                      s.taken);
        }
        for (int r = 0; r < ClipGrid::kRows; ++r)
            for (int c = 0; c < ClipGrid::kCols; ++c)
                EXPECT_EQ((grid.g.GetItemState(r, c) & CELL_DROPHILITED) != 0, CellId(r, c) == s.lit) << r << "," << c;
        EXPECT_EQ(grid.g.GetDropTargetCell(), s.target);
    }
    grid.g.EnableDragDrop(FALSE);
    EXPECT_FALSE(SendDrag<QDragEnterEvent>(view, At(6, 2), text));
    EXPECT_FALSE(SendDrag<QDropEvent>(view, At(6, 2), text));
    grid.ExpectTexts({{1, 3, ""}, {5, 2, "old"}, {6, 2, "old"}, {8, 2, "old"}});
}

TEST(GridDragDrop, DropTargetServesOnlyItsOwnGrid)
{
    ClipGrid grid, other;
    GridOleDropTarget& target = grid.g.GetDropTarget();
    QMimeData data;
    data.setText("x");
    const POINT cell{160, 110};
    EXPECT_FALSE(target.Register(&grid.g));   // already
    GridOleDropTarget fresh;
    EXPECT_FALSE(fresh.Register(other.parent.get()));   // not a grid
    EXPECT_EQ(target.OnDragEnter(other.g.viewport(), &data, 0, cell), DROPEFFECT_NONE);
    EXPECT_EQ(target.OnDragScroll(other.g.viewport(), MK_CONTROL, cell), DROPEFFECT_NONE);
    EXPECT_EQ(target.OnDragScroll(grid.g.viewport(), MK_CONTROL, cell), DROPEFFECT_COPY);
    EXPECT_EQ(target.OnDragScroll(grid.g.viewport(), 0, cell), DROPEFFECT_MOVE);
    EXPECT_EQ(target.OnDragOver(grid.g.viewport(), &data, 0, cell), DROPEFFECT_MOVE);
    target.Revoke();
    EXPECT_FALSE(grid.g.viewport()->acceptDrops());
    EXPECT_EQ(target.OnDragOver(grid.g.viewport(), &data, 0, cell), DROPEFFECT_NONE);
}

}  // namespace
