// Page ids and view activation shared by the tab view containers.
#include "framework/TabPages.h"

#include "platform/docview/frame.h"
#include "platform/docview/view.h"
#include "platform/win/wnd.h"

UINT CTabPageIds::Take()
{
    const UINT id = m_freeIds.back();
    if (m_freeIds.size() == 1)
        m_freeIds.back() = id + 1;
    else
        m_freeIds.pop_back();
    return id;
}

BOOL ActivatePageView(CWnd* container, CWnd* newPage, CWnd* oldPage)
{
    CWnd* parent = container->GetParent();
    if (!parent || !parent->IsFrameWnd())
        return FALSE;
    auto* frame = static_cast<CFrameWnd*>(parent);
    if (auto* view = dynamic_cast<CView*>(newPage))
    {
        frame->SetActiveView(view);
        return TRUE;
    }
    if (dynamic_cast<CView*>(oldPage))
        frame->SetActiveView(nullptr);
    return FALSE;
}
