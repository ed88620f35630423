// COXHistoryCtrl: the line store with its limit and longest line, painting, and the log file.
#include "framework/OXHistoryCtrl.h"

#include "platform/ole/datetime.h"
#include "platform/win/dc.h"

#include <windows.h>

#include <algorithm>
#include <string>

// Holds the control's critical section for one scope.
class COXHistoryCtrl::CLock
{
public:
    explicit CLock(CRITICAL_SECTION& section)
        : m_section(section)
    {
        ::EnterCriticalSection(&m_section);
    }
    ~CLock() { ::LeaveCriticalSection(&m_section); }
    CLock(const CLock&) = delete;
    CLock& operator=(const CLock&) = delete;

private:
    CRITICAL_SECTION& m_section;
};

FW_TABLE(COXHistoryCtrl, COXScrollWnd, fw::on<WM_PAINT, &COXHistoryCtrl::OnPaint>(),
         fw::on<WM_ERASEBKGND, &COXHistoryCtrl::OnEraseBkgnd>())

COXHistoryCtrl::COXHistoryCtrl()
    : m_clrText(::GetSysColor(COLOR_WINDOWTEXT))
    , m_clrBack(::GetSysColor(COLOR_WINDOW))
    , m_clrEmpty(::GetSysColor(COLOR_WINDOW))
    , m_lines(10)
{
    ::InitializeCriticalSection(&m_lock);
}

COXHistoryCtrl::~COXHistoryCtrl()
{
    CloseLogFile();
    DeleteLines();
    ::DeleteCriticalSection(&m_lock);
}

BOOL COXHistoryCtrl::Initialize()
{
    SetScrollSizes(MM_TEXT, CSize(0, 0), CSize(0, 0), CSize(0, 0));
    LOGFONT logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfPitchAndFamily = FIXED_PITCH;
    CFont initial;
    initial.CreateFontIndirect(&logFont);
    SetFont(&initial, FALSE);
    return TRUE;
}

BOOL COXHistoryCtrl::PrepareContextMenu(CMenu*, CPoint&)
{
    return FALSE; // no zoom menu on the history
}

BOOL COXHistoryCtrl::AddLine(CString text, BOOL log)
{
    const CLock lock(m_lock);
    const bool isLost = log && m_bLog && !WriteLog(text, TRUE);
    m_lines.AddTail(new CHistoryLine{text, m_clrText, m_clrBack, m_nIndent, m_nDrawFlags});
    // Without a recount, dropping the oldest line leaves the sizes as they were.
    bool sizesChanged = true;
    if (m_lines.GetCount() > m_nMaxLines)
        sizesChanged = RemoveHeadLine();
    if (text.GetLength() > m_nLongestLine)
    {
        m_nLongestLine = text.GetLength();
        sizesChanged = true;
    }
    if (sizesChanged)
        UpdateScrollSizes();
    ScrollToEnd();
    RedrawNow();
    if (isLost)
        OnLogNotWritten();
    return TRUE;
}

BOOL COXHistoryCtrl::AddTimeStampedLine(CString text, BOOL log)
{
    return AddLine(GetTimeStamp() + " " + text, log);
}

BOOL COXHistoryCtrl::AppendToLastLine(CString text, BOOL log)
{
    const CLock lock(m_lock);
    if (m_lines.IsEmpty())
        return FALSE;
    const bool isLost = log && m_bLog && !WriteLog(text, FALSE);
    CHistoryLine* last = m_lines.GetTail();
    last->m_text += text;
    if (last->m_text.GetLength() > m_nLongestLine)
    {
        m_nLongestLine = last->m_text.GetLength();
        UpdateScrollSizes();
    }
    ScrollToEnd();
    RedrawNow();
    if (isLost)
        OnLogNotWritten();
    return TRUE;
}

BOOL COXHistoryCtrl::ClearHistory()
{
    const CLock lock(m_lock);
    DeleteLines();
    m_nLongestLine = 0;
    UpdateScrollSizes();
    RedrawNow();
    return TRUE;
}

void COXHistoryCtrl::SetMaxLines(int count)
{
    if (count < 0)
        return;
    if (count < m_nMaxLines)
    {
        while (m_lines.GetCount() > count)
            RemoveHeadLine();
        m_nMaxLines = count;
        UpdateScrollSizes();
        return;
    }
    m_nMaxLines = count;
}

CString COXHistoryCtrl::GetLineText(int index) const
{
    const POSITION position = index >= 0 ? m_lines.FindIndex(index) : nullptr;
    return position ? m_lines.GetAt(position)->m_text : CString();
}

int COXHistoryCtrl::GetVisibleLineCount() const
{
    if (!m_hWnd || m_sizeChar.cy <= 0)
        return 0;
    CRect client;
    GetClientRect(&client);
    return std::min<int>(GetLineCount(), client.Height() / m_sizeChar.cy);
}

bool COXHistoryCtrl::RemoveHeadLine()
{
    CHistoryLine* head = m_lines.RemoveHead();
    const bool wasLongest = head->m_text.GetLength() == m_nLongestLine;
    delete head;
    if (wasLongest)
        RecountLongestLine();
    return wasLongest;
}

void COXHistoryCtrl::RecountLongestLine()
{
    m_nLongestLine = 0;
    for (POSITION position = m_lines.GetHeadPosition(); position;)
        m_nLongestLine = std::max(m_nLongestLine, m_lines.GetNext(position)->m_text.GetLength());
}

void COXHistoryCtrl::DeleteLines()
{
    while (!m_lines.IsEmpty())
        delete m_lines.RemoveHead();
}

BOOL COXHistoryCtrl::SetFont(CFont* font, BOOL redraw)
{
    LOGFONT logFont = {};
    if (!font || !font->GetLogFont(&logFont))
        return FALSE;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&logFont);
    const HDC screen = ::GetDC(nullptr);
    const HGDIOBJ oldFont = ::SelectObject(screen, m_font.GetSafeHandle());
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(screen, "X", 1, &size);
    ::SelectObject(screen, oldFont);
    ::ReleaseDC(nullptr, screen);
    m_sizeChar = size;
    UpdateScrollSizes();
    if (!redraw || !m_hWnd)
        return FALSE;
    return RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// The last line ends at the bottom edge when scrolled to the end: the total height takes
// the client height's remainder in lines.
void COXHistoryCtrl::UpdateScrollSizes()
{
    const int width = std::max<int>(m_sizeChar.cx, 1);
    const int height = std::max<int>(m_sizeChar.cy, 1);
    CRect client;
    if (m_hWnd)
        GetClientRect(&client);
    const CSize total(m_nLongestLine * width, client.Height() % height + GetLineCount() * height);
    CSize page(width, height);
    if (client.Width() > width)
        page.cx = client.Width() / width * width;
    if (client.Height() > height)
        page.cy = client.Height() / height * height;
    SetScrollSizes(MM_TEXT, total, page, CSize(width, height));
}

void COXHistoryCtrl::ScrollToEnd()
{
    if (!m_hWnd)
        return;
    const CPoint current = GetScrollPosition();
    ScrollToPosition(CPoint(current.x, GetLineCount() * m_sizeChar.cy));
}

void COXHistoryCtrl::RedrawNow()
{
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL COXHistoryCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE; // painting covers the whole client area
}

void COXHistoryCtrl::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    const int saved = dc.SaveDC();
    if (m_font.GetSafeHandle())
        dc.SelectObject(&m_font);
    DrawLines(dc);
    dc.RestoreDC(saved);
}

void COXHistoryCtrl::DrawLines(CDC& dc)
{
    CRect area;
    GetClientRect(&area);
    const CSize total = GetTotalSize();
    area.right = std::max<int>(area.right, area.left + total.cx);
    area.bottom = std::max<int>(area.bottom, area.top + total.cy);
    const int height = std::max<int>(m_sizeChar.cy, 1);
    // Rows outside the area being painted are skipped: the pixels are the same.
    CRect clip;
    ::GetClipBox(dc, &clip);
    int y = 0;
    for (POSITION position = m_lines.GetHeadPosition(); position; y += height)
    {
        const CHistoryLine* line = m_lines.GetNext(position);
        if (y + height <= clip.top || y >= clip.bottom)
            continue;
        dc.SetTextColor(line->m_textColor);
        dc.SetBkMode(TRANSPARENT);
        CRect row(area.left, y, area.right, y + height);
        dc.FillSolidRect(row.left, row.top, row.Width(), row.Height(), line->m_backColor);
        row.left += line->m_indent;
        ::DrawTextA(dc, line->m_text, line->m_text.GetLength(), &row,
                    line->m_drawFlags | DT_SINGLELINE | DT_VCENTER);
    }
    if (y < area.bottom)
        dc.FillSolidRect(area.left, y, area.Width(), area.bottom - y, m_clrEmpty);
}

BOOL COXHistoryCtrl::EnableLogFile(BOOL enable)
{
    m_bLog = enable;
    return enable ? OpenLogFile() : CloseLogFile();
}

CString COXHistoryCtrl::DatedLogName()
{
    SYSTEMTIME today;
    ::GetLocalTime(&today);
    CString name;
    name.Format("%2.2d%2.2d%4.4d", today.wDay, today.wMonth, today.wYear);
    // The extension is taken from the file name, not from a folder such as "..\".
    const int folderEnd =
        std::max(m_strLogFileName.ReverseFind('\\'), m_strLogFileName.ReverseFind('/'));
    const int dot = m_strLogFileName.Find('.', folderEnd + 1);
    if (dot >= 0)
        name += m_strLogFileName.Mid(dot);
    return name;
}

CString COXHistoryCtrl::GetLogFileName()
{
    m_strCurrentLogName = DatedLogName();
    return m_strCurrentLogName;
}

BOOL COXHistoryCtrl::OpenLogFile()
{
    CloseLogFile();
    CString name = m_strLogFileName;
    if (m_bDatedLog)
    {
        SYSTEMTIME today;
        ::GetLocalTime(&today);
        m_nLogDay = today.wDay;
        m_nLogMonth = today.wMonth;
        m_nLogYear = today.wYear;
        name = GetLogFileName();
    }
    if (name.IsEmpty())
        return FALSE;
    // Other running copies of the program append to the same log.
    UINT flags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyNone;
    if (!m_bTruncate)
        flags |= CFile::modeNoTruncate;
    if (!m_logFile.Open(name, flags))
        return FALSE;
    try
    {
        m_logFile.SeekToEnd();
    }
    catch (CFileException* e)
    {
        e->Delete();
        m_logFile.Abort();
        return FALSE;
    }
    return TRUE;
}

BOOL COXHistoryCtrl::CloseLogFile()
{
    if (!m_logFile.IsOpen())
        return TRUE;
    try
    {
        m_logFile.Close();
    }
    catch (CFileException* e)
    {
        e->Delete();
        m_logFile.Abort();
    }
    return TRUE;
}

bool COXHistoryCtrl::WriteLog(const CString& text, BOOL newLine)
{
    bool justOpened = false;
    if (m_bDatedLog)
    {
        SYSTEMTIME today;
        ::GetLocalTime(&today);
        const bool dateChanged =
            today.wDay != m_nLogDay || today.wMonth != m_nLogMonth || today.wYear != m_nLogYear;
        if (dateChanged || !m_logFile.IsOpen())
        {
            OpenLogFile();
            justOpened = true;
        }
    }
    else if (!m_logFile.IsOpen())
    {
        OpenLogFile();
        justOpened = true;
    }
    if (!m_logFile.IsOpen())
        return false; // the line still shows; the next one tries again
    try
    {
        // Another copy of the program may have appended since the last line.
        const ULONGLONG end = m_logFile.SeekToEnd();
        // Lines are separated by CR LF ahead of each; a file just opened for appending gets
        // one too unless it is empty, so the first line after a restart starts its own line.
        const bool startsLine = newLine && (!justOpened || end > 0);
        const std::string bytes = (startsLine ? "\r\n" : "") + text.Str();
        m_logFile.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        return true;
    }
    catch (CFileException* e)
    {
        e->Delete();
        CloseLogFile();
        return false;
    }
}

CString COXHistoryCtrl::GetTimeStamp() const
{
    return COleDateTime::GetCurrentTime().Format(m_strTimeStampFormat);
}
