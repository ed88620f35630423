// What both tab view containers do alike with their pages: recycle control ids, and let a
// frame's active view follow the page shown.
#pragma once

#include <windows.h>

#include <vector>

class CWnd;
struct CCreateContext;
struct CRuntimeClass;

// Control ids for new pages: freed ids first, latest freed first, then 1, 2, 3 ...
class CTabPageIds
{
public:
    UINT Take();
    void Free(UINT id) { m_freeIds.push_back(id); }

private:
    std::vector<UINT> m_freeIds{1}; // the last entry alone is the next new id
};

// A page window made from its run-time class as a child of container, with id and rect.
// Without a context a view page joins the document of activePage when that is a view;
// joinedView then asks the caller to send WM_INITIALUPDATE once the page is inserted. Null
// when the class makes no window or the window fails; a failed object is not leaked.
CWnd* CreatePageFromClass(const CRuntimeClass* pageClass, CCreateContext* context, CWnd* activePage,
                          CWnd* container, const RECT& rect, UINT id, bool& joinedView);

// When container's parent is a frame: a view page becomes its active view; a page that is no
// view clears the active view if the old page was one. TRUE when a view became active.
BOOL ActivatePageView(CWnd* container, CWnd* newPage, CWnd* oldPage);
