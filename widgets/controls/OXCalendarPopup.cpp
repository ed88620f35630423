// The calendar popup: locale names, layout from the font, month steps within the range,
// the tracking loop, mouse handling and painting.
#include "widgets/controls/OXCalendarPopup.h"

#include "platform/win/dc.h"
#include "resources/ids/widgets_ids.h"
#include "widgets/controls/OXDateEdit.h"

#include <algorithm>
#include <cstdlib>

using oxdate::IsBound;
using oxdate::NullDate;

namespace
{
constexpr int kTodayButtonId = 100;
constexpr int kNoneButtonId = 101;
constexpr int kCaptionButtonId = 102;
constexpr int kGridCells = 42;
constexpr COLORREF kTodayFrame = RGB(192, 0, 0);

CStringArray g_dayNames;
CStringArray g_monthNames;
CStringArray* g_filling = nullptr; // the table EnumCalendarInfo's callback appends to

BOOL CALLBACK AppendName(LPSTR name)
{
    g_filling->Add(name);
    return FALSE; // one name per calendar type asked for
}

void FillNames(CStringArray& names, CALTYPE first, int count)
{
    names.RemoveAll();
    g_filling = &names;
    for (int i = 0; i < count; ++i)
    {
        const INT_PTR before = names.GetSize();
        ::EnumCalendarInfoA(&AppendName, LOCALE_USER_DEFAULT, CAL_GREGORIAN, first + i);
        if (names.GetSize() == before)
            names.Add(""); // keep the positions even when the locale lacks a name
    }
    g_filling = nullptr;
}

void EnsureNames()
{
    if (g_dayNames.IsEmpty() || g_monthNames.IsEmpty())
        COXCalendarNames::Refill();
}

// Colours read once per process, at the first paint.
struct CalendarColors
{
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    COLORREF highlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
};

const CalendarColors& Colors()
{
    static const CalendarColors colors;
    return colors;
}

// Day of the week with Monday 0.
int MondayBasedDay(const COleDateTime& date)
{
    return (date.GetDayOfWeek() + 5) % 7;
}

// The first cell of a month's grid: the 1st moved back to the first day of the week, a whole
// week back when the 1st is that day, so the first row always shows the month before.
COleDateTime FirstGridDate(const COleDateTime& month, int firstDayOfWeek)
{
    if (!IsBound(month))
        return month;
    const COleDateTime first(month.GetYear(), month.GetMonth(), 1, 0, 0, 0);
    int back = (MondayBasedDay(first) - firstDayOfWeek + 7) % 7;
    if (back == 0)
        back = 7;
    return first - COleDateTimeSpan(back);
}

CString LoadText(UINT id)
{
    char text[64] = {};
    ::LoadStringA(::GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}
} // namespace

const CStringArray& COXCalendarNames::DayNames()
{
    EnsureNames();
    return g_dayNames;
}

const CStringArray& COXCalendarNames::MonthNames()
{
    EnsureNames();
    return g_monthNames;
}

void COXCalendarNames::Refill()
{
    FillNames(g_dayNames, CAL_SABBREVDAYNAME1, 7);
    FillNames(g_monthNames, CAL_SMONTHNAME1, 12);
}

int COXCalendarNames::LocaleFirstDayOfWeek()
{
    char value[8] = {};
    if (!::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, value, sizeof value))
        return 0;
    const int day = std::atoi(value);
    return day >= 0 && day <= 6 ? day : 0;
}

FW_TABLE(COXCalendarPopup, CWnd, fw::on<WM_PAINT, &COXCalendarPopup::OnPaint>(),
         fw::on<WM_LBUTTONDOWN, &COXCalendarPopup::OnLButtonDown>(),
         fw::on<WM_LBUTTONUP, &COXCalendarPopup::OnLButtonUp>(),
         fw::on<WM_MOUSEMOVE, &COXCalendarPopup::OnMouseMove>(),
         fw::on<WM_TIMER, &COXCalendarPopup::OnTimer>(),
         fw::raw<WM_SETTINGCHANGE, &COXCalendarPopup::OnSettingChange>())

COXCalendarPopup::COXCalendarPopup()
    : m_candidate(NullDate())
    , m_today(Truncate(COleDateTime::GetCurrentTime()))
    , m_selected(NullDate())
    , m_latest(NullDate())
    , m_earliest(NullDate())
    , m_shownMonth(m_today)
    , m_firstDayOfWeek(COXCalendarNames::LocaleFirstDayOfWeek())
{
    EnsureNames();
}

BOOL COXCalendarPopup::Create(COXDateEdit* owner)
{
    return Create(static_cast<CWnd*>(owner));
}

BOOL COXCalendarPopup::Create(CWnd* owner)
{
    const HWND ownerHwnd = owner ? owner->GetSafeHwnd() : nullptr;
    const char* className = fw::RegisterWndClass(
        CS_HREDRAW | CS_VREDRAW, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE |
                               WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;
    if (!CreateEx(kExStyle, className, "", WS_POPUP | WS_BORDER, 0, 0, 10, 10, ownerHwnd, nullptr))
        return FALSE;
    m_font.DeleteObject();
    const auto ownerFont = reinterpret_cast<HFONT>(::SendMessageA(ownerHwnd, WM_GETFONT, 0, 0));
    LOGFONTA logFont;
    if (ownerFont && ::GetObjectA(ownerFont, sizeof logFont, &logFont))
        m_font.CreateFontIndirect(&logFont);
    Layout();
    if (!CreateButtons())
    {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

void COXCalendarPopup::Layout()
{
    const HDC dc = ::GetDC(m_hWnd);
    const HGDIOBJ font =
        m_font.GetSafeHandle() ? m_font.GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT);
    const HGDIOBJ oldFont = ::SelectObject(dc, font);
    SIZE digits = {};
    ::GetTextExtentPoint32A(dc, "0123456789", 10, &digits);
    m_cellWidth = digits.cx / 5 + (digits.cx / 5) / 4;
    m_cellHeight = digits.cy + digits.cy / 5;

    const int arrowWidth = ::GetSystemMetrics(SM_CXHSCROLL);
    int captionWidth = 0;
    for (const CString& month : COXCalendarNames::MonthNames())
    {
        CString caption;
        caption.Format(" %s 1997 ", month.GetString());
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, caption, caption.GetLength(), &size);
        captionWidth = std::max(captionWidth, static_cast<int>(size.cx));
    }
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(m_hWnd, dc);

    const int clientWidth =
        std::max(captionWidth + 2 * arrowWidth, 7 * m_cellWidth + 2 * arrowWidth);
    const int clientHeight = 10 * m_cellHeight;
    // The window is sized for its client area, whatever its edges take.
    RECT window = {0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&window, static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)));
    m_width = window.right - window.left;
    m_height = window.bottom - window.top;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, m_width, m_height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    const int gridLeft = (clientWidth - 7 * m_cellWidth) / 2;
    const int gridTop = 2 * m_cellHeight + 2;
    m_grid = CRect(gridLeft, gridTop, gridLeft + 7 * m_cellWidth, gridTop + 6 * m_cellHeight);
    m_leftArrow = CRect(0, 0, arrowWidth, m_cellHeight);
    m_rightArrow = CRect(clientWidth - arrowWidth, 0, clientWidth, m_cellHeight);
}

BOOL COXCalendarPopup::CreateButtons()
{
    struct Button
    {
        CWnd& wnd;
        CRect rect;
        CString text;
        int id;
    };
    Button buttons[] = {
        {m_captionButton, CRect(m_leftArrow.right, 0, m_rightArrow.left, m_cellHeight), "",
         kCaptionButtonId},
        {m_noneButton, GetNoneButtonRect(), LoadText(IDS_OXCAL_NONE), kNoneButtonId},
        {m_todayButton, GetTodayButtonRect(), LoadText(IDS_OXCAL_TODAY), kTodayButtonId},
    };
    const HFONT font = static_cast<HFONT>(m_font.GetSafeHandle());
    for (Button& button : buttons)
    {
        if (!button.wnd.CreateEx(0, "BUTTON", button.text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                 button.rect.left, button.rect.top, button.rect.Width(),
                                 button.rect.Height(), m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.id))))
            return FALSE;
        if (font)
            button.wnd.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return TRUE;
}

BOOL COXCalendarPopup::Track(COleDateTime& date, const COleDateTime& earliest,
                             const COleDateTime& latest, const RECT& ownerScreenRect)
{
    // Equal bounds are a one-day range, as the date edit's range setter accepts.
    if (!m_hWnd || (IsBound(earliest) && IsBound(latest) && earliest > latest))
        return FALSE;
    m_today = Truncate(COleDateTime::GetCurrentTime());
    m_earliest = Truncate(earliest);
    m_latest = Truncate(latest);
    m_selected = Truncate(date);
    m_candidate = m_selected;
    m_mode = kNone;
    m_heldArrow = kNoArrow;
    ::EnableWindow(m_todayButton, IsInRange(m_today));
    if (IsBound(m_selected))
        m_shownMonth = m_selected;
    else if (IsBound(m_earliest) && m_today < m_earliest)
        m_shownMonth = m_earliest;
    else if (IsBound(m_latest) && m_today > m_latest)
        m_shownMonth = m_latest;
    else
        m_shownMonth = m_today;

    const int left = std::max(0, static_cast<int>(ownerScreenRect.right) - m_width);
    int top = ownerScreenRect.bottom;
    if (top + m_height > ::GetSystemMetrics(SM_CYSCREEN))
        top = ownerScreenRect.top - m_height;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, left, top, m_width, m_height,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Invalidate();
    SetCapture();
    const int result = RunTrackLoop();
    KillTimer(kArrowTimerId);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ShowWindow(SW_HIDE);
    if (result)
        date = m_candidate;
    return result ? TRUE : FALSE;
}

int COXCalendarPopup::RunTrackLoop()
{
    while (::GetCapture() == m_hWnd)
    {
        MSG msg;
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0)
        {
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam)); // for the outer loop
            return 0;
        }
        if (msg.message == WM_KEYDOWN)
        {
            if (msg.wParam == VK_ESCAPE)
                return 0;
            continue;
        }
        if (msg.message == WM_RBUTTONDOWN)
            return 0;
        if (msg.message == kEndTrack && msg.hwnd == m_hWnd)
            return static_cast<int>(msg.wParam);
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0; // the capture went elsewhere
}

BOOL COXCalendarPopup::SetFirstDayOfWeek(int day)
{
    if (day < 0 || day > 6)
        return FALSE;
    m_firstDayOfWeek = (day + 6) % 7;
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

CString COXCalendarPopup::GetNoneText() const
{
    return LoadText(IDS_OXCAL_NONE);
}

COleDateTime COXCalendarPopup::GetFirstGridDate() const
{
    return FirstGridDate(m_shownMonth, m_firstDayOfWeek);
}

CRect COXCalendarPopup::GetDayRect(int cell) const
{
    const int left = m_grid.left + (cell % 7) * m_cellWidth;
    const int top = m_grid.top + (cell / 7) * m_cellHeight;
    return CRect(left, top, left + m_cellWidth, top + m_cellHeight);
}

CRect COXCalendarPopup::GetTodayButtonRect() const
{
    const int top = m_grid.bottom + m_cellHeight / 2;
    return CRect(m_grid.left, top, m_grid.left + 3 * m_cellWidth, top + m_cellHeight);
}

CRect COXCalendarPopup::GetNoneButtonRect() const
{
    const int top = m_grid.bottom + m_cellHeight / 2;
    return CRect(m_grid.right - 3 * m_cellWidth, top, m_grid.right, top + m_cellHeight);
}

BOOL COXCalendarPopup::DateFromPoint(CPoint point, COleDateTime& date) const
{
    if (m_cellWidth <= 0 || m_cellHeight <= 0 || point.y < m_grid.top || point.x < m_grid.left)
        return FALSE;
    const int row = (point.y - m_grid.top) / m_cellHeight;
    const int column = (point.x - m_grid.left) / m_cellWidth;
    if (row >= 6 || column >= 7)
        return FALSE;
    const COleDateTime cellDate = GridDate(row * 7 + column);
    if (!IsBound(cellDate) || !IsInRange(cellDate))
        return FALSE;
    date = cellDate;
    return TRUE;
}

COleDateTime COXCalendarPopup::Truncate(const COleDateTime& date)
{
    if (!IsBound(date))
        return date;
    return COleDateTime(date.GetYear(), date.GetMonth(), date.GetDay(), 0, 0, 0);
}

bool COXCalendarPopup::IsInRange(const COleDateTime& date) const
{
    return (!IsBound(m_earliest) || date >= m_earliest) && (!IsBound(m_latest) || date <= m_latest);
}

COleDateTime COXCalendarPopup::GridDate(int cell) const
{
    return GetFirstGridDate() + COleDateTimeSpan(cell);
}

COleDateTime COXCalendarPopup::StepMonth(int direction) const
{
    COleDateTime date = m_shownMonth;
    const int month = date.GetMonth();
    while (IsBound(date) && date.GetMonth() == month)
        date += COleDateTimeSpan(direction);
    return date;
}

bool COXCalendarPopup::IsStepAccepted(const COleDateTime& month) const
{
    if (!IsBound(month))
        return false;
    const COleDateTime first = FirstGridDate(month, m_firstDayOfWeek);
    const COleDateTime last = first + COleDateTimeSpan(kGridCells - 1);
    return (!IsBound(m_latest) || first <= m_latest) &&
           (!IsBound(m_earliest) || last >= m_earliest);
}

bool COXCalendarPopup::StepArrow(Arrow arrow)
{
    const COleDateTime month = StepMonth(arrow == kLeftArrow ? -1 : 1);
    if (!IsStepAccepted(month))
        return false;
    m_shownMonth = month;
    InvalidateGrid();
    return true;
}

void COXCalendarPopup::PressArrow(Arrow arrow)
{
    if (!StepArrow(arrow))
    {
        Invalidate(); // refused: repainted as it was
        return;
    }
    m_heldArrow = arrow;
    SetTimer(kArrowTimerId, kArrowTimerMs);
}

void COXCalendarPopup::Select(const COleDateTime& date)
{
    m_candidate = date;
    if (date == m_selected)
        return;
    InvalidateDay(m_selected);
    m_selected = date;
    InvalidateDay(m_selected);
}

void COXCalendarPopup::InvalidateDay(const COleDateTime& date)
{
    if (!IsBound(date))
        return;
    const double cell = (date - GetFirstGridDate()).GetTotalDays();
    if (cell < 0 || cell >= kGridCells)
        return;
    CRect rect = GetDayRect(static_cast<int>(cell));
    rect.OffsetRect(1, 0);
    ::InvalidateRect(m_hWnd, &rect, TRUE);
}

void COXCalendarPopup::InvalidateGrid()
{
    RECT band = {};
    ::GetClientRect(m_hWnd, &band);
    band.bottom = m_grid.bottom; // the caption, day names and days
    ::InvalidateRect(m_hWnd, &band, TRUE);
}

void COXCalendarPopup::OnLButtonDown(UINT, CPoint point)
{
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    if (!::PtInRect(&client, point))
    {
        PostMessage(kEndTrack, 0);
        return;
    }
    COleDateTime day;
    if (DateFromPoint(point, day))
    {
        m_mode = kDayPressed;
        Select(day);
    }
    else if (GetTodayButtonRect().PtInRect(point) && ::IsWindowEnabled(m_todayButton))
    {
        m_mode = kTodayPressed;
        m_candidate = m_today;
        m_todayButton.SendMessage(BM_SETSTATE, TRUE);
    }
    else if (GetNoneButtonRect().PtInRect(point))
    {
        m_mode = kNonePressed;
        m_candidate = NullDate();
        m_noneButton.SendMessage(BM_SETSTATE, TRUE);
    }
    else if (m_leftArrow.PtInRect(point))
    {
        PressArrow(kLeftArrow);
    }
    else if (m_rightArrow.PtInRect(point))
    {
        PressArrow(kRightArrow);
    }
}

void COXCalendarPopup::OnLButtonUp(UINT, CPoint point)
{
    KillTimer(kArrowTimerId);
    m_heldArrow = kNoArrow;
    COleDateTime day;
    switch (m_mode)
    {
    case kTodayPressed:
        m_todayButton.SendMessage(BM_SETSTATE, FALSE);
        if (GetTodayButtonRect().PtInRect(point))
        {
            m_candidate = m_today;
            PostMessage(kEndTrack, 1);
        }
        break;
    case kNonePressed:
        m_noneButton.SendMessage(BM_SETSTATE, FALSE);
        if (GetNoneButtonRect().PtInRect(point))
        {
            m_candidate = NullDate();
            PostMessage(kEndTrack, 1);
        }
        break;
    case kDayPressed:
        if (DateFromPoint(point, day))
        {
            m_candidate = day;
            PostMessage(kEndTrack, 1);
        }
        break;
    case kNone: break;
    }
    m_mode = kNone;
}

void COXCalendarPopup::OnMouseMove(UINT, CPoint point)
{
    const CRect& held = m_heldArrow == kLeftArrow ? m_leftArrow : m_rightArrow;
    if (m_heldArrow != kNoArrow && !held.PtInRect(point))
    {
        KillTimer(kArrowTimerId);
        m_heldArrow = kNoArrow;
    }
    COleDateTime day;
    switch (m_mode)
    {
    case kTodayPressed:
        m_todayButton.SendMessage(BM_SETSTATE, GetTodayButtonRect().PtInRect(point));
        break;
    case kNonePressed:
        m_noneButton.SendMessage(BM_SETSTATE, GetNoneButtonRect().PtInRect(point));
        break;
    case kDayPressed:
        if (DateFromPoint(point, day))
            Select(day);
        break;
    case kNone: break;
    }
}

void COXCalendarPopup::OnTimer(UINT_PTR id)
{
    if (id != kArrowTimerId || m_heldArrow == kNoArrow)
        return;
    if (!StepArrow(m_heldArrow))
        KillTimer(kArrowTimerId);
}

LRESULT COXCalendarPopup::OnSettingChange(WPARAM, LPARAM)
{
    COXCalendarNames::Refill();
    Invalidate();
    return 0;
}

void COXCalendarPopup::OnPaint()
{
    CPaintDC dc(this);
    if (::RectVisible(dc, &m_leftArrow))
        ::DrawFrameControl(dc, &m_leftArrow, DFC_SCROLL, DFCS_SCROLLLEFT);
    if (::RectVisible(dc, &m_rightArrow))
        ::DrawFrameControl(dc, &m_rightArrow, DFC_SCROLL, DFCS_SCROLLRIGHT);
    if (IsBound(m_shownMonth))
    {
        const int month = m_shownMonth.GetMonth();
        CString caption = COXCalendarNames::MonthNames()[month - 1];
        caption += m_shownMonth.Format(" %Y");
        char current[64] = {};
        ::GetWindowTextA(m_captionButton, current, sizeof current);
        if (caption != current)
            ::SetWindowTextA(m_captionButton, caption);
    }
    const HGDIOBJ font =
        m_font.GetSafeHandle() ? m_font.GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT);
    const HGDIOBJ oldFont = ::SelectObject(dc, font);
    dc.SetBkMode(TRANSPARENT);
    PaintDayNames(dc);
    PaintDays(dc);
    ::SelectObject(dc, oldFont);
}

void COXCalendarPopup::PaintDayNames(CDC& dc)
{
    const CStringArray& names = COXCalendarNames::DayNames();
    dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    for (int column = 0; column < 7; ++column)
    {
        RECT cell = {m_grid.left + column * m_cellWidth, m_cellHeight,
                     m_grid.left + (column + 1) * m_cellWidth, 2 * m_cellHeight};
        if (!::RectVisible(dc, &cell))
            continue;
        const CString& name = names[(m_firstDayOfWeek + column) % 7];
        ::DrawTextA(dc, name, name.GetLength(), &cell,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    // Separators under the day names and above the buttons.
    const HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    dc.MoveTo(m_grid.left, m_grid.top - 1);
    dc.LineTo(m_grid.right, m_grid.top - 1);
    const int buttonsTop = m_grid.bottom + m_cellHeight / 2;
    dc.MoveTo(m_grid.left, (m_grid.bottom + buttonsTop) / 2);
    dc.LineTo(m_grid.right, (m_grid.bottom + buttonsTop) / 2);
    ::SelectObject(dc, oldPen);
}

void COXCalendarPopup::PaintDays(CDC& dc)
{
    const CalendarColors& colors = Colors();
    const COleDateTime first = GetFirstGridDate();
    if (!IsBound(first))
        return;
    const int month = m_shownMonth.GetMonth();
    const bool showToday = IsInRange(m_today);
    for (int cell = 0; cell < kGridCells; ++cell)
    {
        CRect rect = GetDayRect(cell);
        if (!::RectVisible(dc, &rect))
            continue;
        const COleDateTime date = first + COleDateTimeSpan(cell);
        if (!IsBound(date))
            continue;
        COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
        if (date.GetMonth() != month)
            text = colors.shadow;
        else if (!IsInRange(date))
            text = ::GetSysColor(COLOR_GRAYTEXT);
        if (date == m_selected)
        {
            dc.FillSolidRect(rect.left, rect.top, rect.Width(), rect.Height(), colors.highlight);
            text = colors.highlightText;
        }
        dc.SetTextColor(text);
        CString number;
        number.Format("%d", date.GetDay());
        ::DrawTextA(dc, number, number.GetLength(), &rect,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (showToday && date == m_today)
        {
            CPen frame(PS_SOLID, 1, kTodayFrame);
            CPen* oldPen = dc.SelectObject(&frame);
            const HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(HOLLOW_BRUSH));
            dc.Rectangle(rect.left, rect.top, rect.right, rect.bottom);
            ::SelectObject(dc, oldBrush);
            dc.SelectObject(oldPen);
        }
    }
}
