// The in-place editor of the shortcut bar and its lists.
#include "widgets/controls/OXSHBEdit.h"

#include "platform/win/crackers.h"
#include "platform/win/dc.h"
#include "widgets/controls/OXShortcutBarTypes.h"

#include <algorithm>

FW_TABLE(COXSHBEdit, CEdit, fw::reflect<WM_CTLCOLOR, &COXSHBEdit::OnCtlColorReflect>(),
         fw::reflect_control<EN_CHANGE, &COXSHBEdit::OnChange>())

namespace
{
constexpr int kTextMargin = 8;

bool IsButtonDown(UINT msg)
{
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
           msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}
} // namespace

COXSHBEdit::COXSHBEdit()
{
    m_brush.CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
}

COXSHBEdit::~COXSHBEdit() = default;

BOOL COXSHBEdit::Create(DWORD style, CWnd* parent, UINT id)
{
    if (m_hWnd)
        return TRUE;
    return CEdit::Create((style | WS_CHILD) & ~WS_VISIBLE, CRect(0, 0, 0, 0), parent, id);
}

BOOL COXSHBEdit::StartEdit(CWnd* owner, const RECT& rect, const char* text, HFONT font)
{
    if (!m_hWnd)
        return FALSE;
    if (m_editing)
        FinishEdit(TRUE);
    m_owner = owner;
    m_minRect = rect;
    SetFont(font, FALSE);
    SetWindowText(text ? text : "");
    MoveWindow(&m_minRect, FALSE);
    m_editing = TRUE;
    FitToText();
    ShowWindow(SW_SHOW);
    SetSel(0, -1);
    SetFocus();
    SetCapture();
    return TRUE;
}

void COXSHBEdit::FinishEdit(BOOL accepted)
{
    if (!m_editing)
        return;
    // Cleared first: hiding and releasing the mouse come back here through the focus.
    m_editing = FALSE;
    if (GetCapture() == this)
        ::ReleaseCapture();
    ShowWindow(SW_HIDE);
    CString text;
    GetWindowText(text);
    CWnd* owner = m_owner ? m_owner : GetParent();
    m_owner = nullptr;
    if (!owner)
        return;
    NMSHBEDIT record = {};
    record.hdr.hwndFrom = m_hWnd;
    record.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    record.hdr.code = SHBEN_FINISHEDIT;
    record.accepted = accepted;
    record.text = text;
    owner->SendMessage(WM_NOTIFY, record.hdr.idFrom, reinterpret_cast<LPARAM>(&record));
}

HBRUSH COXSHBEdit::OnCtlColorReflect(CDC* dc, UINT /*type*/)
{
    dc->SetBkColor(::GetSysColor(COLOR_WINDOW));
    dc->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    return static_cast<HBRUSH>(m_brush.GetSafeHandle());
}

void COXSHBEdit::OnChange()
{
    if (m_editing)
        FitToText();
}

void COXSHBEdit::FitToText()
{
    CWnd* parent = GetParent();
    if (!parent)
        return;
    CRect bounds;
    parent->GetClientRect(&bounds);
    CString text;
    GetWindowText(text);
    const DWORD style = GetStyle();
    const bool multiLine = (style & ES_MULTILINE) != 0;

    CRect measured(0, 0, multiLine ? m_minRect.Width() : 0, 0);
    {
        CClientDC dc(this);
        const HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), GetFont());
        const char* shown = text.IsEmpty() ? " " : static_cast<const char*>(text);
        ::DrawTextA(dc.GetSafeHdc(), shown, -1, &measured,
                    DT_CALCRECT | DT_NOPREFIX |
                        (multiLine ? DT_WORDBREAK | DT_CENTER | DT_EDITCONTROL : DT_SINGLELINE));
        ::SelectObject(dc.GetSafeHdc(), old);
    }
    const int width = std::min<int>(
        std::max<int>(measured.Width() + kTextMargin, m_minRect.Width()), bounds.Width());
    const int height = std::min<int>(
        std::max<int>(measured.Height() + kTextMargin / 2, m_minRect.Height()), bounds.Height());
    CRect rect(m_minRect.left, m_minRect.top, m_minRect.left + width, m_minRect.top + height);
    if (style & ES_CENTER)
        rect.OffsetRect(m_minRect.CenterPoint().x - rect.CenterPoint().x, 0);
    else if (style & ES_RIGHT)
        rect.OffsetRect(m_minRect.right - rect.right, 0);
    // Kept inside the parent.
    if (rect.right > bounds.right)
        rect.OffsetRect(bounds.right - rect.right, 0);
    if (rect.left < bounds.left)
        rect.OffsetRect(bounds.left - rect.left, 0);
    if (rect.bottom > bounds.bottom)
        rect.OffsetRect(0, bounds.bottom - rect.bottom);
    MoveWindow(&rect);
}

void COXSHBEdit::PassClickOn(UINT msg, WPARAM wParam, LPARAM lParam)
{
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(&point);
    FinishEdit(TRUE);
    const HWND target = ::WindowFromPoint(point);
    if (!target || target == m_hWnd)
        return;
    const LRESULT hit = ::SendMessageA(target, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    if (hit == HTCLIENT)
    {
        POINT client = point;
        ::ScreenToClient(target, &client);
        ::PostMessageA(target, msg, wParam, MAKELPARAM(client.x, client.y));
    }
    else if (hit != HTNOWHERE && hit != HTERROR)
    {
        // The matching non-client message: WM_NCLBUTTONDOWN is WM_LBUTTONDOWN - 0x160.
        ::PostMessageA(target, msg - (WM_LBUTTONDOWN - WM_NCLBUTTONDOWN), hit,
                       MAKELPARAM(point.x, point.y));
    }
}

LRESULT COXSHBEdit::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_editing)
    {
        switch (msg)
        {
        case WM_GETDLGCODE: return DLGC_WANTALLKEYS | CEdit::WindowProc(msg, wParam, lParam);
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_ESCAPE)
            {
                FinishEdit(wParam == VK_RETURN);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == VK_RETURN || wParam == VK_ESCAPE)
                return 0; // no beep
            break;
        case WM_KILLFOCUS:
        {
            const LRESULT result = CEdit::WindowProc(msg, wParam, lParam);
            FinishEdit(TRUE);
            return result;
        }
        default:
            if (IsButtonDown(msg))
            {
                CRect client;
                GetClientRect(&client);
                const CPoint point(static_cast<short>(LOWORD(lParam)),
                                   static_cast<short>(HIWORD(lParam)));
                if (!client.PtInRect(point))
                {
                    PassClickOn(msg, wParam, lParam);
                    return 0;
                }
            }
            break;
        }
    }
    return CEdit::WindowProc(msg, wParam, lParam);
}
