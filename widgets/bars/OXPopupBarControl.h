// COXPopupBarControl: a popup grid of equal buttons, each standing for a 32-bit value, with an
// optional default button above, a custom button below and a tear-off strip on top. Pick shows
// it beside an anchor and runs a modal loop until the user picks, cancels, asks for the custom
// choice or tears the bar off; a torn-off bar floats and posts each pick to its owner
// (OXPB_PICKED). The bar draws only frames: derived classes draw the faces.
//
//   COXPopupBarControl bar(40, 4, 0, 18, 18, IDS_DEFAULT, IDS_CUSTOM);
//   bar.Create(ownerButton, 0);
//   bar.SetButtons(values, 40);
//   if (bar.Pick(COXPopupBarControl::kBelowLeft)) use(bar.GetSelectedValue());
#pragma once

#include "platform/base/string.h"
#include "platform/ctrl/tooltip.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <map>
#include <utility>
#include <vector>

// Posted to the owner when a torn-off bar picked (WPARAM 0, LPARAM the bar's window); also sent
// by a colour picker button to its parent.
constexpr UINT OXPB_PICKED = 0x8096;

class COXPopupBarControl : public CWnd
{
public:
    // Style flags.
    static constexpr DWORD kNoToolTips = 0x1;
    static constexpr DWORD kNoDefaultButton = 0x2;
    static constexpr DWORD kNoCustomButton = 0x4;
    static constexpr DWORD kNoTearOff = 0x10;
    // Placement beside the anchor: first choice, with the opposite side as the fallback.
    enum Alignment : UINT
    {
        kLeftTop = 0,
        kRightTop = 1,
        kAboveLeft = 2,
        kBelowLeft = 3,
        kLeftBottom = 4,
        kRightBottom = 5,
        kAboveRight = 6,
        kBelowRight = 7
    };
    // How the modal loop ended.
    enum Result
    {
        kRunning = 0,
        kOK = 1,
        kCancel = 2,
        kCustom = 3,
        kTearOff = 4
    };
    static constexpr UINT_PTR kTimerId = 243;
    static constexpr UINT kTimerMs = 200;
    static constexpr DWORD kNone = 0xFFFFFFFF;

    COXPopupBarControl(int count, int rows, DWORD defaultValue, int buttonWidth, int buttonHeight,
                       UINT defaultTextId, UINT customTextId);
    COXPopupBarControl(int count, int rows, DWORD defaultValue, int buttonWidth, int buttonHeight,
                       const char* defaultText, const char* customText);
    ~COXPopupBarControl() override;

    // A hidden popup owned by owner (a floating tool window once torn off); background null
    // takes the button face.
    BOOL Create(CWnd* owner, DWORD styleFlags, HBRUSH background = nullptr);

    // Shows the bar beside anchor (screen coordinates; null: the owner's window rectangle) and
    // waits for the user: TRUE when a button was picked (its value is then the selected
    // value), or OnCustomButton's answer for the custom button; FALSE on cancel, tear-off, or
    // when the bar cannot be shown.
    virtual BOOL Pick(UINT alignment = kBelowLeft, const RECT* anchor = nullptr, int dx = 0,
                      int dy = 0);

    void SetButtons(const DWORD* values, int count);
    void SetButtons(const std::vector<DWORD>& values);
    const std::vector<DWORD>& GetButtons() const { return m_values; }
    int GetButtonCount() const { return m_count; }
    int GetRows() const { return m_rows; }
    int GetColumns() const;
    void SetToolTipTexts(const std::map<DWORD, CString>& texts);
    void SetToolTipTexts(const std::pair<DWORD, UINT>* table, int count);
    CString GetToolTipText(DWORD value) const;
    void SetTextFont(CFont* font);

    DWORD GetSelectedValue() const { return m_selectedValue; }
    void SetSelectedValue(DWORD value) { m_selectedValue = value; }
    DWORD GetDefaultValue() const { return m_defaultValue; }
    void SetDefaultValue(DWORD value) { m_defaultValue = value; }
    CString GetDefaultButtonText() const { return m_defaultText; }
    void SetDefaultButtonText(const char* text) { m_defaultText = text; }
    CString GetCustomButtonText() const { return m_customText; }
    void SetCustomButtonText(const char* text) { m_customText = text; }
    DWORD GetStyleFlags() const { return m_styleFlags; }
    CWnd* GetOwnerWnd() const { return m_owner; }

    // Indexes: 0 the default button, 1 to count the grid, count + 1 the custom button; -1 none.
    int IndexFromValue(DWORD value) const;
    int HitTest(CPoint client) const;
    CRect GetButtonRect(int index) const;
    CRect GetTearOffRect() const { return m_tearOffRect; }
    int GetHotIndex() const { return m_hotIndex; }
    int GetSelectedIndex() const { return m_selectedIndex; }
    BOOL IsTornOff() const { return m_bTornOff; }
    // The last modal loop's result.
    int GetLastResult() const { return m_result; }

    FW_MESSAGE_TABLE()

protected:
    virtual void DrawBackground(HDC dc);
    virtual void DrawButton(HDC dc, int index);
    virtual void DrawTearOffBar(HDC dc);
    virtual void DrawDefaultButton(HDC dc);
    virtual void DrawCustomButton(HDC dc);
    // The raised, sunken or selected frame of a button; rect comes back inside it.
    virtual void DrawFrameRect(HDC dc, CRect& rect, int index);
    virtual void OnButtonDown(CPoint point);
    virtual void OnButtonUp(CPoint point);
    // The custom button was chosen: FALSE leaves everything as it was.
    virtual BOOL OnCustomButton() { return FALSE; }
    virtual void SetHotIndex(int index);
    virtual void SetSelectedIndex(int index);

    bool HasDefaultButton() const { return !(m_styleFlags & kNoDefaultButton); }
    bool HasCustomButton() const { return !(m_styleFlags & kNoCustomButton); }
    bool HasTearOff() const { return !(m_styleFlags & kNoTearOff) && !m_bTornOff; }
    HFONT TextFont() const { return m_font; }
    // Draws text centred in rect in the bar's font.
    void DrawCentredText(HDC dc, const CString& text, RECT rect) const;

    LRESULT OnPaintMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);
    LRESULT OnButtonDownMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnButtonUpMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMoveMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDownMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyUpMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimerMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnCloseMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnActivateMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcActivateMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaletteMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroyMessage(WPARAM wParam, LPARAM lParam);

    std::vector<DWORD> m_values;
    int m_count = 0;
    int m_rows = 1;
    DWORD m_styleFlags = 0;
    std::map<DWORD, CString> m_toolTipTexts;
    CToolTipCtrl m_toolTip;
    DWORD m_selectedValue = kNone;
    DWORD m_defaultValue = 0;
    int m_buttonWidth = 0;
    int m_buttonHeight = 0;
    CString m_defaultText;
    CString m_customText;
    CString m_tearOffText;
    CString m_caption;
    HFONT m_font = nullptr; // owned
    CWnd* m_owner = nullptr;
    HBRUSH m_background = nullptr; // not owned
    HPALETTE m_palette = nullptr;  // selected while painting; the derived class owns it

private:
    void Init(int count, int rows, DWORD defaultValue, int buttonWidth, int buttonHeight);
    BOOL CreateWindowOf(BOOL tornOff);
    BOOL Layout();
    BOOL Place(UINT alignment, const RECT& anchor, int dx, int dy);
    void RebuildToolTips();
    int RunLoop(MSG& click);
    void PassClickOn(const MSG& click);
    void PickHot();
    void Report(int result);
    void TearOffDrag();
    void MoveKey(UINT key, bool shift);
    void RedrawIndex(int index);

    CRect m_windowRect; // screen coordinates, as placed
    CRect m_defaultRect;
    CRect m_customRect;
    CRect m_tearOffRect;
    std::vector<CRect> m_buttonRects;
    int m_selectedIndex = -1;
    int m_hotIndex = -1;
    BOOL m_bPressed = FALSE;
    BOOL m_bTearOffArmed = FALSE;
    BOOL m_bTornOff = FALSE;
    BOOL m_bFollowMouse = TRUE;
    CPoint m_lastMouse = CPoint(-1, -1);
    int m_result = kRunning;
};
