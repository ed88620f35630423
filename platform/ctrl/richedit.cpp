// Rich edit wrapper.
#include "platform/ctrl/richedit.h"

#include "platform/ctrl/stdctrl.h"

BOOL CRichEditCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    static const HMODULE library = ::LoadLibraryA("riched20.dll");
    if (!library)
        return FALSE;
    return fw::CreateControl(this, RICHEDIT_CLASSA, nullptr, style, rect, parent, id);
}

COLORREF CRichEditCtrl::SetBackgroundColor(BOOL systemColor, COLORREF color)
{
    return static_cast<COLORREF>(SendMessage(EM_SETBKGNDCOLOR, systemColor, color));
}

void CRichEditCtrl::SetSel(long start, long end)
{
    CHARRANGE range = {start, end};
    SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void CRichEditCtrl::ReplaceSel(const char* text, BOOL canUndo)
{
    SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
}

BOOL CRichEditCtrl::SetReadOnly(BOOL readOnly)
{
    return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly));
}
