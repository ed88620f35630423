// Hook chains: the registry, the common hook procedure and the hover check.
#include "widgets/controls/OXHookWnd.h"

#include "platform/base/exception.h"
#include "platform/win/thread_state.h"

#include <exception>
#include <unordered_map>

namespace
{
struct HookRegistry
{
    std::unordered_map<HWND, COXHookWnd*> first; // newest hook of each hooked window
    // Windows whose last hook went while another procedure was installed over ours: the
    // common procedure keeps forwarding their messages to the window's own procedure.
    std::unordered_map<HWND, WNDPROC> orphans;
};

HookRegistry& Registry()
{
    static HookRegistry registry;
    return registry;
}

// Makes the hooked message the thread's current message while the hooks run, so that
// Default and framework code see it.
class CurrentMessageScope
{
public:
    CurrentMessageScope(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
        : m_state(fw::GetThreadState())
        , m_frame{nullptr, {hwnd, msg, wParam, lParam, 0, {}}, false, m_state.frame}
    {
        const DWORD pos = ::GetMessagePos();
        m_frame.msg.time = static_cast<DWORD>(::GetMessageTime());
        m_frame.msg.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
        m_state.frame = &m_frame;
    }
    ~CurrentMessageScope() { m_state.frame = m_frame.outer; }
    CurrentMessageScope(const CurrentMessageScope&) = delete;
    CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;

private:
    fw::ThreadState& m_state;
    fw::DispatchFrame m_frame;
};
} // namespace

COXHookWnd::~COXHookWnd()
{
    if (m_hWndHooked)
        Unhook();
}

LRESULT COXHookWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if ((msg == WM_TIMER && m_hoverTimer && wParam == m_hoverTimer) ||
        (msg == WM_MOUSEMOVE && !m_mouseInside))
        CheckHover();
    if (m_next)
        return m_next->WindowProc(msg, wParam, lParam);
    if (m_oldWndProc)
        return ::CallWindowProcA(m_oldWndProc, m_hWndHooked, msg, wParam, lParam);
    // Unhooked while handling this message: the window's present procedure gets it.
    const fw::DispatchFrame* frame = fw::GetThreadState().frame;
    const HWND hwnd = frame ? frame->msg.hwnd : nullptr;
    if (!hwnd || !::IsWindow(hwnd))
        return 0;
    const auto proc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    return ::CallWindowProcA(proc, hwnd, msg, wParam, lParam);
}

BOOL COXHookWnd::HookWindow(HWND hwnd)
{
    if (!hwnd || !::IsWindow(hwnd) || m_hWndHooked)
        return FALSE;
    m_hWndHooked = hwnd;
    COXHookMap::Add(hwnd, this);
    return TRUE;
}

void COXHookWnd::Unhook()
{
    StopHoverTimer();
    if (m_hWndHooked)
        COXHookMap::Remove(this);
    m_hWndHooked = nullptr;
    m_oldWndProc = nullptr;
    m_next = nullptr;
}

BOOL COXHookWnd::StartHoverTimer()
{
    if (!m_hWndHooked)
        return FALSE;
    m_hoverTimer = ::SetTimer(m_hWndHooked, kHoverTimerId, kHoverPeriodMs, nullptr);
    return m_hoverTimer != 0;
}

void COXHookWnd::StopHoverTimer()
{
    if (m_hoverTimer && m_hWndHooked)
        ::KillTimer(m_hWndHooked, m_hoverTimer);
    m_hoverTimer = 0;
    m_mouseInside = FALSE;
}

LRESULT COXHookWnd::Default()
{
    const fw::DispatchFrame* frame = fw::GetThreadState().frame;
    if (!frame || !m_hWndHooked)
        return 0;
    return COXHookWnd::WindowProc(frame->msg.message, frame->msg.wParam, frame->msg.lParam);
}

void COXHookWnd::CheckHover()
{
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    const BOOL inside = ::WindowFromPoint(cursor) == m_hWndHooked;
    if (inside == m_mouseInside)
        return;
    m_mouseInside = inside;
    ::PostMessageA(m_hWndHooked, inside ? WM_OX_HOOK_MOUSEENTER : WM_OX_HOOK_MOUSELEAVE, 0, 0);
}

void COXHookMap::Add(HWND hwnd, COXHookWnd* hook)
{
    HookRegistry& registry = Registry();
    COXHookWnd*& first = registry.first[hwnd];
    hook->m_next = first;
    if (first)
    {
        hook->m_oldWndProc = first->m_oldWndProc;
    }
    else
    {
        const auto orphan = registry.orphans.find(hwnd);
        if (orphan != registry.orphans.end())
        {
            // Our procedure is still in the window's chain, under someone else's.
            hook->m_oldWndProc = orphan->second;
            registry.orphans.erase(orphan);
        }
        else
        {
            hook->m_oldWndProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
                hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&COXHookMap::HookProc)));
        }
    }
    first = hook;
}

void COXHookMap::Remove(COXHookWnd* hook)
{
    HookRegistry& registry = Registry();
    const HWND hwnd = hook->m_hWndHooked;
    const auto found = registry.first.find(hwnd);
    if (found == registry.first.end())
        return;
    if (found->second == hook)
    {
        if (hook->m_next)
        {
            found->second = hook->m_next;
            return;
        }
        registry.first.erase(found);
        if (!::IsWindow(hwnd))
            return;
        // Put the window's own procedure back only when ours is still the installed one;
        // otherwise whoever subclassed over us would be cut off.
        const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
        if (current == &COXHookMap::HookProc)
            ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook->m_oldWndProc));
        else
            registry.orphans[hwnd] = hook->m_oldWndProc;
        return;
    }
    for (COXHookWnd* item = found->second; item; item = item->m_next)
    {
        if (item->m_next == hook)
        {
            item->m_next = hook->m_next;
            return;
        }
    }
}

void COXHookMap::RemoveAll(HWND hwnd)
{
    while (COXHookWnd* hook = Lookup(hwnd))
        hook->Unhook();
}

COXHookWnd* COXHookMap::Lookup(HWND hwnd)
{
    const auto& first = Registry().first;
    const auto found = first.find(hwnd);
    return found != first.end() ? found->second : nullptr;
}

LRESULT COXHookMap::CallHooks(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    COXHookWnd* first = Lookup(hwnd);
    if (!first)
    {
        auto& orphans = Registry().orphans;
        const auto orphan = orphans.find(hwnd);
        const WNDPROC proc = orphan != orphans.end() ? orphan->second : &::DefWindowProcA;
        if (msg == WM_NCDESTROY && orphan != orphans.end())
            orphans.erase(orphan);
        return ::CallWindowProcA(proc, hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY)
    {
        // The window's own procedure sees its last message with every hook gone.
        const WNDPROC own = first->m_oldWndProc;
        RemoveAll(hwnd);
        Registry().orphans.erase(hwnd);
        return ::CallWindowProcA(own, hwnd, msg, wParam, lParam);
    }
    return first->WindowProc(msg, wParam, lParam);
}

LRESULT CALLBACK COXHookMap::HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CurrentMessageScope scope(hwnd, msg, wParam, lParam);
    try
    {
        return CallHooks(hwnd, msg, wParam, lParam);
    }
    catch (CException* e)
    {
        fw::ReportDispatchFailure(msg, "framework exception in a window hook");
        e->Delete();
    }
    catch (const std::exception& e)
    {
        fw::ReportDispatchFailure(msg, e.what());
    }
    catch (...)
    {
        fw::ReportDispatchFailure(msg, "unknown exception in a window hook");
    }
    return 0;
}
