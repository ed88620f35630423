// Per-thread framework state: the handle maps, temporary wrappers, the stack of messages
// being dispatched and the watches that notice a deleted object. Only the thread's own
// windows are ever in its maps.
#pragma once

#include "platform/win/msgtable.h"

#include <windows.h>

#include <map>
#include <memory>
#include <typeindex>
#include <unordered_map>
#include <vector>

class CCmdTarget;
class CWnd;
class CDC;
class CGdiObject;
class CMenu;
class CWinThread;

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

// Notices the deletion of one object while code that started on it (a modal loop, a
// routing step) is still running. Lives on the stack; nests freely.
class Watch
{
public:
    explicit Watch(const CCmdTarget* target);
    ~Watch();
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;

    bool Gone() const { return m_gone; }
    // The last modal result EndModalLoop gave the object (modal loops read it once it is gone).
    int ModalResult() const { return m_modalResult; }

private:
    friend void MarkTargetGone(const CCmdTarget* target);
    friend void NoteModalResult(const CCmdTarget* target, int result);

    const CCmdTarget* m_target;
    bool m_gone = false;
    int m_modalResult = 0;
    Watch* m_outer;
};

// Records a modal result in the object's watches.
void NoteModalResult(const CCmdTarget* target, int result);

struct ThreadState
{
    ThreadState();
    ~ThreadState();

    std::unordered_map<HWND, CWnd*> windows;   // permanent objects
    std::unordered_map<HWND, WNDPROC> orphans; // windows that outlived their objects
    // Temporaries by handle and wrapper type, so a CScrollBar* is always a real CScrollBar.
    std::map<std::pair<HWND, std::type_index>, std::unique_ptr<CWnd>> tempWindows;
    std::unordered_map<HMENU, CMenu*> menus;
    std::unordered_map<HMENU, std::unique_ptr<CMenu>> tempMenus;
    std::unordered_map<HDC, CDC*> dcs;
    std::unordered_map<HDC, std::unique_ptr<CDC>> tempDCs;
    std::unordered_map<HGDIOBJ, CGdiObject*> gdiObjects;
    std::map<std::pair<HGDIOBJ, std::type_index>, std::unique_ptr<CGdiObject>> tempGdiObjects;

    // Message-table lookups of window messages by most-derived table; null = no entry.
    std::unordered_map<const MsgTable*, std::unordered_map<UINT, const MsgEntry*>> lookups;

    DispatchFrame* frame = nullptr;
    Watch* watches = nullptr;
    CWnd* creating = nullptr; // taken by the creation hook at HCBT_CREATEWND
    HHOOK creationHook = nullptr;
    int creationDepth = 0;

    CWinThread* thread = nullptr;       // the thread object, when one runs this thread
    MSG msgCur = {};                    // the message the loop dispatches now
    HMENU lastInitMenuPopup = nullptr;  // owner-drawn items are measured from here
    HWND lockoutNotifyWindow = nullptr; // its WM_COMMAND notifications are ignored
    // A child control's message that a control bar passes on to its owner after the control
    // has been offered it: the owner routes it without reflecting it to the control again.
    struct ForwardedMessage
    {
        UINT msg = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    } reflectedForward;
    // The thread's frame objects (CFrameWnd) in creation order; idle updates reach each.
    std::vector<CWnd*> frames;
};

ThreadState& GetThreadState();

// Marks the dispatch frames and watches of a deleted object.
void MarkTargetGone(const CCmdTarget* target);

// Frees the temporary wrappers of FromHandle; done at idle.
void FreeTemporaries();

// Last line of defence of the dispatch: reports what escaped a handler.
void ReportDispatchFailure(UINT msg, const char* what);
} // namespace fw
