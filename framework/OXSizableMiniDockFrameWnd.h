// COXSizableMiniDockFrameWnd: the floating frame of sizeable bars. Unlike the framework's it
// has a sizing border, and its size becomes the floating size of the sizeable bar inside; a
// frame of one sizeable bar has a short system menu. For the bar of a docked MDI child it
// passes activation, closing and the docking item on to that child.
#pragma once

#include "platform/bars/minidock.h"

class COXSizeControlBar;
class COXSizeViewBar;

class COXSizableMiniDockFrameWnd : public CMiniDockFrameWnd
{
    FW_CREATABLE(COXSizableMiniDockFrameWnd, CMiniDockFrameWnd)

public:
    // System menu states.
    enum SysMenuState
    {
        sysMenuUnset = 0,
        sysMenuOrdinary = 1,
        sysMenuSizeBar = 2 // a single sizeable bar: close only
    };

    COXSizableMiniDockFrameWnd() = default;

    // Sets the system menu up for the bars inside (the first call only); returns the state.
    int UpdateSystemMenu();
    // Grows rect by the framework's border widths for each border bit of barStyle.
    static void AdjustBorders(CRect& rect, DWORD barStyle);
    // The first bar of a floating dock bar that holds one bar, not CBRS_FLOAT_MULTI; else null.
    static CControlBar* FirstBar(const CDockBar& dockBar);
    // A floating frame whose client area is cx by cy: its sizeable bar, when it shows, takes
    // that as its floating size. The floating dock bar holds the bar at its client origin,
    // borders within the bar, so the whole client area is the bar's.
    static void TakeFloatingSize(const CDockBar& dockBar, int cx, int cy);

    FW_MESSAGE_TABLE()

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    int OnCreate(LPCREATESTRUCTA cs);
    LRESULT OnNcHitTest(CPoint point);
    void OnSize(UINT type, int cx, int cy);
    void OnNcLButtonDown(UINT hitTest, CPoint point);
    int OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message);
    void OnClose();
    void OnParentNotify(UINT message, LPARAM lParam);
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    BOOL OnNcActivate(BOOL active);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);

private:
    // The view bar inside whose MDI child still exists.
    COXSizeViewBar* LiveViewBar() const;
    void TrackSystemMenu();

    BOOL m_bClosing = FALSE;
    int m_nSysMenuState = sysMenuUnset;
};
