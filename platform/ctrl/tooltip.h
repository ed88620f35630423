// CToolTipCtrl: the common tooltip control. A tool with id 0 is a whole window (its tip shows over
// the window); any other id is a rectangle of the window. Mouse messages reach the tooltip through
// RelayEvent.
#pragma once

#include "platform/base/string.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <commctrl.h>

class CToolTipCtrl : public CWnd
{
    FW_CLASS(CToolTipCtrl, CWnd)

public:
    BOOL Create(CWnd* parent, DWORD style = 0);

    // text may be LPSTR_TEXTCALLBACKA (the tip asks its owner with TTN_GETDISPINFO).
    BOOL AddTool(CWnd* wnd, const char* text = LPSTR_TEXTCALLBACKA, LPCRECT rect = nullptr,
                 UINT_PTR toolId = 0);
    void DelTool(CWnd* wnd, UINT_PTR toolId = 0);
    void UpdateTipText(const char* text, CWnd* wnd, UINT_PTR toolId = 0);
    void GetText(CString& text, CWnd* wnd, UINT_PTR toolId = 0) const;
    void SetToolRect(CWnd* wnd, UINT_PTR toolId, LPCRECT rect);
    BOOL GetToolInfo(TOOLINFOA* info, CWnd* wnd, UINT_PTR toolId = 0) const;
    void SetToolInfo(TOOLINFOA* info);
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }

    void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
    void RelayEvent(LPMSG msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    void Pop() { SendMessage(TTM_POP); }
    void Update() { SendMessage(TTM_UPDATE); }

    // All three delays from one value, or one of them (TTDT_AUTOPOP, TTDT_INITIAL, TTDT_RESHOW).
    void SetDelayTime(UINT delayMs) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, delayMs); }
    void SetDelayTime(DWORD duration, int timeMs);
    int GetDelayTime(DWORD duration) const;
    int SetMaxTipWidth(int width)
    {
        return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width));
    }
    void SetTipBkColor(COLORREF color) { SendMessage(TTM_SETTIPBKCOLOR, color); }
    void SetTipTextColor(COLORREF color) { SendMessage(TTM_SETTIPTEXTCOLOR, color); }
    void SetMargin(LPRECT rect) { SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(rect)); }

private:
    // The tool record of a window or a rectangle of it; cbSize is the x64 size of the record.
    static TOOLINFOA MakeToolInfo(CWnd* wnd, UINT_PTR toolId);
};
