// COXMDIFrameWndSizeDock: the MDI frame of the docking framework. It hosts sizeable bars on
// sizeable dock bars, floats bars inside its MDI client, and lets MDI children leave the
// client to live docked in a bar. A docked child is not the MDI client's active child, so the
// frame answers the framework's GetActiveChildFrame with it.
// COXFrameWndSizeDock is the single-document sibling; it only destroys its bars first.
#pragma once

#include "platform/docview/mdi.h"

class CControlBar;
class COXMDIChildWndSizeDock;
class COXSizeControlBar;

// The command id of the docking item of dockable MDI children: the number
// RegisterWindowMessage gives "_DOCK_MDICHILD_".
extern UINT g_nDockMDIChildCommand;

class COXMDIFrameWndSizeDock : public CMDIFrameWnd
{
    FW_CREATABLE(COXMDIFrameWndSizeDock, CMDIFrameWnd)

public:
    COXMDIFrameWndSizeDock() = default;

    // Sizeable dock bars on the sides asked for that have none yet; bars float in resizable
    // frames.
    void EnableDocking(DWORD dockStyle);

    // The active child frame, docked or not; maximized (when given) receives whether it is
    // maximized in the MDI client (never for a docked child).
    CMDIChildWnd* GetActiveChildFrame(BOOL* maximized = nullptr) const override;
    // Activates a child, docked or not.
    void MDIActivate(CWnd* child);
    // Draws exactly one dockable child with an active caption and makes the active child's
    // view this frame's active view.
    void RefreshChildActivation();
    static BOOL IsDockedChild(CWnd* wnd);
    void SetActiveDockedChild(COXMDIChildWndSizeDock* child);
    BOOL IsMDIActiveMaximized() const;
    void UndockAllChildren();
    // Floats bar in an MDI float window at the screen point, kept inside the MDI client.
    void FloatControlBarInMDIClient(CControlBar* bar, int x, int y, DWORD style, BOOL show);
    // Floats a bar that floats in an MDI float window in an ordinary floating frame instead,
    // where that window is.
    void FloatControlBarOutOfMDIClient(CControlBar* bar, int x, int y, DWORD style);

    // The framework's routing through the active child; a command nobody handles leaves the
    // frame without an active view.
    BOOL OnCmdMsg(UINT id, int code, void* extra, fw::CmdHandlerInfo* handlerInfo) override;
    BOOL DestroyWindow() override;
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnUpdateFrameTitle(BOOL addToTitle) override;

    FW_MESSAGE_TABLE()

    COXSizeControlBar* m_pActiveSizeBar = nullptr;        // the sizeable bar active last
    COXMDIChildWndSizeDock* m_pActiveDockChild = nullptr; // the active docked child, if any
    BOOL m_bClosing = FALSE;                              // the close sequence runs

protected:
    void OnDestroy();
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    void OnClose();
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    BOOL OnBarCheck(UINT id);
    void OnWindowNew();

private:
    // Clears the modified flag of every document, so that closing them asks nothing.
    void ForgetModifiedDocuments();
};

class COXFrameWndSizeDock : public CFrameWnd
{
    FW_CREATABLE(COXFrameWndSizeDock, CFrameWnd)

public:
    COXFrameWndSizeDock() = default;

    FW_MESSAGE_TABLE()

protected:
    void OnDestroy();
};
