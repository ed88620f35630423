// COXFlatLook: the flat look shared by the flat combo box and its edit and list companions.
// A control is drawn flat until the mouse is over it or one of its children ("hot") or the
// focus is inside it; then it is drawn three-dimensional. While hot, a 150 ms timer checks
// whether the mouse has left. Each control also keeps a tooltip with one tool over its client
// area. The part belongs to its window object, which passes it the messages named below.
#pragma once

#include "platform/base/string.h"
#include "platform/ctrl/tooltip.h"
#include "platform/win/wnd.h"

#include <windows.h>

class COXFlatLook
{
public:
    // What kind of window the part serves: the edit also counts its up-down control as part
    // of itself, and the combo keeps its look while its list is dropped down.
    enum Kind
    {
        kindCombo,
        kindEdit,
        kindList
    };

    static constexpr UINT_PTR kHoverTimer = 210;
    static constexpr UINT kHoverIntervalMs = 150;
    static constexpr UINT_PTR kToolId = 1000;

    COXFlatLook(CWnd& wnd, Kind kind);
    COXFlatLook(const COXFlatLook&) = delete;
    COXFlatLook& operator=(const COXFlatLook&) = delete;

    // Once the window exists: the focus state as it is, and the tooltip.
    void Initialise();
    BOOL IsInitialised() const { return m_bInitialised; }

    BOOL IsFlat() const { return m_bFlatLook; }
    BOOL IsHot() const { return m_bHot; }
    BOOL HasFocus() const { return m_bFocus; }
    // Turning the flat look on takes the current mouse and focus state at once.
    void SetFlat(BOOL flat);
    // The state changes; each redraws the frame and client area when it changes.
    void SetHotState(BOOL hot);
    void SetFocusState(BOOL focus);

    // Tool kFlatLook::kToolId with text, over the client area; an empty text removes it.
    void SetToolTipText(const char* text);
    const CString& GetToolTipText() const { return m_toolTipText; }
    CToolTipCtrl& GetToolTip() { return m_toolTip; }

    // Client and non-client mouse messages, which the part sees before the window does.
    static bool IsMouseMessage(UINT msg)
    {
        return (msg >= WM_MOUSEFIRST && msg <= 0x0209) || (msg >= 0x00A0 && msg <= 0x00A9);
    }

    // Messages of the window, before it handles them (mouse messages) or after (the rest).
    void OnMouseMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // TRUE when the timer was the hover timer.
    BOOL OnTimer(UINT_PTR id);
    void OnEnable();
    void OnSize();
    void OnDestroy();
    // The focus moved; newFocus is the window that has it now (null: none here).
    void OnFocusChange(HWND newFocus);
    // After the default non-client paint: the border, and flat scroll bars for edits and
    // lists.
    void OnNcPaint();

    // Checks where the mouse is and updates the hot state; TRUE when it changed.
    BOOL CheckHover();
    // Whether a window is the control or lies inside it.
    BOOL Contains(HWND hwnd) const;

    // Border pens of the process (created on first use, kept): highlight, face, shadow and
    // dark shadow.
    enum PenIndex
    {
        penHighlight,
        penFace,
        penShadow,
        penDarkShadow
    };
    static HPEN Pen(PenIndex index);
    // A rectangle's outline: one pen at the top and left, another at the bottom and right.
    static void DrawEdges(HDC dc, const CRect& rect, HPEN topLeft, HPEN bottomRight);

private:
    void Redraw() const;
    void RedrawUpDown() const;
    // The up-down control attached to this edit (aligned to a side of it), or null.
    HWND AttachedUpDown() const;
    void DrawScrollBar(HDC dc, const CRect& window, int bar) const;

    CWnd& m_wnd;
    Kind m_kind;
    BOOL m_bFlatLook = TRUE;
    UINT_PTR m_timer = 0;
    BOOL m_bHot = FALSE;
    BOOL m_bFocus = FALSE;
    CToolTipCtrl m_toolTip;
    BOOL m_bInitialised = FALSE;
    CString m_toolTipText;
};
