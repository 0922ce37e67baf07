// The keyboard: moving the focus cell with Tab, the arrows, Page Up/Down,
// Home and End (Shift extends the selection from the anchor), Delete, the
// Ctrl letters of the edit commands, and typed characters that start an
// in-place edit.
#include <QKeyEvent>
#include <algorithm>

#include "grid/CGridCtrl.h"

namespace {

// The virtual key of a Qt key; 0 for keys the grid has no use for.
UINT VirtualKeyOf(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return static_cast<UINT>('A' + (qtKey - Qt::Key_A));
    switch (qtKey) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_F2: return VK_F2;
    default: return 0;
    }
}

bool IsModifierKey(int qtKey)
{
    return qtKey == Qt::Key_Shift || qtKey == Qt::Key_Control || qtKey == Qt::Key_Alt || qtKey == Qt::Key_Meta
        || qtKey == Qt::Key_AltGr || qtKey == Qt::Key_CapsLock || qtKey == Qt::Key_NumLock;
}

// The characters that arrive as WM_CHAR: printable ones and Backspace, Tab,
// Enter and Esc (Delete, arrows and other control codes do not).
bool IsTypedCharacter(char32_t code)
{
    return code == 8 || code == 9 || code == 13 || code == 27 || (code >= 32 && code != 127);
}

} // namespace

void CGridCtrl::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    if (IsModifierKey(event->key()))
        return;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (const UINT key = VirtualKeyOf(event->key()))
        OnKeyDown(key, modifiers);
    // Alt combinations are menu keys, not characters.
    const QString text = event->text();
    if (text.isEmpty() || (modifiers & Qt::AltModifier))
        return;
    const char32_t code = text.toUcs4().value(0);
    if (IsTypedCharacter(code))
        OnChar(static_cast<UINT>(code), modifiers);
}

void CGridCtrl::OnChar(UINT ch, Qt::KeyboardModifiers modifiers)
{
    if ((modifiers & Qt::ControlModifier) || pointerMode != PointerMode::Idle || (tabNavigation && ch == VK_TAB)
        || !IsValidCell(focusCell))
        return;
    BeginCellEdit(focusCell.row, focusCell.col, static_cast<int>(ch));
}

BOOL CGridCtrl::OnKeyDown(UINT key, Qt::KeyboardModifiers modifiers)
{
    if (!IsValidCell(focusCell))
        return FALSE;
    const bool shift = (modifiers & Qt::ShiftModifier) != 0;
    const int firstRow = GetFixedRowCount();
    const int firstCol = GetFixedColumnCount();
    const int lastRow = GetRowCount() - 1;
    const int lastCol = GetColumnCount() - 1;
    CellId next = focusCell;
    bool wrapped = false;

    if (modifiers & Qt::ControlModifier) {
        switch (key) {
        case 'A': OnEditSelectAll(); break;
        case 'C': OnEditCopy(); break;
        case 'V': OnEditPaste(); break;
        case 'X': OnEditCut(); break;
        default: break;
        }
        // The edit command may have removed the focus cell.
        if (!IsValidCell(focusCell))
            return TRUE;
    }

    // Page keys move the focus by as many rows as the page moved the top row.
    const auto pageBy = [&](UINT code, int rowAtEnd) {
        const int topBefore = GetTopLeftScrollCell().row;
        OnVScroll(code);
        const int moved = GetTopLeftScrollCell().row - topBefore;
        next.row = moved == 0 ? rowAtEnd : std::clamp(next.row + moved, firstRow, lastRow);
    };

    switch (key) {
    case VK_TAB:
        if (!shift) {
            if (next.col < lastCol) {
                ++next.col;
            } else if (next.row < lastRow) {
                ++next.row;
                next.col = firstCol;
                wrapped = true;
            } else {
                return FALSE;
            }
        } else {
            if (next.col > firstCol) {
                --next.col;
            } else if (next.row > firstRow) {
                --next.row;
                next.col = lastCol;
                wrapped = true;
            } else {
                return FALSE;
            }
        }
        break;
    case VK_PRIOR: pageBy(SB_PAGEUP, firstRow); break;
    case VK_NEXT: pageBy(SB_PAGEDOWN, lastRow); break;
    case VK_END:
        OnVScroll(SB_BOTTOM);
        next.row = lastRow;
        break;
    case VK_HOME:
        OnVScroll(SB_TOP);
        next.row = firstRow;
        break;
    case VK_LEFT:
        if (next.col > firstCol)
            --next.col;
        break;
    case VK_UP:
        if (next.row > firstRow)
            --next.row;
        break;
    case VK_RIGHT:
        if (next.col < lastCol)
            ++next.col;
        break;
    case VK_DOWN:
        if (next.row < lastRow)
            ++next.row;
        break;
    case VK_DELETE:
        DeleteFocusCellText();
        return TRUE;
    default:
        return FALSE;
    }

    if (next == focusCell)
        return TRUE;

    // A plain move selects the new cell (its row in list mode); Shift selects
    // from the anchor. During a mouse selection the mouse owns the selection.
    if (pointerMode == PointerMode::Idle) {
        retainedSelection.Clear();
        pointerMode = listMode ? PointerMode::SelectingRows : PointerMode::SelectingCells;
        if (!shift || key == VK_TAB)
            selectionAnchor = next;
        ExtendSelectionTo(next);
        pointerMode = PointerMode::Idle;
    }
    MoveFocusTo(next.row, next.col);

    if (IsCellVisible(next))
        return TRUE;
    EnsureVisible(next);
    ScrollPastNewFocus(key, shift, wrapped);
    Invalidate();
    return TRUE;
}

void CGridCtrl::ScrollPastNewFocus(UINT key, bool shift, bool wrapped)
{
    // One step more in the direction of the move, so the next cell that way
    // is in view as well.
    switch (key) {
    case VK_LEFT: OnHScroll(SB_LINELEFT); break;
    case VK_RIGHT: OnHScroll(SB_LINERIGHT); break;
    case VK_UP: OnVScroll(SB_LINEUP); break;
    case VK_DOWN: OnVScroll(SB_LINEDOWN); break;
    case VK_TAB:
        if (!wrapped) {
            OnHScroll(shift ? SB_LINELEFT : SB_LINERIGHT);
        } else if (!shift) {
            OnVScroll(SB_LINEDOWN);
            SetScrollPosition(SB_HORZ, 0, TRUE);
        } else {
            OnVScroll(SB_LINEUP);
            SetScrollPosition(SB_HORZ, horzScrollLimit, TRUE);
        }
        break;
    default: break;
    }
}

void CGridCtrl::DeleteFocusCellText()
{
    if (!IsCellEditable(focusCell))
        return;
    const CellId cell = focusCell;
    NotifyOwner(cell.row, cell.col, LVN_BEGINLABELEDIT);
    SetItemText(cell.row, cell.col, "");
    SetModified(TRUE, cell.row, cell.col);
    NotifyOwner(cell.row, cell.col, LVN_ENDLABELEDIT);
    RedrawCell(cell);
}
