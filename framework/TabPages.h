// What both tab view containers do alike with their pages: recycle control ids, and let a
// frame's active view follow the page shown.
#pragma once

#include <windows.h>

#include <vector>

class CWnd;

// Control ids for new pages: freed ids first, latest freed first, then 1, 2, 3 ...
class CTabPageIds
{
public:
    UINT Take();
    void Free(UINT id) { m_freeIds.push_back(id); }

private:
    std::vector<UINT> m_freeIds{1}; // the last entry alone is the next new id
};

// When container's parent is a frame: a view page becomes its active view; a page that is no
// view clears the active view if the old page was one. TRUE when a view became active.
BOOL ActivatePageView(CWnd* container, CWnd* newPage, CWnd* oldPage);
