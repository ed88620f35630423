// COXBitmapButton: an owner-drawn push button that shows an image, a text or both, with a flat
// (track) look, a hyperlink look, two- or three-state toggling, a drop-down part, an animation
// over its image and a tip taken from the second line of its window text.
//
// The window text "Open\nOpen a file" shows "Open" and tips "Open a file":
//   m_button.Create("Open\nOpen a file", WS_CHILD | WS_VISIBLE, rect, parent, id);
//   m_button.LoadBitmap(MAKEINTRESOURCEA(IDB_OPEN), FALSE, RGB(255, 0, 255));
//   m_button.SetTrackLook(TRUE);
//   m_button.SetToolTip(TRUE);
// A dialog button is subclassed (DDX_Control) and must have BS_OWNERDRAW.
#pragma once

#include "platform/ctrl/stdctrl.h"
#include "widgets/controls/OXToolTipWnd.h"

#include <windows.h>

class CDataExchange;

// WM_NOTIFY codes to the parent; a non-zero answer keeps the button from acting.
constexpr UINT OXBBN_DROPDOWN = 0x8066;
constexpr UINT OXBBN_TOGGLE = 0x8067;
// Posted to itself: look at the hover state again where the cursor is now.
constexpr UINT OXBB_CHECKHOVER = 0x8065;

// Extended styles.
constexpr DWORD OXBB_EX_DROPDOWN = 0x1;
constexpr DWORD OXBB_EX_TOGGLE = 0x2;
constexpr DWORD OXBB_EX_DROPDOWNRIGHT = 0x10000; // the arrow points right
constexpr DWORD OXBB_EX_DROPDOWNNOARROW = 0x20000;
constexpr DWORD OXBB_EX_TOGGLE3STATE = 0x40000;

// Toggle state bits.
constexpr DWORD OXBB_STATE_CHECKED = 0x1;
constexpr DWORD OXBB_STATE_INDETERMINATE = 0x2;

class COXBitmapButton : public CButton
{
    FW_CLASS(COXBitmapButton, CButton)

public:
    static constexpr UINT kToolId = 1000;
    static constexpr COLORREF kNoMask = 0xFFFFFFFF;

    COXBitmapButton();
    ~COXBitmapButton() override;

    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Images: 0 normal, 1 inactive (a grey copy), 2 disabled (embossed).
    BOOL LoadBitmap(const char* resource, BOOL resize = FALSE, COLORREF mask = kNoMask);
    BOOL SetInactiveBitmap(const char* resource);
    BOOL SetDisabledBitmap(const char* resource);
    BOOL SetInactiveIcon(const char* resource, int width = 0, int height = 0);
    BOOL SetDisabledIcon(const char* resource, int width = 0, int height = 0);
    BOOL LoadAnimation(const char* resource, BOOL resize = FALSE);
    BOOL RemoveImage(BOOL resize = FALSE);
    HPALETTE GetPalette() const { return m_palette; }
    HIMAGELIST GetImageList() const { return m_images; }

    // Look and behaviour.
    BOOL SetTrackLook(BOOL on);
    BOOL GetTrackLook() const { return m_bTrackLook; }
    void SetHyperLook(BOOL on);
    BOOL GetHyperLook() const { return m_bHyperLook; }
    BOOL SetNormalCursor(UINT resourceId);
    UINT GetNormalCursor() const { return m_normalCursorId; }
    BOOL SetDisabledCursor(UINT resourceId);
    UINT GetDisabledCursor() const { return m_disabledCursorId; }
    void SetPseudoDisableMode(BOOL on);
    BOOL GetPseudoDisableMode() const { return m_bPseudoDisable; }
    // In the pseudo-disable mode the window stays enabled and reports the stored state.
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    DWORD GetHorizontalAlignment() const;
    void SetVerticalAlignment(DWORD alignment);
    DWORD GetVerticalAlignment() const;
    void SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_textColor; }
    void SetTextFont(CFont* font);
    CFont* GetTextFont();
    // Field 1 and field 2 of the window text, split at line feeds.
    CString GetText() const;
    CString GetToolTipText() const;
    BOOL SetToolTip(BOOL on);
    BOOL GetToolTip() const { return m_bToolTip; }
    COXToolTipWnd* GetToolTipWnd() { return m_toolTip.GetSafeHwnd() ? &m_toolTip : nullptr; }
    void SetStyleEx(DWORD style, BOOL redraw = TRUE);
    DWORD GetStyleEx() const { return m_styleEx; }
    BOOL IsDropDownButton() const { return (m_styleEx & OXBB_EX_DROPDOWN) != 0; }
    BOOL IsToggleButton() const { return (m_styleEx & OXBB_EX_TOGGLE) != 0; }
    BOOL HasDropDownArrow() const
    {
        return IsDropDownButton() && !(m_styleEx & OXBB_EX_DROPDOWNNOARROW);
    }
    void SetToggleState(DWORD state, BOOL redraw = TRUE);
    DWORD GetToggleState() const { return m_toggleState; }
    BOOL IsChecked() const { return (m_toggleState & OXBB_STATE_CHECKED) != 0; }
    BOOL IsIndeterminate() const { return (m_toggleState & OXBB_STATE_INDETERMINATE) != 0; }
    BOOL IsHovered() const { return m_bMouseOver; }
    void RedrawBackground();
    void SetDrawSeparator(BOOL on) { m_bDrawSeparator = on; }

    // The cached button-face colour all bitmap buttons paint with.
    static COLORREF ButtonFaceColor();

    // Layout and drawing, in the order DrawItem calls them.
    virtual void SizeToContent();
    virtual CSize GetFitButtonSize();
    virtual CSize GetReservedSpace();
    virtual void DistributeSpace(UINT state, const CRect& content, CRect& imageRect,
                                 CRect& textRect);
    virtual HPALETTE SelectPalette(HDC dc);
    virtual void DrawButton(HDC dc, UINT state, const CRect& rect);
    virtual void DrawImage(HDC dc, UINT state, const CRect& imageRect, const CRect& textRect);
    virtual void DrawText(HDC dc, UINT state, const CRect& textRect);
    virtual void DrawFocusRectangle(HDC dc, UINT state, const CRect& content,
                                    const CRect& imageRect, const CRect& textRect);
    virtual void RestorePalette(HDC dc, HPALETTE old);
    virtual int GetArrowWidth() const { return m_arrowWidth; }
    virtual void DrawDropDownArrow(HDC dc, UINT state, const CRect& arrowRect);
    virtual void OnDropDown() {}
    virtual void OnToggle() {}
    virtual void OnClicked();

    void DrawItem(LPDRAWITEMSTRUCT item) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    FW_MESSAGE_TABLE()

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PreSubclassWindow() override;

    // The arrow strip right of the content rectangle.
    CRect ArrowRect(const CRect& content) const;
    CSize GetImageSize() const;
    CSize GetTextSize(int availableWidth);
    // One toggle step; no change for a button that neither toggles nor drops down.
    void Toggle();
    // WM_NOTIFY to the parent; its answer (0: go on).
    LRESULT Notify(UINT code);
    void CheckHover();
    void AfterInput();
    void RefreshTool();

    BOOL OnReflectedClicked();
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnCheckHoverMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnAfterInput(WPARAM wParam, LPARAM lParam);
    LRESULT OnGuarded(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnableMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursorMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);
    LRESULT OnSizeMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnMoveMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetTextMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysColorChangeMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroyMessage(WPARAM wParam, LPARAM lParam);

    // Images and their palette.
    HIMAGELIST m_images = nullptr;  // owned
    COLORREF m_maskColor = kNoMask; // of the images in the list
    HPALETTE m_palette = nullptr;   // owned
    HWND m_animation = nullptr;
    BOOL m_bAnimationPlaying = FALSE;
    COLORREF m_textColor = RGB(0, 0, 0);
    CFont m_textFont;
    COXToolTipWnd m_toolTip;
    BOOL m_bToolTip = FALSE;
    BOOL m_bTrackLook = FALSE;
    BOOL m_bMouseOver = FALSE;
    BOOL m_bLeftButtonDown = FALSE;
    BOOL m_bHyperLook = FALSE;
    UINT m_normalCursorId = 0;
    HCURSOR m_normalCursor = nullptr;
    UINT m_disabledCursorId = 0;
    HCURSOR m_disabledCursor = nullptr;
    BOOL m_bPseudoDisable = FALSE;
    BOOL m_bReportedEnabled = TRUE;
    BOOL m_bHadTabStop = FALSE;
    BOOL m_bBackgroundCaptured = FALSE;
    HIMAGELIST m_background = nullptr; // owned; the parent below a hyperlink button
    BOOL m_bDrawSeparator = TRUE;
    // Layout constants in pixels; a negative margin shrinks a rectangle inflated by it.
    CSize m_imageMargin = CSize(-5, -5);
    CSize m_textMargin = CSize(-7, -6);
    CSize m_defaultInflate = CSize(0, 0);
    CSize m_focusInflate = CSize(-4, -4);
    CSize m_focusCircle = CSize(7, 6);
    CSize m_pressedOffset = CSize(2, 2);
    CSize m_checkedOffset = CSize(1, 1);
    CSize m_hoverOffset = CSize(-1, -1);
    CSize m_arrowAdjust = CSize(-2, -5);
    int m_arrowWidth = 0;
    DWORD m_styleEx = 0;
    DWORD m_toggleState = 0;
};

// Saving: -1 for a button that does not toggle, 2 indeterminate, 1 on, 0 off. Loading (toggle
// buttons only): 1 on, 2 on and indeterminate, anything else 0.
void DDX_ToggleState(CDataExchange* dx, int id, int& value);
