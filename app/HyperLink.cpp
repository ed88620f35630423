// The hyperlink control.
#include "app/HyperLink.h"

#include "platform/sys/services.h"
#include "platform/win/app.h"
#include "platform/win/crackers.h"
#include "platform/win/dc.h"

#include <windows.h>

#include <shellapi.h>

FW_TABLE(CHyperLink, CStatic, fw::reflect<WM_CTLCOLOR, &CHyperLink::OnCtlColorReflect>(),
         fw::reflect_control<STN_CLICKED, &CHyperLink::OnClicked>(),
         fw::on<WM_MOUSEMOVE, &CHyperLink::OnMouseMove>(), fw::on<WM_TIMER, &CHyperLink::OnTimer>(),
         fw::on<WM_SETCURSOR, &CHyperLink::OnSetCursor>(),
         fw::on<WM_ERASEBKGND, &CHyperLink::OnEraseBkgnd>())

namespace
{
constexpr int kToolId = 1;

// The default value of a key under HKEY_CLASSES_ROOT; false when it cannot be read.
bool ReadClassValue(const CString& subKey, CString* value)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    char data[MAX_PATH + 1] = {};
    LONG size = MAX_PATH;
    const LONG result = ::RegQueryValueA(key, nullptr, data, &size);
    ::RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return false;
    *value = data;
    return true;
}

const char* ReasonText(int code)
{
    switch (code)
    {
    case 0: return "The operating system is out\nof memory or resources.";
    case ERROR_FILE_NOT_FOUND: return "The specified file was not found.";
    case ERROR_PATH_NOT_FOUND: return "The specified path was not found.";
    case ERROR_ACCESS_DENIED: return "The operating system denied\naccess to the specified file.";
    case 8: return "There was not enough memory to complete the operation.";
    case ERROR_BAD_FORMAT:
        return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case SE_ERR_SHARE: return "A sharing violation occurred. ";
    case SE_ERR_ASSOCINCOMPLETE: return "The filename association is\nincomplete or invalid.";
    case SE_ERR_DDETIMEOUT:
        return "The DDE transaction could not\nbe completed because the request timed out.";
    case SE_ERR_DDEFAIL: return "The DDE transaction failed.";
    case SE_ERR_DDEBUSY:
        return "The DDE transaction could not\nbe completed because other DDE transactions\n"
               "were being processed.";
    case SE_ERR_NOASSOC:
        return "There is no application associated\nwith the given filename extension.";
    case SE_ERR_DLLNOTFOUND: return "The specified dynamic-link library was not found.";
    default: return nullptr;
    }
}
} // namespace

CHyperLink::~CHyperLink()
{
    if (m_linkCursor != nullptr)
        ::DestroyCursor(m_linkCursor);
    m_underlineFont.DeleteObject();
    m_normalFont.DeleteObject();
}

void CHyperLink::SetURL(const CString& url)
{
    m_url = url;
    if (m_hWnd == nullptr)
        return;
    PositionWindow();
    if (m_toolTip.m_hWnd != nullptr)
        m_toolTip.UpdateTipText(m_url, this, kToolId);
}

void CHyperLink::SetLinkCursor(HCURSOR cursor)
{
    if (m_linkCursor != nullptr)
        ::DestroyCursor(m_linkCursor);
    m_linkCursor = cursor != nullptr ? static_cast<HCURSOR>(::CopyIcon(cursor)) : nullptr;
    if (m_linkCursor == nullptr)
        SetDefaultCursor();
}

void CHyperLink::SetVisited(BOOL visited)
{
    m_visited = visited;
    if (m_hWnd != nullptr)
        Invalidate();
}

void CHyperLink::SetUnderlineMode(int mode)
{
    if (mode != m_underlineMode && m_hWnd != nullptr)
    {
        SetFont(mode == kUnderlineAlways ? m_underlineFont : m_normalFont);
        Invalidate();
    }
    m_underlineMode = mode;
}

void CHyperLink::SetFitToText(BOOL fit)
{
    m_fitToText = fit;
    if (m_hWnd != nullptr)
        PositionWindow();
}

HINSTANCE CHyperLink::GotoURL(const char* url, int showCommand)
{
    const HINSTANCE shell =
        sys::Get().ShellExecute(nullptr, "open", url, nullptr, nullptr, showCommand);
    if (reinterpret_cast<INT_PTR>(shell) > HINSTANCE_ERROR)
        return shell;
    CString handler;
    CString command;
    if (!ReadClassValue(".htm", &handler) ||
        !ReadClassValue(handler + "\\shell\\open\\command", &command))
        return shell;
    const CString line = BuildHandlerCommand(command, url);
    return reinterpret_cast<HINSTANCE>(
        static_cast<INT_PTR>(::WinExec(line, static_cast<UINT>(showCommand))));
}

CString CHyperLink::FailureMessage(int code)
{
    CString reason;
    if (const char* text = ReasonText(code))
        reason = text;
    else
        reason.Format("Unknown Error (%d) occurred.", code);
    return "Unable to open hyperlink:\n\n" + reason;
}

CString CHyperLink::BuildHandlerCommand(const CString& command, const CString& url)
{
    CString line = command;
    int cut = line.Find("\"%1\"");
    if (cut < 0)
        cut = line.Find("%1");
    if (cut >= 0)
        line = line.Left(cut);
    return line + " " + url;
}

BOOL CHyperLink::PreTranslateMessage(MSG* msg)
{
    if (m_toolTip.m_hWnd != nullptr)
        m_toolTip.RelayEvent(msg);
    return CStatic::PreTranslateMessage(msg);
}

BOOL CHyperLink::DestroyWindow()
{
    if (m_hWnd != nullptr)
        KillTimer(kHoverTimerId);
    return CStatic::DestroyWindow();
}

void CHyperLink::PreSubclassWindow()
{
    ModifyStyle(0, SS_NOTIFY);
    CString text;
    GetWindowText(text);
    if (m_url.IsEmpty())
        m_url = text;
    if (text.IsEmpty())
        SetWindowText(m_url);

    HFONT font = GetFont();
    if (font == nullptr)
        font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (font == nullptr)
        font = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    LOGFONTA logFont = {};
    ::GetObjectA(font, sizeof logFont, &logFont);
    m_normalFont.CreateFontIndirect(&logFont);
    logFont.lfUnderline = TRUE;
    m_underlineFont.CreateFontIndirect(&logFont);

    PositionWindow();
    if (m_linkCursor == nullptr)
        SetDefaultCursor();
    SetUnderlineMode(kUnderlineHover);

    CRect client;
    GetClientRect(&client);
    m_toolTip.Create(this);
    m_toolTip.AddTool(this, m_url, &client, kToolId);
    CStatic::PreSubclassWindow();
}

HBRUSH CHyperLink::OnCtlColorReflect(CDC* dc, UINT)
{
    dc->SetTextColor(m_over ? m_hoverColour : m_visited ? m_visitedColour : m_linkColour);
    dc->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CHyperLink::OnClicked()
{
    m_over = FALSE;
    const INT_PTR code = reinterpret_cast<INT_PTR>(GotoURL(m_url, SW_SHOW));
    if (code > HINSTANCE_ERROR)
    {
        SetVisited(TRUE);
        return;
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    ReportError(static_cast<int>(code));
}

void CHyperLink::OnMouseMove(UINT, CPoint)
{
    if (!m_over)
    {
        m_over = TRUE;
        if (m_underlineMode == kUnderlineHover)
            SetFont(m_underlineFont);
        Invalidate();
        SetTimer(kHoverTimerId, kHoverPeriodMs);
    }
    Default();
}

void CHyperLink::OnTimer(UINT_PTR)
{
    const MSG* msg = fw::CurrentMessage();
    POINT point = msg != nullptr ? msg->pt : POINT{};
    ScreenToClient(&point);
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point))
    {
        m_over = FALSE;
        KillTimer(kHoverTimerId);
        if (m_underlineMode != kUnderlineAlways)
            SetFont(m_normalFont);
        client.bottom += 10;
        InvalidateRect(&client);
    }
    Default();
}

BOOL CHyperLink::OnSetCursor(CWnd*, UINT, UINT)
{
    if (m_linkCursor == nullptr)
        return FALSE;
    ::SetCursor(m_linkCursor);
    return TRUE;
}

BOOL CHyperLink::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(client.left, client.top, client.Width(), client.Height(),
                      ::GetSysColor(COLOR_3DFACE));
    return TRUE;
}

void CHyperLink::PositionWindow()
{
    if (m_hWnd == nullptr || !m_fitToText)
        return;
    CRect window;
    GetWindowRect(&window);
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    if (CWnd* parent = GetParent())
    {
        parent->ScreenToClient(&window);
        parent->ScreenToClient(&client);
    }
    const int borderWidth = window.Width() - client.Width();
    const int borderHeight = window.Height() - client.Height();

    CString text;
    GetWindowText(text);
    CDC* dc = GetDC();
    CFont* previous = dc->SelectObject(&m_underlineFont);
    const CSize extent = dc->GetTextExtent(text, text.GetLength());
    dc->SelectObject(previous);
    ReleaseDC(dc);
    const int width = extent.cx + borderWidth;
    const int height = extent.cy + borderHeight;

    const DWORD style = GetStyle();
    if (style & SS_CENTERIMAGE)
    {
        const int shrink = (window.Height() - height) / 2;
        window.top += shrink;
        window.bottom -= shrink;
    }
    else
    {
        window.bottom = window.top + height;
    }
    // SS_CENTER and SS_RIGHT are values of the alignment field, not separate bits.
    const DWORD alignment = style & SS_TYPEMASK;
    if (alignment == SS_CENTER)
    {
        const int shrink = (window.Width() - width) / 2;
        window.left += shrink;
        window.right -= shrink;
    }
    else if (alignment == SS_RIGHT)
    {
        window.left = window.right - width;
    }
    else
    {
        window.right = window.left + width;
    }
    SetWindowPos(nullptr, window.left, window.top, window.Width(), window.Height(), SWP_NOZORDER);
}

void CHyperLink::ReportError(int code)
{
    AfxMessageBox(FailureMessage(code), MB_ICONEXCLAMATION | MB_OK);
}

void CHyperLink::SetDefaultCursor()
{
    // The system's own hand cursor stands in for the one an old help viewer carried.
    if (const HCURSOR hand = ::LoadCursorA(nullptr, IDC_HAND))
        m_linkCursor = static_cast<HCURSOR>(::CopyIcon(hand));
}
