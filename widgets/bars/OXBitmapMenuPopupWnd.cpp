// COXBitmapMenuPopupWnd: layout of the menu's items in the window, painting through the menu's
// DrawItem, selection, the customisation menu and drag start, and the drop messages.
#include "widgets/bars/OXBitmapMenuPopupWnd.h"

#include "platform/win/app.h"
#include "platform/win/dc.h"
#include "widgets/bars/OXBitmapMenu.h"

#include <windowsx.h>

FW_TABLE(COXBitmapMenuPopupWnd, CWnd, fw::raw<WM_PAINT, &COXBitmapMenuPopupWnd::OnPaintMessage>(),
         fw::raw<WM_LBUTTONDOWN, &COXBitmapMenuPopupWnd::OnButtonDown>(),
         fw::raw<WM_MBUTTONDOWN, &COXBitmapMenuPopupWnd::OnOtherButtonDown>(),
         fw::raw<WM_RBUTTONDOWN, &COXBitmapMenuPopupWnd::OnOtherButtonDown>(),
         fw::raw<WM_RBUTTONUP, &COXBitmapMenuPopupWnd::OnRButtonUp>(),
         fw::raw<WM_MOUSEMOVE, &COXBitmapMenuPopupWnd::OnMouseMoveMessage>(),
         fw::raw<WM_TIMER, &COXBitmapMenuPopupWnd::OnTimerMessage>(),
         fw::raw<WM_MOUSEACTIVATE, &COXBitmapMenuPopupWnd::OnMouseActivateMessage>(),
         fw::raw<WM_SETTINGCHANGE, &COXBitmapMenuPopupWnd::OnSettingChangeMessage>(),
         fw::raw<WM_OX_DRAGENTER, &COXBitmapMenuPopupWnd::OnDragEnterMessage>(),
         fw::raw<WM_OX_DRAGOVER, &COXBitmapMenuPopupWnd::OnDragOverMessage>(),
         fw::raw<WM_OX_DRAGLEAVE, &COXBitmapMenuPopupWnd::OnDragLeaveMessage>(),
         fw::raw<WM_OX_DROP, &COXBitmapMenuPopupWnd::OnDropMessage>(),
         fw::command<ID_OXBM_DELETE, &COXBitmapMenuPopupWnd::OnDeleteItem>(),
         fw::command<ID_OXBM_APPEARANCE, &COXBitmapMenuPopupWnd::OnItemAppearance>(),
         fw::command<ID_OXBM_SEPARATORBEFORE, &COXBitmapMenuPopupWnd::OnSeparatorBefore>(),
         fw::command<ID_OXBM_SEPARATORAFTER, &COXBitmapMenuPopupWnd::OnSeparatorAfter>(),
         fw::command<ID_OXBM_RECENTLYUSED, &COXBitmapMenuPopupWnd::OnRecentlyUsed>())

namespace
{
constexpr int kEmptyWidth = 50;
constexpr int kEmptyHeight = 18;
} // namespace

COXBitmapMenuPopupWnd::~COXBitmapMenuPopupWnd()
{
    Hide();
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL COXBitmapMenuPopupWnd::Show(COXBitmapMenu* menu, int alignment, int x, int y, CWnd* parent)
{
    if (!menu)
        return FALSE;
    m_pBitmapMenu = menu;
    menu->SetPopupWnd(this);
    if (!GetSafeHwnd())
    {
        const char* className =
            fw::RegisterWndClass(CS_SAVEBITS | CS_DBLCLKS, nullptr,
                                 reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
        if (!CreateEx(WS_EX_DLGMODALFRAME, className, "", WS_POPUP, 0, 0, 0, 0,
                      parent ? parent->GetSafeHwnd() : nullptr, nullptr))
        {
            menu->SetPopupWnd(nullptr);
            m_pBitmapMenu = nullptr;
            return FALSE;
        }
    }
    menu->GetDropTarget()->Revoke();
    menu->GetDropTarget()->Register(this);
    if (!menu->IsCustomizationAllowed())
        menu->AllowCustomization();
    menu->SetNotificationOwner(parent ? parent->GetSafeHwnd() : nullptr);
    menu->SetCustomizationActive(TRUE);
    UpdateFont();
    CalcLayout(alignment, x, y);
    ::SetWindowPos(m_hWnd, HWND_TOP, m_windowRect.left, m_windowRect.top, m_windowRect.Width(),
                   m_windowRect.Height(), SWP_NOACTIVATE);
    ::ShowWindow(m_hWnd, SW_SHOWNA);
    return TRUE;
}

void COXBitmapMenuPopupWnd::Hide()
{
    if (m_pBitmapMenu && !m_pBitmapMenu->IsDragInProgress())
    {
        m_pBitmapMenu->SetCustomizedItem(-1);
        m_pBitmapMenu->SetPopupWnd(nullptr);
        m_pBitmapMenu = nullptr;
    }
    if (GetSafeHwnd())
        ::ShowWindow(m_hWnd, SW_HIDE);
}

BOOL COXBitmapMenuPopupWnd::CalcLayout(int alignment, int x, int y)
{
    m_itemRects.clear();
    int width = 0;
    int top = 0;
    const HMENU menu = m_pBitmapMenu ? m_pBitmapMenu->GetSafeHmenu() : nullptr;
    const int count = menu ? ::GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i)
    {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
        ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        MEASUREITEMSTRUCT measure = {};
        measure.CtlType = ODT_MENU;
        measure.itemID = info.hSubMenu ? 0xFFFFFFFFu : info.wID;
        measure.itemData = info.dwItemData;
        m_pBitmapMenu->MeasureItem(&measure);
        const int itemHeight = static_cast<int>(measure.itemHeight);
        m_itemRects.emplace_back(0, top, static_cast<int>(measure.itemWidth), top + itemHeight);
        width = std::max(width, static_cast<int>(measure.itemWidth));
        top += itemHeight;
    }
    int height = top;
    if (width == 0 && height == 0)
    {
        width = kEmptyWidth;
        height = kEmptyHeight;
    }
    int left = x;
    if (alignment == alignCenter)
        left = x - width / 2;
    else if (alignment == alignRight)
        left = x - width;
    CRect rect(left, y, left + width, y + height);
    const DWORD style =
        GetSafeHwnd() ? static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)) : WS_POPUP;
    const DWORD exStyle = GetSafeHwnd() ? static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE))
                                        : WS_EX_DLGMODALFRAME;
    CRect framed = rect;
    ::AdjustWindowRectEx(&framed, style, FALSE, exStyle);
    const int frameLeft = rect.left - framed.left;
    framed.OffsetRect(rect.left - framed.left, rect.top - framed.top);
    framed.right += 2 * frameLeft;
    m_windowRect = framed;
    // Every item is as wide as the widest, so that the highlight spans the window.
    for (CRect& item : m_itemRects)
    {
        if (item.Width() < width + 2 * frameLeft)
            item.right = item.left + width + 2 * frameLeft;
    }
    return TRUE;
}

void COXBitmapMenuPopupWnd::OnMenuChanged()
{
    if (!m_pBitmapMenu)
        return;
    m_pBitmapMenu->MeasureColumns();
    CalcLayout(alignLeft, m_windowRect.left, m_windowRect.top);
    if (GetSafeHwnd() && ::IsWindowVisible(m_hWnd))
    {
        ::SetWindowPos(m_hWnd, HWND_TOP, m_windowRect.left, m_windowRect.top, m_windowRect.Width(),
                       m_windowRect.Height(), SWP_NOACTIVATE);
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    else
    {
        Hide();
    }
}

void COXBitmapMenuPopupWnd::RedrawItem(int position)
{
    if (!GetSafeHwnd() || position < 0 || position >= static_cast<int>(m_itemRects.size()))
        return;
    const RECT rect = m_itemRects[static_cast<size_t>(position)];
    ::RedrawWindow(m_hWnd, &rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void COXBitmapMenuPopupWnd::UpdateFont()
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&metrics.lfMenuFont);
}

int COXBitmapMenuPopupWnd::ItemAt(CPoint point) const
{
    for (size_t i = 0; i < m_itemRects.size(); ++i)
    {
        if (m_itemRects[i].PtInRect(point))
            return static_cast<int>(i);
    }
    return -1;
}

bool COXBitmapMenuPopupWnd::IsCustomizing() const
{
    return m_pBitmapMenu && m_pBitmapMenu->IsCustomizationActive();
}

LRESULT COXBitmapMenuPopupWnd::OnPaintMessage(WPARAM, LPARAM)
{
    PAINTSTRUCT paint = {};
    const HDC dc = ::BeginPaint(m_hWnd, &paint);
    const int saved = ::SaveDC(dc);
    ::SetTextColor(dc, ::GetSysColor(COLOR_MENUTEXT));
    ::SelectObject(dc, m_font.GetSafeHandle());
    const HMENU menu = m_pBitmapMenu ? m_pBitmapMenu->GetSafeHmenu() : nullptr;
    for (size_t i = 0; menu && i < m_itemRects.size(); ++i)
    {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
        if (!::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_MENU;
        draw.itemID = info.hSubMenu ? 0xFFFFFFFFu : info.wID;
        draw.itemAction = ODA_DRAWENTIRE;
        draw.hwndItem = reinterpret_cast<HWND>(menu);
        draw.hDC = dc;
        draw.rcItem = m_itemRects[i];
        draw.itemData = info.dwItemData;
        m_pBitmapMenu->DrawItem(&draw);
    }
    ::RestoreDC(dc, saved);
    ::EndPaint(m_hWnd, &paint);
    return 0;
}

LRESULT COXBitmapMenuPopupWnd::OnButtonDown(WPARAM wParam, LPARAM lParam)
{
    if (!IsCustomizing() || m_dragTimer != 0)
        return Default();
    m_pBitmapMenu->SetCustomizedItem(ItemAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))));
    m_dragTimer = ::SetTimer(m_hWnd, kDragStartTimer, kDragStartDelay, nullptr);
    (void)wParam;
    return 0;
}

LRESULT COXBitmapMenuPopupWnd::OnOtherButtonDown(WPARAM, LPARAM lParam)
{
    if (!IsCustomizing())
        return Default();
    m_pBitmapMenu->SetCustomizedItem(ItemAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))));
    return 0;
}

LRESULT COXBitmapMenuPopupWnd::OnRButtonUp(WPARAM, LPARAM lParam)
{
    if (!IsCustomizing() || m_pBitmapMenu->GetCustomizedItem() < 0)
        return Default();
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ClientToScreen(m_hWnd, &point);
    m_pBitmapMenu->ShowCustomizeMenu(m_pBitmapMenu->GetCustomizedItem(), point.x, point.y);
    return 0;
}

LRESULT COXBitmapMenuPopupWnd::OnMouseMoveMessage(WPARAM wParam, LPARAM)
{
    if (m_dragTimer != 0 && !(wParam & MK_LBUTTON))
    {
        ::KillTimer(m_hWnd, m_dragTimer);
        m_dragTimer = 0;
    }
    return Default();
}

LRESULT COXBitmapMenuPopupWnd::OnTimerMessage(WPARAM wParam, LPARAM)
{
    if (wParam != kDragStartTimer)
        return Default();
    ::KillTimer(m_hWnd, m_dragTimer);
    m_dragTimer = 0;
    if (GetSafeHwnd() && IsCustomizing() && (::GetKeyState(VK_LBUTTON) & 0x8000))
        m_pBitmapMenu->OnBeginDragItem(m_pBitmapMenu->GetCustomizedItem());
    return 0;
}

LRESULT COXBitmapMenuPopupWnd::OnMouseActivateMessage(WPARAM, LPARAM)
{
    return MA_NOACTIVATE;
}

LRESULT COXBitmapMenuPopupWnd::OnSettingChangeMessage(WPARAM, LPARAM)
{
    UpdateFont();
    OnMenuChanged();
    return Default();
}

LRESULT COXBitmapMenuPopupWnd::OnDragEnter(WPARAM wParam, LPARAM lParam)
{
    return IsCustomizing() ? m_pBitmapMenu->OnDragOver(wParam, lParam) : 0;
}

LRESULT COXBitmapMenuPopupWnd::OnDragOver(WPARAM wParam, LPARAM lParam)
{
    return IsCustomizing() ? m_pBitmapMenu->OnDragOver(wParam, lParam) : 0;
}

LRESULT COXBitmapMenuPopupWnd::OnDragLeave(WPARAM wParam, LPARAM lParam)
{
    return IsCustomizing() ? m_pBitmapMenu->OnDragLeave(wParam, lParam) : 0;
}

LRESULT COXBitmapMenuPopupWnd::OnDrop(WPARAM wParam, LPARAM lParam)
{
    return IsCustomizing() ? m_pBitmapMenu->OnDrop(wParam, lParam) : 0;
}

LRESULT COXBitmapMenuPopupWnd::OnDragEnterMessage(WPARAM wParam, LPARAM lParam)
{
    return OnDragEnter(wParam, lParam);
}

LRESULT COXBitmapMenuPopupWnd::OnDragOverMessage(WPARAM wParam, LPARAM lParam)
{
    return OnDragOver(wParam, lParam);
}

LRESULT COXBitmapMenuPopupWnd::OnDragLeaveMessage(WPARAM wParam, LPARAM lParam)
{
    return OnDragLeave(wParam, lParam);
}

LRESULT COXBitmapMenuPopupWnd::OnDropMessage(WPARAM wParam, LPARAM lParam)
{
    return OnDrop(wParam, lParam);
}

void COXBitmapMenuPopupWnd::OnDeleteItem()
{
    if (IsCustomizing())
        m_pBitmapMenu->DeleteCustomizedItem();
}

void COXBitmapMenuPopupWnd::OnItemAppearance()
{
    if (IsCustomizing())
        m_pBitmapMenu->ShowItemAppearance();
}

void COXBitmapMenuPopupWnd::OnSeparatorBefore()
{
    if (IsCustomizing())
        m_pBitmapMenu->InsertSeparatorBefore();
}

void COXBitmapMenuPopupWnd::OnSeparatorAfter()
{
    if (IsCustomizing())
        m_pBitmapMenu->InsertSeparatorAfter();
}

void COXBitmapMenuPopupWnd::OnRecentlyUsed()
{
    if (IsCustomizing())
        m_pBitmapMenu->ToggleRecentlyUsed();
}
