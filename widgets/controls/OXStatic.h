// A static text control that paints its own background (solid, or fading to black from an
// edge or the middle), draws its text in its own font and colour, can fit itself to its text,
// and shows its text (or a text of its own) as a tooltip.
#pragma once

#include "platform/base/string.h"
#include "platform/ctrl/stdctrl.h"
#include "platform/ctrl/tooltip.h"
#include "platform/win/gdiobj.h"

#include <windows.h>

class COXStatic : public CStatic
{
public:
    // Background modes; the numbers are the stored values.
    enum BkMode
    {
        kSolid = 0,
        kFadeFromLeft = 1,
        kFadeFromMiddle = 2,
        kFadeFromRight = 3,
    };
    static constexpr COLORREF kNoBackground = 0xFFFFFFFF;
    static constexpr UINT_PTR kToolId = 1000;

    COXStatic();

    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);

    // kNoBackground lets the parent's background show through.
    void SetBkColor(COLORREF color, BOOL redraw = TRUE);
    COLORREF GetBkColor() const { return m_bkColor; }
    void SetBkMode(int mode, BOOL redraw = TRUE);
    int GetBkMode() const { return m_bkMode; }
    void SetTextColor(COLORREF color, BOOL redraw = TRUE);
    COLORREF GetTextColor() const { return m_textColor; }

    BOOL GetLogFont(LOGFONTA* logFont) const;
    CFont* GetTextFont() { return &m_font; }
    BOOL SetTextLogFont(const LOGFONTA* logFont, BOOL redraw = TRUE);
    BOOL SetTextFont(CFont* font, BOOL redraw = TRUE);

    void SetFitToText(BOOL fit);
    BOOL GetFitToText() const { return m_fitToText; }

    // An empty text goes back to showing the window text.
    void SetToolTipText(const char* text);
    // The empty string when no own text was set, unless forceOwn.
    CString GetToolTipText(BOOL forceOwn = FALSE) const;
    void SetToolTip(BOOL active);
    BOOL GetToolTip() const { return m_toolTipActive; }
    CToolTipCtrl& GetToolTipCtrl() { return m_toolTip; }

    // Only the text styles (left, centred, right, no word wrap, simple) take font, colour and
    // fitting.
    BOOL ShowsText() const;

    HBRUSH OnCtlColorReflect(CDC* dc, UINT type);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    void OnDestroy();
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

    FW_MESSAGE_TABLE()

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void SetUp();
    void UpdateToolTipText();
    void FitToText();
    void RememberRect();
    void PaintGradient(HDC dc, const RECT& area) const;

    COLORREF m_bkColor;
    int m_bkMode = kSolid;
    COLORREF m_textColor;
    CFont m_font; // a copy made from a LOGFONT; empty until set
    BOOL m_toolTipActive = FALSE;
    CString m_toolTipText;
    CToolTipCtrl m_toolTip;
    BOOL m_fitToText = FALSE;
    CRect m_rect; // in the parent's client coordinates
    BOOL m_ownToolTipText = FALSE;
    BOOL m_createdHere = FALSE;
    BOOL m_fontTaken = FALSE;
};
