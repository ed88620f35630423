// Owned windows put back above their owner after each focus change of the thread.
#include "platform/win/ownedwindows.h"

#include <utility>
#include <vector>

namespace
{
constexpr UINT kRaiseMessage = WM_APP + 1;
constexpr UINT_PTR kRetryTimer = 1;
constexpr UINT kRetryMs = 100;
constexpr char kClassName[] = "FwOwnedWindowsAbove";

// The visible windows of this thread that owner owns, topmost ones aside, from the top down.
std::vector<HWND> OwnedWindows(HWND owner)
{
    std::vector<HWND> owned;
    const DWORD thread = ::GetCurrentThreadId();
    for (HWND window = ::GetTopWindow(nullptr); window != nullptr;
         window = ::GetWindow(window, GW_HWNDNEXT))
    {
        if (::GetWindow(window, GW_OWNER) != owner || !::IsWindowVisible(window) ||
            ::GetWindowThreadProcessId(window, nullptr) != thread ||
            (::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0)
            continue;
        owned.push_back(window);
    }
    return owned;
}

// Whether a visible topmost window of this thread (a combo box's drop-down list, a tooltip) is
// shown: the X server raises only the window at the top of the list, so a raise below it waits.
bool IsTopmostWindowShown()
{
    const DWORD thread = ::GetCurrentThreadId();
    for (HWND window = ::GetTopWindow(nullptr); window != nullptr;
         window = ::GetWindow(window, GW_HWNDNEXT))
    {
        if ((::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0)
            return false;
        if (::IsWindowVisible(window) && ::GetWindowThreadProcessId(window, nullptr) == thread)
            return true;
    }
    return false;
}

LRESULT CALLBACK RaiserProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    thread_local HWND waitingOwner = nullptr;
    if (message == kRaiseMessage)
        waitingOwner = reinterpret_cast<HWND>(wParam);
    else if (message != WM_TIMER || wParam != kRetryTimer)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    if (IsTopmostWindowShown())
    {
        ::SetTimer(hwnd, kRetryTimer, kRetryMs, nullptr);
        return 0;
    }
    ::KillTimer(hwnd, kRetryTimer);
    const HWND owner = std::exchange(waitingOwner, nullptr);
    if (::IsWindow(owner))
        fw::RaiseOwnedWindows(owner);
    return 0;
}

// The message-only window that raises the owned windows once the message that moved the focus
// is done: the hook runs before the change, and the raise must come after it.
HWND& Raiser()
{
    thread_local HWND raiser = nullptr;
    return raiser;
}

// An activation moves the focus without a focus hook call of its own.
LRESULT CALLBACK FocusHook(int code, WPARAM wParam, LPARAM lParam)
{
    if ((code == HCBT_SETFOCUS || code == HCBT_ACTIVATE) && wParam != 0)
    {
        const HWND root = ::GetAncestor(reinterpret_cast<HWND>(wParam), GA_ROOT);
        if (root != nullptr && !OwnedWindows(root).empty())
            ::PostMessageA(Raiser(), kRaiseMessage, reinterpret_cast<WPARAM>(root), 0);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
} // namespace

namespace fw
{
void KeepOwnedWindowsAbove()
{
    thread_local bool installed = false;
    if (installed)
        return;
    installed = true;
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &RaiserProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    ::RegisterClassA(&windowClass); // a second thread finds it registered
    Raiser() = ::CreateWindowExA(0, kClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 instance, nullptr);
    if (Raiser() != nullptr)
        ::SetWindowsHookExA(WH_CBT, &FocusHook, nullptr, ::GetCurrentThreadId());
}

bool RaiseOwnedWindows(HWND owner)
{
    const std::vector<HWND> owned = OwnedWindows(owner);
    // The window list may still put a window above its owner that the X server already shows
    // below it, and a window asked to the top where it already is stays put on the server too:
    // each goes below its owner in the list first (the server keeps it where it is), then to
    // the top of both with the windows it owns. The lowest goes first, so the order stays.
    constexpr UINT kPlaceOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    for (auto window = owned.rbegin(); window != owned.rend(); ++window)
    {
        ::SetWindowPos(*window, owner, 0, 0, 0, 0, kPlaceOnly | SWP_NOOWNERZORDER);
        ::SetWindowPos(*window, HWND_TOP, 0, 0, 0, 0, kPlaceOnly);
    }
    return !owned.empty();
}

RootOwnerWait::RootOwnerWait(HWND owner)
{
    const HWND root = owner ? ::GetAncestor(owner, GA_ROOTOWNER) : nullptr;
    if (root != nullptr && root != owner && ::IsWindowEnabled(root))
    {
        m_root = root;
        ::EnableWindow(root, FALSE);
    }
}

void RootOwnerWait::Release()
{
    if (m_root != nullptr)
        ::EnableWindow(m_root, TRUE);
    m_root = nullptr;
}
} // namespace fw
