// The source side of a drag: when the drag starts, whether it goes on, and the cursor feedback.
#pragma once

#include "platform/base/geometry.h"
#include "platform/ole/oleinit.h"

#include <windows.h>

#include <ole2.h>

class CWnd;

class COleDropSource
{
public:
    COleDropSource();
    virtual ~COleDropSource();
    COleDropSource(const COleDropSource&) = delete;
    COleDropSource& operator=(const COleDropSource&) = delete;

    // Before the drag: TRUE once the mouse leaves the start rectangle with the button held or
    // the drag delay passes; FALSE when the button is released or Escape is pressed first.
    // wnd captures the mouse meanwhile.
    virtual BOOL OnBeginDrag(CWnd* wnd);
    // During the drag: DRAGDROP_S_CANCEL on Escape or a second button, DRAGDROP_S_DROP when
    // the button that started the drag is released, S_OK to go on.
    virtual SCODE QueryContinueDrag(BOOL escapePressed, DWORD keyState);
    // DRAGDROP_S_USEDEFAULTCURSORS.
    virtual SCODE GiveFeedback(DROPEFFECT effect);

    // The IDropSource given to OLE; holds no reference for the caller.
    IDropSource* GetInterface();

    // Screen rectangle the mouse must leave before OnBeginDrag starts the drag.
    CRect m_rectStartDrag;
    // The mouse button that started the drag (MK_LBUTTON or MK_RBUTTON).
    DWORD m_dwButtonDrop = MK_LBUTTON;

private:
    class Site;
    Site* m_site; // owned through its reference count
};
