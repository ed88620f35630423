// Per-thread framework state and the temporary wrappers freed at idle.
#include "platform/win/thread_state.h"

#include "platform/sys/services.h"
#include "platform/win/dc.h"
#include "platform/win/gdiobj.h"
#include "platform/win/menu.h"
#include "platform/win/wnd.h"

#include <cstdio>

namespace fw
{
Watch::Watch(const CCmdTarget* target)
    : m_target(target)
{
    ThreadState& state = GetThreadState();
    m_outer = state.watches;
    state.watches = this;
}

Watch::~Watch()
{
    // Watches end in reverse order of their start, but unlink by search to be safe.
    Watch** link = &GetThreadState().watches;
    while (*link && *link != this)
        link = &(*link)->m_outer;
    if (*link)
        *link = m_outer;
}

ThreadState::ThreadState() = default;

ThreadState::~ThreadState()
{
    FreeTemporaries();
}

namespace
{
// The state lives on the heap and ends in the thread's fiber-local cleanup, which comes before
// the thread's own variables go: a state kept in a thread-local variable was destroyed after
// (or while) the run time freed its storage, and freed its wrappers twice.
thread_local ThreadState* t_state = nullptr;

void WINAPI EndThreadState(void* state)
{
    // While it ends, the lookups its wrappers make still find it.
    delete static_cast<ThreadState*>(state);
    t_state = nullptr;
}

DWORD StateSlot()
{
    static const DWORD slot = ::FlsAlloc(EndThreadState);
    return slot;
}
} // namespace

ThreadState& GetThreadState()
{
    if (t_state == nullptr)
    {
        t_state = new ThreadState;
        const DWORD slot = StateSlot();
        if (slot != FLS_OUT_OF_INDEXES)
            ::FlsSetValue(slot, t_state);
    }
    return *t_state;
}

void MarkTargetGone(const CCmdTarget* target)
{
    ThreadState& state = GetThreadState();
    for (DispatchFrame* frame = state.frame; frame; frame = frame->outer)
    {
        if (static_cast<const CCmdTarget*>(frame->target) == target)
            frame->targetGone = true;
    }
    for (Watch* watch = state.watches; watch; watch = watch->m_outer)
    {
        if (watch->m_target == target)
            watch->m_gone = true;
    }
}

void NoteModalResult(const CCmdTarget* target, int result)
{
    for (Watch* watch = GetThreadState().watches; watch; watch = watch->m_outer)
    {
        if (watch->m_target == target)
            watch->m_modalResult = result;
    }
}

void FreeTemporaries()
{
    ThreadState& state = GetThreadState();
    // Temporaries own nothing: detach before deleting so no handle is released.
    for (auto& entry : state.tempWindows)
        entry.second->Detach();
    state.tempWindows.clear();
    for (auto& entry : state.tempMenus)
        entry.second->Detach();
    state.tempMenus.clear();
    for (auto& entry : state.tempDCs)
        entry.second->Detach();
    state.tempDCs.clear();
    for (auto& entry : state.tempGdiObjects)
        entry.second->Detach();
    state.tempGdiObjects.clear();
}

void ReportDispatchFailure(UINT msg, const char* what)
{
    char text[256];
    std::snprintf(text, sizeof text, "Exception in handler of message 0x%04X: %s", msg, what);
    sys::Get().Log(text);
}
} // namespace fw
