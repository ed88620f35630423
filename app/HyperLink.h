// A static control that behaves as a web link: link, visited and hover colours, the hand
// cursor, an underline while hovering (or always, or never), a tooltip with the address, and a
// click that opens the address in the user's browser, falling back on the command registered
// for ".htm". A failure beeps and names the reason in a message box.
#pragma once

#include "platform/ctrl/stdctrl.h"
#include "platform/ctrl/tooltip.h"
#include "platform/win/gdiobj.h"

class CHyperLink : public CStatic
{
public:
    enum UnderlineMode
    {
        kUnderlineNever = 0,
        kUnderlineAlways = 1,
        kUnderlineHover = -1
    };
    static constexpr UINT_PTR kHoverTimerId = 100;
    static constexpr UINT kHoverPeriodMs = 100;

    CHyperLink() = default;
    ~CHyperLink() override;

    // The address; a live control is fitted to its text and its tooltip shows the address.
    void SetURL(const CString& url);
    CString GetURL() const { return m_url; }
    // A null cursor takes the system's hand cursor.
    void SetLinkCursor(HCURSOR cursor);
    HCURSOR GetLinkCursor() const { return m_linkCursor; }
    void SetVisited(BOOL visited = TRUE);
    BOOL GetVisited() const { return m_visited; }
    void SetUnderlineMode(int mode);
    int GetUnderlineMode() const { return m_underlineMode; }
    void SetFitToText(BOOL fit = TRUE);
    BOOL GetFitToText() const { return m_fitToText; }
    COLORREF GetLinkColour() const { return m_linkColour; }
    COLORREF GetVisitedColour() const { return m_visitedColour; }
    COLORREF GetHoverColour() const { return m_hoverColour; }
    BOOL IsHovering() const { return m_over; }

    // Opens the address: the shell first, then the ".htm" handler's command line. Returns
    // the shell's or the command's code; above 32 is success.
    virtual HINSTANCE GotoURL(const char* url, int showCommand);

    // The message shown when opening failed with code: "Unable to open hyperlink:" and the
    // reason.
    static CString FailureMessage(int code);
    // The ".htm" handler's command line with the address: cut where "%1" (quoted or bare)
    // stands, then a blank and the address.
    static CString BuildHandlerCommand(const CString& command, const CString& url);

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL DestroyWindow() override;

    FW_MESSAGE_TABLE()

protected:
    void PreSubclassWindow() override;

    HBRUSH OnCtlColorReflect(CDC* dc, UINT type);
    void OnClicked();
    void OnMouseMove(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    BOOL OnEraseBkgnd(CDC* dc);

private:
    void PositionWindow();
    void ReportError(int code);
    void SetDefaultCursor();

    COLORREF m_linkColour = RGB(0, 0, 238);
    COLORREF m_visitedColour = RGB(85, 26, 139);
    COLORREF m_hoverColour = RGB(255, 0, 0);
    BOOL m_over = FALSE;
    BOOL m_visited = FALSE;
    int m_underlineMode = kUnderlineHover;
    BOOL m_fitToText = TRUE;
    CString m_url;
    CFont m_underlineFont;
    CFont m_normalFont;
    HCURSOR m_linkCursor = nullptr; // owned copy
    CToolTipCtrl m_toolTip;
};
