// Message hooks chained on a window that other code owns: the window procedure is replaced by
// one common procedure that hands every message to the newest hook, which passes it on to the
// older ones and finally to the window's own procedure.
#pragma once

#include "platform/base/object.h"

#include <windows.h>

// Posted to a hooked window when the mouse enters it and when it leaves it.
constexpr UINT WM_OX_HOOK_MOUSEENTER = 32906;
constexpr UINT WM_OX_HOOK_MOUSELEAVE = 32907;

class COXHookWnd : public CObject
{
public:
    FW_CLASS(COXHookWnd, CObject)

    COXHookWnd() = default;
    // Unhooks when still hooked.
    ~COXHookWnd() override;
    COXHookWnd(const COXHookWnd&) = delete;
    COXHookWnd& operator=(const COXHookWnd&) = delete;

    // Handles a message of the hooked window; the base runs the hover check and passes the
    // message on to the next older hook or the window's own procedure.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // FALSE for a null or dead window, or when this hook is already hooked.
    virtual BOOL HookWindow(HWND hwnd);
    virtual void Unhook();
    // A 100 ms timer on the hooked window that notices the mouse leaving it.
    virtual BOOL StartHoverTimer();
    virtual void StopHoverTimer();

    // Passes the message being handled now on, as the base WindowProc does.
    LRESULT Default();

    HWND GetHookedWnd() const { return m_hWndHooked; }
    BOOL IsHooked() const { return m_hWndHooked != nullptr; }
    BOOL IsMouseInside() const { return m_mouseInside; }

    static constexpr UINT_PTR kHoverTimerId = 1;
    static constexpr UINT kHoverPeriodMs = 100;

private:
    friend class COXHookMap;

    void CheckHover();

    HWND m_hWndHooked = nullptr;
    WNDPROC m_oldWndProc = nullptr; // the window's own procedure
    COXHookWnd* m_next = nullptr;   // the next older hook of the same window
    UINT_PTR m_hoverTimer = 0;
    BOOL m_mouseInside = FALSE;
};

// The process-wide registry from a window to the newest hook of its chain.
class COXHookMap
{
public:
    static void Add(HWND hwnd, COXHookWnd* hook);
    static void Remove(COXHookWnd* hook);
    static void RemoveAll(HWND hwnd);
    static COXHookWnd* Lookup(HWND hwnd);

    // The window procedure of every hooked window.
    static LRESULT CALLBACK HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CallHooks(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};
