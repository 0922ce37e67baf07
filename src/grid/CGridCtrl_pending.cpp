// Operations whose behaviour is not built yet: clipboard and drag-and-drop,
// printing and title tips. They
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


// ---- printing: not built yet ----
void CGridCtrl::PrintBegin(CDC* /*dc*/, CPrintInfo* /*info*/) {}
void CGridCtrl::PrintPage(CDC* /*dc*/, CPrintInfo* /*info*/) {}
void CGridCtrl::PrintEnd(CDC* /*dc*/, CPrintInfo* /*info*/) {}
void CGridCtrl::PrintHeaderRows(CDC* /*dc*/, CPrintInfo* /*info*/) {}
void CGridCtrl::PrintPageHeader(CDC* /*dc*/, CPrintInfo* /*info*/) {}
void CGridCtrl::PrintPageFooter(CDC* /*dc*/, CPrintInfo* /*info*/) {}

// ---- title tips: not built yet (there is no tip window to hide) ----
void CGridCtrl::HideTitleTip() {}
