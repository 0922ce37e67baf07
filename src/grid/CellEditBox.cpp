// The in-place editor: a borderless QLineEdit with a painted one-pixel frame,
// laid over a cell in the grid's viewport. It ends on Tab, Enter, Esc, the
// arrow and page keys (see keyPressEvent) and whenever it loses the focus,
// reports the final text to the grid exactly once and deletes itself.
#include "grid/CellEditBox.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QHideEvent>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "grid/CGridCtrl.h"
#include "grid/GridAccessible.h"
#include "platform/FontMapping.h"
#include "platform/WinConstants.h"

namespace {

// Alt combinations are menu keys on this desktop model; the box swallows them.
bool IsAltCombination(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier);
}

// The virtual key of the keys that may end an edit (page and arrow keys); 0 for others.
int PageOrArrowKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    default: return 0;
    }
}

Qt::Alignment AlignmentOfStyle(DWORD style)
{
    if ((style & ES_RIGHT) == ES_RIGHT)
        return Qt::AlignRight | Qt::AlignVCenter;
    if ((style & ES_CENTER) == ES_CENTER)
        return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

CellEditBox::CellEditBox(CGridCtrl* owner, const RECT& rect, DWORD style, UINT id, int row, int col,
                         const std::string& text, int firstKey)
    : QLineEdit(owner->viewport()),
      grid(owner),
      editRow(row),
      editCol(col),
      controlId(id),
      startingText(text),
      startingQText(QString::fromStdString(text)),
      arrowsEndEdit(firstKey != VK_LBUTTON),
      boxRect(rect)
{
    // The frame is painted by hand (paintEvent): one pixel, like a plain
    // bordered edit window; the text keeps clear of it.
    setFrame(false);
    setTextMargins(1, 1, 1, 1);
    setAlignment(AlignmentOfStyle(style));
    if (CFont* gridFont = owner->GetFont())
        setFont(QFontFromLogFont(gridFont->LogFont()));
    ApplyBoxRect();
    // A pasted cell may be longer than a line edit's default limit: nothing
    // of it may be cut just by opening the editor.
    setMaxLength(std::max(maxLength(), static_cast<int>(startingQText.size())));
    setText(startingQText);
    grid_accessible::NameEditor(*this, *owner, row, col);
    show();
    setFocus(Qt::OtherFocusReason);

    switch (firstKey) {
    case VK_LBUTTON:
    case VK_RETURN:
        end(false);
        break;
    case VK_BACK:
        end(false);
        OnChar(VK_BACK, Qt::NoModifier);
        break;
    default:
        selectAll();
        // Tab, the space and the characters that share their codes with the
        // page, Home/End and arrow keys (up to '(') open the editor without
        // being typed; any other character replaces the text.
        if (firstKey != VK_TAB && !(firstKey >= VK_SPACE && firstKey <= VK_DOWN))
            OnChar(static_cast<char32_t>(firstKey), Qt::NoModifier);
        break;
    }
}

void CellEditBox::ApplyBoxRect()
{
    // boxRect is a window rectangle (right and bottom excluded). Given a cell
    // rectangle (right = left + width - 1), the box covers the cell's pixels
    // left..right-1 and top..bottom-1: the cell's own grid lines on its last
    // pixel column and row stay visible around it.
    setGeometry(boxRect.left, boxRect.top, boxRect.Width(), boxRect.Height());
}

bool CellEditBox::event(QEvent* event)
{
    // Tab ends the edit: it must reach keyPressEvent instead of moving the
    // focus along the focus chain.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    // Claiming Alt combinations keeps them from menu shortcuts; keyPressEvent drops them.
    if (event->type() == QEvent::ShortcutOverride
        && IsAltCombination(static_cast<QKeyEvent*>(event)->modifiers())) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

bool CellEditBox::focusNextPrevChild(bool /*next*/)
{
    return false;
}

void CellEditBox::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    event->accept();
    if (IsAltCombination(modifiers))
        return;

    // A key typed into the box is no key for the cell under a title tip.
    if (grid)
        grid->HideTitleTip();
    if (const int vk = PageOrArrowKey(event->key())) {
        // In an edit started by a click the arrows move the caret; Ctrl makes them end it anyway.
        if (arrowsEndEdit || (modifiers & Qt::ControlModifier)) {
            EndWithKey(vk, modifiers);
            return;
        }
        // Up, Down and the page keys mean nothing to a line edit, which would
        // pass them on to the grid: they stay here and do nothing.
        QLineEdit::keyPressEvent(event);
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Tab:
        OnChar(VK_TAB, modifiers);
        return;
    case Qt::Key_Backtab:
        OnChar(VK_TAB, modifiers | Qt::ShiftModifier);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnChar(VK_RETURN, modifiers);
        return;
    case Qt::Key_Escape:
        OnChar(VK_ESCAPE, modifiers);
        return;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
    if (!event->text().isEmpty())
        GrowToFitText();
}

void CellEditBox::OnChar(char32_t ch, Qt::KeyboardModifiers modifiers)
{
    switch (ch) {
    case VK_TAB:
    case VK_RETURN:
        EndWithKey(static_cast<int>(ch), modifiers);
        return;
    case VK_ESCAPE:
        setText(startingQText);
        EndWithKey(VK_ESCAPE, modifiers);
        return;
    case VK_BACK:
        backspace();
        break;
    default: {
        // Other control characters, surrogates and non-characters are not text.
        const bool control = ch < 0x20 || ch == 0x7F;
        const bool surrogate = ch >= 0xD800 && ch <= 0xDFFF;
        if (control || surrogate || ch > 0x10FFFF)
            return;
        insert(QString::fromUcs4(&ch, 1));
        break;
    }
    }
    GrowToFitText();
}

void CellEditBox::EndWithKey(int key, Qt::KeyboardModifiers modifiers)
{
    exitKey = key;
    exitModifiers = modifiers;
    // Giving the grid the focus ends the edit through focusOutEvent, at once.
    // When the focus cannot move (the window is not active, the grid is
    // hidden) the edit ends here all the same.
    QPointer<CellEditBox> self(this);
    if (grid)
        grid->setFocus(Qt::OtherFocusReason);
    if (self)
        Finish();
}

void CellEditBox::GrowToFitText()
{
    // Two trailing spaces keep the caret and a little room in view.
    const int extent = QFontMetrics(font()).horizontalAdvance(text() + QStringLiteral("  "));
    if (boxRect.Width() >= extent)
        return;
    const int clientRight = grid ? grid->GetClientRect().right : boxRect.right;
    // Limited by the client edge, but never narrower than before.
    boxRect.right = std::max(boxRect.right, std::min(boxRect.left + extent, clientRight));
    ApplyBoxRect();
}

void CellEditBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A popup (the box's own context menu) borrows the keyboard and gives it back.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    Finish();
}

void CellEditBox::hideEvent(QHideEvent* event)
{
    QLineEdit::hideEvent(event);
    // Hiding the grid leaves the keyboard focus in the hidden box (the grid
    // keeps Tab-style focus moves to itself): a box out of sight has ended.
    Finish();
}

std::string CellEditBox::FinalText() const
{
    const QString now = text();
    return now == startingQText ? startingText : now.toStdString();
}

void CellEditBox::Finish()
{
    // Hiding, deleting or a second focus change must not report twice.
    if (finished)
        return;
    finished = true;

    CellEditEnd end;
    end.from = this;
    end.idFrom = controlId;
    end.code = LVN_ENDLABELEDIT;
    end.item.row = editRow;
    end.item.column = editCol;
    end.item.mask = ITEM_TEXT | ITEM_PARAM;
    end.item.text = FinalText();
    end.item.param = exitKey;
    end.exitModifiers = exitModifiers;

    // The owner may delete the grid, and this box with it, while it is told.
    QPointer<CellEditBox> self(this);
    if (grid)
        grid->OnEndCellEdit(end);
    if (!self)
        return;
    hide();
    deleteLater();
}

void CellEditBox::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
