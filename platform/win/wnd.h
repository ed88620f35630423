// CWnd: a window object attached to a Win32 window through the per-thread handle map, with
// message-table dispatch, command routing and reflection, Default, and the window operations
// the program's windows call. fw::WndProc is the only window procedure.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/string.h"
#include "platform/win/cmdtarget.h"
#include "platform/win/msgtable.h"
#include "platform/win/privmsg.h"

#include <windows.h>

#include <functional>

// <windows.h> makes GetNextWindow a two-argument macro, which would swallow the member of
// that name; a function takes its place.
#ifdef GetNextWindow
#undef GetNextWindow
inline HWND GetNextWindow(HWND hwnd, UINT command)
{
    return ::GetWindow(hwnd, command);
}
#endif

class CDC;
class CMenu;
class CScrollBar;
class CFrameWnd;
struct CCreateContext;

namespace fw
{
LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Sends a message straight to an object's WindowProc, as the window procedure would: with a
// dispatch frame, the current message and the exception guard. For routing a message to a
// window object without going through user32.
LRESULT CallWndProc(CWnd* wnd, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Name of a window class with DefWindowProcA as its procedure, registered once per set of
// arguments. Windows that draw with OpenGL want CS_OWNDC.
const char* RegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                             HICON icon = nullptr);

// Runs create (which makes the window, for instance through WM_MDICREATE) with the creation
// hook armed for wnd, so the new window is mapped and subclassed before its first message.
// When no window was made for wnd it gets PostNcDestroy (self-deleting objects go).
HWND CreateThroughHook(CWnd* wnd, const std::function<HWND()>& create);

// CScrollBar::FromHandle, for code that sees CScrollBar only declared.
CScrollBar* ScrollBarFromHandle(HWND hwnd);

// The message being dispatched now (the innermost), or null outside any dispatch.
const MSG* CurrentMessage();

// Moves a window to rect (parent client coordinates) through a deferred move when layout has
// one, and only when the rectangle changes.
void RepositionWindow(SizeParentParams* layout, HWND hwnd, LPCRECT rect);

// The whole window and its client area in window coordinates (the window's top-left corner
// at 0,0): what a non-client painter draws between.
void GetNonClientRects(HWND hwnd, RECT* window, RECT* client);
} // namespace fw

// Window flags (m_nFlags).
constexpr UINT WF_MODALLOOP = 0x0004;     // in RunModalLoop
constexpr UINT WF_CONTINUEMODAL = 0x0008; // RunModalLoop goes on while set

class CWnd : public CCmdTarget
{
    FW_CLASS(CWnd, CCmdTarget)

public:
    // RepositionBars modes and CalcWindowRect kinds.
    enum RepositionFlags
    {
        reposDefault = 0,
        reposQuery = 1,
        reposExtra = 2,
        reposNoPosLeftOver = 0x8000
    };
    enum AdjustType
    {
        adjustBorder = 0,
        adjustOutside = 1
    };

    CWnd();
    // Destroys a window that still exists, without PostNcDestroy.
    ~CWnd() override;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The permanent object of a window, or a temporary one that owns nothing and is freed at
    // idle (never keep it). Null for a null handle.
    static CWnd* FromHandle(HWND hwnd);
    // The permanent object or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    BOOL Attach(HWND hwnd);
    HWND Detach();
    // Routes an existing window's messages through this object; UnsubclassWindow undoes it.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Creation and destruction.
    virtual BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                          int x, int y, int width, int height, HWND parent, HMENU menuOrId,
                          void* param = nullptr);
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id, void* param = nullptr);
    // A child or popup covering rect (parent client coordinates for a child). A null class
    // name takes the framework's plain window class.
    virtual BOOL Create(const char* className, const char* windowName, DWORD style,
                        const RECT& rect, CWnd* parent, UINT id, CCreateContext* context = nullptr);
    virtual BOOL DestroyWindow();

    // Messages.
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Sends to every child (deep: every descendant), children listed before any is sent to.
    // onlyPermanent: only windows with objects, called straight through their WindowProc.
    void SendMessageToDescendants(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE,
                                  BOOL onlyPermanent = FALSE) const;
    static void SendMessageToDescendants(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         BOOL deep, BOOL onlyPermanent);
    static const MSG* GetCurrentMessage();

    // Text.
    void SetWindowText(const char* text);
    int GetWindowText(char* buffer, int size) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    void SetFont(HFONT font, BOOL redraw = TRUE);
    HFONT GetFont() const;

    // Styles and state.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);
    BOOL ShowWindow(int cmdShow) const { return ::ShowWindow(m_hWnd, cmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) const { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    BOOL IsChild(const CWnd* wnd) const;
    virtual BOOL IsFrameWnd() const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int id);

    // Painting.
    void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
    void Invalidate(BOOL erase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) const;
    void ValidateRect(LPCRECT rect) const { ::ValidateRect(m_hWnd, rect); }
    BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) const;
    void SetRedraw(BOOL redraw = TRUE) const;
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* dc);

    // Geometry.
    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) const;
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE) const;
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) const;
    void ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
    void ScreenToClient(LPRECT rect) const;
    void MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const;
    void MapWindowPoints(CWnd* to, LPRECT rect) const;
    // Centres over the owner (or alternateOwner), kept on the owner's monitor work area.
    void CenterWindow(CWnd* alternateOwner = nullptr);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement);
    // The window rectangle for a client rectangle (adjustBorder leaves a client edge out).
    virtual void CalcWindowRect(LPRECT clientRect, UINT adjustType = adjustBorder);

    // Relatives. Returned objects are temporaries unless the window has its own.
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* newParent);
    CWnd* GetWindow(UINT command) const;
    CWnd* GetTopWindow() const;
    CWnd* GetNextWindow(UINT next = GW_HWNDNEXT) const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetParentOwner() const;
    CWnd* GetTopLevelOwner() const;
    // The nearest frame above (a CFrameWnd object); GetTopLevelFrame the outermost.
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    // The owner: a framework field, else the parent.
    CWnd* GetOwner() const;
    void SetOwner(CWnd* owner) { m_hWndOwner = owner ? owner->m_hWnd : nullptr; }
    // Owner for a dialog or message box: the parent's top-level window; without a parent, the
    // dialog in use over the main window (its last active popup), else the main window.
    static CWnd* GetSafeOwner(CWnd* parent = nullptr, HWND* topLevel = nullptr);
    CWnd* GetDescendantWindow(int id, BOOL onlyPermanent = FALSE) const;
    static CWnd* GetDesktopWindow();
    static CWnd* GetFocus();
    CWnd* SetFocus() const;
    static CWnd* GetActiveWindow();
    CWnd* SetActiveWindow() const;
    static CWnd* GetForegroundWindow();
    BOOL SetForegroundWindow() const { return ::SetForegroundWindow(m_hWnd); }
    void BringWindowToTop() const { ::BringWindowToTop(m_hWnd); }
    static CWnd* WindowFromPoint(POINT point);

    // Child controls by id.
    CWnd* GetDlgItem(int id) const;
    void SetDlgItemText(int id, const char* text) const { ::SetDlgItemTextA(m_hWnd, id, text); }
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE) const;
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void CheckDlgButton(int id, UINT check) const { ::CheckDlgButton(m_hWnd, id, check); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    LRESULT SendDlgItemMessage(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Updates child controls from target's update handlers (or the window's own).
    void UpdateDialogControls(CCmdTarget* target, BOOL disableIfNoHandler);

    // Menus.
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* menu);
    void DrawMenuBar() const { ::DrawMenuBar(m_hWnd); }
    CMenu* GetSystemMenu(BOOL revert) const;

    // Scrolling: every call goes through GetScrollBarCtrl, so a window that returns a sibling
    // scroll bar control scrolls with that control.
    virtual CScrollBar* GetScrollBarCtrl(int bar) const;
    int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
    int GetScrollPos(int bar) const;
    void SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE);
    void GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const;
    BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL) const;
    int GetScrollLimit(int bar) const;
    void ShowScrollBar(UINT bar, BOOL show = TRUE);
    void EnableScrollBarCtrl(int bar, BOOL enable = TRUE);
    BOOL EnableScrollBar(int bar, UINT arrows = ESB_ENABLE_BOTH);
    void ScrollWindow(int dx, int dy, LPCRECT rect = nullptr, LPCRECT clipRect = nullptr) const;

    // Timers arrive as WM_TIMER with the id.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc = nullptr) const;
    BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }

    // Returns the previous capture window (temporary) or null.
    CWnd* SetCapture() const;
    static CWnd* GetCapture();

    void DragAcceptFiles(BOOL accept = TRUE) const;

    // Layout: sends WM_SIZEPARENT to the children with ids first..last in Z order (creation
    // order), then gives the rest to the child leftOverId. reposQuery only measures into
    // rectParam.
    void RepositionBars(UINT idFirst, UINT idLast, UINT leftOverId, UINT flags = reposDefault,
                        LPRECT rectParam = nullptr, LPCRECT rectClient = nullptr,
                        BOOL stretch = TRUE);

    // Modal loop: runs until EndModalLoop; returns its result (-1 on WM_QUIT). Survives the
    // deletion of this object by a handler (then the last result set is returned).
    virtual int RunModalLoop(DWORD flags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int result);

    // Help: through the application (WinHelp is a no-op of the services).
    virtual void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT);
    // ID_HELP: WM_COMMANDHELP up the chains of the capture, the focus and the active popup;
    // when none answers, ID_DEFAULT_HELP to the main window.
    void OnHelp();

    // Asks this object, then its parents, before a queued message is dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Dispatch: WindowProc asks OnWndMsg and falls back to DefWindowProc.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A menu, accelerator or control command: reflection for controls, then OnCmdMsg.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY: reflection to the sender, then OnCmdMsg(idFrom, MAKELONG(code, WM_NOTIFY)).
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A message the parent reflects to this control; TRUE when handled here.
    virtual BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    BOOL ReflectChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Offers the current message to the child's object; TRUE when it handled it.
    static BOOL ReflectLastMsg(HWND child, LRESULT* result = nullptr);
    // The procedure the window had before it was subclassed.
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The default procedure for the message being handled now (the innermost one).
    LRESULT Default();

    FW_MESSAGE_TABLE()

    HWND m_hWnd = nullptr;
    HWND m_hWndOwner = nullptr; // set by SetOwner; GetOwner falls back to the parent
    UINT m_nFlags = 0;          // WF_*
    int m_nModalResult = 0;

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual void PreSubclassWindow();
    // Last call for a window, after WM_NCDESTROY; self-deleting windows delete themselves here.
    virtual void PostNcDestroy();

    // Default handlers: each calls Default().
    int OnCreate(LPCREATESTRUCTA cs);
    void OnDestroy();
    void OnNcDestroy();
    void OnClose();
    void OnPaint();
    void OnNcPaint();
    void OnSize(UINT type, int cx, int cy);
    void OnMove(int x, int y);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnTimer(UINT_PTR id);
    void OnShowWindow(BOOL show, UINT status);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnActivateApp(BOOL active, DWORD threadId);
    int OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message);
    BOOL OnNcActivate(BOOL active);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnWindowPosChanging(WINDOWPOS* pos);
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnStyleChanging(int styleType, STYLESTRUCT* style);
    void OnStyleChanged(int styleType, STYLESTRUCT* style);
    void OnSetFocus(CWnd* oldWnd);
    void OnKillFocus(CWnd* newWnd);
    void OnCaptureChanged(CWnd* wnd);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    void OnRButtonDblClk(UINT flags, CPoint point);
    void OnMButtonDown(UINT flags, CPoint point);
    void OnMButtonUp(UINT flags, CPoint point);
    void OnMButtonDblClk(UINT flags, CPoint point);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    void OnMouseLeave();
    void OnNcMouseMove(UINT hitTest, CPoint point);
    void OnNcLButtonDown(UINT hitTest, CPoint point);
    void OnNcLButtonUp(UINT hitTest, CPoint point);
    void OnNcLButtonDblClk(UINT hitTest, CPoint point);
    void OnNcRButtonDown(UINT hitTest, CPoint point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnKeyUp(UINT key, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnSysKeyDown(UINT key, UINT repeat, UINT flags);
    void OnSysKeyUp(UINT key, UINT repeat, UINT flags);
    void OnSysChar(UINT ch, UINT repeat, UINT flags);
    UINT OnGetDlgCode();
    void OnContextMenu(CWnd* wnd, CPoint point);
    void OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* scrollBar);
    void OnInitMenu(CMenu* menu);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    void OnMenuSelect(UINT itemId, UINT flags, HMENU menu);
    LRESULT OnMenuChar(UINT ch, UINT flags, CMenu* menu);
    void OnEnterMenuLoop(BOOL isTrackPopup);
    void OnExitMenuLoop(BOOL isTrackPopup);
    void OnEnterIdle(UINT why, CWnd* who);
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnDropFiles(HDROP drop);
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
    void OnParentNotify(UINT message, LPARAM lParam);
    void OnCancelMode();
    void OnEnable(BOOL enable);
    void OnSysColorChange();
    void OnSettingChange(UINT flags, const char* section);
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL ending);
    void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd);
    BOOL OnHelpInfo(HELPINFO* info);
    void OnSizing(UINT side, LPRECT rect);
    BOOL OnQueryNewPalette();
    void OnPaletteChanged(CWnd* focusWnd);

private:
    friend LRESULT CALLBACK fw::WndProc(HWND, UINT, WPARAM, LPARAM);
    friend struct WndAccess;

    // The message's owner-drawn menu object, for WM_DRAWITEM and WM_MEASUREITEM of ODT_MENU.
    BOOL DispatchMenuOwnerDraw(UINT msg, LPARAM lParam, LRESULT* result);
    // Reflection of the parent messages of design section "dispatch" to the child first.
    BOOL ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

    WNDPROC m_superProc = nullptr;
};

// Window creation flags of frames (frame styles share the window's style word).
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;  // the active document's title follows the name
constexpr DWORD FWS_PREFIXTITLE = 0x00004000; // the document's title comes first
constexpr DWORD FWS_SNAPTOBARS = 0x00002000;

#include "platform/win/crackers.h"
