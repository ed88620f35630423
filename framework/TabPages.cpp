// Page ids and view activation shared by the tab view containers.
#include "framework/TabPages.h"

#include "platform/base/exception.h"
#include "platform/docview/doc.h"
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

CWnd* CreatePageFromClass(const CRuntimeClass* pageClass, CCreateContext* context, CWnd* activePage,
                          CWnd* container, const RECT& rect, UINT id, bool& joinedView)
{
    CCreateContext viewContext;
    CView* activeView = dynamic_cast<CView*>(activePage);
    const bool isFromView = !context && activeView && activeView->GetDocument();
    if (isFromView)
    {
        viewContext.m_pCurrentDoc = activeView->GetDocument();
        viewContext.m_pNewDocTemplate = viewContext.m_pCurrentDoc->GetDocTemplate();
        context = &viewContext;
    }
    CObject* object = pageClass->CreateObject();
    if (!object)
        fw::ThrowMemoryException();
    CWnd* page = dynamic_cast<CWnd*>(object);
    if (!page)
    {
        delete object;
        return nullptr;
    }
    // A window whose creation fails has run its PostNcDestroy, which may have deleted it.
    if (!page->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, container, id, context))
        return nullptr;
    joinedView = isFromView && dynamic_cast<CView*>(page);
    return page;
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
