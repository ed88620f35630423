// Per-thread framework state: the handle maps, temporary wrappers and the stack of messages
// being dispatched. Only the thread's own windows are ever in its maps.
#pragma once

#include "platform/win/msgtable.h"

#include <windows.h>

#include <map>
#include <memory>
#include <typeindex>
#include <unordered_map>

class CWnd;
class CDC;
class CGdiObject;

namespace fw
{
// One message being handled; frames nest when handlers send messages.
struct DispatchFrame
{
    CWnd* target;
    MSG msg;
    bool targetGone; // the object was deleted during its handler: touch nothing of it
    DispatchFrame* outer;
};

struct ThreadState
{
    ThreadState();
    ~ThreadState();

    std::unordered_map<HWND, CWnd*> windows;   // permanent objects
    std::unordered_map<HWND, WNDPROC> orphans; // windows that outlived their objects
    std::unordered_map<HWND, std::unique_ptr<CWnd>> tempWindows;
    std::unordered_map<HDC, std::unique_ptr<CDC>> tempDCs;
    std::map<std::pair<HGDIOBJ, std::type_index>, std::unique_ptr<CGdiObject>> tempGdiObjects;

    // Message-table lookups of window messages by most-derived table; null = no entry.
    std::unordered_map<const MsgTable*, std::unordered_map<UINT, const MsgEntry*>> lookups;

    DispatchFrame* frame = nullptr;
    CWnd* creating = nullptr; // taken by the creation hook at HCBT_CREATEWND
    HHOOK creationHook = nullptr;
    int creationDepth = 0;
};

ThreadState& GetThreadState();

// Frees the temporary wrappers of FromHandle; done at idle.
void FreeTemporaries();

// Last line of defence of the dispatch: reports what escaped a handler.
void ReportDispatchFailure(UINT msg, const char* what);
} // namespace fw
