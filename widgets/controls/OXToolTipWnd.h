// COXToolTipWnd: a topmost tip of our own for rectangular tools of an owner window, with its
// own font, colours, margins and delays. A text holding a carriage return has a short and a
// long part; a click on the tip switches between them.
//
// The owner creates it, adds its tools and passes it its messages:
//   m_tip.Create(this);
//   m_tip.AddTool(this, "Open a file", &clientRect, 1000);
//   BOOL PreTranslateMessage(MSG* msg) { m_tip.RelayEvent(msg); ... }
#pragma once

#include "platform/base/string.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <commctrl.h>
#include <memory>
#include <vector>

// What callers exchange with the tip: the system's tool information with four more words, its
// members pointer-sized where the system's are.
struct OXTOOLINFO
{
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect; // the owner's client coordinates
    HINSTANCE hinst;
    LPSTR lpszText; // LPSTR_TEXTCALLBACKA: asked from the owner
    LPARAM lParam;  // reserved, 0
    int nWidth;     // maximum text width, 0 for none
    COLORREF clrTextColor;
    COLORREF clrBackColor;
};

// One tool.
struct COXToolRecord
{
    virtual ~COXToolRecord() = default;

    UINT flags = 0;
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    RECT rect = {0, 0, 0, 0}; // the owner's client coordinates
    INT_PTR callback = 0;     // -1: the owner gives the text when asked
    CString text;
    int maxWidth = 0;
    COLORREF textColor = 0xFF000000;
    COLORREF backColor = 0xFF000000;
    LPARAM reserved = 0;
};

class COXToolTipWnd : public CWnd
{
public:
    static constexpr COLORREF kSystemColor = 0xFF000000; // COLOR_INFOBK / COLOR_INFOTEXT
    static constexpr UINT_PTR kWaitTimer = 1;            // the initial delay
    static constexpr UINT_PTR kCheckTimer = 2;           // while the tip shows

    COXToolTipWnd() = default;
    ~COXToolTipWnd() override;

    BOOL Create(CWnd* owner);

    // text may be LPSTR_TEXTCALLBACKA; rect is in wnd's client coordinates, null for its whole
    // window. FALSE for a null window.
    BOOL AddTool(CWnd* wnd, const char* text, LPCRECT rect = nullptr, UINT_PTR id = 0);
    BOOL AddTool(CWnd* wnd, UINT textId, LPCRECT rect = nullptr, UINT_PTR id = 0);
    // Removes every record of wnd and id.
    void DelTool(CWnd* wnd, UINT_PTR id = 0);
    int GetToolCount() const { return static_cast<int>(m_tools.size()); }

    // The owner's mouse and key messages decide when the tip waits, shows and hides.
    void RelayEvent(const MSG* msg);

    // point in the owner's client coordinates.
    BOOL HitTest(CWnd* wnd, CPoint point, OXTOOLINFO* info) const;
    BOOL GetToolInfo(OXTOOLINFO* info, CWnd* wnd, UINT_PTR id = 0) const;
    void SetToolInfo(const OXTOOLINFO* info);

    CRect GetMargins() const { return m_margins; }
    // TTDT_AUTOPOP and TTDT_INITIAL; other types are ignored and read as 0.
    void SetDelayTime(DWORD type, int timeMs);
    int GetDelayTime(DWORD type) const;
    // Changing a default also changes the records that still hold the previous one.
    int GetMaxTipWidth() const { return m_maxWidth; }
    void SetMaxTipWidth(int width);
    COLORREF GetTipBkColor() const { return m_backColor; }
    void SetTipBkColor(COLORREF color);
    COLORREF GetTipTextColor() const { return m_textColor; }
    void SetTipTextColor(COLORREF color);
    void SetFont(const LOGFONTA* logFont, BOOL redraw = TRUE);

    // The tool being shown or waited for, null for none; whether a tip shows now.
    const COXToolRecord* GetCurrentTool() const { return m_current; }
    BOOL IsTipShown() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }
    BOOL IsExpanded() const { return m_bExpanded; }
    // The text the tip shows now.
    CString GetShownText() const { return m_shownText; }

    // Where a tip of size appears for the cursor at point (screen coordinates).
    virtual CRect CalcPosition(CPoint point, const COXToolRecord* tool, CSize size) const;
    // The tip's size for text within maxWidth (0: the widest line).
    virtual CSize CalcSize(int maxWidth, const CString& text) const;

    FW_MESSAGE_TABLE()

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);

private:
    COXToolRecord* FindTool(HWND hwnd, UINT_PTR id) const;
    // The tool under the cursor, by the rules of HitTest.
    COXToolRecord* ToolAtCursor() const;
    bool IsCursorOverTip() const;
    CPoint CursorInOwner() const;
    void StopTimers();
    void Hide();
    void ShowAt(CPoint screenPoint, bool expanded);
    CString TextOf(COXToolRecord& tool) const;
    void MakeFont();
    void DrawMark(HDC dc, const RECT& textRect) const;

    HWND m_owner = nullptr;
    CRect m_margins = CRect(2, 2, 3, 3);
    int m_maxWidth = 0;
    CPoint m_cursorOffset = CPoint(0, 20);
    HFONT m_font = nullptr; // owned
    LOGFONTA m_logFont = {};
    BOOL m_bSystemFont = FALSE;
    UINT m_format = DT_NOPREFIX | DT_EXTERNALLEADING | DT_EXPANDTABS | DT_WORDBREAK;
    COXToolRecord* m_current = nullptr;
    int m_checkMs = 500;
    int m_showMs = 5000;
    int m_elapsedMs = 0;
    int m_initialMs = 500;
    BOOL m_bActive = TRUE;
    BOOL m_bHidden = TRUE;
    BOOL m_bTwoPart = FALSE;
    BOOL m_bExpanded = FALSE;
    COLORREF m_backColor = kSystemColor;
    COLORREF m_textColor = kSystemColor;
    HWND m_previousFocus = nullptr;
    CString m_fullText;  // the current tool's text, both parts
    CString m_shownText; // what the tip draws
    std::vector<std::unique_ptr<COXToolRecord>> m_tools;
};
