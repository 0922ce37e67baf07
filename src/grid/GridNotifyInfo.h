#pragma once
// The record every grid notification carries to the owner window: which
// grid sent it, with which control id and code, and for which cell.
#include "platform/WinTypes.h"

class CGridCtrl;

// Notification header with the Win32 field names; hwndFrom is the grid itself.
struct NMHDR {
    CGridCtrl* hwndFrom = nullptr;
    UINT idFrom = 0;
    int code = 0;
};

struct GridNotifyInfo {
    NMHDR hdr;
    int row = -1;
    int column = -1;
};
