// The shortcut bar list's input: hover, pressing and selecting, the scroll buttons, the start
// of an item drag, the right button and the context menu's commands.
#include "resources/ids/widgets_ids.h"
#include "widgets/bars/OXCoolToolBar.h"
#include "widgets/controls/OXSHBListCtrl.h"
#include "widgets/controls/OXShortcutBar.h"

#include <cstdlib>

namespace
{
constexpr UINT kStandAloneHoverMs = 200;
constexpr UINT kStandAloneScrollMs = 400;

CString LoadText(UINT id)
{
    char text[256] = {};
    ::LoadStringA(::GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}
} // namespace

UINT COXSHBListCtrl::ScrollDelay() const
{
    return m_bar ? m_bar->GetScrollDelay() : kStandAloneScrollMs;
}

void COXSHBListCtrl::ScrollWhileDragging(int by)
{
    if (by == m_dropScrollBy)
        return;
    m_dropScrollBy = by;
    if (by != 0)
        SetTimer(kScrollTimer, ScrollDelay());
    else
        KillTimer(kScrollTimer);
}

void COXSHBListCtrl::OnTimer(UINT_PTR id)
{
    if (id == kHoverTimer)
        PostMessage(SHBM_CHECKHOVER);
    else if (id == kScrollTimer)
    {
        if (m_dropScrollBy != 0)
            ScrollItems(m_dropScrollBy);
        else if (m_scrollingBy != 0 && (::GetKeyState(VK_LBUTTON) & 0x8000))
            ScrollItems(m_scrollingBy);
        else
            KillTimer(kScrollTimer);
    }
    else
        CListCtrl::OnTimer(id);
}

LRESULT COXSHBListCtrl::OnCheckHover(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    CPoint point;
    ::GetCursorPos(&point);
    const bool inside = ::WindowFromPoint(point) == m_hWnd;
    ScreenToClient(&point);
    if (!inside)
    {
        KillTimer(kHoverTimer);
        m_mouseInside = FALSE;
        SetHotItem(-1);
        return 0;
    }
    const int item = HitTestItem(point);
    SetHotItem(item >= 0 ? item : -1);
    return 0;
}

void COXSHBListCtrl::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_mouseInside)
    {
        m_mouseInside = TRUE;
        SetTimer(kHoverTimer, m_bar ? m_bar->GetHoverDelay() : kStandAloneHoverMs);
    }
    const int item = HitTestItem(point);
    SetHotItem(item >= 0 ? item : -1);
    if (m_pressedItem < 0 || !(flags & MK_LBUTTON) || !(GetOptions() & SHBS_DRAGITEMS))
        return;
    if (std::abs(point.x - m_buttonDownPoint.x) <= ::GetSystemMetrics(SM_CXDRAG) &&
        std::abs(point.y - m_buttonDownPoint.y) <= ::GetSystemMetrics(SM_CYDRAG))
        return;
    // Build the data now, start the drag once this message is done.
    m_dragItem = m_pressedItem;
    m_pressedItem = -1;
    if (GetCapture() == this)
        ::ReleaseCapture();
    if (m_dragBlock)
        ::GlobalFree(m_dragBlock);
    Notify(SHBN_BEGINDRAGITEM, m_dragItem, MAKELPARAM(m_gripOffset.x, m_gripOffset.y));
    m_dragBlock = BuildDragData(m_dragItem);
    PostMessage(SHBM_STARTDRAG);
}

void COXSHBListCtrl::OnLButtonDown(UINT /*flags*/, CPoint point)
{
    if (m_editor.IsEditing())
        m_editor.FinishEdit(TRUE);
    const int hit = HitTestItem(point);
    if (hit == kHitScrollUp || hit == kHitScrollDown)
    {
        m_scrollingBy = hit == kHitScrollUp ? -1 : 1;
        ScrollItems(m_scrollingBy);
        SetTimer(kScrollTimer, ScrollDelay());
        SetCapture();
        return;
    }
    if (hit < 0 || Notify(SHBN_PRESSITEM, hit) != 0)
        return;
    const int old = m_pressedItem;
    m_pressedItem = hit;
    m_buttonDownPoint = point;
    CRect full;
    GetItemFullRect(hit, &full);
    m_gripOffset = CPoint(point.x - full.left, point.y - full.top);
    SetCapture();
    RedrawItem(old);
    RedrawItem(hit);
}

void COXSHBListCtrl::OnLButtonDblClk(UINT flags, CPoint point)
{
    OnLButtonDown(flags, point);
}

void COXSHBListCtrl::OnLButtonUp(UINT /*flags*/, CPoint point)
{
    if (m_scrollingBy != 0)
    {
        m_scrollingBy = 0;
        KillTimer(kScrollTimer);
        Invalidate();
    }
    if (GetCapture() == this)
        ::ReleaseCapture();
    const int pressed = m_pressedItem;
    m_pressedItem = -1;
    if (pressed >= 0 && HitTestItem(point) == pressed)
        SelectItem(pressed);
    RedrawItem(pressed);
}

void COXSHBListCtrl::OnRButtonUp(UINT flags, CPoint point)
{
    // Older common controls (the toolbar reads their version once for all controls) send no
    // WM_CONTEXTMENU for a list-view.
    if (COXCoolToolBar::GetComCtlVersion() < MAKELONG(71, 4))
    {
        CPoint screen = point;
        ClientToScreen(&screen);
        PostMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd),
                    MAKELPARAM(screen.x, screen.y));
        return;
    }
    (void)flags;
    Default();
}

LRESULT COXSHBListCtrl::OnPopulateContextMenu(WPARAM wParam, LPARAM lParam)
{
    const HMENU menu = reinterpret_cast<HMENU>(wParam);
    CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    ScreenToClient(&point);
    if (!menu || HitTestItem(point) < 0 || !(GetOptions() & SHBS_EDITITEMS))
        return 0;
    if (::GetMenuItemCount(menu) > 0)
        ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, ID_SHB_RENAMEITEM, LoadText(IDS_OXSHB_RENAMEITEM));
    ::AppendMenuA(menu, MF_STRING, ID_SHB_REMOVEITEM, LoadText(IDS_OXSHB_REMOVEITEM));
    return 1;
}
