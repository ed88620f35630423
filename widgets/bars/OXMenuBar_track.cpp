// COXMenuBar tracking: opening an item's popup under its button, menu mode driven by the
// keyboard, moving between items while a popup is open, and clicks that close a popup.
//
// States: idle; menu mode (the bar has the focus and a hot item); open (an item is pressed
// and its popup tracked); switching (the open popup closes with a next item to open).
#include "platform/docview/frame.h"
#include "platform/win/app.h"
#include "widgets/bars/OXMenuBar.h"

namespace
{
// Below (or beside) the button: fewer pixels than this before the screen's edge and the
// popup goes to the other side.
constexpr int kRoomForPopup = 200;
} // namespace

LRESULT COXMenuBar::OnOpenItem(WPARAM wParam, LPARAM)
{
    // The last of several queued requests wins.
    int item = static_cast<int>(wParam);
    MSG queued;
    while (
        ::PeekMessageA(&queued, m_hWnd, WM_OX_MENUBAR_OPENITEM, WM_OX_MENUBAR_OPENITEM, PM_REMOVE))
        item = static_cast<int>(queued.wParam);
    OpenItem(item);
    return 0;
}

void COXMenuBar::OnDropDown(NMHDR* header, LRESULT* result)
{
    *result = TBDDRET_DEFAULT;
    const int item = reinterpret_cast<NMTOOLBARA*>(header)->iItem - 1;
    // The click that closed this item's popup does not open it again.
    const bool justClosed = item == m_justClosedItem;
    m_justClosedItem = -1;
    if (justClosed || item < 0 || item >= GetCount())
        return;
    if (IsPopupItem(item))
    {
        PostMessage(WM_OX_MENUBAR_OPENITEM, static_cast<WPARAM>(item));
        return;
    }
    const UINT id = CommandOf(item);
    if (m_bCustomizationMode || id == 0 || id == 0xFFFF || id == static_cast<UINT>(-1))
        return;
    SendMessage(TB_PRESSBUTTON, static_cast<WPARAM>(item + 1), TRUE);
    const HWND self = m_hWnd;
    if (CFrameWnd* frame = Frame())
        frame->SendMessage(WM_COMMAND, id);
    if (CWnd::FromHandlePermanent(self) == this)
        SendMessage(TB_PRESSBUTTON, static_cast<WPARAM>(item + 1), FALSE);
}

BOOL COXMenuBar::IsPopupItem(int item) const
{
    if (item == GetSystemMenuItem())
        return m_hIcon && MaximizedChild();
    return m_hMenu && ::GetSubMenu(m_hMenu, item) != nullptr;
}

UINT COXMenuBar::CommandOf(int item) const
{
    return m_hMenu ? ::GetMenuItemID(m_hMenu, item) : static_cast<UINT>(-1);
}

CRect COXMenuBar::ItemScreenRect(int item) const
{
    CRect rect;
    if (item == GetSystemMenuItem())
    {
        CRect window;
        GetWindowRect(&window);
        rect = m_rectIcon;
        rect.OffsetRect(window.left, window.top);
        return rect;
    }
    GetItemRect(item, &rect);
    ClientToScreen(&rect);
    return rect;
}

BOOL COXMenuBar::IsCursorOnItem(int item) const
{
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    return item >= 0 && ItemScreenRect(item).PtInRect(cursor);
}

void COXMenuBar::OpenItem(int item)
{
    const int count = GetCount();
    if (item < 0 || item > count)
        return;
    const bool systemItem = item == count;
    if (systemItem && !m_hIcon)
    {
        Release();
        return;
    }
    if (!systemItem && !IsPopupItem(item))
    {
        // A command on the bar itself runs instead, chosen in menu mode, which it ends.
        const UINT id = CommandOf(item);
        if (m_bMenuMode && id != 0 && id != 0xFFFF && id != static_cast<UINT>(-1))
        {
            LeaveMenuMode();
            const HWND self = m_hWnd;
            if (CWnd* main = AfxGetMainWnd())
                main->SendMessage(WM_COMMAND, id);
            if (CWnd::FromHandlePermanent(self) != this)
                return;
            if (CFrameWnd* frame = Frame())
                frame->SendMessage(WM_EXITMENULOOP, FALSE);
        }
        Release();
        return;
    }
    const BOOL wasMenuMode = m_bMenuMode;
    const BOOL hadPressed = m_pressedItem >= 0;
    if (m_bMenuMode)
        LeaveMenuMode();

    HMENU popup = nullptr;
    if (systemItem)
    {
        const HWND child = MaximizedChild();
        popup = child && !m_bCustomizationMode ? ::GetSystemMenu(child, FALSE) : nullptr;
    }
    else if (!(::GetMenuState(m_hMenu, static_cast<UINT>(item), MF_BYPOSITION) &
               (MF_GRAYED | MF_DISABLED)))
    {
        popup = ::GetSubMenu(m_hMenu, item);
    }
    if (!popup && !m_bCustomizationMode)
    {
        Release();
        return;
    }

    CFrameWnd* frame = Frame();
    if (!wasMenuMode && frame)
    {
        if (!hadPressed)
        {
            frame->SendMessage(WM_ENTERMENULOOP, FALSE);
            frame->SendMessage(WM_INITMENU, reinterpret_cast<WPARAM>(m_hMenu));
        }
        SendMenuSelect(item);
    }

    // Under the button, or beside it when the screen ends too soon.
    const CRect button = ItemScreenRect(item);
    UINT flags = TPM_RIGHTBUTTON;
    CPoint at(button.left, button.bottom + 1);
    if (IsHorizontal())
    {
        if (::GetSystemMetrics(SM_CYSCREEN) - button.bottom < kRoomForPopup)
            at = CPoint(button.right + 1, button.top);
    }
    else if (::GetSystemMetrics(SM_CXSCREEN) - button.right < kRoomForPopup)
    {
        at = CPoint(button.left - 1, button.top);
        flags |= TPM_RIGHTALIGN;
    }
    else
    {
        at = CPoint(button.right + 1, button.top);
    }

    Release();
    m_pressedItem = item;
    m_nextItem = -1;
    if (m_bCustomizationMode)
    {
        OXMenuPopupNotify notify = {};
        notify.hdr.hwndFrom = m_hWnd;
        notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
        notify.hdr.code = OXMBN_POPUP;
        notify.popup = popup;
        notify.flags = flags;
        notify.x = at.x;
        notify.y = at.y;
        if (frame)
            frame->SendMessage(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
        Release();
        return;
    }
    SendMessage(TB_PRESSBUTTON, static_cast<WPARAM>(item + 1), TRUE);
    CWnd* owner = AfxGetMainWnd() ? AfxGetMainWnd() : frame;
    const HWND self = m_hWnd;
    ::TrackPopupMenu(popup, flags, at.x, at.y, 0, owner ? owner->GetSafeHwnd() : m_hWnd, nullptr);
    // Whatever the popup's command did, the bar may be gone.
    if (CWnd::FromHandlePermanent(self) != this)
        return;
    if (m_nextItem >= 0)
    {
        PostMessage(WM_OX_MENUBAR_OPENITEM, static_cast<WPARAM>(m_nextItem));
        return;
    }
    if (IsCursorOnItem(item))
        m_justClosedItem = item;
    Release();
}

void COXMenuBar::Release()
{
    const int item = m_pressedItem;
    if (item >= 0 && item < GetCount())
        SendMessage(TB_PRESSBUTTON, static_cast<WPARAM>(item + 1), FALSE);
    m_pressedItem = -1;
    if (m_nextItem < 0 && item >= 0)
    {
        if (m_bReturnToKeyboard)
            EnterMenuMode(item);
        else if (CFrameWnd* frame = Frame())
            frame->SendMessage(WM_EXITMENULOOP, FALSE);
    }
    m_bReturnToKeyboard = FALSE;
}

void COXMenuBar::SendMenuSelect(int item) const
{
    CFrameWnd* frame = Frame();
    if (!frame)
        return;
    const WPARAM what = item == GetSystemMenuItem() ? MAKEWPARAM(0, MF_SYSMENU)
                                                    : MAKEWPARAM(item, MF_POPUP | MF_HILITE);
    frame->SendMessage(WM_MENUSELECT, what, reinterpret_cast<LPARAM>(m_hMenu));
}

void COXMenuBar::SetHotItem(int item)
{
    m_hotItem = item;
    SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(item >= 0 && item < GetCount() ? item : -1));
}

int COXMenuBar::HotItem() const
{
    return m_hotItem;
}

void COXMenuBar::EnterMenuMode(int item)
{
    if (m_pressedItem >= 0)
        return;
    const HWND focus = ::GetFocus();
    if (focus != m_hWnd)
        s_focusBeforeMenuMode = focus;
    m_bMenuMode = TRUE;
    SetFocus();
    m_bMenuMode = TRUE; // taking the focus may have passed through a focus change
    SetHotItem(item);
    if (m_bReturnToKeyboard)
        return;
    if (CFrameWnd* frame = Frame())
    {
        frame->SendMessage(WM_ENTERMENULOOP, FALSE);
        frame->SendMessage(WM_INITMENU, reinterpret_cast<WPARAM>(m_hMenu));
    }
    SendMenuSelect(item);
}

void COXMenuBar::LeaveMenuMode()
{
    m_bMenuMode = FALSE;
    SetHotItem(-1);
    const HWND previous = s_focusBeforeMenuMode;
    s_focusBeforeMenuMode = nullptr;
    if (previous && ::IsWindow(previous))
        ::SetFocus(previous);
}

void COXMenuBar::OnKillFocus(CWnd* newWnd)
{
    m_bMenuMode = FALSE;
    SetHotItem(-1);
    COXCoolToolBar::OnKillFocus(newWnd);
}

int COXMenuBar::Neighbour(int item, int step) const
{
    const int count = GetCount();
    const int ring = m_hIcon ? count + 1 : count;
    if (ring == 0)
        return -1;
    const int next = (((item + step) % ring) + ring) % ring;
    if (next == count)
        return next;
    // A button the bar cannot show gives way to the system-menu item or the first item.
    CRect button;
    GetItemRect(next, &button);
    CRect client;
    GetClientRect(&client);
    if (button.right > client.right)
        return m_hIcon ? count : 0;
    return next;
}

BOOL COXMenuBar::HandleMenuKey(UINT key)
{
    CWnd* main = AfxGetMainWnd();
    if (main && main->GetSafeHwnd() != m_hWnd && main->SendMessage(WM_KEYDOWN, key) != 0)
        return TRUE;
    CFrameWnd* frame = Frame();
    if (key == 0 || (key == VK_ESCAPE && m_bMenuMode && m_pressedItem < 0))
    {
        if (m_bMenuMode || key == VK_ESCAPE)
        {
            LeaveMenuMode();
            if (frame)
                frame->SendMessage(WM_EXITMENULOOP, FALSE);
        }
        else
        {
            EnterMenuMode(m_hotItem >= 0 ? m_hotItem : 0);
        }
        return TRUE;
    }
    if (GetCount() == 0)
        return FALSE;
    const bool horz = IsHorizontal() != FALSE;
    const UINT back = horz ? VK_LEFT : VK_UP;
    const UINT forward = horz ? VK_RIGHT : VK_DOWN;
    if (m_pressedItem >= 0)
    {
        // The open popup closes itself on Escape; menu mode comes back after it.
        if (key == VK_ESCAPE)
        {
            m_bReturnToKeyboard = TRUE;
            return FALSE;
        }
        if (!horz || (key != VK_LEFT && key != VK_RIGHT))
            return FALSE;
        const int neighbour = Neighbour(m_pressedItem, key == VK_RIGHT ? 1 : -1);
        if (neighbour < 0 || !IsPopupItem(neighbour))
            return FALSE;
        m_nextItem = neighbour;
        // A click on the neighbour closes the open popup; the neighbour opens after it.
        CPoint centre = ItemScreenRect(neighbour).CenterPoint();
        ScreenToClient(&centre);
        PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
        return TRUE;
    }
    if (m_bMenuMode)
    {
        const int current = m_hotItem >= 0 ? m_hotItem : 0;
        if (key == back || key == forward)
        {
            const int hot = Neighbour(current, key == forward ? 1 : -1);
            SetHotItem(hot);
            SendMenuSelect(hot);
            return TRUE;
        }
        const bool opens = key == VK_RETURN || (horz && (key == VK_UP || key == VK_DOWN)) ||
                           (!horz && (key == VK_LEFT || key == VK_RIGHT));
        if (opens)
        {
            const int item = m_hotItem >= 0 ? m_hotItem : GetSystemMenuItem();
            PostMessage(WM_OX_MENUBAR_OPENITEM, static_cast<WPARAM>(item));
            return TRUE;
        }
    }
    if (::GetKeyState(VK_CONTROL) < 0)
        return FALSE;
    const char character =
        static_cast<char>(::toupper(static_cast<int>(::MapVirtualKeyA(key, MAPVK_VK_TO_CHAR))));
    const auto found = m_mnemonics.find(character);
    if (found == m_mnemonics.end())
        return FALSE;
    PostMessage(WM_OX_MENUBAR_OPENITEM, static_cast<WPARAM>(found->second));
    return TRUE;
}

void COXMenuBar::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    // With the focus in menu mode the keys reach the bar itself too.
    if ((m_bMenuMode || m_pressedItem >= 0) && HandleMenuKey(key))
        return;
    COXCoolToolBar::OnKeyDown(key, repeat, flags);
}

void COXMenuBar::OnSysKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (key != VK_MENU && HandleMenuKey(key))
        return;
    COXCoolToolBar::OnSysKeyDown(key, repeat, flags);
}
