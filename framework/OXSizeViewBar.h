// COXSizeViewBar: the sizeable bar that hosts a docked MDI child's view, docked at a side of
// the main frame or floating. COXMDIChildWndDockWrapper: the plain window between a docked
// (not floating) view bar and the view, which looks active only for the active child and
// lets the bar be dragged by its client area.
#pragma once

#include "framework/OXSizeControlBar.h"

class CView;
class COXMDIChildWndSizeDock;
class COXSizeViewBar;

class COXMDIChildWndDockWrapper : public CWnd
{
    FW_CLASS(COXMDIChildWndDockWrapper, CWnd)

public:
    COXMDIChildWndDockWrapper() = default;

    // A child of bar covering its client area, with the bar's text.
    BOOL Create(COXSizeViewBar* bar);
    // Takes the view in, made first when needed (failure throws CMemoryException*).
    void Attach(COXSizeViewBar* bar, CView* view);
    // Gives the view back to the bar and hides.
    void Release();

    FW_MESSAGE_TABLE()

    COXSizeViewBar* m_pBar = nullptr;
    CView* m_pView = nullptr;
    BOOL m_bWrapperDestroying = FALSE;

protected:
    LRESULT OnNcHitTest(CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    int OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message);
    void OnDestroy();
    void OnNcDestroy();
    void OnClose();
    BOOL OnNcActivate(BOOL active);
};

class COXSizeViewBar : public COXSizeControlBar
{
    FW_CLASS(COXSizeViewBar, COXSizeControlBar)

public:
    COXSizeViewBar();

    // Takes the child's active view in; the bar is made at the first docking. FALSE when the
    // child has no view or the bar cannot be made.
    BOOL DockChild(COXMDIChildWndSizeDock* child);
    // Gives the view back to its child frame (shown when show is set). FALSE when the child
    // is not docked or its frame is not dockable.
    BOOL UndockChild(BOOL show);
    // The document lets the child frame close (also when anything is missing).
    BOOL CanCloseChild();

    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
    void OnBarResized(int cx, int cy, BOOL floating, int flags) override;
    void ShowContextMenu(CWnd* wnd, CPoint point) override;

    FW_MESSAGE_TABLE()

    COXMDIChildWndSizeDock* m_pChildWnd = nullptr;
    CView* m_pView = nullptr;
    COXMDIChildWndDockWrapper m_wndWrapper;
    BOOL m_bActiveMaximized = FALSE; // the child was the active, maximized child when docked
    BOOL m_bBarDestroying = FALSE;

protected:
    BOOL OnNcActivate(BOOL active);
    void OnDestroy();
    void OnNcDestroy();
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnAppendDockMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnBarActivation(WPARAM wParam, LPARAM lParam);

private:
    // The child is alive and docked; its MDI frame is dockable.
    bool IsChildDocked() const;
    bool IsActiveChild() const;
    // Docks a new bar on the first side the child allows.
    void DockNewBar();
    // The active child stays the client's active one, hidden and never maximized.
    void LeaveClientActive(COXMDIChildWndSizeDock* child, bool dockable);
};
