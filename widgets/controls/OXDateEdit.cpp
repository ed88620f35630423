// The date edit: children, range and date, reading the date from the text, the drop button
// and the forwarded edit notifications.
#include "widgets/controls/OXDateEdit.h"

#include "platform/win/dc.h"

using oxdate::IsBound;
using oxdate::NullDate;

FW_TABLE(COXDateEdit, CWnd, fw::on<WM_LBUTTONDOWN, &COXDateEdit::OnLButtonDown>(),
         fw::on<WM_SETFOCUS, &COXDateEdit::OnSetFocus>(),
         fw::on<WM_SETCURSOR, &COXDateEdit::OnSetCursor>(),
         fw::on<WM_CLOSE, &COXDateEdit::OnClose>(), fw::on<WM_DESTROY, &COXDateEdit::OnDestroy>(),
         fw::on<WM_SIZE, &COXDateEdit::OnSize>(), fw::on<WM_PAINT, &COXDateEdit::OnPaint>(),
         fw::raw<WM_GETFONT, &COXDateEdit::OnGetFont>(),
         fw::control<EN_SETFOCUS, COXDateEdit::kEditId, &COXDateEdit::OnEditSetFocus>(),
         fw::control<EN_KILLFOCUS, COXDateEdit::kEditId, &COXDateEdit::OnEditKillFocus>(),
         fw::control<EN_CHANGE, COXDateEdit::kEditId, &COXDateEdit::OnEditChange>(),
         fw::control<EN_UPDATE, COXDateEdit::kEditId, &COXDateEdit::OnEditUpdate>())

COXDateEdit::COXDateEdit()
    : m_date(NullDate())
    , m_latest(9999, 12, 31, 0, 0, 0)
    , m_earliest(100, 1, 1, 0, 0, 0)
    , m_firstDayOfWeek(COXCalendarNames::LocaleFirstDayOfWeek())
{
}

BOOL COXDateEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    const char* className = fw::RegisterWndClass(
        CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    m_creating = true;
    const BOOL created =
        CreateEx(0, className, "", style, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, parent ? parent->GetSafeHwnd() : nullptr,
                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
    m_creating = false;
    return created && CreateChildren();
}

void COXDateEdit::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (!m_creating)
        CreateChildren();
}

BOOL COXDateEdit::CreateChildren()
{
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    if (!m_edit.CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0,
                         client.right, client.bottom, m_hWnd,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId))))
        return FALSE;
    const auto parentFont =
        reinterpret_cast<HFONT>(::SendMessageA(::GetParent(m_hWnd), WM_GETFONT, 0, 0));
    LOGFONTA logFont;
    m_font.DeleteObject();
    if (parentFont && ::GetObjectA(parentFont, sizeof logFont, &logFont))
        m_font.CreateFontIndirect(&logFont);
    if (m_font.GetSafeHandle())
        m_edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), FALSE);
    m_dropButtonWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    m_cursor = ::LoadCursorA(nullptr, IDC_ARROW);
    if (!m_calendar.Create(this))
        return FALSE;
    m_calendar.SetFirstDayOfWeek(GetFirstDayOfWeek());
    return TRUE;
}

BOOL COXDateEdit::SetRange(const COleDateTime& earliest, const COleDateTime& latest)
{
    if (earliest.GetStatus() == COleDateTime::invalid ||
        latest.GetStatus() == COleDateTime::invalid)
        return FALSE;
    if (IsBound(earliest) && IsBound(latest) && earliest > latest)
        return FALSE;
    m_earliest = earliest;
    m_latest = latest;
    return TRUE;
}

void COXDateEdit::GetRange(COleDateTime& earliest, COleDateTime& latest) const
{
    earliest = m_earliest;
    latest = m_latest;
}

BOOL COXDateEdit::SetDate(const COleDateTime& date)
{
    if (date.GetStatus() == COleDateTime::invalid)
        return FALSE;
    if (IsBound(date) &&
        ((IsBound(m_earliest) && date < m_earliest) || (IsBound(m_latest) && date > m_latest)))
        return FALSE;
    m_date = date;
    ShowDateText();
    return TRUE;
}

COleDateTime COXDateEdit::GetDate()
{
    char buffer[256] = {};
    if (m_edit.GetSafeHwnd())
        ::GetWindowTextA(m_edit, buffer, sizeof buffer);
    const CString text(buffer);
    // A leading day name is not part of what the parser reads.
    const int firstDigit = text.FindOneOf("0123456789");
    COleDateTime parsed;
    if (firstDigit >= 0 && parsed.ParseDateTime(text.Mid(firstDigit), 0, LANG_USER_DEFAULT) &&
        parsed.GetStatus() == COleDateTime::valid)
        m_date = parsed;
    else
        m_date = NullDate();
    return m_date;
}

BOOL COXDateEdit::SetFirstDayOfWeek(int day)
{
    if (day < 0 || day > 6)
        return FALSE;
    m_firstDayOfWeek = (day + 6) % 7;
    m_calendar.SetFirstDayOfWeek(day);
    return TRUE;
}

void COXDateEdit::FormatDate(CString& text)
{
    if (!IsBound(m_date))
    {
        text = m_calendar.GetNoneText();
        return;
    }
    if (!m_dateFormat.IsEmpty())
    {
        text = m_date.Format(m_dateFormat);
        return;
    }
    const int mondayBased = (m_date.GetDayOfWeek() + 5) % 7;
    text = COXCalendarNames::DayNames()[mondayBased];
    text += ' ';
    text += m_date.Format(VAR_DATEVALUEONLY, LANG_USER_DEFAULT);
}

CRect COXDateEdit::GetDropButtonRect() const
{
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    return CRect(client.right - m_dropButtonWidth, 0, client.right, client.bottom);
}

void COXDateEdit::OnEditSetFocus()
{
    Notify(EN_SETFOCUS);
    ShowDropButton(true);
}

void COXDateEdit::OnEditKillFocus()
{
    ReadAndClampDate();
    if (IsBound(m_date))
        ShowDateText();
    Notify(EN_KILLFOCUS);
    ShowDropButton(false);
}

void COXDateEdit::OnEditChange()
{
    Notify(EN_CHANGE);
}

void COXDateEdit::OnEditUpdate()
{
    Notify(EN_UPDATE);
}

void COXDateEdit::OnLButtonDown(UINT, CPoint)
{
    ReadAndClampDate();
    CRect window;
    ::GetWindowRect(m_hWnd, &window);
    COleDateTime picked = m_date;
    if (m_calendar.Track(picked, m_earliest, m_latest, window))
    {
        m_date = picked;
        ShowDateText();
    }
    ::SetFocus(m_hWnd);
}

void COXDateEdit::OnSetFocus(CWnd*)
{
    if (m_edit.GetSafeHwnd())
        ::SetFocus(m_edit);
}

BOOL COXDateEdit::OnSetCursor(CWnd* wnd, UINT, UINT)
{
    if (wnd && wnd->GetSafeHwnd() == m_hWnd && m_cursor)
    {
        ::SetCursor(m_cursor);
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}

void COXDateEdit::OnClose()
{
    GetDate();
    Default();
}

void COXDateEdit::OnDestroy()
{
    if (m_calendar.GetSafeHwnd())
        m_calendar.DestroyWindow();
    m_font.DeleteObject();
    Default();
}

void COXDateEdit::OnSize(UINT, int, int)
{
    LayoutEdit();
}

void COXDateEdit::OnPaint()
{
    CPaintDC dc(this);
    if (!m_dropButtonShown)
        return;
    CRect button = GetDropButtonRect();
    ::DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLDOWN);
}

LRESULT COXDateEdit::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_font.GetSafeHandle());
}

void COXDateEdit::Notify(UINT code)
{
    const HWND parent = ::GetParent(m_hWnd);
    if (parent)
        ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), code),
                       reinterpret_cast<LPARAM>(m_hWnd));
}

void COXDateEdit::ReadAndClampDate()
{
    GetDate();
    if (!IsBound(m_date))
        return;
    if (IsBound(m_earliest) && m_date < m_earliest)
        m_date = m_earliest;
    else if (IsBound(m_latest) && m_date > m_latest)
        m_date = m_latest;
}

void COXDateEdit::ShowDateText()
{
    CString text;
    FormatDate(text);
    if (m_edit.GetSafeHwnd())
        ::SetWindowTextA(m_edit, text);
}

void COXDateEdit::ShowDropButton(bool show)
{
    if (m_dropButtonShown == (show ? TRUE : FALSE))
        return;
    m_dropButtonShown = show ? TRUE : FALSE;
    LayoutEdit();
    Invalidate();
}

void COXDateEdit::LayoutEdit()
{
    if (!m_edit.GetSafeHwnd())
        return;
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    const int width = client.right - (m_dropButtonShown ? m_dropButtonWidth : 0);
    ::MoveWindow(m_edit, 0, 0, width > 0 ? width : 0, client.bottom, TRUE);
}
