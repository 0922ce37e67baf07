#pragma once
// The document: holds nothing. Records are read and kept by the view; the
// document only takes part in File New and in the command route.
#include "app/CCmdTarget.h"

#include <QString>

class COrvik50View;

class COrvik50Doc : public CCmdTarget {
public:
    // The view that File New brings back to its initial state.
    void SetView(COrvik50View* view) { view_ = view; }
    // File New: a fresh, empty document; the view starts over.
    bool OnNewDocument();
    // The document's own commands: none.
    bool OnCmdMsg(UINT id, bool execute) override;

private:
    COrvik50View* view_ = nullptr;
};
