// COXMDIFloatWnd: an MDI child window that carries a floating dock bar, so that a bar can
// float inside the MDI client as a child window. It fits itself to its bars, shows only while
// one of them shows, and closing it hides them.
#pragma once

#include "framework/OXMDIChildWndSizeDock.h"
#include "platform/bars/dockbar.h"

class COXMDIFloatWnd : public COXMDIChildWndSizeDock
{
    FW_CREATABLE(COXMDIFloatWnd, COXMDIChildWndSizeDock)

public:
    COXMDIFloatWnd() = default;

    // A hidden MDI child of the main window holding a floating dock bar made on dockSite;
    // barStyle's left or right alignment makes the dock bar vertical, its CBRS_FLOAT_MULTI
    // lets it hold several bars.
    BOOL Create(CFrameWnd* dockSite, DWORD barStyle);
    // Fits the window to its bars (nothing while it is being made) and takes the dock bar's
    // title.
    void RecalcLayout(BOOL notify = TRUE) override;
    // Hides bar (every bar when null) and lets another child become active.
    void HideBars(CControlBar* bar);

    // No docking items.
    void AppendDockMenuItem(HMENU menu) override;
    void AddDockItemToSystemMenu(CMenu* menu) override;

    FW_MESSAGE_TABLE()

    CDockBar m_wndDockBar{TRUE};

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    void OnSize(UINT type, int cx, int cy);
    void OnShowWindow(BOOL show, UINT status);
    void OnClose();
    void OnWindowPosChanged(WINDOWPOS* pos);

private:
    BOOL m_bInLayout = FALSE;
};
