// Operations whose behaviour is not built yet: clipboard and drag-and-drop,
// select-all, printing, header clicks, in-place editing and title tips. They
// exist so the grid's virtual operations keep their order and derived grids
// can already override them; each does nothing (or reports failure) until its
// own file replaces the body here.
#include "grid/CGridCtrl.h"

// ---- clipboard and drag-and-drop: not built yet ----
void CGridCtrl::ClearSelectedText() {}
QMimeData* CGridCtrl::BuildCopyData() { return nullptr; }
BOOL CGridCtrl::PasteTextAt(CellId /*start*/, const QMimeData* /*data*/) { return FALSE; }
void CGridCtrl::OnEditCut() {}
void CGridCtrl::OnEditCopy() {}
void CGridCtrl::OnEditPaste() {}
QPixmap* CGridCtrl::MakeDragImage(SIZE* /*size*/) { return nullptr; }

// ---- select-all command: not built yet ----
void CGridCtrl::OnEditSelectAll() {}

// ---- printing: not built yet ----
void CGridCtrl::PrintBegin(CDC* /*dc*/, CPrintInfo* /*info*/) {}
void CGridCtrl::PrintPage(CDC* /*dc*/, CPrintInfo* /*info*/) {}
void CGridCtrl::PrintEnd(CDC* /*dc*/, CPrintInfo* /*info*/) {}
void CGridCtrl::PrintHeaderRows(CDC* /*dc*/, CPrintInfo* /*info*/) {}
void CGridCtrl::PrintPageHeader(CDC* /*dc*/, CPrintInfo* /*info*/) {}
void CGridCtrl::PrintPageFooter(CDC* /*dc*/, CPrintInfo* /*info*/) {}

// ---- mouse clicks on the headers: not built yet ----
void CGridCtrl::ClickInFixedColumn(CellId /*cell*/) {}
void CGridCtrl::ClickInFixedRow(CellId /*cell*/) {}

// ---- in-place editing: not built yet ----
void CGridCtrl::AcceptCellEdit(int /*row*/, int /*col*/, const std::string& /*text*/) {}
void CGridCtrl::BeginCellEdit(int /*row*/, int /*col*/, int /*key*/) {}
CellEditBox* CGridCtrl::CreateCellEditor(const RECT* /*rect*/, DWORD /*style*/, UINT /*id*/, int /*row*/,
                                         int /*col*/, const std::string& /*text*/, int /*key*/)
{
    return nullptr;
}

// ---- title tips: not built yet (there is no tip window to hide) ----
void CGridCtrl::HideTitleTip() {}
