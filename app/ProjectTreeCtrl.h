// CProjectTreeCtrl: the tree control of the project tree. It hands the user's actions on an
// item to the node the item carries: a double click activates it, a command of its right-click
// menu reaches it, and an item dragged onto the active 3-D view is dropped there. After a node
// acted, the item shows the node's picture and text again and the views are redrawn.
#pragma once

#include "widgets/controls/OXTreeCtrl.h"

#include <memory>

class CTreeNode;

class CProjectTreeCtrl : public COXTreeCtrl
{
public:
    // The tree's pop-up menus, one per node kind that has one.
    static constexpr UINT kNodeMenuId = 172;

    CProjectTreeCtrl() = default;
    ~CProjectTreeCtrl() override = default;

    // The node of the item last acted on (borrowed from the page); null before any.
    CTreeNode* GetCurrentNode() const { return m_currentNode; }
    BOOL IsDragging() const { return m_dragging; }
    // The node an item carries (its item data); null for none.
    CTreeNode* NodeOf(HTREEITEM item) const;
    // The item shows its node's picture and text.
    void RefreshItemFromNode(HTREEITEM item);

    // Right-click menu commands reach the selected node.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Called on WM_CONTEXTMENU; nothing happens here.
    virtual void OnContextMenuHook(CWnd* wnd, CPoint point);

    FW_MESSAGE_TABLE()

protected:
    void OnRClick(NMHDR* header, LRESULT* result);
    void OnDblClk(NMHDR* header, LRESULT* result);
    void OnBeginDrag(NMHDR* header, LRESULT* result);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnContextMenu(CWnd* wnd, CPoint point);

private:
    // The screen rectangle of the active view of the active child frame; false when none.
    static bool GetActiveViewRect(CRect* rect);
    static void ApplySettingsToAllViews(BOOL render);

    CTreeNode* m_currentNode = nullptr;      // borrowed: the page owns the nodes
    std::unique_ptr<CImageList> m_dragImage; // kept until the next drag begins
    BOOL m_dragging = FALSE;
};
