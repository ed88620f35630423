// COXMDIChildWndSizeDock: an MDI child frame that can leave the MDI client and show its view
// in a sizeable bar, docked at a side of the main frame or floating, and come back. Docking is
// toggled by an item in its system menu and context menus.
#pragma once

#include "framework/OXSizeViewBar.h"
#include "platform/docview/mdi.h"

class CMenu;

class COXMDIChildWndSizeDock : public CMDIChildWnd
{
    FW_CREATABLE(COXMDIChildWndSizeDock, CMDIChildWnd)

public:
    COXMDIChildWndSizeDock();

    // The framework's MDI child creation, activated through the docking frame, with the
    // docking item in the system menu.
    BOOL Create(const char* className, const char* title,
                DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CMDIFrameWnd* frame = nullptr,
                CCreateContext* context = nullptr) override;
    BOOL DestroyWindow() override;
    void OnUpdateFrameTitle(BOOL addToTitle) override;
    // The frame's own routing, and the docking command of the registered id.
    BOOL OnCmdMsg(UINT id, int code, void* extra, fw::CmdHandlerInfo* handlerInfo) override;

    // The docking item (checked while docked), alone or after a separator.
    virtual void AppendDockMenuItem(HMENU menu);
    virtual void AddDockItemToSystemMenu(CMenu* menu);

    // Docks or undocks; TRUE at once when already so, FALSE when the frame is not dockable.
    BOOL SetDocked(BOOL docked);
    void ToggleDocking();
    BOOL IsDocked() const { return m_bDocked; }
    BOOL IsFrameDockable() const;
    CMDIChildWnd* GetActiveChildFrame(BOOL* maximized = nullptr) const;

    // MDI operations; a docked child is neither maximized nor restored.
    void MDIMaximize();
    void MDIRestore();

    FW_MESSAGE_TABLE()

    COXSizeViewBar m_wndSizeViewBar;
    BOOL m_bDocked = FALSE;
    CString m_strDockMenuText;
    DWORD m_dwDockStyle = 0x0000F000; // CBRS_ALIGN_ANY
    BOOL m_bChildDestroying = FALSE;

protected:
    void OnClose();
    void OnContextMenu(CWnd* wnd, CPoint point);
    void OnParentNotify(UINT message, LPARAM lParam);
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnNcRButtonDown(UINT hitTest, CPoint point);
    void OnStyleChanging(int styleType, STYLESTRUCT* style);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

private:
    void TrackDockMenu(CPoint point);
    // The document closes with this frame: no view of it lives in another frame.
    bool IsLastFrameOf(CDocument* document) const;
};
