// One system hook per kind and thread, shared by every ThreadHook of that kind.
#include "platform/ctrl/threadhook.h"

#include <algorithm>
#include <vector>

namespace
{
struct Chain
{
    HHOOK hook = nullptr;
    std::vector<fw::ThreadHook*> hooks; // oldest first
};

struct HookState
{
    Chain keyboard;
    Chain mouse;
};

HookState& State()
{
    thread_local HookState state;
    return state;
}

Chain* ChainOf(int kind)
{
    if (kind == WH_KEYBOARD)
        return &State().keyboard;
    if (kind == WH_MOUSE)
        return &State().mouse;
    return nullptr;
}

template <int Kind>
LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    return fw::ThreadHook::Call(Kind, code, wParam, lParam);
}
} // namespace

namespace fw
{
bool ThreadHook::Install(int kind, Handler handler)
{
    Chain* chain = ChainOf(kind);
    if (!chain || m_kind || !handler)
        return false;
    if (!chain->hook)
    {
        const HOOKPROC proc = kind == WH_KEYBOARD ? &HookProc<WH_KEYBOARD> : &HookProc<WH_MOUSE>;
        chain->hook = ::SetWindowsHookExA(kind, proc, nullptr, ::GetCurrentThreadId());
        if (!chain->hook)
            return false;
    }
    chain->hooks.push_back(this);
    m_kind = kind;
    m_handler = std::move(handler);
    return true;
}

void ThreadHook::Remove()
{
    if (!m_kind)
        return;
    Chain* chain = ChainOf(m_kind);
    chain->hooks.erase(std::remove(chain->hooks.begin(), chain->hooks.end(), this),
                       chain->hooks.end());
    if (chain->hooks.empty() && chain->hook)
    {
        ::UnhookWindowsHookEx(chain->hook);
        chain->hook = nullptr;
    }
    m_kind = 0;
    m_handler = nullptr;
}

LRESULT ThreadHook::Call(int kind, int code, WPARAM wParam, LPARAM lParam)
{
    Chain* chain = ChainOf(kind);
    if (!chain)
        return 0;
    if (code >= 0)
    {
        // A handler may remove hooks, itself included: walk a copy, asking those still there.
        const std::vector<ThreadHook*> hooks = chain->hooks;
        for (auto it = hooks.rbegin(); it != hooks.rend(); ++it)
        {
            const auto& live = chain->hooks;
            if (std::find(live.begin(), live.end(), *it) == live.end())
                continue;
            const Handler handler = (*it)->m_handler; // survives the hook's removal
            LRESULT result = 0;
            if (handler(code, wParam, lParam, &result))
                return result;
        }
    }
    return ::CallNextHookEx(chain->hook, code, wParam, lParam);
}
} // namespace fw
