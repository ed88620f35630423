// Project tree control: double click, right-click menu, menu commands and dragging onto the
// active 3-D view, each handed to the node of the selected item.
#include "app/ProjectTreeCtrl.h"

#include "core/model/TreeNode.h"
#include "core/services/LogFile.h"
#include "platform/base/exception.h"
#include "platform/docview/mdi.h"
#include "platform/docview/view.h"
#include "platform/win/app.h"
#include "platform/win/crackers.h"
#include "platform/win/menu.h"
#include "view/ViewMainFrame.h"

FW_TABLE(CProjectTreeCtrl, COXTreeCtrl,
         fw::reflect_notify<static_cast<int>(NM_RCLICK), &CProjectTreeCtrl::OnRClick>(),
         fw::reflect_notify<static_cast<int>(NM_DBLCLK), &CProjectTreeCtrl::OnDblClk>(),
         fw::reflect_notify<static_cast<int>(LVN_BEGINDRAG), &CProjectTreeCtrl::OnBeginDrag>(),
         fw::on<WM_MOUSEMOVE, &CProjectTreeCtrl::OnMouseMove>(),
         fw::on<WM_LBUTTONUP, &CProjectTreeCtrl::OnLButtonUp>(),
         fw::on<WM_CONTEXTMENU, &CProjectTreeCtrl::OnContextMenu>())

namespace
{
constexpr int kDragHotSpot = 8;

// A node's action runs code of the whole program: whatever it throws ends here, logged.
template <class Action>
void RunNodeAction(const char* location, Action action)
{
    try
    {
        action();
        return;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    CAELogFile log("Gravik");
    log.WriteLog(2, location, "Exception occured in %s", location);
}
} // namespace

CTreeNode* CProjectTreeCtrl::NodeOf(HTREEITEM item) const
{
    return item != nullptr ? reinterpret_cast<CTreeNode*>(GetItemData(item)) : nullptr;
}

void CProjectTreeCtrl::RefreshItemFromNode(HTREEITEM item)
{
    const CTreeNode* node = NodeOf(item);
    if (node == nullptr)
        return;
    SetItemImage(item, node->m_icon, node->m_icon);
    SetItemText(item, node->GetText());
}

void CProjectTreeCtrl::OnRClick(NMHDR*, LRESULT* result)
{
    *result = 0;
    if (SendMessage(LVM_GETSELECTEDCOUNT) != 1)
        return;
    CMenu menu;
    if (!menu.LoadMenu(kNodeMenuId))
        return;
    HTREEITEM item = GetDropHilightItem();
    if (item != nullptr)
        SelectItem(item);
    else
        item = GetSelectedItem();
    CTreeNode* node = NodeOf(item);
    if (node == nullptr)
        return;
    m_currentNode = node;
    CRect window;
    GetWindowRect(&window);
    CPoint position = window.TopLeft();
    CRect text;
    if (GetItemRect(item, &text, TRUE))
        position.Offset(text.left, text.bottom);
    if (node->m_subMenu == -1)
        return;
    CMenu* popup = menu.GetSubMenu(node->m_subMenu);
    if (popup == nullptr)
        return;
    RunNodeAction("CProjectTreeCtrl::OnRClick", [&] { node->OnPrepareMenu(popup); });
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, position.x, position.y, this);
}

BOOL CProjectTreeCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Control notifications are not menu commands.
    if (HIWORD(wParam) != 0 && HIWORD(wParam) != 1)
        return COXTreeCtrl::OnCommand(wParam, lParam);
    const HTREEITEM item = GetSelectedItem();
    CTreeNode* node = NodeOf(item);
    if (node == nullptr)
        return COXTreeCtrl::OnCommand(wParam, lParam);
    m_currentNode = node;
    RunNodeAction("CProjectTreeCtrl::OnCommand", [&] { node->OnCommand(LOWORD(wParam)); });
    RefreshItemFromNode(item);
    ApplySettingsToAllViews(TRUE);
    return TRUE;
}

void CProjectTreeCtrl::OnDblClk(NMHDR*, LRESULT* result)
{
    *result = 0;
    const HTREEITEM item = GetSelectedItem();
    CTreeNode* node = NodeOf(item);
    if (node == nullptr)
        return;
    m_currentNode = node;
    BeginWaitCursor();
    RunNodeAction("CProjectTreeCtrl::OnDblClk", [&] { node->Execute(); });
    // The node may have opened a view: the item is looked up again.
    if (NodeOf(GetSelectedItem()) == node)
        RefreshItemFromNode(item);
    ApplySettingsToAllViews(FALSE);
    EndWaitCursor();
}

void CProjectTreeCtrl::OnBeginDrag(NMHDR* header, LRESULT* result)
{
    *result = 0;
    m_dragImage.reset();
    const HTREEITEM item = GetSelectedItem();
    if (item == nullptr)
        return;
    m_dragImage.reset(CreateDragImage(item, TRUE));
    if (!m_dragImage)
        return;
    CPoint point = reinterpret_cast<const NMLISTVIEW*>(header)->ptAction;
    ClientToScreen(&point);
    m_dragImage->BeginDrag(0, CPoint(kDragHotSpot, kDragHotSpot));
    CImageList::DragEnter(GetDesktopWindow(), point);
    m_dragging = TRUE;
    SetCapture();
}

void CProjectTreeCtrl::OnMouseMove(UINT, CPoint point)
{
    if (m_dragging)
    {
        ClientToScreen(&point);
        CImageList::DragMove(point);
    }
    Default();
}

void CProjectTreeCtrl::OnLButtonUp(UINT, CPoint point)
{
    ::ReleaseCapture();
    if (m_dragging)
    {
        CPoint screen = point;
        ClientToScreen(&screen);
        CRect view;
        CTreeNode* node = NodeOf(GetSelectedItem());
        if (node != nullptr && GetActiveViewRect(&view) && view.PtInRect(screen))
        {
            m_currentNode = node;
            RunNodeAction("CProjectTreeCtrl::OnLButtonUp", [&] { node->OnDropOnView(); });
        }
        CImageList::DragLeave(GetDesktopWindow());
        CImageList::EndDrag();
        m_dragging = FALSE;
    }
    Default();
}

void CProjectTreeCtrl::OnContextMenu(CWnd* wnd, CPoint point)
{
    OnContextMenuHook(wnd, point);
}

void CProjectTreeCtrl::OnContextMenuHook(CWnd*, CPoint)
{
}

bool CProjectTreeCtrl::GetActiveViewRect(CRect* rect)
{
    auto* frame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    CMDIChildWnd* child = frame != nullptr ? frame->GetActiveChildFrame() : nullptr;
    CView* view = child != nullptr ? child->GetActiveView() : nullptr;
    if (view == nullptr || view->m_hWnd == nullptr)
        return false;
    view->GetWindowRect(rect);
    return true;
}

void CProjectTreeCtrl::ApplySettingsToAllViews(BOOL render)
{
    if (CViewMainFrame* frame = GetViewMainFrame())
        frame->ApplySettingsToAllViews(render);
}
