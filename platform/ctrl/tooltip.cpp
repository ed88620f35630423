// Tooltip wrapper.
#include "platform/ctrl/tooltip.h"

#include "platform/ctrl/stdctrl.h"

namespace
{
template <class T>
LPARAM Ptr(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}
} // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    fw::InitCommonControls();
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    parent ? parent->GetSafeHwnd() : nullptr, nullptr);
}

TOOLINFOA CToolTipCtrl::MakeToolInfo(CWnd* wnd, UINT_PTR toolId)
{
    TOOLINFOA info = {};
    info.cbSize = sizeof info;
    const HWND hwnd = wnd ? wnd->GetSafeHwnd() : nullptr;
    if (toolId == 0)
    {
        // The window itself is the tool; its parent holds it.
        info.hwnd = ::GetParent(hwnd) ? ::GetParent(hwnd) : hwnd;
        info.uFlags = TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(hwnd);
    }
    else
    {
        info.hwnd = hwnd;
        info.uId = toolId;
    }
    return info;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, const char* text, LPCRECT rect, UINT_PTR toolId)
{
    TOOLINFOA info = MakeToolInfo(wnd, toolId);
    if (rect)
        info.rect = *rect;
    else if (toolId != 0)
        ::GetClientRect(wnd->GetSafeHwnd(), &info.rect);
    info.lpszText = const_cast<char*>(text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, Ptr(&info)));
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR toolId)
{
    TOOLINFOA info = MakeToolInfo(wnd, toolId);
    SendMessage(TTM_DELTOOLA, 0, Ptr(&info));
}

void CToolTipCtrl::UpdateTipText(const char* text, CWnd* wnd, UINT_PTR toolId)
{
    TOOLINFOA info = MakeToolInfo(wnd, toolId);
    info.lpszText = const_cast<char*>(text);
    SendMessage(TTM_UPDATETIPTEXTA, 0, Ptr(&info));
}

void CToolTipCtrl::GetText(CString& text, CWnd* wnd, UINT_PTR toolId) const
{
    // TTM_GETTEXT has no size: the longest tip text the control keeps is 80 characters unless
    // a bigger buffer is offered, so offer plenty.
    char buffer[1024] = {};
    TOOLINFOA info = MakeToolInfo(wnd, toolId);
    info.lpszText = buffer;
    SendMessage(TTM_GETTEXTA, sizeof buffer, Ptr(&info));
    text = buffer;
}

void CToolTipCtrl::SetToolRect(CWnd* wnd, UINT_PTR toolId, LPCRECT rect)
{
    TOOLINFOA info = MakeToolInfo(wnd, toolId);
    info.rect = *rect;
    SendMessage(TTM_NEWTOOLRECTA, 0, Ptr(&info));
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFOA* info, CWnd* wnd, UINT_PTR toolId) const
{
    *info = MakeToolInfo(wnd, toolId);
    info->lpszText = nullptr;
    return static_cast<BOOL>(SendMessage(TTM_GETTOOLINFOA, 0, Ptr(info)));
}

void CToolTipCtrl::SetToolInfo(TOOLINFOA* info)
{
    info->cbSize = sizeof *info;
    SendMessage(TTM_SETTOOLINFOA, 0, Ptr(info));
}

void CToolTipCtrl::SetDelayTime(DWORD duration, int timeMs)
{
    SendMessage(TTM_SETDELAYTIME, duration, MAKELPARAM(timeMs, 0));
}

int CToolTipCtrl::GetDelayTime(DWORD duration) const
{
    return static_cast<int>(SendMessage(TTM_GETDELAYTIME, duration));
}
