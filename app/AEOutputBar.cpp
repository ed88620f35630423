// The output bar: its tab container and history, made with the bar.
#include "app/AEOutputBar.h"

#include "core/services/AppEnvironment.h"
#include "platform/win/gdiobj.h"

FW_TABLE(CAEOutputBar, COXSizeControlBar, fw::on<WM_CREATE, &CAEOutputBar::OnCreate>())

namespace
{
// Context menu with the float-as-MDI-child command, solid caption.
constexpr DWORD kOutputBarStyle = 0x0214;
// WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP.
constexpr DWORD kOutputWindowStyle = 0x52008200;
constexpr int kHistoryIndent = 4;
constexpr char kLogFileName[] = "FileLog";
constexpr char kPageTitle[] = "Message Window";
// "ＭＳ ゴシック" in the Japanese code page.
constexpr char kJapaneseFace[] = "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e";
constexpr char kEnglishFace[] = "Tahoma";
} // namespace

CAEOutputBar::CAEOutputBar()
    : COXSizeControlBar(kOutputBarStyle)
{
}

BOOL CAEOutputBar::Create(CWnd* parent, const char* title, UINT id)
{
    const char* className = fw::RegisterWndClass(CS_DBLCLKS);
    return COXSizeControlBar::Create(className, title, kOutputWindowStyle, CFrameWnd::rectDefault,
                                     parent, id);
}

int CAEOutputBar::OnCreate(LPCREATESTRUCTA cs)
{
    if (COXSizeControlBar::OnCreate(cs) == -1)
        return -1;
    CRect client;
    GetClientRect(&client);
    if (!m_container.Create(this, client, WS_CHILD | WS_VISIBLE, kContainerId))
        return -1;
    if (!m_history.Create(nullptr, nullptr, WS_CHILD, CRect(), &m_container, kHistoryId))
        return -1;
    SetHistoryFont();
    m_history.SetTextIndent(kHistoryIndent);
    m_history.SetLogFileName(kLogFileName);
    m_history.EnableLogFile(TRUE); // a file that cannot open leaves the history on screen
    m_container.InsertPage(0, &m_history, kPageTitle);
    m_container.SetActivePageIndex(0);
    return 0;
}

void CAEOutputBar::SetHistoryFont()
{
    // Charset 144 names no character set: the face decides.
    LOGFONTA logFont = {};
    logFont.lfHeight = -13;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = 144;
    logFont.lfOutPrecision = OUT_STROKE_PRECIS;
    logFont.lfClipPrecision = CLIP_STROKE_PRECIS;
    logFont.lfQuality = DRAFT_QUALITY;
    logFont.lfPitchAndFamily = 100;
    const bool japanese = GetLanguageSetting() == kLanguageJapanese;
    lstrcpynA(logFont.lfFaceName, japanese ? kJapaneseFace : kEnglishFace, LF_FACESIZE);
    CFont font;
    if (font.CreateFontIndirect(&logFont))
        m_history.SetFont(&font, TRUE); // the history keeps its own copy
}

void CAEOutputBar::OnBarResized(int cx, int cy, BOOL floating, int flags)
{
    COXSizeControlBar::OnBarResized(cx, cy, floating, flags);
    if (!::IsWindow(m_container.m_hWnd))
        return;
    CRect client;
    GetClientRect(&client);
    m_container.MoveWindow(&client);
    m_container.RedrawWindow();
}
