#pragma once
// CGridCtrl: the grid window. A QAbstractScrollArea whose viewport is the
// client area; the cells live in a GridCellStore, this class adds the window,
// its geometry and scrolling, rendering, selection and the interaction parts.
//
// Implementation files, one per concern:
//   CGridCtrl_cells.cpp      cell store operations (focus moves, redraw, scroll ranges around them)
//   CGridCtrl_window.cpp     construction, Create, font, colours, cursor, Tab, notifications
//   CGridCtrl_geometry.cpp   cell rectangles, hit tests, scroll ranges, scroll handlers, EnsureVisible
//   CGridCtrl_paint.cpp      paintEvent, PaintGrid, PaintBackground, RedrawCell
//   CGridCtrl_paintcell.cpp  PaintHeaderCell, PaintCell, MeasureCell
//   CGridCtrl_selection.cpp  focus cell, selection operations, edit-command enable rules
//   CGridCtrl_keyboard.cpp   key-down and character handling, Tab, Page, Home, End, Delete
//   CGridCtrl_mouse.cpp      press, move, release, double click, dividers, sizing, autoscroll, wheel
//   CGridCtrl_editing.cpp    BeginCellEdit, AcceptCellEdit, the end-of-edit record (CellEditBox.h)
//   CGridCtrl_clipboard.cpp  the text format, copy, cut and paste
//   CGridCtrl_dragdrop.cpp   drag of the selection, drops, drag events (GridOleDropTarget.h)
//   CGridCtrl_pending.cpp    default bodies of the operations that are not built yet
//                            (printing, title tips)
#include <QAbstractScrollArea>
#include <QImage>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "grid/GridNotifyInfo.h"
#include "grid/GridOleDropTarget.h"
#include "grid/TextExtentCache.h"
#include "grid/store/GridCell.h"
#include "grid/store/GridCellHooks.h"
#include "grid/store/GridCellStore.h"
#include "platform/GdiObjects.h"
#include "platform/WinConstants.h"
#include "platform/WinTypes.h"

class CDC;
struct CPrintInfo;
class CellEditBox;
struct CellEditEnd;
class QMimeData;
class QPixmap;
class QScrollBar;
class WindowScrollBars;

// Which grid lines are drawn (gridLines).
constexpr int GRID_LINES_NONE = 0;
constexpr int GRID_LINES_HORZ = 1;
constexpr int GRID_LINES_VERT = 2;
constexpr int GRID_LINES_BOTH = 3;

// Weight of header text in the focus cell's row and column.
constexpr LONG FOCUS_HEADER_WEIGHT = FW_SEMIBOLD;

// Rows per record: the top scrolling row is always a multiple of this, and one
// vertical line step moves this many rows.
constexpr int RECORD_ROW_GROUP = 3;

// The grid's own vertical scroll requests, one line (of three rows) per request,
// sent by the mouse wheel.
constexpr int GRID_SB_WHEELUP = 9;
constexpr int GRID_SB_WHEELDOWN = 10;

// The grid's single interaction state (the number is what is stored).
enum class PointerMode : int {
    Idle = 0,
    SelectingAll = 1,
    SelectingColumns = 2,
    SelectingRows = 3,
    SelectingCells = 4,
    OverRowDivider = 6,
    SizingRow = 7,
    OverColumnDivider = 8,
    SizingColumn = 9,
    PendingEdit = 10,
    PendingDrag = 11,
    Dragging = 12,
};

// Optional cell pictures: image i of a list of equally sized images.
struct GridImageList {
    std::vector<QImage> images;
    int imageWidth = 0;
    int imageHeight = 0;

    // ImageList_GetImageInfo: rcImage is the image's place in the list's strip,
    // (i * width, 0, (i + 1) * width, height). FALSE for an index not in the list.
    BOOL GetImageInfo(int index, RECT* rcImage) const
    {
        if (index < 0 || index >= static_cast<int>(images.size()) || !rcImage)
            return FALSE;
        *rcImage = RECT{index * imageWidth, 0, (index + 1) * imageWidth, imageHeight};
        return TRUE;
    }
};

class CGridCtrl : public QAbstractScrollArea, private GridCellHooks {
    Q_OBJECT

public:
    // Window style bits Create understands.
    static constexpr DWORD WS_CHILD = 0x40000000;
    static constexpr DWORD WS_VISIBLE = 0x10000000;
    static constexpr DWORD WS_BORDER = 0x00800000;
    static constexpr DWORD WS_TABSTOP = 0x00010000;
    // WM_GETDLGCODE answers.
    static constexpr UINT DLGC_WANTARROWS = 0x0001;
    static constexpr UINT DLGC_WANTTAB = 0x0002;
    static constexpr UINT DLGC_WANTCHARS = 0x0080;
    // WM_SETCURSOR hit test of the client area.
    static constexpr int HTCLIENT = 1;
    // WM_SIZE size type of a normal resize.
    static constexpr UINT SIZE_RESTORED = 0;

    explicit CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    ~CGridCtrl() override;

    // Makes the grid a window: child of parent at rect (window coordinates,
    // right/bottom excluded), with the control id used in notifications.
    // WS_VISIBLE shows it, WS_BORDER gives it a one-pixel frame, WS_TABSTOP
    // lets Tab and clicks give it the focus.
    BOOL Create(const RECT& rect, QWidget* parent, UINT id,
                DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP);
    // The window exists (Create succeeded and the grid is not being destroyed).
    bool IsWindowCreated() const { return windowCreated; }
    UINT GetDlgCtrlID() const { return controlId; }

    // ---------------------------------------------------------------------
    // The grid's own virtual operations, in their fixed order. Everything in
    // the grid calls them virtually, so a derived grid can replace any.
    // ---------------------------------------------------------------------
    // 1. The shown text of a cell; "" for an invalid cell.
    std::string GetItemText(int row, int col) const override;
    // 2-8. Clipboard and select-all commands.
    virtual void ClearSelectedText();
    // A new data object holding the selection as text, owned by the caller; null when nothing to copy.
    virtual QMimeData* BuildCopyData();
    virtual BOOL PasteTextAt(CellId start, const QMimeData* data);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();
    // 9-14. Printing through the host view's print loop.
    virtual void PrintBegin(CDC* dc, CPrintInfo* info);
    virtual void PrintPage(CDC* dc, CPrintInfo* info);
    virtual void PrintEnd(CDC* dc, CPrintInfo* info);
    virtual void PrintHeaderRows(CDC* dc, CPrintInfo* info);
    virtual void PrintPageHeader(CDC* dc, CPrintInfo* info);
    virtual void PrintPageFooter(CDC* dc, CPrintInfo* info);
    // 15. A picture of the focus cell and its size, owned by the caller; null when there is none.
    virtual QPixmap* MakeDragImage(SIZE* size);
    // 16-17. Clicks on the fixed column and on the fixed rows.
    virtual void ClickInFixedColumn(CellId cell);
    virtual void ClickInFixedRow(CellId cell);
    // 18. Width and height a cell needs for its text (and image).
    virtual SIZE MeasureCell(int row, int col, CDC* dc);
    // 19-21. In-place editing.
    virtual void AcceptCellEdit(int row, int col, const std::string& text);
    virtual void BeginCellEdit(int row, int col, int key);
    virtual CellEditBox* CreateCellEditor(const RECT* rect, DWORD style, UINT id, int row, int col,
                                          const std::string& text, int key);
    // 22-24. Drawing.
    virtual void PaintGrid(CDC* dc);
    virtual BOOL PaintHeaderCell(CDC* dc, int row, int col, RECT rect, BOOL erase);
    virtual BOOL PaintCell(CDC* dc, int row, int col, RECT rect, BOOL erase);
    // 25-26. A new cell's attributes; the last call before a cell is deleted.
    GridCell NewCell(int row, int col) override;
    void ReleaseCell(const GridCellView& cell, int row, int col) override;
    // True for a plain CGridCtrl: a derived grid may replace the two above.
    bool DefaultCellHooks() const override;

    // ---------------------------------------------------------------------
    // Cell store (CGridCtrl_cells.cpp)
    // ---------------------------------------------------------------------
    int GetRowCount() const { return store.RowCount(); }
    int GetColumnCount() const { return store.ColumnCount(); }
    int GetFixedRowCount() const { return store.FixedRowCount(); }
    int GetFixedColumnCount() const { return store.FixedColumnCount(); }
    BOOL SetRowCount(int n);
    BOOL SetColumnCount(int n);
    BOOL SetFixedRows(int n);
    BOOL SetFixedColumns(int n);
    BOOL DeleteAllItems();

    BOOL SetItem(const GridItem* item) { return store.SetItem(item); }
    BOOL GetItem(GridItem* item) const { return store.GetItem(item); }
    BOOL SetItemText(int row, int col, std::string_view text) { return store.SetItemText(row, col, text); }
    // Texts made on demand by a source instead of stored (GridCellStore::SetItemsOnDemand).
    void SetTextProvider(const CellTextProvider* provider) { store.SetTextProvider(provider); }
    BOOL SetItemsOnDemand(const CellRange& block, UINT format) { return store.SetItemsOnDemand(block, format); }
    // Rows filled again like others (GridCellStore::RepeatRows); nothing is redrawn.
    BOOL RepeatRows(int from, int count, int to) { return store.RepeatRows(from, count, to); }
    BOOL SetItemState(int row, int col, UINT state) { return store.SetItemState(row, col, state); }
    UINT GetItemState(int row, int col) const { return store.GetItemState(row, col); }
    BOOL SetItemFormat(int row, int col, UINT format) { return store.SetItemFormat(row, col, format); }
    UINT GetItemFormat(int row, int col) const { return store.GetItemFormat(row, col); }
    BOOL SetItemImage(int row, int col, int image) { return store.SetItemImage(row, col, image); }
    int GetItemImage(int row, int col) const { return store.GetItemImage(row, col); }
    BOOL SetItemParam(int row, int col, CellParam param) { return store.SetItemParam(row, col, param); }
    CellParam GetItemParam(int row, int col) const { return store.GetItemParam(row, col); }
    BOOL SetItemBkColor(int row, int col, COLORREF color) { return store.SetItemBkColor(row, col, color); }
    COLORREF GetItemBkColor(int row, int col) const { return store.GetItemBkColor(row, col); }
    BOOL SetItemTextColor(int row, int col, COLORREF color) { return store.SetItemTextColor(row, col, color); }
    COLORREF GetItemTextColor(int row, int col) const { return store.GetItemTextColor(row, col); }
    BOOL SetItemFont(int row, int col, const LOGFONT& font) { return store.SetItemFont(row, col, font); }
    LOGFONT GetItemFont(int row, int col) const { return store.GetItemFont(row, col); }

    BOOL SetRowHeight(int row, int height) { return store.SetRowHeight(row, height); }
    BOOL SetColumnWidth(int col, int width) { return store.SetColumnWidth(col, width); }
    int GetRowHeight(int row) const { return store.GetRowHeight(row); }
    int GetColumnWidth(int col) const { return store.GetColumnWidth(col); }
    int FixedRowsHeight() const { return store.FixedRowsHeight(); }
    int FixedColumnsWidth() const { return store.FixedColumnsWidth(); }
    int TotalRowsHeight() const { return store.TotalRowsHeight(); }
    int TotalColumnsWidth() const { return store.TotalColumnsWidth(); }
    // Sizes the column (row) to its widest (tallest) cell by MeasureCell; FALSE when out of range.
    BOOL FitColumnWidth(int col);
    BOOL FitRowHeight(int row);
    int GetDefaultRowHeight() const { return store.DefaultRowHeight(); }
    int GetDefaultColumnWidth() const { return store.DefaultColumnWidth(); }

    void MergeCells(int row, int col, int down, int right, int lock) { store.MergeCells(row, col, down, right, lock); }
    GridCellMerge GetCellMerge(int row, int col) const { return store.GetCellMerge(row, col); }
    BOOL IsCellFixed(int row, int col) const { return store.IsCellFixed(row, col); }
    BOOL IsCellEditable(int row, int col) const { return store.IsCellEditable(row, col); }
    BOOL IsCellEditable(CellId cell) const { return store.IsCellEditable(cell); }
    void SetModified(BOOL modified, int row = -1, int col = -1) { store.SetModified(modified, row, col); }
    BOOL GetModified() const { return store.GetModified(); }
    BOOL IsEditable() const { return store.IsEditable(); }
    void SetEditable(BOOL editable) { store.SetEditable(editable); }
    // Sorts the non-fixed rows by a column's text; the selection and focus are cleared first.
    BOOL SortRowsByText(int col, BOOL ascending);
    BOOL SortRowsByText(int col, BOOL ascending, int lo, int hi);

    // Read access for drawing, printing and tests.
    const GridCellStore& Store() const { return store; }

    // ---------------------------------------------------------------------
    // Window (CGridCtrl_window.cpp)
    // ---------------------------------------------------------------------
    // WM_SETFONT: the grid font and every cell's font; cellMargin and the
    // default row height and column width follow the font's metrics (once the
    // window exists). Existing rows and columns keep their sizes.
    void SetFont(const LOGFONT& logFont);
    // WM_GETFONT: the font made from gridLogFont; null before the first font was applied.
    CFont* GetFont();
    const LOGFONT& GetGridLogFont() const { return store.GridLogFont(); }
    int GetCellMargin() const { return cellMargin; }
    // WM_SYSCOLORCHANGE: colours that still follow the system are read again.
    void OnSysColorChange();
    // WM_SETCURSOR: the cursor shape of the pointer mode; TRUE when handled.
    BOOL OnSetCursor(int hitTest);
    // WM_GETDLGCODE, with Ctrl as the keyboard holds it now or as given.
    UINT OnGetDlgCode() const;
    UINT OnGetDlgCode(bool ctrlDown) const;
    // WM_NOTIFY to the owner (the parent widget) as the ownerNotify signal; 0
    // when there is no window or no owner, else 1 (answers are not used).
    int NotifyOwner(int row, int col, int code);
    // The WM_COMMAND (code 0) posted to the owner after a click, as ownerCommand.
    void PostOwnerCommand();

    // Colours and settings.
    COLORREF GetTextColor() const { return gridTextColor; }
    void SetTextColor(COLORREF color) { gridTextColor = color; }
    COLORREF GetTextBkColor() const { return gridTextBkColor; }
    void SetTextBkColor(COLORREF color) { gridTextBkColor = color; }
    COLORREF GetBkColor() const { return gridBkColor; }
    void SetBkColor(COLORREF color) { gridBkColor = color; }
    COLORREF GetFixedTextColor() const { return fixedTextColor; }
    void SetFixedTextColor(COLORREF color) { fixedTextColor = color; }
    COLORREF GetFixedBkColor() const { return fixedBkColor; }
    void SetFixedBkColor(COLORREF color) { fixedBkColor = color; }
    COLORREF GetGridLineColor() const { return gridLineColor; }
    void SetGridLineColor(COLORREF color) { gridLineColor = color; }
    int GetGridLines() const { return gridLines; }
    void SetGridLines(int lines) { gridLines = lines; }
    BOOL IsDrawingEnabled() const { return drawingEnabled; }
    void SetDrawingEnabled(BOOL enabled) { drawingEnabled = enabled ? TRUE : FALSE; }
    BOOL GetListMode() const { return listMode; }
    void SetListMode(BOOL on) { listMode = on ? TRUE : FALSE; }
    BOOL GetSingleSelection() const { return singleSelection; }
    void SetSingleSelection(BOOL on) { singleSelection = on ? TRUE : FALSE; }
    BOOL IsSelectionEnabled() const { return selectionEnabled; }
    void EnableSelection(BOOL on) { selectionEnabled = on ? TRUE : FALSE; }
    BOOL IsDragDropEnabled() const { return dragDropEnabled; }
    void EnableDragDrop(BOOL on) { dragDropEnabled = on ? TRUE : FALSE; }
    BOOL IsTabNavigation() const { return tabNavigation; }
    void SetTabNavigation(BOOL on) { tabNavigation = on ? TRUE : FALSE; }
    BOOL IsHeaderSortEnabled() const { return headerSortEnabled; }
    void SetHeaderSort(BOOL on) { headerSortEnabled = on ? TRUE : FALSE; }
    BOOL IsTitleTipsEnabled() const { return titleTipsEnabled; }
    void EnableTitleTips(BOOL on) { titleTipsEnabled = on ? TRUE : FALSE; }
    BOOL IsBufferedPaint() const { return bufferedPaint; }
    void SetBufferedPaint(BOOL on) { bufferedPaint = on ? TRUE : FALSE; }
    BOOL IsRowResizeEnabled() const { return rowResizeEnabled; }
    void EnableRowResize(BOOL on) { rowResizeEnabled = on ? TRUE : FALSE; }
    BOOL IsColumnResizeEnabled() const { return columnResizeEnabled; }
    void EnableColumnResize(BOOL on) { columnResizeEnabled = on ? TRUE : FALSE; }
    const GridImageList* GetImageList() const { return imageList; }
    void SetImageList(const GridImageList* list) { imageList = list; }
    int GetWheelScrollLines() const { return wheelScrollLines; }
    PointerMode GetPointerMode() const { return pointerMode; }

    // ---------------------------------------------------------------------
    // Geometry and scrolling (CGridCtrl_geometry.cpp). Client pixels, origin
    // at the client area's top-left; cell rectangles are inclusive.
    // ---------------------------------------------------------------------
    BOOL IsValidCell(int row, int col) const { return store.IsValid(row, col) ? TRUE : FALSE; }
    BOOL IsValidCell(CellId cell) const { return IsValidCell(cell.row, cell.col); }
    BOOL IsValidRange(const CellRange& range) const { return store.IsValid(range) ? TRUE : FALSE; }
    // The bar's position, or with track the thumb position while dragging; 0 when unreadable.
    int GetScrollPosition(int bar, BOOL track = FALSE) const;
    void SetScrollPosition(int bar, int pos, BOOL redraw = TRUE);
    // The first visible scrolling cell; its row is a multiple of RECORD_ROW_GROUP.
    CellId GetTopLeftScrollCell() const;
    // Scrolling cells at least partly visible; extent = (0, 0, right end, bottom end) of what is drawn.
    CellRange GetVisibleScrollRange(RECT* extent = nullptr) const;
    // Scrolling cells wholly visible.
    CellRange GetFullyVisibleScrollRange() const;
    BOOL GetCellOrigin(int row, int col, POINT* origin) const;
    BOOL GetCellOrigin(CellId cell, POINT* origin) const { return GetCellOrigin(cell.row, cell.col, origin); }
    BOOL GetCellRect(int row, int col, RECT* rect) const;
    BOOL GetCellRect(CellId cell, RECT* rect) const { return GetCellRect(cell.row, cell.col, rect); }
    BOOL GetCellRangeRect(const CellRange& range, RECT* rect) const;
    BOOL GetTextRect(int row, int col, RECT* rect) const;
    CellId GetCellFromPoint(POINT point, BOOL allowFixed = TRUE) const;
    BOOL IsCellVisible(int row, int col) const;
    BOOL IsCellVisible(CellId cell) const { return IsCellVisible(cell.row, cell.col); }
    void UpdateScrollRanges();
    void UpdateHorzScrollRange();
    void UpdateVertScrollRange();
    void EnsureVisible(int row, int col);
    void EnsureVisible(CellId cell) { EnsureVisible(cell.row, cell.col); }
    // WM_HSCROLL / WM_VSCROLL: code SB_* (GRID_SB_WHEELUP/DOWN vertically); pos and bar are not used.
    void OnHScroll(UINT code, UINT pos = 0, QScrollBar* bar = nullptr);
    void OnVScroll(UINT code, UINT pos = 0, QScrollBar* bar = nullptr);
    // WM_SIZE: recomputes the scroll bars (guarded against re-entry across all grids).
    void OnSize(UINT type, int cx, int cy);
    int GetVertScrollLimit() const { return vertScrollLimit; }
    int GetHorzScrollLimit() const { return horzScrollLimit; }
    // The client area (the viewport), (0, 0, width, height).
    RECT GetClientRect() const;

    // ---------------------------------------------------------------------
    // Rendering (CGridCtrl_paint.cpp)
    // ---------------------------------------------------------------------
    void PaintBackground(CDC* dc);
    // Draws one cell now; on this platform that is an invalidation of its rectangle.
    BOOL RedrawCell(int row, int col, CDC* dc = nullptr);
    BOOL RedrawCell(CellId cell, CDC* dc = nullptr) { return RedrawCell(cell.row, cell.col, dc); }

    // ---------------------------------------------------------------------
    // Focus and selection (CGridCtrl_selection.cpp)
    // ---------------------------------------------------------------------
    CellId GetFocusCell() const { return focusCell; }
    // Moves the focus cell, redrawing it and its headers and notifying the owner; returns the old focus.
    CellId MoveFocusTo(int row, int col);
    CellId SetFocusCell(int row, int col) { return MoveFocusTo(row, col); }
    CellId SetFocusCell(CellId cell) { return MoveFocusTo(cell.row, cell.col); }
    // Makes the block (plus the retained selection) the selection; an invalid block selects nothing.
    void ApplySelectionRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRepaint = FALSE);
    // Empties the selection and removes the focus cell.
    void ClearSelection();
    // The selection operations of keyboard and mouse; each does nothing while
    // selection is disabled or for a cell it does not accept.
    void SelectWholeGrid();
    void SelectColumnsTo(CellId cell);
    void SelectRowsTo(CellId cell);
    void SelectCellsTo(CellId cell);
    // Extends the selection to the cell as the pointer mode says (all, columns, rows, cells).
    void ExtendSelectionTo(CellId cell);
    // Bounding block of the selected cells; invalid (maxRow -1) when nothing is selected.
    CellRange SelectionBounds() const;
    CellId GetSelectionAnchor() const { return selectionAnchor; }
    // The update rule of ID_EDIT_SELECT_ALL, ID_EDIT_COPY, ID_EDIT_CUT or ID_EDIT_PASTE.
    BOOL IsEditCommandEnabled(UINT id) const;
    // WM_COMMAND for the four edit commands; FALSE for any other id.
    BOOL OnCommand(UINT id);

    // ---------------------------------------------------------------------
    // Keyboard (CGridCtrl_keyboard.cpp). Modifiers are those held with the key.
    // ---------------------------------------------------------------------
    // WM_KEYDOWN with a virtual key; FALSE when the key went to the default handling.
    BOOL OnKeyDown(UINT key, Qt::KeyboardModifiers modifiers);
    // WM_CHAR: a typed character starts an in-place edit of the focus cell.
    void OnChar(UINT ch, Qt::KeyboardModifiers modifiers);

    // ---------------------------------------------------------------------
    // Mouse (CGridCtrl_mouse.cpp). Client points; flags are MK_* bits.
    // ---------------------------------------------------------------------
    BOOL IsOverRowDivider(POINT point) const;
    BOOL IsOverColumnDivider(POINT point) const;
    void OnLButtonDown(UINT flags, POINT point);
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnLButtonDblClk(UINT flags, POINT point);
    // WM_TIMER: only the autoscroll timer (AUTOSCROLL_TIMER_ID) is handled.
    void OnTimer(int timerId);
    // WM_CAPTURECHANGED: another window (gaining, null for none) took the mouse.
    void OnCaptureChanged(QWidget* gaining);
    // WM_MOUSEWHEEL with the signed wheel delta (120 per notch).
    void OnMouseWheel(UINT flags, int delta, POINT point);
    static constexpr int AUTOSCROLL_TIMER_ID = 0x201;

    // ---------------------------------------------------------------------
    // In-place editing (CGridCtrl_editing.cpp, CellEditBox.h)
    // ---------------------------------------------------------------------
    // WM_NOTIFY LVN_ENDLABELEDITA from the edit box (control id 8): stores
    // the text and continues on Tab, arrows and Page keys.
    void OnEndCellEdit(const CellEditEnd& end);
    static constexpr UINT CELL_EDITOR_ID = 8;

    // ---------------------------------------------------------------------
    // Clipboard and drag and drop (CGridCtrl_clipboard.cpp, CGridCtrl_dragdrop.cpp, GridOleDropTarget.h)
    // ---------------------------------------------------------------------
    // Begins a drag of the selection as text, copy or move (from PendingDrag).
    void StartDrag();
    // The drop-target side, called by GridOleDropTarget with client points and
    // MK_* key states; they answer with DROPEFFECT_* values.
    DWORD OnDragEnter(const QMimeData* data, DWORD keyState, POINT point);
    DWORD OnDragOver(const QMimeData* data, DWORD keyState, POINT point);
    void OnDragLeave();
    BOOL OnDrop(const QMimeData* data, DWORD dropEffect, POINT point);
    // The cell highlighted under a drag; it stays after the drag is over.
    CellId GetDropTargetCell() const { return lastDragOverCell; }
    GridOleDropTarget& GetDropTarget() { return dropTarget; }

    // ---------------------------------------------------------------------
    // Title tips (CGridCtrl_titletips.cpp, TitleTip.h)
    // ---------------------------------------------------------------------
    // The popup over clipped cells; null until the first one was offered,
    // so never while title tips are off.
    const class TitleTip* GetTitleTip() const { return titleTip; }
    // Hides the title tip: at the start of scroll handling, and for a key
    // typed into the cell editor.
    void HideTitleTip();

    // ---------------------------------------------------------------------
    // Printing (CGridCtrl_print.cpp)
    // ---------------------------------------------------------------------
    // The printer font's average character width is the extent of the first
    // PRINT_MEASURING_LENGTH characters of this string divided by that length
    // (the string carries a stray 'A' that the measure never reaches).
    static constexpr std::string_view PRINT_MEASURING_ALPHABET =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";
    static constexpr int PRINT_MEASURING_LENGTH = 52;

signals:
    // WM_NOTIFY to the owner: focus leaving/entering a cell, text about to change/changed, drag start.
    void ownerNotify(const GridNotifyInfo& info);
    // The WM_COMMAND posted after a click: the control id and notification code 0.
    void ownerCommand(UINT controlId, int code, CGridCtrl* grid);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    // The scroll handlers move the content themselves; the area must not.
    void scrollContentsBy(int dx, int dy) override;
    // Keys, mouse, wheel and timer: the grid's own handlers replace the scroll area's.
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

    // Invalidates a client rectangle (right/bottom excluded), or the whole client area.
    void InvalidateRect(const RECT* rect);
    void Invalidate() { InvalidateRect(nullptr); }
    // A context for measuring text outside painting (stands in for the window DC).
    std::unique_ptr<CDC> GetMeasuringDC() const;

    // ---- Members, in their declaration order ----
    COLORREF gridTextColor = 0;
    COLORREF gridTextBkColor = 0;
    COLORREF gridBkColor = 0;
    COLORREF fixedTextColor = 0;
    COLORREF fixedBkColor = 0;
    COLORREF gridLineColor = RGB(192, 192, 192);
    // The system colours as last read, to tell which colours still follow the system.
    COLORREF sysWindowTextColor = 0;
    COLORREF sysWindowColor = 0;
    COLORREF sysBtnFaceColor = 0;
    COLORREF sysBtnShadowColor = 0;
    int gridLines = GRID_LINES_BOTH;
    BOOL dragDropEnabled = FALSE;
    BOOL listMode = FALSE;
    BOOL singleSelection = FALSE;
    BOOL drawingEnabled = TRUE;
    BOOL selectionEnabled = TRUE;
    BOOL headerSortEnabled = TRUE;
    BOOL tabNavigation = TRUE;
    BOOL bufferedPaint = TRUE;
    BOOL titleTipsEnabled = TRUE;
    // Counts, sizes, cells, defaults, gridLogFont, editable, modified and the selected-cell set.
    GridCellStore store;
    int cellMargin = 0;
    int vertScrollLimit = 0;
    int horzScrollLimit = 0;
    CFont printerFont;
    CFont gridFont;
    const GridImageList* imageList = nullptr;
    PointerMode pointerMode = PointerMode::Idle;
    POINT pressPoint;
    POINT lastPointerPoint;
    CellId pressedCell;
    CellId selectionAnchor;
    CellId focusCell;
    int autoScrollTimerId = 0;
    UINT autoScrollPeriod = 25;
    int resizeGrip = 3;
    BOOL rowResizeEnabled = TRUE;
    BOOL columnResizeEnabled = TRUE;
    int wheelScrollLines = 3;
    SelectedCellSet retainedSelection;
    CellId lastDragOverCell;
    BOOL sortAscending = TRUE;
    int sortColumn = -1;

private:
    // ---- window ----
    // PreSubclassWindow: applies gridLogFont as WM_SETFONT would, then the scroll ranges.
    void PreSubclassWindow();
    // Reads the four system colours the colour members start from.
    void ReadSystemColors();

    // ---- geometry ----
    // Top-left scroll cell for given bar positions (the rule of GetTopLeftScrollCell).
    CellId TopLeftCellAt(int horzPos, int vertPos) const;
    // The window exists, drawing is on, the scroll area is not empty and the
    // fully visible range is valid: only then are the bars' ranges changed.
    bool ScrollRangeGuardsPass(const RECT& client) const;
    // Gives one bar its maximum (horzScrollLimit / vertScrollLimit) and page.
    void SetHorzRange(const RECT& client);
    void SetVertRange(const RECT& client);
    // A user action on a bar: the thumb position is what GetScrollPosition
    // reads as the track position while the handler runs.
    void OnBarAction(int bar, int code, int trackPos);
    // Moves the client pixels of area by (dx, dy) (ScrollWindow); nothing while batched.
    void ScrollClient(int dx, int dy, const RECT& area);
    // Invalidates for a scroll step (null: the whole client area); nothing while batched.
    void InvalidateForScroll(const RECT* rect);
    // After a line step that moved pixels: repaints the merged blocks the
    // first scrolling row (vertical) or column now cuts.
    void InvalidateBlocksCutAtScrollEdge(bool vertical);
    // Handles the page, thumb and end scroll codes of either bar.
    void ScrollByJump(int bar, UINT code, int limit, int page, const RECT& scrollArea);
    // Gives the grid the keyboard focus when another window has it.
    void TakeFocus();

    // ---- selection ----
    // Invalidates a cell's rectangle (grown by one pixel right and down) when it is visible.
    void InvalidateCellRect(int row, int col);
    // The cells drawn on screen now: fixed rows and columns and the visible
    // scrolling cells (none without a window or while drawing is off).
    std::vector<CellId> CellsOnScreen() const;

    // ---- keyboard ----
    // After a move that brought the new focus cell into view: one more
    // scroll step in the key's direction (Tab wrapping also resets the
    // horizontal position).
    void ScrollPastNewFocus(UINT key, bool shift, bool wrapped);
    // Delete: empties an editable focus cell, announced as an edit.
    void DeleteFocusCellText();

    // ---- mouse ----
    // The row (column) whose bottom (right) border lies within resizeGrip of
    // the point in the fixed column (rows), or -1. Inside a merged block only
    // the master's own edges count; the top of row 0 and the left of column 0 never do.
    int RowDividerAt(POINT point) const;
    int ColumnDividerAt(POINT point) const;
    // The border below (right of) a cell can be dragged: it is drawn, or it is a master's own edge.
    bool IsRowDividerBelow(int row, int col) const;
    bool IsColumnDividerRightOf(int row, int col) const;
    // A press on a divider: starts sizing the row or column it belongs to.
    void BeginSizing(POINT point);
    // Any other press: starts selecting cells, rows, columns or all, or sorts a header.
    void BeginSelectionPress(UINT flags);
    // Keeps a sizing point in the client area, not left of (above) the origin
    // of the column (row) being sized; the identity while not sizing.
    POINT ClampToSizingBounds(POINT point) const;
    // Invalidates the two-pixel strip the sizing line takes at a point.
    void InvalidateSizingLine(POINT point);
    // Inverts the sizing line over the finished picture while a row or column is sized.
    void PaintSizingLine(CDC* dc);
    // Hover without the button: divider modes and their cursors.
    void UpdateHoverMode(POINT point);
    void StartAutoScroll();
    void StopAutoScroll();
    // Moving the pointer with the button down after a press on a selected cell
    // starts a drag of the selection (StartDrag).
    void StartSelectionDrag();
    // Notes a focus gained from a mouse press: the grid did not have it before that press.
    void focusInEvent(QFocusEvent* event) override;
    // Losing the keyboard in the middle of a drag loses the mouse too.
    void focusOutEvent(QFocusEvent* event) override;

    // The grid holds the mouse (between a capturing press and its release).
    bool mouseCaptured = false;
    // Where the sizing point is kept while a row or column is sized.
    bool sizingBoundsActive = false;
    RECT sizingBounds;
    // The pointer and modifiers of the last mouse event while the mouse is
    // held, inside the client area or not: the autoscroll timer reads them.
    bool capturedPointerKnown = false;
    POINT capturedPointer;
    Qt::KeyboardModifiers capturedModifiers;
    // Qt gives the focus before it delivers the press that caused it.
    bool focusArrivedWithPress = false;
    // Wheel delta times lines per notch not yet turned into whole lines.
    int wheelRemainder = 0;

    // ---- editing ----
    // The editor rectangle of the merged block whose master is given: the
    // block's rectangle from its first visible row and column, one pixel
    // further left and up. False when the master cannot be edited or is
    // scrolled out of view.
    bool BlockEditRect(CellId master, RECT* rect) const;

    // ---- clipboard and drag and drop ----
    // Runs the drag of data and returns the action the drop took; a test
    // grid replaces it to deliver the drop itself.
    virtual Qt::DropAction ExecuteDrag(QMimeData* data);
    // Removes CELL_DROPHILITED from the drop target cell (which keeps its value).
    void ClearDropHighlight();
    // Text the grid takes from a drag: plain text, and no file names (a
    // record file dragged in is for the window to open).
    bool IsDropDataAcceptable(const QMimeData* data) const;
    // The drag and drop events of the viewport (forwarded by viewportEvent).
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Walks the fields of text onto their cells from start as a paste places
    // them, calling place (row, column, trimmed field) for each that finds a
    // cell; false when some field finds none (past the grid's edge, a locked
    // block). Nothing is written here.
    bool ForEachPastedField(CellId start, std::string_view text,
                            const std::function<void(int, int, std::string_view)>& place) const;
    // The fields of one line, into row from firstCol on.
    bool ForEachLineField(int row, int firstCol, std::string_view line,
                          const std::function<void(int, int, std::string_view)>& place) const;
    // Every field of the data's text would find a cell from start.
    bool PasteFitsWhole(CellId start, const QMimeData* data) const;
    // Registered when the grid window first shows.
    GridOleDropTarget dropTarget;
    bool dropTargetOffered = false;

    // ---- title tips ----
    // The idle pointer moved to point: hides a tip the pointer has left or
    // that a divider now rules out, and offers the cell under it a tip.
    void OfferTitleTip(POINT point);
    // Where the text of the cell (of its merged block) is drawn, where the
    // pointer may rest, and the cell whose text and font the tip shows.
    bool TitleTipPlace(CellId cell, RECT* title, RECT* hover, CellId* source) const;
    // The font the cell's text is drawn in (headers in the focus line heavier).
    LOGFONT DrawnTextFont(CellId cell) const;
    // Made on the first offer; a child of the viewport, so it goes with the grid.
    class TitleTip* titleTip = nullptr;

    // ---- printing ----
    // The first non-fixed row of each page: rows fill a page while their
    // heights fit in printRowAreaHeight; a row that does not fit opens the
    // next page, and a row taller than a page stands alone on one. O(rows).
    std::vector<int> PrintPageStarts() const;
    // Draws the grid lines of a printed cell as gridLines asks: its bottom
    // and right edges, its top on the first line of rows, its left in column 0.
    void PrintCellLines(CDC* dc, const RECT& cell, int col, bool firstLine, bool topLine) const;
    // The bold variant of printerFont, for the page header and footer.
    LOGFONT PrintBoldLogFont() const;
    // A merged block prints once over its extent within rows firstRow..lastRow,
    // from its first cell there: grows *cell (the cell's rectangle on paper)
    // to the block and gives the column whose left edge it starts at; false
    // for the block's other cells.
    bool PrintBlockRect(int row, int col, int firstRow, int lastRow, RECT* cell, int* startCol) const;

    // Metrics set by PrintBegin, in the printer context's units then.
    int printCharWidth = 0;        // average character width of printerFont
    int printCharHeight = 0;
    int printPageWidth = 0;        // HORZRES, device pixels
    int printPageHeight = 0;       // VERTRES
    int printLogicalWidth = 0;     // all columns plus a four-character margin each side
    int printLogicalHeight = 0;    // with the device page's proportions
    int printRowAreaHeight = 0;    // room for body rows between fixed rows and footer
    std::vector<int> printPageStarts;   // PrintPageStarts() as of PrintBegin

    // ---- rendering ----
    // While FitColumnWidth or FitRowHeight runs: MeasureCell measures each
    // text once per font.
    TextExtentCache* fitExtents = nullptr;

    std::unique_ptr<WindowScrollBars> scrollBars;
    // Thumb position of the bar action being handled, per bar; -1 outside one.
    int actionTrackPos[2] = {-1, -1};
    // While above 0 (EnsureVisible), scroll steps only move the positions; the caller repaints.
    int scrollBatchDepth = 0;
    UINT controlId = 0;
    bool windowCreated = false;
};
