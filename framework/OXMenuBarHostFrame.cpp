// COXMenuBarHostFrame: the menu bar's dock bars and layout, the MDI client subclass that keeps
// the MDI menus on the bar, and the context-help mode in which the bar still opens its menus.
// COXMenuBarDockBar: the dock bar that gives a full-row menu bar a row of its own.
#include "framework/OXMenuBarFrame.h"
#include "platform/base/exception.h"
#include "platform/docview/doc.h"
#include "platform/win/app.h"

#include <algorithm>

namespace
{
struct MenuBarDockSide
{
    UINT id;
    DWORD style;
};

// Made in this order: the top and bottom dock bars take the whole width.
constexpr MenuBarDockSide kMenuBarDockSides[] = {{AFX_IDW_DOCKBAR_TOP, 0x2800},
                                                 {AFX_IDW_DOCKBAR_BOTTOM, 0x8200},
                                                 {AFX_IDW_DOCKBAR_LEFT, 0x1400},
                                                 {AFX_IDW_DOCKBAR_RIGHT, 0x4100}};
constexpr DWORD kDockBarWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

bool IsHelpMouseMessage(UINT msg)
{
    return (msg >= WM_MOUSEFIRST && msg <= 0x0209) || (msg >= 0x00A0 && msg <= 0x00A9);
}
} // namespace

LRESULT COXMenuBarHostFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE)
    {
        const LRESULT result = COXMenuBarFrameBase::WindowProc(msg, wParam, lParam);
        if (result == -1 || !IsBarWindow())
            return result;
        if (m_bIsMDIFrame)
            SendMessage(WM_IDLEUPDATECMDUI);
        m_menuBar.EnableDocking(m_dwMenuBarDockStyle);
        if (m_dwMenuBarDockStyle)
        {
            CreateDockBars(m_dwMenuBarDockStyle);
            const CRect none(0, 0, 0, 0);
            DockControlBar(&m_menuBar, static_cast<UINT>(0), &none);
        }
        return result;
    }
    if (msg == WM_IDLEUPDATECMDUI && m_bIsMDIFrame)
        CheckMDIClientSubclass();
    return COXMenuBarFrameBase::WindowProc(msg, wParam, lParam);
}

void COXMenuBarHostFrame::CreateDockBars(DWORD style)
{
    for (const MenuBarDockSide& side : kMenuBarDockSides)
    {
        if (!(style & side.style & CBRS_ALIGN_ANY) || GetControlBar(side.id))
            continue;
        auto* dockBar = new COXMenuBarDockBar;
        dockBar->m_bAutoDelete = TRUE;
        if (!dockBar->Create(this, side.style | kDockBarWindowStyle, side.id))
            fw::ThrowResourceException(); // the dock bar deleted itself
    }
}

BOOL COXMenuBarHostFrame::LoadFrame(UINT resourceId, DWORD style, CWnd* parent,
                                    CCreateContext* context)
{
    const BOOL loaded = COXMenuBarFrameBase::LoadFrame(resourceId, style, parent, context);
    if (loaded && IsBarWindow())
        SetFrameMenu(m_hMenuDefault);
    return loaded;
}

void COXMenuBarHostFrame::OnUpdateFrameMenu(HMENU menuAlt)
{
    if (m_bIsMDIFrame)
    {
        COXMenuBarFrameBase::OnUpdateFrameMenu(menuAlt);
        return;
    }
    if (!menuAlt)
    {
        CDocument* document = GetActiveDocument();
        menuAlt = document ? document->GetDefaultMenu() : nullptr;
    }
    SetFrameMenu(menuAlt ? menuAlt : m_hMenuDefault);
}

void COXMenuBarHostFrame::RecalcLayout(BOOL notify)
{
    COXMenuBarFrameBase::RecalcLayout(notify);
    if (!IsBarWindow() || !m_menuBar.m_pDockBar)
        return;
    // The bar's row may have changed the other dock bars' sizes: once more when they differ.
    const bool horz = (m_menuBar.GetBarStyle() & CBRS_ORIENT_HORZ) != 0;
    CControlBar* first = GetControlBar(horz ? AFX_IDW_DOCKBAR_TOP : AFX_IDW_DOCKBAR_LEFT);
    CControlBar* other = GetControlBar(horz ? AFX_IDW_DOCKBAR_BOTTOM : AFX_IDW_DOCKBAR_RIGHT);
    if (!first || !other)
        return;
    CRect bar;
    CRect dockBar;
    m_menuBar.GetWindowRect(&bar);
    other->GetWindowRect(&dockBar);
    if (horz ? dockBar.Width() != bar.Width() : dockBar.Height() != bar.Height())
        COXMenuBarFrameBase::RecalcLayout(notify);
}

BOOL COXMenuBarHostFrame::OnCreateClient(LPCREATESTRUCTA cs, CCreateContext* context)
{
    const BOOL created = COXMenuBarFrameBase::OnCreateClient(cs, context);
    m_bIsMDIFrame = IsKindOf(RUNTIME_CLASS(CMDIFrameWnd));
    if (created && m_hWnd)
    {
        // Known as a menu-bar frame from here on: the MDI client asks for it by its parent.
        EnterFrameMap();
        if (m_bIsMDIFrame)
            SubclassMDIClient();
    }
    return created;
}

void COXMenuBarHostFrame::SubclassMDIClient()
{
    const auto current =
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWndMDIClient, GWLP_WNDPROC));
    if (current == &MDIClientSubclassProc)
        return;
    m_pfnOldMDIClientProc = current;
    ::SetWindowLongPtrA(m_hWndMDIClient, GWLP_WNDPROC,
                        reinterpret_cast<LONG_PTR>(&MDIClientSubclassProc));
    m_bMDIClientProbeAnswered = TRUE;
}

void COXMenuBarHostFrame::CheckMDIClientSubclass()
{
    if (!m_hWndMDIClient)
        return;
    m_bMDIClientProbeAnswered = FALSE;
    ::SendMessageA(m_hWndMDIClient, WM_NULL, 0, 0);
    if (m_bMDIClientProbeAnswered)
        return;
    // Another procedure took the client over: ours goes in front of it again, and a menu it
    // put on the frame leaves.
    SubclassMDIClient();
    if (::GetMenu(m_hWnd))
        SetFrameMenu(nullptr);
}

LRESULT CALLBACK COXMenuBarHostFrame::MDIClientSubclassProc(HWND hwnd, UINT msg, WPARAM wParam,
                                                            LPARAM lParam)
{
    auto* frame = dynamic_cast<COXMenuBarHostFrame*>(FromMenuBarFrameMap(::GetParent(hwnd)));
    if (frame && ::IsWindow(frame->m_hWnd))
        return frame->MDIClientWindowProc(hwnd, msg, wParam, lParam);
    // The frame has gone: the client still works as its class makes it.
    const auto classProc = reinterpret_cast<WNDPROC>(::GetClassLongPtrA(hwnd, GCLP_WNDPROC));
    return classProc ? ::CallWindowProcA(classProc, hwnd, msg, wParam, lParam)
                     : ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT COXMenuBarHostFrame::MDIClientWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_NULL: m_bMDIClientProbeAnswered = TRUE; break;
    case WM_MDICREATE:
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE:
        // The bar shows the maximised child's icon and buttons: it looks again.
        if (IsBarWindow())
            m_menuBar.PostMessage(WM_IDLEUPDATECMDUI);
        break;
    case WM_MDISETMENU:
        // The frame's menu goes to the bar, never onto the frame window.
        if (wParam && IsBarWindow())
        {
            m_menuBar.SetMenu(reinterpret_cast<HMENU>(wParam));
            wParam = 0;
            if (const HMENU windowMenu = m_menuBar.GetWindowMenu())
                lParam = reinterpret_cast<LPARAM>(windowMenu);
        }
        break;
    default: break;
    }
    if (!m_pfnOldMDIClientProc)
        return 0;
    return ::CallWindowProcA(m_pfnOldMDIClientProc, hwnd, msg, wParam, lParam);
}

void COXMenuBarHostFrame::ShowContextHelp(DWORD context)
{
    if (context == static_cast<DWORD>(-1))
    {
        COXMenuBarFrameBase::ShowContextHelp(context);
        return;
    }
    SetMessageText(m_helpUnavailableText);
}

BOOL COXMenuBarHostFrame::ProcessHelpMsg(MSG& msg, DWORD* context)
{
    if (msg.message == WM_EXITHELPMODE || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
    {
        ::PeekMessageA(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
        return FALSE;
    }
    if (!IsHelpMouseMessage(msg.message))
        return COXMenuBarFrameBase::ProcessHelpMsg(msg, context);
    BOOL descendant = FALSE;
    const HWND hit = SetHelpCapture(msg.pt, &descendant);
    if (!hit)
        return TRUE;
    if (!descendant)
    {
        ::PeekMessageA(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
        ::DispatchMessageA(&msg);
        return TRUE;
    }
    if (!IsBarWindow() || hit != m_menuBar.GetSafeHwnd())
        return COXMenuBarFrameBase::ProcessHelpMsg(msg, context);
    // On the menu bar a press still opens the menu, whose commands then ask for help.
    const bool press = msg.message == WM_LBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN;
    ::PeekMessageA(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
    if (press || IsItemDropped())
    {
        ::ReleaseCapture();
        ::DispatchMessageA(&msg);
        POINT cursor;
        ::GetCursorPos(&cursor);
        SetHelpCapture(cursor, nullptr);
    }
    return TRUE;
}

void COXMenuBarDockBar::GiveOwnRow(int pos)
{
    // The visible bars before and after it in its row, up to the row's ends.
    auto visibleBetween = [this](int from, int to, int step)
    {
        for (int i = from; i != to && m_arrBars[i]; i += step)
        {
            CControlBar* bar = GetDockedControlBar(i);
            if (bar && bar->IsVisible())
                return true;
        }
        return false;
    };
    if (visibleBetween(pos - 1, 0, -1))
        m_arrBars.InsertAt(pos++, nullptr);
    if (visibleBetween(pos + 1, static_cast<int>(m_arrBars.GetSize()), 1))
        m_arrBars.InsertAt(pos + 1, nullptr);
}

CSize COXMenuBarDockBar::CalcFixedLayout(BOOL stretch, BOOL horz)
{
    COXMenuBar* menuBar = nullptr;
    for (INT_PTR pos = 1; pos < m_arrBars.GetSize() && !menuBar; ++pos)
    {
        auto* bar = dynamic_cast<COXMenuBar*>(GetDockedControlBar(static_cast<int>(pos)));
        const DWORD floatingDynamic = CBRS_SIZE_DYNAMIC | CBRS_FLOATING;
        if (bar && bar->m_bFullLength && bar->IsVisible() &&
            (bar->GetBarStyle() & floatingDynamic) != floatingDynamic)
        {
            menuBar = bar;
            GiveOwnRow(static_cast<int>(pos));
        }
    }
    if (!menuBar)
        return COXSizeDockBar::CalcFixedLayout(stretch, horz);
    // Marked, the bar asks for the whole length while the rows are laid out.
    menuBar->m_bSecondLength = TRUE;
    const CSize size = COXSizeDockBar::CalcFixedLayout(stretch, horz);
    menuBar->m_bSecondLength = FALSE;
    return size;
}
