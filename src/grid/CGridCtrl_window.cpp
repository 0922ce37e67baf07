// The grid as a window: construction and Create, the font and its metrics,
// system colour changes, the cursor, the Tab key, and the notifications to
// the owner window.
#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMetaObject>
#include <QResizeEvent>

#include "grid/CGridCtrl.h"
#include "grid/GridAccessible.h"
#include "platform/CDC.h"
#include "platform/FontMapping.h"
#include "platform/QPainterDC.h"
#include "platform/ScrollBarBinding.h"
#include "platform/SysColors.h"
#include "platform/SystemSettings.h"

// Class registration and OLE initialisation have no counterpart here: a Qt
// widget needs neither, so construction goes straight to the members.
CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols)
    : QAbstractScrollArea(nullptr)
{
    store.SetHooks(this);
    grid_accessible::InstallFactory();

    // The bars report user actions as scroll codes; only the handlers move them.
    scrollBars = std::make_unique<WindowScrollBars>(
        this, [this](int code, int trackPos) { OnBarAction(SB_HORZ, code, trackPos); },
        [this](int code, int trackPos) { OnBarAction(SB_VERT, code, trackPos); });
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // PaintGrid paints every pixel of the update region (no erasing first).
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    setFrameStyle(QFrame::NoFrame);

    ReadSystemColors();
    wheelScrollLines = ::GetWheelScrollLines();
    store.SetGridLogFont(GetMessageLogFont());

    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRows(nFixedRows);
    SetFixedColumns(nFixedCols);

    gridTextColor = sysWindowTextColor;
    gridTextBkColor = sysWindowColor;
    gridBkColor = sysBtnShadowColor;
    fixedTextColor = sysWindowTextColor;
    fixedBkColor = sysBtnFaceColor;
    retainedSelection.Clear();
}

CGridCtrl::~CGridCtrl()
{
    // The owner may itself be half destroyed (Qt deletes children from the
    // parent's destructor): no notifications while the grid goes away.
    blockSignals(true);
    DeleteAllItems();
    windowCreated = false;
    gridFont.DeleteObject();
    retainedSelection.Clear();
    // The bindings refer to the bars, which the widget destructor deletes.
    scrollBars.reset();
}

void CGridCtrl::ReadSystemColors()
{
    sysWindowTextColor = GetSysColor(COLOR_WINDOWTEXT);
    sysWindowColor = GetSysColor(COLOR_WINDOW);
    sysBtnFaceColor = GetSysColor(COLOR_BTNFACE);
    sysBtnShadowColor = GetSysColor(COLOR_BTNSHADOW);
}

BOOL CGridCtrl::Create(const RECT& rect, QWidget* parent, UINT id, DWORD style)
{
    if (windowCreated)
        return FALSE;
    setParent(parent);
    controlId = id;
    setFrameStyle((style & WS_BORDER) ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
    setLineWidth(1);
    setFocusPolicy((style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    windowCreated = true;
    PreSubclassWindow();

    // Every row and column takes the defaults of the font just applied.
    for (int row = 0; row < store.RowCount(); ++row)
        store.SetRowHeight(row, store.DefaultRowHeight());
    for (int col = 0; col < store.ColumnCount(); ++col)
        store.SetColumnWidth(col, store.DefaultColumnWidth());
    if (style & WS_VISIBLE)
        show();
    UpdateScrollRanges();
    return TRUE;
}

void CGridCtrl::PreSubclassWindow()
{
    const LOGFONT logFont = store.GridLogFont();
    SetFont(logFont);
    UpdateScrollRanges();
}

void CGridCtrl::SetFont(const LOGFONT& logFont)
{
    store.SetGridLogFont(logFont);
    for (int row = 0; row < store.RowCount(); ++row)
        for (int col = 0; col < store.ColumnCount(); ++col)
            store.SetItemFont(row, col, logFont);

    // Without a window there is nothing to measure on: the size defaults stay.
    if (windowCreated) {
        gridFont.DeleteObject();
        gridFont.CreateFontIndirect(logFont);
        std::unique_ptr<CDC> dc = GetMeasuringDC();
        CFont* oldFont = dc->SelectObject(&gridFont);
        TEXTMETRIC metrics;
        dc->GetTextMetrics(&metrics);
        const SIZE space = dc->GetTextExtent(" ", 1);
        dc->SelectObject(oldFont);

        cellMargin = space.cx;
        store.SetDefaultRowHeight(metrics.tmHeight + metrics.tmExternalLeading + 2 * cellMargin);
        store.SetDefaultColumnWidth(2 * cellMargin + 12 * metrics.tmAveCharWidth);
        Invalidate();
    }
}

CFont* CGridCtrl::GetFont()
{
    return gridFont.IsCreated() ? &gridFont : nullptr;
}

std::unique_ptr<CDC> CGridCtrl::GetMeasuringDC() const
{
    // A one-pixel memory context at screen resolution measures text exactly
    // as the window's context would.
    return std::make_unique<MemoryDC>(1, 1);
}

void CGridCtrl::OnSysColorChange()
{
    if (gridTextColor == sysWindowTextColor)
        gridTextColor = GetSysColor(COLOR_WINDOWTEXT);
    if (gridTextBkColor == sysWindowColor)
        gridTextBkColor = GetSysColor(COLOR_WINDOW);
    if (gridBkColor == sysBtnShadowColor)
        gridBkColor = GetSysColor(COLOR_BTNSHADOW);
    if (fixedTextColor == sysWindowTextColor)
        fixedTextColor = GetSysColor(COLOR_WINDOWTEXT);
    if (fixedBkColor == sysBtnFaceColor)
        fixedBkColor = GetSysColor(COLOR_BTNFACE);
    ReadSystemColors();
}

void CGridCtrl::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        OnSysColorChange();
}

BOOL CGridCtrl::OnSetCursor(int hitTest)
{
    if (hitTest != HTCLIENT)
        return FALSE;
    switch (pointerMode) {
    case PointerMode::OverRowDivider:
        viewport()->setCursor(Qt::SizeVerCursor);
        break;
    case PointerMode::OverColumnDivider:
        viewport()->setCursor(Qt::SizeHorCursor);
        break;
    case PointerMode::Dragging:
        break;   // the drag shows its own cursor
    default:
        viewport()->setCursor(Qt::ArrowCursor);
        break;
    }
    return TRUE;
}

bool CGridCtrl::viewportEvent(QEvent* event)
{
    // The cursor is set before the move is handled, as WM_SETCURSOR precedes
    // WM_MOUSEMOVE; while the grid holds the mouse (a sizing drag) it is not
    // asked, so the sizing cursor stays for the whole drag.
    if (event->type() == QEvent::MouseMove && !mouseCaptured)
        OnSetCursor(HTCLIENT);
    return QAbstractScrollArea::viewportEvent(event);
}

UINT CGridCtrl::OnGetDlgCode() const
{
    return OnGetDlgCode((QGuiApplication::keyboardModifiers() & Qt::ControlModifier) != 0);
}

UINT CGridCtrl::OnGetDlgCode(bool ctrlDown) const
{
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (tabNavigation && !ctrlDown)
        code |= DLGC_WANTTAB;
    return code;
}

bool CGridCtrl::event(QEvent* event)
{
    // A wanted Tab is the grid's own key: it goes to the key handling and
    // never on to the parent, which would move the focus to the next widget.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && (OnGetDlgCode((key->modifiers() & Qt::ControlModifier) != 0) & DLGC_WANTTAB)) {
            keyPressEvent(key);
            key->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

bool CGridCtrl::focusNextPrevChild(bool next)
{
    // Tab stays in the grid (it moves the focus cell) while the grid wants it.
    if (OnGetDlgCode() & DLGC_WANTTAB)
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

int CGridCtrl::NotifyOwner(int row, int col, int code)
{
    if (!windowCreated || !parentWidget())
        return 0;
    GridNotifyInfo info;
    info.hdr.hwndFrom = this;
    info.hdr.idFrom = controlId;
    info.hdr.code = code;
    info.row = row;
    info.column = col;
    emit ownerNotify(info);
    return 1;
}

void CGridCtrl::PostOwnerCommand()
{
    if (!windowCreated || !parentWidget())
        return;
    QMetaObject::invokeMethod(
        this, [this] { emit ownerCommand(controlId, 0, this); }, Qt::QueuedConnection);
}

void CGridCtrl::InvalidateRect(const RECT* rect)
{
    if (!rect) {
        viewport()->update();
        return;
    }
    if (!rect->IsRectEmpty())
        viewport()->update(rect->left, rect->top, rect->Width(), rect->Height());
}

RECT CGridCtrl::GetClientRect() const
{
    const QSize size = viewport()->size();
    return RECT{0, 0, size.width(), size.height()};
}

void CGridCtrl::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    OnSize(SIZE_RESTORED, event->size().width(), event->size().height());
}
