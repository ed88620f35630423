// Tool dialog base and checked text formats.
#include "dialogs/tools/ToolDlg.h"

#include "core/services/StringFile.h"
#include "platform/win/app.h"
#include "project/ProjectData.h"
#include "view/CAEView.h"
#include "view/CmdManager.h"
#include "view/CmdRecord.h"
#include "view/ViewMainFrame.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{
constexpr UINT kReleaseMessage = WM_APP + 0x136;
constexpr UINT kComeToFrontMessage = WM_APP + 0x137;

// The dialogs that go with their view, open or released but not yet deleted.
std::vector<CToolDlg*>& ViewDialogs()
{
    static std::vector<CToolDlg*> dialogs;
    return dialogs;
}

// The conversions of a printf format, one letter each: 'd' for an int, 'f' for a double; '?'
// for anything else ('*' widths, strings, pointers, %n).
std::string ConversionKinds(const char* text)
{
    std::string kinds;
    for (const char* p = text; *p != '\0'; ++p)
    {
        if (*p != '%')
            continue;
        ++p;
        if (*p == '%')
            continue;
        while (*p == '-' || *p == '+' || *p == ' ' || *p == '#' || *p == '0')
            ++p;
        while (*p >= '0' && *p <= '9')
            ++p;
        if (*p == '.')
        {
            ++p;
            while (*p >= '0' && *p <= '9')
                ++p;
        }
        const bool isLong = *p == 'l';
        if (isLong)
            ++p;
        switch (*p)
        {
        case 'd':
        case 'i': kinds += 'd'; break;
        case 'f':
        case 'F':
        case 'g':
        case 'G':
        case 'e':
        case 'E': kinds += 'f'; break;
        case '\0': return kinds + '?';
        default: kinds += '?'; break;
        }
    }
    return kinds;
}

// The top-left corner of the main window's view area (its MDI client, else its client area),
// kept on the monitor's work area.
void PlaceInViewArea(HWND dialog)
{
    CWnd* main = AfxGetMainWnd();
    const HWND owner = main != nullptr ? main->GetSafeHwnd() : nullptr;
    if (owner == nullptr || owner == dialog || !::IsWindowVisible(owner) || ::IsIconic(owner))
        return;
    const HWND client = ::FindWindowExA(owner, nullptr, "MDIClient", nullptr);
    POINT corner = {0, 0};
    ::ClientToScreen(client != nullptr ? client : owner, &corner);
    RECT self = {};
    ::GetWindowRect(dialog, &self);
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    int left = corner.x;
    int top = corner.y;
    if (left + width > area.right)
        left = area.right - width;
    if (left < area.left)
        left = area.left;
    if (top + height > area.bottom)
        top = area.bottom - height;
    if (top < area.top)
        top = area.top;
    ::SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
} // namespace

FW_TABLE(CToolDlg, CDialog, fw::raw<kReleaseMessage, &CToolDlg::OnReleaseMessage>(),
         fw::raw<kComeToFrontMessage, &CToolDlg::OnComeToFrontMessage>())

CToolDlg::CToolDlg(UINT templateId, int frameKey)
    : CDialog(templateId, nullptr)
    , m_nFrameKey(frameKey)
{
}

CToolDlg::~CToolDlg()
{
    auto& dialogs = ViewDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), this), dialogs.end());
}

void CToolDlg::CloseViewDialogs(int frameKey)
{
    // A copy: closing one may delete it (a dialog without a window goes at once).
    const std::vector<CToolDlg*> dialogs = ViewDialogs();
    for (CToolDlg* dialog : dialogs)
    {
        const auto& open = ViewDialogs();
        if (std::find(open.begin(), open.end(), dialog) == open.end())
            continue;
        if (dialog->m_nFrameKey == frameKey && !dialog->m_isReleased)
            dialog->OnViewClosed();
    }
}

void CToolDlg::GoWithView()
{
    auto& dialogs = ViewDialogs();
    if (std::find(dialogs.begin(), dialogs.end(), this) == dialogs.end())
        dialogs.push_back(this);
}

BOOL CToolDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    PlaceInViewArea(m_hWnd);
    return TRUE;
}

void CToolDlg::Release()
{
    if (m_hWnd == nullptr)
    {
        delete this;
        return;
    }
    m_isReleased = true;
    OnReleasing();
    ShowWindow(SW_HIDE);
    PostMessage(kReleaseMessage);
}

void CToolDlg::ShowInFront(int showCommand)
{
    ShowWindow(showCommand);
    ComeToFront();
    // A pick's click activates the main window as it is handled, and the activation can come
    // after the dialog showed (the first click into the program): once more after it.
    PostMessage(kComeToFrontMessage);
}

LRESULT CToolDlg::OnReleaseMessage(WPARAM, LPARAM)
{
    DestroyWindow();
    return 0;
}

LRESULT CToolDlg::OnComeToFrontMessage(WPARAM, LPARAM)
{
    if (!m_isReleased && IsWindowVisible())
        ComeToFront();
    return 0;
}

void CToolDlg::ComeToFront()
{
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(m_hWnd);
}

void CToolDlg::PostNcDestroy()
{
    // A window destroyed with its owner before the release leaves the object to its command.
    if (m_isReleased)
        delete this;
}

void CToolDlg::SendRecord(CCmdRecord& record) const
{
    CViewMainFrame* frame = GetViewMainFrame();
    CCmdManager* manager = frame ? frame->GetCmdManager() : nullptr;
    if (manager == nullptr)
        return;
    manager->m_nFrameKey = m_nFrameKey;
    manager->ExecuteCommand(&record);
}

void CToolDlg::SendCode(int code) const
{
    CCmdRecord record;
    record.nCode = code;
    SendRecord(record);
}

CCAEView* CToolDlg::FindView() const
{
    CViewMainFrame* frame = GetViewMainFrame();
    return frame ? frame->GetFrameView(m_nFrameKey) : nullptr;
}

void CToolDlg::InvalidateView() const
{
    if (CCAEView* view = FindView())
        view->InvalidateView();
}

CModelSet* CToolDlg::FindModel()
{
    CViewMainFrame* frame = GetViewMainFrame();
    CProjectData* project = frame ? frame->GetProject() : nullptr;
    return project ? &project->m_model : nullptr;
}

void CToolDlg::AddOutputLine(const CString& line)
{
    if (CViewMainFrame* frame = GetViewMainFrame())
        frame->AddOutputLine(line.GetString());
}

CString FormatTextInt(const CString& format, int value)
{
    CString text;
    if (ConversionKinds(format.GetString()) == "d")
        text.Format(format.GetString(), value);
    else
        text.Format("%s : %d", format.GetString(), value);
    return text;
}

CString FormatTextDouble(const CString& format, double value)
{
    CString text;
    if (ConversionKinds(format.GetString()) == "f")
        text.Format(format.GetString(), value);
    else
        text.Format("%s : %lf", format.GetString(), value);
    return text;
}

CString FormatTextDoubles(const CString& format, double first, double second)
{
    CString text;
    if (ConversionKinds(format.GetString()) == "ff")
        text.Format(format.GetString(), first, second);
    else
        text.Format("%s : %lf , %lf", format.GetString(), first, second);
    return text;
}

CString ToolText(const char* file, const char* section, const char* key)
{
    CString text;
    LoadStringFromFile(CString(file), CString(section), CString(key), &text);
    return text;
}
