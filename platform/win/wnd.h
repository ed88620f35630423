// CWnd: a window object attached to a Win32 window through the per-thread handle map, with
// message-table dispatch, Default, timers and capture. fw::WndProc is the only window procedure.
#pragma once

#include "platform/base/geometry.h"
#include "platform/win/msgtable.h"

#include <windows.h>

class CDC;

namespace fw
{
LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Name of a window class with DefWindowProcA as its procedure, registered once per set of
// arguments. Windows that draw with OpenGL want CS_OWNDC.
const char* RegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                             HICON icon = nullptr);
} // namespace fw

class CWnd
{
public:
    CWnd();
    // Destroys a window that still exists, without PostNcDestroy.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

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
    HWND UnsubclassWindow();

    virtual BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                          int x, int y, int width, int height, HWND parent, HMENU menuOrId,
                          void* param = nullptr);
    // A child or popup covering rect (parent client coordinates for a child).
    virtual BOOL Create(const char* className, const char* windowName, DWORD style,
                        const CRect& rect, CWnd* parent, UINT id);
    virtual BOOL DestroyWindow();

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Window state and painting.
    BOOL ShowWindow(int cmdShow) const { return ::ShowWindow(m_hWnd, cmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
    void Invalidate(BOOL erase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void GetClientRect(CRect* rect) const;
    void GetWindowRect(CRect* rect) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) const;
    CWnd* GetParent() const;
    LONG_PTR GetStyle() const { return ::GetWindowLongPtrA(m_hWnd, GWL_STYLE); }
    CDC* GetDC();
    int ReleaseDC(CDC* dc);

    // Timers arrive as WM_TIMER with the id.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc = nullptr) const;
    BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }

    // Returns the previous capture window (temporary) or null.
    CWnd* SetCapture() const;
    static CWnd* GetCapture();

    // Asks this object, then its parents, before a queued message is dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Dispatch: WindowProc asks OnWndMsg and falls back to DefWindowProc.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // The procedure the window had before it was subclassed.
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The default procedure for the message being handled now (the innermost one).
    LRESULT Default();

    static const fw::MsgTable* Table();
    virtual const fw::MsgTable* GetMessageTable() const;

    HWND m_hWnd = nullptr;

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual void PreSubclassWindow();
    // Last call for a window, after WM_NCDESTROY; self-deleting windows delete themselves here.
    virtual void PostNcDestroy();

    // Default handlers: each calls Default().
    int OnCreate(LPCREATESTRUCTA cs);
    void OnDestroy();
    void OnClose();
    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnTimer(UINT_PTR id);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnCaptureChanged(CWnd* wnd);

private:
    friend LRESULT CALLBACK fw::WndProc(HWND, UINT, WPARAM, LPARAM);
    friend struct WndAccess;

    WNDPROC m_superProc = nullptr;
};

#include "platform/win/crackers.h"
