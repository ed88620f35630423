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

ThreadState& GetThreadState()
{
    thread_local ThreadState state;
    return state;
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
