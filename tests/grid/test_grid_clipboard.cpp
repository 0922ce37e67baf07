// Clipboard and drag and drop: the bytes of the text format, paste splitting
// and trimming, cut and paste rules, text from other programs, huge texts, and
// drags within a grid, between grids and from a file manager. Drops are sent
// as Qt drag events: a real drag ends at once on the offscreen platform.
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "case_names.h"
#include "grid_test_example.h"

namespace {

using case_names::PrintTo;
using Notes = std::vector<std::array<int, 3>>;   // row, column, code
struct CellText {
    int row, col;
    const char* text;
};

// Centre of a cell of the example grid at scroll position 0: rows of 20
// pixels, a fixed column of 40, then columns of 80.
QPoint At(int row, int col) { return QPoint(col == 0 ? 20 : 80 * col, 20 * row + 10); }

// A grid whose drag drops where the test says, as the platform's drag would:
// enter, move and drop events sent to the target's client area.
class DragTestGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;
    QWidget* dropOn = nullptr;
    QPoint dropAt;
    Qt::KeyboardModifiers dropModifiers;
    int drags = 0;

    Qt::DropAction ExecuteDrag(QMimeData* data) override
    {
        ++drags;
        std::unique_ptr<QMimeData> owned(data);
        if (!dropOn)
            return Qt::IgnoreAction;
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(dropAt, actions, data, Qt::LeftButton, dropModifiers);
        QApplication::sendEvent(dropOn, &enter);
        QDragMoveEvent move(dropAt, actions, data, Qt::LeftButton, dropModifiers);
        QApplication::sendEvent(dropOn, &move);
        if (!move.isAccepted())
            return Qt::IgnoreAction;
        QDropEvent drop(dropAt, actions, data, Qt::NoButton, dropModifiers);
        QApplication::sendEvent(dropOn, &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    }
};

// The example grid (33 x 13, three fixed rows, one fixed column) with "old"
// in every scrolling cell, drag and drop on, and the owner's notes recorded.
struct ClipGrid : GridWindow {
    DragTestGrid& g;
    Notes notes;
    ClipGrid() : GridWindow(new DragTestGrid(33, 13, 3, 1), 500, 300), g(static_cast<DragTestGrid&>(*grid))
    {
        SetSizes(g, std::vector<int>(33, 20), {40, 80, 80, 80, 80, 80, 65, 65, 65, 65, 65, 65, 70});
        SetClientSize(g, 500, 300);
        g.UpdateScrollRanges();
        for (int r = 3; r < 33; ++r)
            for (int c = 1; c < 13; ++c)
                g.SetItemText(r, c, "old");
        g.EnableDragDrop(TRUE);
        QObject::connect(&g, &CGridCtrl::ownerNotify, [this](const GridNotifyInfo& info) {
            notes.push_back({info.row, info.column, info.hdr.code});
        });
    }
    void Select(int row, int col) const { g.SetItemState(row, col, g.GetItemState(row, col) | CELL_SELECTED); }
    void Fill(const std::vector<CellText>& cells, bool select) const
    {
        for (const CellText& c : cells) {
            g.SetItemText(c.row, c.col, c.text);
            if (select)
                Select(c.row, c.col);
        }
    }
    std::string Text(int row, int col) const { return g.GetItemText(row, col); }
    std::string CopyBytes() const
    {
        std::unique_ptr<QMimeData> data(g.BuildCopyData());
        return data ? data->data("text/plain").toStdString() : "<no data>";
    }
    BOOL Paste(CellId start, const std::string& text) const
    {
        QMimeData data;
        data.setText(QString::fromUtf8(text));
        return g.PasteTextAt(start, &data);
    }
    void ExpectTexts(const std::vector<CellText>& cells, const char* name) const
    {
        for (const CellText& c : cells)
            EXPECT_EQ(Text(c.row, c.col), c.text) << name << ": cell " << c.row << "," << c.col;
    }
    // Sends a drag event of `Event` type with text (and URLs) to the client area.
    template <typename Event>
    bool Send(QPoint at, const QMimeData& data, Qt::KeyboardModifiers mods = {}) const
    {
        Event event(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, mods);
        QApplication::sendEvent(g.viewport(), &event);
        return event.isAccepted();
    }
    bool Highlighted(int row, int col) const { return (g.GetItemState(row, col) & CELL_DROPHILITED) != 0; }
};

std::unique_ptr<QMimeData> TextData(const char* text)
{
    auto data = std::make_unique<QMimeData>();
    data->setText(QString::fromUtf8(text));
    return data;
}

// ---- copy ----

struct CopyCase {
    const char* name;
    std::vector<CellText> selected;   // text and selected
    std::vector<CellText> unselected; // text only
    std::string bytes;
};

class GridClipboardCopy : public ::testing::TestWithParam<CopyCase> {};

TEST_P(GridClipboardCopy, GivesTheTextFormatByteForByte)
{
    const CopyCase& c = GetParam();
    ClipGrid grid;
    grid.Fill(c.unselected, false);
    grid.Fill(c.selected, true);
    EXPECT_EQ(grid.CopyBytes(), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, GridClipboardCopy,
    ::testing::Values(
        CopyCase{"two cells of a row", {{5, 2, "a"}, {5, 3, "b"}}, {}, "a\tb"},
        CopyCase{"one empty cell is a space", {{5, 2, ""}}, {}, " "},
        CopyCase{"two rows, an empty cell among them", {{5, 2, "A"}, {5, 3, ""}, {6, 2, "1"}, {6, 3, "2"}}, {},
                 "A\t \n1\t2"},
        CopyCase{"unselected cells of the block are empty fields", {{5, 2, "x"}, {6, 4, "y"}},
                 {{5, 3, "hidden"}, {6, 2, "hidden"}}, "x\t\t\n\t\ty"},
        CopyCase{"Chinese names as UTF-8", {{5, 2, "局端一"}, {5, 3, "终端"}}, {},
                 "\xE5\xB1\x80\xE7\xAB\xAF\xE4\xB8\x80\t\xE7\xBB\x88\xE7\xAB\xAF"}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(GridClipboard, NothingSelectedGivesNoData)
{
    ClipGrid grid;
    EXPECT_EQ(grid.g.BuildCopyData(), nullptr);
}

TEST(GridClipboard, CtrlClickedCellsCopyTheirWholeBoundingBlock)
{
    ClipGrid grid;
    grid.parent->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(grid.parent.get()));
    grid.g.EnableDragDrop(FALSE);   // a press on a selected cell must select, not drag
    grid.g.SetItemText(5, 2, "p");
    grid.g.SetItemText(7, 3, "q");
    QTest::mouseClick(grid.g.viewport(), Qt::LeftButton, {}, At(5, 2));
    QTest::mouseClick(grid.g.viewport(), Qt::LeftButton, Qt::ControlModifier, At(7, 3));
    ASSERT_EQ(grid.g.Store().SelectedCells().size(), 2u);
    EXPECT_EQ(grid.CopyBytes(), "p\t\n\t\n\tq");
}

// ---- paste ----

struct PasteCase {
    const char* name;
    CellId start;
    const char* text;
    std::vector<CellText> expected;
};

class GridClipboardPaste : public ::testing::TestWithParam<PasteCase> {};

TEST_P(GridClipboardPaste, SplitsTrimsAndPlacesTheFields)
{
    const PasteCase& c = GetParam();
    ClipGrid grid;
    grid.g.MergeCells(10, 5, 0, 1, 1);   // (10, 5)-(10, 6) locked
    grid.g.SetItemState(5, 3, CELL_READONLY);
    ASSERT_TRUE(grid.Paste(c.start, c.text));
    grid.ExpectTexts(c.expected, c.name);
    for (int r = 0; r < grid.g.GetRowCount(); ++r)
        for (int col = 0; col < grid.g.GetColumnCount(); ++col)
            EXPECT_EQ(grid.Text(r, col).find_first_of("\r\n\t"), std::string::npos) << c.name << " " << r << "," << col;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GridClipboardPaste,
    ::testing::Values(
        PasteCase{"tab and line feed", {5, 2}, "1\t2\n3\t4", {{5, 2, "1"}, {5, 3, "2"}, {6, 2, "3"}, {6, 3, "4"}, {7, 2, "old"}}},
        PasteCase{"a comma splits", {5, 2}, "1,2", {{5, 2, "1"}, {5, 3, "2"}, {5, 4, "old"}}},
        PasteCase{"an empty field is skipped", {5, 2}, "1\t\t3", {{5, 2, "1"}, {5, 3, "3"}, {5, 4, "old"}}},
        PasteCase{"spaces around a field go", {5, 2}, "  x  ", {{5, 2, "x"}}},
        PasteCase{"a final line feed adds no row", {5, 2}, "a\n", {{5, 2, "a"}, {6, 2, "old"}}},
        PasteCase{"an empty line empties its first cell", {5, 2}, "a\n\nb", {{5, 2, "a"}, {6, 2, ""}, {6, 3, "old"}, {7, 2, "b"}}},
        PasteCase{"CR LF lines of another program", {5, 2}, "a\tb\r\n\r\nc\td\r\n",
                  {{5, 2, "a"}, {5, 3, "b"}, {6, 2, ""}, {7, 2, "c"}, {7, 3, "d"}, {8, 2, "old"}}},
        PasteCase{"fields past the grid are dropped", {31, 12}, "1\t2\n3\t4\n5", {{31, 12, "1"}, {32, 12, "3"}, {31, 11, "old"}}},
        PasteCase{"a locked merged block keeps its text", {10, 4}, "1\t2\t3\t4",
                  {{10, 4, "1"}, {10, 5, "old"}, {10, 6, "old"}, {10, 7, "4"}}},
        PasteCase{"a later read-only cell is written", {5, 2}, "1\t2", {{5, 2, "1"}, {5, 3, "2"}}}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(GridClipboard, NulInsideTheTextEndsIt)
{
    ClipGrid grid;
    QMimeData data;
    data.setText(QString::fromUtf8(QByteArray("1\t2\0" "3\t4\n5", 9)));
    ASSERT_TRUE(grid.g.PasteTextAt({5, 2}, &data));
    grid.ExpectTexts({{5, 2, "1"}, {5, 3, "2"}, {5, 4, "old"}, {6, 2, "old"}}, "NUL");
}

TEST(GridClipboard, PasteNotifiesAroundEachCellAndUnselectsIt)
{
    ClipGrid grid;
    grid.Select(5, 2);
    grid.Select(5, 3);
    grid.notes.clear();
    ASSERT_TRUE(grid.Paste({5, 2}, "1\t2"));
    EXPECT_EQ(grid.notes, (Notes{{5, 2, -105}, {5, 2, -106}, {5, 3, -105}, {5, 3, -106}}));
    EXPECT_TRUE(grid.g.Store().SelectedCells().empty());
    EXPECT_TRUE(grid.g.GetItemState(5, 3) & CELL_MODIFIED);
}

TEST(GridClipboard, PasteIsRefusedOnAReadOnlyStartCellAndWhenNotEditable)
{
    ClipGrid grid;
    grid.g.SetItemState(5, 2, CELL_READONLY);
    EXPECT_FALSE(grid.Paste({5, 2}, "1\t2"));
    grid.ExpectTexts({{5, 2, "old"}, {5, 3, "old"}}, "read-only start");
    grid.g.SetEditable(FALSE);
    EXPECT_FALSE(grid.Paste({6, 2}, "1"));
    EXPECT_EQ(grid.Text(6, 2), "old");
    EXPECT_FALSE(grid.Paste({-1, -1}, "1"));
}

TEST(GridClipboard, HugeTextsFinishAndFillOnlyTheGrid)
{
    ClipGrid grid;
    // Eight megabytes in one line, then a million short lines: each would
    // take hours if the text were copied or searched again per field or line.
    std::string oneLine;
    for (int i = 0; i < 1 << 20; ++i)
        oneLine += "field\t\t";
    ASSERT_TRUE(grid.Paste({5, 1}, oneLine));
    grid.ExpectTexts({{5, 1, "field"}, {5, 12, "field"}, {6, 1, "old"}}, "one line");

    std::string manyLines;
    for (int i = 0; i < 1 << 20; ++i)
        manyLines += "x,y\n";
    ASSERT_TRUE(grid.Paste({3, 11}, manyLines));
    grid.ExpectTexts({{3, 11, "x"}, {3, 12, "y"}, {32, 11, "x"}, {32, 12, "y"}, {32, 10, "old"}}, "many lines");
}

// ---- the clipboard commands ----

TEST(GridClipboard, CopyAndPasteCarryChineseNamesThroughTheClipboard)
{
    ClipGrid grid;
    grid.Fill({{5, 2, "局端一"}, {5, 3, "终端二"}}, true);
    grid.g.OnEditCopy();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "局端一\t终端二");
    grid.g.SetFocusCell(9, 4);
    grid.g.OnEditPaste();
    grid.ExpectTexts({{9, 4, "局端一"}, {9, 5, "终端二"}}, "pasted");
}

TEST(GridClipboard, TextOfAnotherProgramPastesAtTheFocusOrTheTopLeftScrollCell)
{
    ClipGrid grid;
    QGuiApplication::clipboard()->setText("a\tb\r\nc\r\n");
    grid.g.SetFocusCell(8, 2);
    grid.g.OnEditPaste();
    grid.ExpectTexts({{8, 2, "a"}, {8, 3, "b"}, {9, 2, "c"}, {10, 2, "old"}}, "at the focus");

    grid.g.SetFocusCell(-1, -1);
    grid.g.OnVScroll(SB_LINEDOWN);
    const CellId topLeft = grid.g.GetTopLeftScrollCell();
    ASSERT_EQ(topLeft, CellId(6, 1));
    grid.g.OnEditPaste();
    grid.ExpectTexts({{6, 1, "a"}, {6, 2, "b"}, {7, 1, "c"}}, "no focus");
}

TEST(GridClipboard, CutClearsTheEditableSelectedCellsOnlyWhenTheGridIsEditable)
{
    ClipGrid grid;
    grid.Fill({{5, 2, "a"}, {5, 3, "b"}}, true);
    grid.g.SetItemState(5, 3, grid.g.GetItemState(5, 3) | CELL_READONLY);

    grid.g.SetEditable(FALSE);
    QGuiApplication::clipboard()->setText("untouched");
    grid.g.OnEditCut();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "untouched");
    grid.ExpectTexts({{5, 2, "a"}, {5, 3, "b"}}, "not editable");

    grid.g.SetEditable(TRUE);
    grid.notes.clear();
    grid.g.OnEditCut();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "a\tb");
    grid.ExpectTexts({{5, 2, ""}, {5, 3, "b"}}, "editable");
    EXPECT_EQ(grid.notes, (Notes{{5, 2, -105}, {5, 2, -106}}));
}

// ---- drag and drop ----

TEST(GridDragDrop, MoveOntoAnOverlappingAreaKeepsTheOverlapAndEmptiesTheRest)
{
    ClipGrid grid;
    grid.parent->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(grid.parent.get()));
    grid.g.setFocus();
    ASSERT_TRUE(grid.g.hasFocus());
    grid.g.ApplySelectionRange(5, 2, 6, 3);
    grid.g.SetFocusCell(6, 3);
    grid.Fill({{5, 2, "a"}, {5, 3, "b"}, {6, 2, "c"}, {6, 3, "d"}}, false);
    grid.g.dropOn = grid.g.viewport();
    grid.g.dropAt = At(6, 3);
    grid.notes.clear();

    // A press on a selected cell of the focused grid, then a move: the drag.
    QTest::mousePress(grid.g.viewport(), Qt::LeftButton, {}, At(5, 2));
    ASSERT_EQ(grid.g.GetPointerMode(), PointerMode::PendingDrag);
    QTest::mouseMove(grid.g.viewport(), At(5, 3));
    ASSERT_EQ(grid.g.drags, 1);
    EXPECT_NE(std::find(grid.notes.begin(), grid.notes.end(), std::array<int, 3>{5, 2, -109}), grid.notes.end());
    EXPECT_EQ(grid.g.GetPointerMode(), PointerMode::Idle);
    grid.ExpectTexts({{5, 2, ""}, {5, 3, ""}, {6, 2, ""}, {6, 3, "a"}, {6, 4, "b"}, {7, 3, "c"}, {7, 4, "d"}},
                     "after the move");
    EXPECT_FALSE(grid.Highlighted(6, 3));
}

struct DropCase {
    const char* name;
    bool otherGrid;
    Qt::KeyboardModifiers modifiers;
    CellId target;
    std::vector<CellText> expected;   // source (5, 2)-(5, 3) held a and b
    std::vector<CellText> expectedAtTarget;
};

class GridDragDropBetween : public ::testing::TestWithParam<DropCase> {};

TEST_P(GridDragDropBetween, MovesOrCopiesTheBlock)
{
    const DropCase& c = GetParam();
    ClipGrid source;
    ClipGrid other;
    source.Fill({{5, 2, "a"}, {5, 3, "b"}}, true);
    ClipGrid& target = c.otherGrid ? other : source;
    target.g.EnsureVisible(c.target);
    POINT origin;
    ASSERT_TRUE(target.g.GetCellOrigin(c.target, &origin));
    source.g.dropOn = target.g.viewport();
    source.g.dropAt = QPoint(origin.x + 5, origin.y + 5);
    source.g.dropModifiers = c.modifiers;
    source.g.StartDrag();
    source.ExpectTexts(c.expected, c.name);
    target.ExpectTexts(c.expectedAtTarget, c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Drops, GridDragDropBetween,
    ::testing::Values(
        DropCase{"move to another grid", true, {}, {9, 1}, {{5, 2, ""}, {5, 3, ""}}, {{9, 1, "a"}, {9, 2, "b"}}},
        DropCase{"copy with Ctrl to another grid", true, Qt::ControlModifier, {9, 1}, {{5, 2, "a"}, {5, 3, "b"}},
                 {{9, 1, "a"}, {9, 2, "b"}}},
        DropCase{"copy with Ctrl within the grid", false, Qt::ControlModifier, {9, 1}, {{5, 2, "a"}, {5, 3, "b"}},
                 {{9, 1, "a"}, {9, 2, "b"}}},
        DropCase{"a move that cannot place every field keeps the source", true, {}, {9, 12},
                 {{5, 2, "a"}, {5, 3, "b"}}, {{9, 12, "a"}}},
        DropCase{"a drop on a fixed cell changes nothing", true, {}, {1, 2}, {{5, 2, "a"}, {5, 3, "b"}},
                 {{3, 2, "old"}}}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(GridDragDrop, DraggingOverAFixedCellRemovesTheHighlightAndRefuses)
{
    ClipGrid grid;
    const auto data = TextData("x");
    grid.Send<QDragEnterEvent>(At(5, 2), *data);
    EXPECT_TRUE(grid.Send<QDragMoveEvent>(At(5, 2), *data));
    EXPECT_TRUE(grid.Highlighted(5, 2));
    EXPECT_TRUE(grid.Send<QDragMoveEvent>(At(6, 3), *data));
    EXPECT_FALSE(grid.Highlighted(5, 2));
    EXPECT_TRUE(grid.Highlighted(6, 3));

    EXPECT_FALSE(grid.Send<QDragMoveEvent>(At(1, 3), *data));
    EXPECT_FALSE(grid.Highlighted(6, 3));
    EXPECT_EQ(grid.g.GetDropTargetCell(), CellId());
    EXPECT_FALSE(grid.Send<QDropEvent>(At(1, 3), *data));
    EXPECT_EQ(grid.Text(1, 3), "");
}

TEST(GridDragDrop, ALeaveRemovesTheHighlightButKeepsTheTargetCell)
{
    ClipGrid grid;
    const auto data = TextData("x");
    grid.Send<QDragEnterEvent>(At(7, 2), *data);
    ASSERT_TRUE(grid.Highlighted(7, 2));
    QDragLeaveEvent leave;
    QApplication::sendEvent(grid.g.viewport(), &leave);
    EXPECT_FALSE(grid.Highlighted(7, 2));
    EXPECT_EQ(grid.g.GetDropTargetCell(), CellId(7, 2));
}

TEST(GridDragDrop, AFileDraggedInIsLeftToTheWindow)
{
    ClipGrid grid;
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/records.bin")});
    data.setText("/tmp/records.bin");
    EXPECT_FALSE(grid.Send<QDragEnterEvent>(At(5, 2), data));
    EXPECT_FALSE(grid.Send<QDragMoveEvent>(At(5, 2), data));
    EXPECT_FALSE(grid.Send<QDropEvent>(At(5, 2), data));
    EXPECT_FALSE(grid.Highlighted(5, 2));
    EXPECT_EQ(grid.Text(5, 2), "old");
}

TEST(GridDragDrop, DropTargetServesOnlyItsOwnGrid)
{
    ClipGrid grid;
    ClipGrid other;
    GridOleDropTarget& target = grid.g.GetDropTarget();
    const auto data = TextData("x");
    const POINT cell{80 * 2, 20 * 5 + 10};
    ASSERT_TRUE(target.IsRegistered());
    EXPECT_FALSE(target.Register(&grid.g));   // already
    GridOleDropTarget fresh;
    EXPECT_FALSE(fresh.Register(nullptr));
    EXPECT_FALSE(fresh.Register(other.parent.get()));   // not a grid

    EXPECT_EQ(target.OnDragEnter(other.g.viewport(), data.get(), 0, cell), DROPEFFECT_NONE);
    EXPECT_FALSE(grid.Highlighted(5, 2));
    EXPECT_EQ(target.OnDragScroll(other.g.viewport(), MK_CONTROL, cell), DROPEFFECT_NONE);
    EXPECT_EQ(target.OnDragScroll(grid.g.viewport(), MK_CONTROL, cell), DROPEFFECT_COPY);
    EXPECT_EQ(target.OnDragScroll(grid.g.viewport(), 0, cell), DROPEFFECT_MOVE);
    EXPECT_EQ(target.OnDragEnter(grid.g.viewport(), data.get(), MK_CONTROL, cell), DROPEFFECT_COPY);
    EXPECT_TRUE(target.OnDrop(grid.g.viewport(), data.get(), DROPEFFECT_COPY, cell));
    EXPECT_EQ(grid.Text(5, 2), "x");

    target.Revoke();
    EXPECT_FALSE(grid.g.viewport()->acceptDrops());
    EXPECT_EQ(target.OnDragOver(grid.g.viewport(), data.get(), 0, cell), DROPEFFECT_NONE);
}

TEST(GridDragDrop, NoDropWithDragAndDropOffOrAReadOnlyCell)
{
    ClipGrid grid;
    const auto data = TextData("x");
    grid.g.SetItemState(5, 2, CELL_READONLY);
    grid.Send<QDragEnterEvent>(At(5, 2), *data);
    EXPECT_FALSE(grid.Send<QDragMoveEvent>(At(5, 2), *data));
    EXPECT_FALSE(grid.Highlighted(5, 2));
    grid.g.EnableDragDrop(FALSE);
    EXPECT_FALSE(grid.Send<QDragEnterEvent>(At(6, 2), *data));
    EXPECT_FALSE(grid.Send<QDropEvent>(At(6, 2), *data));
    grid.ExpectTexts({{5, 2, "old"}, {6, 2, "old"}}, "refused");
}

TEST(GridDragDrop, DragImageIsThePictureOfTheFocusCell)
{
    ClipGrid grid;
    SIZE size{};
    EXPECT_EQ(grid.g.MakeDragImage(&size), nullptr);
    grid.g.SetFocusCell(5, 2);
    std::unique_ptr<QPixmap> picture(grid.g.MakeDragImage(&size));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(size.cx, 80);
    EXPECT_EQ(size.cy, 20);
    EXPECT_EQ(picture->size(), QSize(80, 20));
}

}  // namespace
