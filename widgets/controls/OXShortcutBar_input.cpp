// The shortcut bar's input: the timers, pressing, dragging and dropping headers, data dragged
// over the headers, and the commands.
#include "platform/win/cmdtarget.h"
#include "widgets/controls/OXSHBListCtrl.h"
#include "widgets/controls/OXShortcutBar.h"

#include <algorithm>

namespace
{
constexpr UINT kPressTimerMs = 100;

bool IsLeftButtonDown()
{
    const int button = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (::GetAsyncKeyState(button) & 0x8000) != 0;
}
} // namespace

void COXShortcutBar::OnTimer(UINT_PTR id)
{
    switch (id)
    {
    case kPressTimer:
        KillTimer(kPressTimer);
        m_pressTimerRan = TRUE;
        break;
    case kDragExpandTimer:
    {
        KillTimer(kDragExpandTimer);
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        const HSHBGROUP hovered = m_dragHoverGroup;
        if (hovered && HitTestHeader(point) == hovered)
            ExpandGroup(hovered);
        break;
    }
    case kHotTimer:
    {
        CPoint point;
        ::GetCursorPos(&point);
        CRect window;
        GetWindowRect(&window);
        const bool inside = window.PtInRect(point) && ::WindowFromPoint(point) == m_hWnd;
        ScreenToClient(&point);
        const HSHBGROUP hot = inside ? HitTestHeader(point) : nullptr;
        if (hot != m_hotGroup)
        {
            const HSHBGROUP old = m_hotGroup;
            m_hotGroup = hot;
            // Another header's tip is asked for afresh.
            if (m_toolTip.GetSafeHwnd())
                m_toolTip.Pop();
            if (m_barStyle & SHBS_EXPANDONRELEASE)
            {
                RedrawHeader(old);
                RedrawHeader(hot);
            }
        }
        if (m_pressedGroup && !m_dragging && !IsLeftButtonDown())
        {
            const HSHBGROUP pressed = m_pressedGroup;
            m_pressedGroup = nullptr;
            RedrawHeader(pressed);
        }
        break;
    }
    default: CWnd::OnTimer(id); break;
    }
}

void COXShortcutBar::OnLButtonDown(UINT /*flags*/, CPoint point)
{
    const HSHBGROUP group = HitTestHeader(point);
    if (!group)
        return;
    if (m_editor.IsEditing())
        m_editor.FinishEdit(TRUE);
    m_pressedGroup = group;
    m_pressTimerRan = FALSE;
    SetCapture();
    if (m_barStyle & SHBS_EXPANDONRELEASE)
        RedrawHeader(group);
    else
        ExpandGroup(group);
    if (!(m_barStyle & SHBS_DISABLEDRAGHEADER) && Find(group))
    {
        SetTimer(kPressTimer, kPressTimerMs);
        const CRect header = GetHeaderRect(group);
        m_gripOffset = CPoint(point.x - header.left, point.y - header.top);
    }
}

void COXShortcutBar::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_pressedGroup || !(flags & MK_LBUTTON))
        return;
    if (!m_dragging && m_pressTimerRan && !(m_barStyle & SHBS_DISABLEDRAGHEADER))
    {
        m_dragging = TRUE;
        m_dragGroup = m_pressedGroup;
        Notify(SHBN_BEGINDRAGHEADER, m_dragGroup, -1, MAKELPARAM(m_gripOffset.x, m_gripOffset.y));
        RedrawHeader(m_dragGroup);
        UpdateWindow();
        if (m_barStyle & SHBS_DRAWHEADERDRAGIMAGE)
        {
            m_dragImage = CreateHeaderDragImage(m_dragGroup);
            if (m_dragImage &&
                ::ImageList_BeginDrag(m_dragImage, 0, m_gripOffset.x, m_gripOffset.y))
                ::ImageList_DragEnter(m_hWnd, point.x, point.y);
        }
    }
    if (!m_dragging)
        return;
    const HSHBGROUP target = HitTestHeader(point);
    const HSHBGROUP dropOn = target != m_dragGroup ? target : nullptr;
    ::SetCursor(::LoadCursorA(nullptr, dropOn ? IDC_ARROW : IDC_NO));
    if (dropOn != m_dropTargetGroup)
    {
        m_dropTargetGroup = dropOn;
        // The image is lifted while the bar paints under it.
        if (m_dragImage)
            ::ImageList_DragShowNolock(FALSE);
        Invalidate();
        UpdateWindow();
        if (m_dragImage)
            ::ImageList_DragShowNolock(TRUE);
    }
    if (m_dragImage)
        ::ImageList_DragMove(point.x, point.y);
}

HIMAGELIST COXShortcutBar::CreateHeaderDragImage(HSHBGROUP group)
{
    const CRect header = GetHeaderRect(group);
    if (header.IsRectEmpty())
        return nullptr;
    const HDC screen = ::GetDC(m_hWnd);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, header.Width(), header.Height());
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::SetViewportOrgEx(memory, -header.left, -header.top, nullptr);
    DrawHeader(memory, group);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(m_hWnd, screen);
    const HIMAGELIST image = ::ImageList_Create(header.Width(), header.Height(), ILC_COLOR24, 1, 0);
    if (image && ::ImageList_Add(image, bitmap, nullptr) < 0)
    {
        ::ImageList_Destroy(image);
        ::DeleteObject(bitmap);
        return nullptr;
    }
    ::DeleteObject(bitmap);
    return image;
}

void COXShortcutBar::OnCaptureChanged(CWnd* /*wnd*/)
{
    // Losing the mouse in the middle of a header drag (another window took it) drops nothing.
    if (m_dragging)
        EndHeaderDrag(CPoint(-1, -1), false);
    m_pressedGroup = nullptr;
}

void COXShortcutBar::OnLButtonUp(UINT /*flags*/, CPoint point)
{
    KillTimer(kPressTimer);
    const HSHBGROUP pressed = m_pressedGroup;
    const BOOL dragging = m_dragging;
    if (dragging)
        EndHeaderDrag(point, true);
    else if (pressed && (m_barStyle & SHBS_EXPANDONRELEASE) && HitTestHeader(point) == pressed)
        ExpandGroup(pressed);
    m_pressedGroup = nullptr;
    if (GetCapture() == this)
        ::ReleaseCapture();
    RedrawHeader(pressed);
}

void COXShortcutBar::EndHeaderDrag(CPoint point, bool drop)
{
    const HSHBGROUP dragged = m_dragGroup;
    if (m_dragImage)
    {
        ::ImageList_DragLeave(m_hWnd);
        ::ImageList_EndDrag();
        ::ImageList_Destroy(m_dragImage);
        m_dragImage = nullptr;
    }
    m_dragging = FALSE;
    m_dragGroup = nullptr;
    m_dropTargetGroup = nullptr;
    const HSHBGROUP target = drop ? HitTestHeader(point) : nullptr;
    if (dragged && target && target != dragged &&
        Notify(SHBN_DROPGROUP, dragged, -1, reinterpret_cast<LPARAM>(target)) == 0)
        SetGroupOrder(dragged, GetGroupOrder(target));
    CalculateLayout();
    Invalidate();
}

void COXShortcutBar::OnContextMenu(CWnd* /*wnd*/, CPoint point)
{
    // The owner builds the menu; the header under the pointer is what its commands act on.
    CPoint client = point;
    ScreenToClient(&client);
    m_contextGroup = HitTestHeader(client);
    Default();
}

LRESULT COXShortcutBar::OnDropMessage(WPARAM /*wParam*/, LPARAM lParam)
{
    auto* record = reinterpret_cast<OXDropRecord*>(lParam);
    const MSG* current = GetCurrentMessage();
    if (!record || !current)
        return 0;
    const CPoint point(record->x, record->y);
    switch (current->message)
    {
    case WM_OX_DRAGENTER:
    case WM_OX_DRAGOVER:
    {
        const HSHBGROUP group = HitTestHeader(point);
        Notify(SHBN_DRAGOVER, group, -1, lParam);
        if (group && group != m_expandedGroup)
        {
            if (group != m_dragHoverGroup)
            {
                m_dragHoverGroup = group;
                SetTimer(kDragExpandTimer, std::max(1u, m_dragExpandDelay / 4));
            }
        }
        else
        {
            KillTimer(kDragExpandTimer);
            m_dragHoverGroup = nullptr;
        }
        record->result = DROPEFFECT_NONE;
        return 1;
    }
    case WM_OX_DRAGLEAVE:
        KillTimer(kDragExpandTimer);
        m_dragHoverGroup = nullptr;
        Notify(SHBN_DRAGLEAVE, nullptr, -1, lParam);
        return 1;
    default: record->result = FALSE; return 1;
    }
}

void COXShortcutBar::OnLargeIcon()
{
    if (m_expandedGroup)
        SetGroupView(m_expandedGroup, SHB_LARGEICON);
}

void COXShortcutBar::OnSmallIcon()
{
    if (m_expandedGroup)
        SetGroupView(m_expandedGroup, SHB_SMALLICON);
}

void COXShortcutBar::OnUpdateLargeIcon(CCmdUI* ui)
{
    ui->Enable(m_expandedGroup != nullptr);
    ui->SetCheck(GetGroupView(m_expandedGroup) == SHB_LARGEICON);
}

void COXShortcutBar::OnUpdateSmallIcon(CCmdUI* ui)
{
    ui->Enable(m_expandedGroup != nullptr);
    ui->SetCheck(GetGroupView(m_expandedGroup) == SHB_SMALLICON);
}

void COXShortcutBar::OnAddNewGroup()
{
    OXShbGroupInfo info;
    info.mask = SHBIF_TEXT;
    info.text = const_cast<char*>("");
    const HSHBGROUP group = InsertGroup(&info);
    if (!group)
        return;
    if (GetGroupCount() == 1)
        ExpandGroup(group);
    else
    {
        CalculateLayout();
        Invalidate();
    }
    EditGroupHeader(group);
}

void COXShortcutBar::OnRemoveGroup()
{
    if (m_contextGroup)
        DeleteGroup(m_contextGroup);
}

void COXShortcutBar::OnRenameGroup()
{
    if (m_contextGroup)
        EditGroupHeader(m_contextGroup);
}

void COXShortcutBar::OnRemoveItem()
{
    COXSHBListCtrl* list = ExpandedList();
    if (!list)
        return;
    const int item =
        list->GetHotItemIndex() >= 0 ? list->GetHotItemIndex() : list->GetLastHotItem();
    if (item >= 0)
        list->DeleteItem(item);
}

void COXShortcutBar::OnRenameItem()
{
    COXSHBListCtrl* list = ExpandedList();
    if (!list || !(list->GetOptions() & SHBS_EDITITEMS))
        return;
    const int item =
        list->GetHotItemIndex() >= 0 ? list->GetHotItemIndex() : list->GetLastHotItem();
    if (item < 0)
        return;
    list->EnsureItemVisible(item);
    list->EditItem(item);
}
