#pragma once
// CellEditBox: the single-line editor laid over a cell while it is edited in
// place, and CellEditEnd, the record it hands the grid when the edit ends.
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QtCore/qnamespace.h>
#include <string>

#include "grid/store/GridCell.h"
#include "platform/WinConstants.h"
#include "platform/WinTypes.h"

class CGridCtrl;
class CellEditBox;

// The end-of-edit notification (LVN_ENDLABELEDITA from control id 8): the
// box, its id and code, then a GridItem with row, column, mask
// ITEM_TEXT | ITEM_PARAM, the final text and the exit key as param.
struct CellEditEnd {
    CellEditBox* from = nullptr;
    UINT idFrom = 0;
    int code = 0;
    GridItem item;
    // Modifiers held with the exit key, so that the grid moves on as that key
    // would (Shift+Tab moves back).
    Qt::KeyboardModifiers exitModifiers;
};

class CellEditBox : public QLineEdit {
    Q_OBJECT

public:
    // Lays the box over rect (client coordinates of the grid, see the .cpp
    // for which pixels it covers), shows it with the grid's font and the
    // starting text, takes the keyboard focus and handles the first key.
    CellEditBox(CGridCtrl* grid, const RECT& rect, DWORD style, UINT id, int row, int col,
                const std::string& text, int firstKey);

    int GetEditRow() const { return editRow; }
    int GetEditColumn() const { return editCol; }
    UINT GetDlgCtrlID() const { return controlId; }
    // 0 while editing; the key that ended the edit afterwards.
    int GetExitKey() const { return exitKey; }
    // The box's rectangle in the grid's client coordinates (right/bottom excluded).
    RECT GetBoxRect() const { return boxRect; }

protected:
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // A character for the box (a typed one, or the first key): Tab, Enter
    // and Esc end the edit, anything else edits the text.
    void OnChar(char32_t ch, Qt::KeyboardModifiers modifiers);
    // Records the exit key and gives the focus back to the grid, which ends the edit.
    void EndWithKey(int key, Qt::KeyboardModifiers modifiers);
    // Widens the box to the right when its text no longer fits.
    void GrowToFitText();
    // Reports the final text to the grid once, then deletes the box later.
    void Finish();
    // The text to report: the starting bytes when the text was not changed
    // (a starting text that is not valid UTF-8 would not survive the round trip).
    std::string FinalText() const;
    // Moves the widget to boxRect.
    void ApplyBoxRect();

    QPointer<CGridCtrl> grid;
    int editRow;
    int editCol;
    UINT controlId;
    std::string startingText;
    QString startingQText;
    int exitKey = 0;
    Qt::KeyboardModifiers exitModifiers;
    bool arrowsEndEdit;
    RECT boxRect;
    bool finished = false;
};
