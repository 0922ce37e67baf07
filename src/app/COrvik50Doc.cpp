#include "app/COrvik50Doc.h"

#include "app/COrvik50View.h"

bool COrvik50Doc::OnNewDocument()
{
    if (view_)
        view_->OnInitialUpdate();
    return true;
}

bool COrvik50Doc::OnCmdMsg(UINT, bool)
{
    return false;
}
