// CMDIFrameWnd and CMDIChildWnd: a main frame whose client area is the system's MDI client,
// and the child frames inside it. The active child gets commands first; activating a child
// makes its view the one commands reach and shows its document's shared menu, with the
// Window menu listing the children from AFX_IDM_FIRST_MDICHILD.
#pragma once

#include "platform/docview/frame.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd
{
    FW_CREATABLE(CMDIFrameWnd, CFrameWnd)

public:
    CMDIFrameWnd() = default;

    BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* parent = nullptr, CCreateContext* context = nullptr) override;
    // The MDI client, with windowMenu listing the children.
    virtual BOOL CreateClient(LPCREATESTRUCTA cs, CMenu* windowMenu);
    // The popup of a menu bar that holds the Window commands (ids 0xE130-0xE13F); null if none.
    virtual HMENU GetWindowMenuPopup(HMENU menuBar);

    // The active child (null when none, or while the last one is hidden); maximized receives
    // whether it is maximized.
    CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
    // The child that commands, keys, menus and titles go to: here the MDI client's active
    // child; a frame whose children may leave the client answers with those as well.
    virtual CMDIChildWnd* GetActiveChildFrame(BOOL* maximized = nullptr) const;
    void MDIActivate(CWnd* child);
    void MDINext();
    void MDIPrev();
    void MDIMaximize(CWnd* child);
    void MDIRestore(CWnd* child);
    void MDICascade();
    void MDITile(int how = MDITILE_HORIZONTAL);
    void MDIIconArrange();
    // Sets the frame menu and Window menu; returns the previous frame menu.
    CMenu* MDISetMenu(CMenu* frameMenu, CMenu* windowMenu);

    CFrameWnd* GetActiveFrame() override;
    void OnUpdateFrameTitle(BOOL addToTitle) override;
    void OnUpdateFrameMenu(HMENU menuAlt) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // The active child first, then this frame's own routing.
    BOOL OnCmdMsg(UINT id, int code, void* extra, fw::CmdHandlerInfo* handlerInfo) override;
    // The active child may take the command first; unhandled child-window commands (0xF000
    // and up) go to the frame procedure.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    FW_MESSAGE_TABLE()

    HWND m_hWndMDIClient = nullptr;

protected:
    BOOL OnCreateClient(LPCREATESTRUCTA cs, CCreateContext* context) override;

    void OnSize(UINT type, int cx, int cy);
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    void OnUpdateMDIWindowCmd(CCmdUI* cmdUI);
    BOOL OnMDIWindowCmd(UINT id);
    void OnWindowNew();
};

class CMDIChildWnd : public CFrameWnd
{
    FW_CREATABLE(CMDIChildWnd, CFrameWnd)

public:
    CMDIChildWnd() = default;

    // Created through the MDI client (WM_MDICREATE, the context riding in its lParam), inside
    // frame or the main window.
    virtual BOOL Create(const char* className, const char* title,
                        DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CMDIFrameWnd* frame = nullptr,
                        CCreateContext* context = nullptr);
    BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* parent = nullptr, CCreateContext* context = nullptr) override;
    BOOL DestroyWindow() override;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    void ActivateFrame(int cmdShow = -1) override;
    void OnUpdateFrameTitle(BOOL addToTitle) override;
    // Shows the document's shared menu (or menuAlt) in the frame while active; the frame's
    // default menu when the last child goes.
    virtual void OnUpdateFrameMenu(BOOL activate, CWnd* activateWnd, HMENU menuAlt);
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    FW_MESSAGE_TABLE()

    HMENU m_hMenuShared = nullptr;  // the template's menu, not owned
    BOOL m_bPseudoInactive = FALSE; // the last child was hidden: no child counts as active

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    int OnCreate(LPCREATESTRUCTA cs);
    void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd);
    int OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message);
    BOOL OnNcActivate(BOOL active);
    void OnSize(UINT type, int cx, int cy);
};
