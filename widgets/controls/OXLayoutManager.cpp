// The layout manager: anchored child sides follow the container's size.
#include "widgets/controls/OXLayoutManager.h"

#include "platform/win/wnd.h"

#include <algorithm>

BOOL COXLayoutManager::Attach(CWnd* container)
{
    Detach();
    if (!container || !container->GetSafeHwnd())
        return FALSE;
    return HookWindow(container->GetSafeHwnd());
}

void COXLayoutManager::Detach()
{
    m_anchors.clear();
    if (IsHooked())
        Unhook();
}

BOOL COXLayoutManager::AnchorChild(UINT childId, UINT sides, int type, UINT referenceId)
{
    const HWND container = GetHookedWnd();
    const HWND child = container ? ::GetDlgItem(container, static_cast<int>(childId)) : nullptr;
    if (!child || type != kSameSide || referenceId != 0 ||
        !(sides & (kTop | kBottom | kLeft | kRight)))
        return FALSE;
    RECT client = {};
    ::GetClientRect(container, &client);
    RECT rect = {};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&rect), 2);
    const RECT distances = {rect.left - client.left, rect.top - client.top,
                            client.right - rect.right, client.bottom - rect.bottom};
    const auto known =
        std::find_if(m_anchors.begin(), m_anchors.end(),
                     [&](const Anchor& anchor) { return anchor.childId == childId; });
    if (known != m_anchors.end())
    {
        known->sides |= sides;
        known->distances = distances;
    }
    else
        m_anchors.push_back({childId, sides, distances});
    return TRUE;
}

void COXLayoutManager::RedrawLayout()
{
    const HWND container = GetHookedWnd();
    if (!container)
        return;
    RECT client = {};
    ::GetClientRect(container, &client);
    for (const Anchor& anchor : m_anchors)
    {
        const HWND child = ::GetDlgItem(container, static_cast<int>(anchor.childId));
        if (!child)
            continue;
        RECT rect = {};
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&rect), 2);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        // A side anchored alone moves the child; both sides of a direction stretch it.
        if (anchor.sides & kLeft)
            rect.left = client.left + anchor.distances.left;
        if (anchor.sides & kRight)
        {
            rect.right = client.right - anchor.distances.right;
            if (!(anchor.sides & kLeft))
                rect.left = rect.right - width;
        }
        else
            rect.right = rect.left + width;
        if (anchor.sides & kTop)
            rect.top = client.top + anchor.distances.top;
        if (anchor.sides & kBottom)
        {
            rect.bottom = client.bottom - anchor.distances.bottom;
            if (!(anchor.sides & kTop))
                rect.top = rect.bottom - height;
        }
        else
            rect.bottom = rect.top + height;
        ::SetWindowPos(child, nullptr, rect.left, rect.top, std::max(0L, rect.right - rect.left),
                       std::max(0L, rect.bottom - rect.top), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::InvalidateRect(container, nullptr, TRUE);
}

LRESULT COXLayoutManager::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // The children move first, so that the container's own handler sees them placed.
    if (msg == WM_SIZE && wParam != SIZE_MINIMIZED)
        RedrawLayout();
    return COXHookWnd::WindowProc(msg, wParam, lParam);
}
