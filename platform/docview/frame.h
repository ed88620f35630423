// CFrameWnd: a frame window with a menu, accelerators, a title built from its document, an
// active view, bars laid out around a client pane (WM_SIZEPARENT, pane AFX_IDW_PANE_FIRST),
// status-bar prompts, command routing to its view, document and the application, and the
// context-help mode. Frames delete themselves when their window goes.
#pragma once

#include "platform/base/coll_list.h"
#include "platform/base/string.h"
#include "platform/win/platform_ids.h"
#include "platform/win/wnd.h"

class CControlBar;
class CDockBar;
class CDockState;
class CMiniDockFrameWnd;
class CView;
class CDocument;
class CDocTemplate;
struct CCreateContext;

// A view's window style inside its frame: the border becomes a client edge.
constexpr DWORD AFX_WS_DEFAULT_VIEW = WS_CHILD | WS_VISIBLE | WS_BORDER;

// Window flag of frames that keep an active caption while a floating bar has the focus.
constexpr UINT WF_STAYACTIVE = 0x0020;
// WM_MENUSELECT left a prompt on the status bar that WM_POPMESSAGESTRING must not replace.
constexpr UINT WF_NOPOPMSG = 0x0040;

// Help mode states of CFrameWnd::m_bHelpMode.
constexpr BOOL HELP_INACTIVE = 0;
constexpr BOOL HELP_ACTIVE = 1;
constexpr BOOL HELP_ENTERING = -1;

class CFrameWnd : public CWnd
{
    FW_CREATABLE(CFrameWnd, CWnd)

public:
    // Idle work flags (m_nIdleFlags).
    enum IdleFlags
    {
        idleMenu = 1,
        idleTitle = 2,
        idleNotify = 4,
        idleLayout = 8
    };

    // CW_USEDEFAULT placement: the system chooses.
    static const CRect rectDefault;

    CFrameWnd();
    ~CFrameWnd() override;

    // Creation. A null class name takes the framework's frame class; menuName a menu
    // resource destroyed with the window.
    virtual BOOL Create(const char* className, const char* title, DWORD style = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* parent = nullptr,
                        const char* menuName = nullptr, DWORD exStyle = 0,
                        CCreateContext* context = nullptr);
    // Creates the frame from resource id: its menu, accelerators, icon and the title (the
    // first piece of string id). Without a context the descendants get WM_INITIALUPDATE.
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* parent = nullptr, CCreateContext* context = nullptr);
    // A view of context's class as child id; null on failure.
    CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);

    // Views and activation.
    CView* GetActiveView() const { return m_pViewActive; }
    // Deactivates the old view, then activates the new one (notified when notify is set).
    void SetActiveView(CView* view, BOOL notify = TRUE);
    virtual CDocument* GetActiveDocument();
    // The frame whose view is active: the frame itself, or its active MDI child.
    virtual CFrameWnd* GetActiveFrame();
    // Makes the first pane the active view when there is none, sends WM_INITIALUPDATE to the
    // descendants and shows the frame (makeVisible), then updates window numbers and titles.
    void InitialUpdateFrame(CDocument* document, BOOL makeVisible);
    // Shows and brings the frame forward; -1 shows a hidden frame normally.
    virtual void ActivateFrame(int cmdShow = -1);
    void BringToTop(int cmdShow);

    // Layout: bars take their sides through WM_SIZEPARENT, the pane AFX_IDW_PANE_FIRST the
    // rest. Guarded against re-entry; DelayRecalcLayout waits for the next idle pass.
    virtual void RecalcLayout(BOOL notify = TRUE);
    void DelayRecalcLayout(BOOL notify = TRUE);
    BOOL IsInRecalcLayout() const { return m_bInRecalcLayout; }

    // Status bar text: pane 0 of the status bar (AFX_IDW_STATUS_BAR) when there is one.
    void SetMessageText(const char* text);
    void SetMessageText(UINT id);
    virtual void GetMessageString(UINT id, CString& message) const;
    // A command's tooltip: the text after "\n" in its string resource; empty when none.
    virtual void GetToolTipString(UINT id, CString& tip) const;
    CWnd* GetMessageBar();
    BOOL IsTracking() const;

    // Title: m_strTitle, with the active document's title after it (FWS_ADDTOTITLE) and the
    // window number ":%d" when a document shows in several frames.
    virtual void OnUpdateFrameTitle(BOOL addToTitle);
    void UpdateFrameTitleForDocument(const char* docName);
    void SetTitle(const char* title) { m_strTitle = title; }
    CString GetTitle() const { return m_strTitle; }

    // Menu shown for the active document (or the default menu).
    virtual void OnUpdateFrameMenu(HMENU menuAlt);
    HMENU GetDefaultMenu() const { return m_hMenuDefault; }
    virtual HACCEL GetDefaultAccelerator();

    // Context help.
    virtual BOOL CanEnterHelpMode();
    virtual void ExitHelpMode();
    // Captures the mouse for help mode where point lies over this frame's windows; returns
    // the window under the point (null outside the thread), descendant set when it is ours.
    HWND SetHelpCapture(POINT point, BOOL* descendant);
    // One message of the help-mode loop: FALSE ends the mode, context then holding the help
    // context of the place clicked (-1: default help).
    virtual BOOL ProcessHelpMsg(MSG& msg, DWORD* context);
    // The help of the place picked in help mode: the default help for -1, else WinHelp.
    virtual void ShowContextHelp(DWORD context);
    DWORD MapClientArea(HWND hwnd, POINT point);
    DWORD MapNonClientArea(int hitTest);

    // Sends WM_FLOATSTATUS to the frame's floating popups (their owner is this frame).
    void NotifyFloatingWindows(DWORD flags);

    // Bars and docking. Bars join m_listControlBars when they are created on the frame.
    // EnableDocking makes the dock bars of the sides asked for that are still missing.
    void EnableDocking(DWORD dockStyle);
    // Docks bar in a dock bar (by id, or the first its dock style allows after the one
    // that kept its place); a rectangle (screen) chooses the row and the place in it.
    void DockControlBar(CControlBar* bar, UINT dockBarId = 0, LPCRECT rect = nullptr);
    void DockControlBar(CControlBar* bar, CDockBar* dockBar, LPCRECT rect = nullptr);
    // Floats bar in a floating frame whose top-left is point (screen); style's alignment
    // (CBRS_ALIGN_TOP by default) gives its orientation.
    void FloatControlBar(CControlBar* bar, CPoint point, DWORD style = 0x00002000);
    // The alignment of the first dock bar whose side dockStyle allows and whose window meets
    // rect (screen), or 0; that dock bar goes to *dockBar.
    DWORD CanDock(CRect rect, DWORD dockStyle, CDockBar** dockBar = nullptr);
    // Shows or hides a bar and lays out again, now or at the next idle pass (delay).
    void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay);
    CControlBar* GetControlBar(UINT id);
    void AddControlBar(CControlBar* bar);
    void RemoveControlBar(CControlBar* bar);
    // A new floating frame of m_pFloatingFrameClass; throws CResourceException* when it
    // cannot be made.
    CMiniDockFrameWnd* CreateFloatingFrame(DWORD style);
    // Where every bar is, and putting them back there.
    void GetDockState(CDockState& state);
    void SetDockState(const CDockState& state);
    // View menu commands of bars with the command's id: toggle and check mark.
    BOOL OnBarCheck(UINT id);
    void OnUpdateControlBarMenu(CCmdUI* cmdUI);

    BOOL IsFrameWnd() const override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // Routing: the active view (and through it the document and template), the frame, then
    // the application unless an outer frame will ask it.
    BOOL OnCmdMsg(UINT id, int code, void* extra, fw::CmdHandlerInfo* handlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    FW_MESSAGE_TABLE()

    CString m_strTitle;
    UINT m_nIDHelp = 0;
    HMENU m_hMenuDefault = nullptr; // the frame's own menu, shown without a document
    HMENU m_hMenuAlt = nullptr;
    HACCEL m_hAccelTable = nullptr;
    BOOL m_bAutoMenuEnable = TRUE; // menu items without handlers are disabled
    int m_nWindow = -1;            // window number among the document's frames; 0 = only one
    UINT m_nIDTracking = 0;        // prompt to show at idle
    UINT m_nIDLastMessage = 0;     // prompt shown now
    int m_nIdleFlags = 0;
    BOOL m_bHelpMode = HELP_INACTIVE;
    // While set (print preview), closing asks it first; FALSE keeps the frame.
    BOOL (*m_lpfnCloseProc)(CFrameWnd* frame) = nullptr;
    RECT m_rectBorder = {0, 0, 0, 0}; // space the pane leaves to in-place tools
    CPtrList m_listControlBars;       // CControlBar*, in creation order; not owned
    // The class CreateFloatingFrame makes; EnableDocking sets CMiniDockFrameWnd when null.
    const CRuntimeClass* m_pFloatingFrameClass = nullptr;

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCTA cs, CCreateContext* context);
    int OnCreateHelper(LPCREATESTRUCTA cs, CCreateContext* context);
    // The framework's frame class with the icon of resource id, when there is one.
    const char* GetIconWndClass(DWORD style, UINT resourceId);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCTA cs);
    void OnDestroy();
    void OnClose();
    void OnSize(UINT type, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSetFocus(CWnd* oldWnd);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    BOOL OnNcActivate(BOOL active);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    void OnMenuSelect(UINT itemId, UINT flags, HMENU menu);
    void OnEnterIdle(UINT why, CWnd* who);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnDropFiles(HDROP drop);
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL ending);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnExitHelpModeMsg(WPARAM wParam, LPARAM lParam);
    void OnContextHelp();
    void OnHelp();
    void OnUpdateContextHelp(CCmdUI* cmdUI);

    CView* m_pViewActive = nullptr;
    BOOL m_bInRecalcLayout = FALSE;

private:
    BOOL LoadAccelTable(UINT resourceId);
};

namespace fw
{
// Closes a drop-down list a combo box shows when the mouse goes elsewhere.
void CancelModes(HWND receiver);
// Replaces "%1" in the string resource with the argument.
CString FormatString1(UINT id, const char* argument);
} // namespace fw
