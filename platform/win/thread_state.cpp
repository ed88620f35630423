// Per-thread framework state and the temporary wrappers freed at idle.
#include "platform/win/thread_state.h"

#include "platform/win/dc.h"
#include "platform/win/gdiobj.h"
#include "platform/win/wnd.h"

#include <cstdio>

namespace fw
{
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

void FreeTemporaries()
{
    ThreadState& state = GetThreadState();
    // Temporaries own nothing: detach before deleting so no handle is released.
    for (auto& entry : state.tempWindows)
        entry.second->Detach();
    state.tempWindows.clear();
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
    std::snprintf(text, sizeof text, "Exception in handler of message 0x%04X: %s\n", msg, what);
    OutputDebugStringA(text);
    std::fputs(text, stderr);
}
} // namespace fw
