// CRichEditCtrl: the rich edit control (version 2, ANSI).
#pragma once

#include "platform/win/wnd.h"

#include <windows.h>

#include <richedit.h>

class CRichEditCtrl : public CWnd
{
    FW_CLASS(CRichEditCtrl, CWnd)

public:
    // Loads the rich edit library on first use.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    COLORREF SetBackgroundColor(BOOL systemColor, COLORREF color);
    void LimitText(long maxChars = 0) { SendMessage(EM_EXLIMITTEXT, 0, maxChars); }
    long GetTextLength() const { return static_cast<long>(SendMessage(WM_GETTEXTLENGTH)); }
    void SetSel(long start, long end);
    void ReplaceSel(const char* text, BOOL canUndo = FALSE);
    BOOL SetReadOnly(BOOL readOnly = TRUE);
};
