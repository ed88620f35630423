// Child frame: refuses to close the project's first view.
#include "app/ChildFrame.h"

#include "app/MainFrame.h"
#include "platform/win/crackers.h"
#include "view/CAEView.h"

FW_TABLE(CChildFrame, CMDIChildWnd, fw::on<WM_CLOSE, &CChildFrame::OnClose>())

BOOL CChildFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    return CMDIChildWnd::PreCreateWindow(cs);
}

void CChildFrame::OnClose()
{
    // A frame without a view (still being made, or its view already gone) has nothing to
    // protect: it closes.
    const auto* view = dynamic_cast<CCAEView*>(GetActiveView());
    if (view != nullptr && view->FrameKey() == kFirstFrameId)
        return;
    CMDIChildWnd::OnClose();
}
