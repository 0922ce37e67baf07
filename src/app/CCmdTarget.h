#pragma once
// A receiver on the command route (view, document, frame, application).
#include "platform/WinTypes.h"

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Takes command `id` when this target has a handler for it: runs it when
    // `execute` is set, and answers true. Answers false when it has none, so
    // the command goes on to the next target.
    virtual bool OnCmdMsg(UINT id, bool execute) = 0;
};
