// The popup of an item tip: a borderless tool window laid over a cell, showing the cell's whole
// text in its font and colours. It hides when the cursor leaves it, on a key or on a click,
// and passes the click on to the window beneath.
#pragma once

#include "platform/base/string.h"
#include "platform/win/gdiobj.h"
#include "platform/win/wnd.h"

#include <windows.h>

class COXItemTipWnd : public CWnd
{
public:
    static constexpr UINT_PTR kHideTimerId = 221;
    static constexpr UINT kHideTimerMs = 100;
    static constexpr COLORREF kDefaultColor = 0xFFFFFFFF;

    COXItemTipWnd() = default;

    // A hidden popup owned by owner; background null takes the tooltip background.
    BOOL Create(CWnd* owner, HBRUSH background = nullptr);
    BOOL Create(HWND owner, HBRUSH background = nullptr);
    // Shows text over rect (screen coordinates), unless the owner's application is not the
    // active one. Colours kDefaultColor mean the defaults; alignment 0 left, 1 centre, 2 right.
    void Show(const RECT& rect, const char* text, int offset, CFont* font, COLORREF textColor,
              COLORREF backColor, int alignment);
    // Hides; then posts msg (when non-zero) to target, or to the owner without one.
    void Hide(UINT msg = 0, HWND target = nullptr, WPARAM wParam = 0, LPARAM lParam = 0);

    BOOL PreTranslateMessage(MSG* msg) override;

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);

    FW_MESSAGE_TABLE()

private:
    bool IsOwnerActive() const;
    bool IsOwnerChainTopmost() const;
    void FitIntoArea(RECT& rect, bool wholeScreen) const;
    void ForwardMouseMessage(const MSG& msg);

    HWND m_owner = nullptr;
    HBRUSH m_background = nullptr; // not owned
    UINT_PTR m_hideTimer = 0;
    CString m_text;
    CFont m_font; // a copy of the cell's font; the owner's font when empty
    COLORREF m_textColor = kDefaultColor;
    COLORREF m_backColor = kDefaultColor;
    int m_offset = 0;
    int m_alignment = 0;
};
