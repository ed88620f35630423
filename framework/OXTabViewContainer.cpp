// COXTabViewContainer: creation, layout, pages and their ids, activation and the scroll bars
// that the active page borrows. Painting and the mouse are in OXTabViewContainer_draw.cpp.
#include "framework/OXTabViewContainer.h"

#include "framework/TabPages.h"
#include "platform/docview/frame.h"
#include "platform/win/app.h"
#include "platform/win/dc.h"

#include <windows.h>

#include <algorithm>

namespace
{
constexpr char kClassName[] = "TabViewContainer";
constexpr char kWidthEntry[] = "TabButtonsAreaWidth";

class CFlagGuard
{
public:
    explicit CFlagGuard(bool& flag)
        : m_flag(flag)
    {
        m_flag = true;
    }
    ~CFlagGuard() { m_flag = false; }
    CFlagGuard(const CFlagGuard&) = delete;
    CFlagGuard& operator=(const CFlagGuard&) = delete;

private:
    bool& m_flag;
};

// The page's own scroll information, read from its own bars (not through a borrowed one).
SCROLLINFO ReadOwnScrollInfo(HWND page, int bar)
{
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    if (!::GetScrollInfo(page, bar, &info))
        info = {sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    return info;
}

// With both bars a page's ranges include the corner: take it out, and keep the positions
// within the range.
void CorrectScrollInfo(SCROLLINFO& info, int bar, bool hasBothBars)
{
    if (hasBothBars)
        info.nMax -= bar == SB_HORZ ? ::GetSystemMetrics(SM_CXVSCROLL) : 1;
    const int limit = std::max(info.nMax - static_cast<int>(info.nPage), 0);
    info.nPos = std::min(info.nPos, limit);
    info.nTrackPos = std::min(info.nTrackPos, limit);
}

bool IsNeeded(const SCROLLINFO& info)
{
    return info.nMax != 0 && info.nPage != 0;
}

// A range worth copying into a disabled bar as well.
bool IsValidRange(const SCROLLINFO& info)
{
    return info.nMax >= 1 && info.nPage != 0 && info.nPos >= 1 && info.nPos <= info.nMax;
}

void SetVisibleStyle(HWND wnd, bool visible)
{
    const LONG_PTR style = ::GetWindowLongPtrA(wnd, GWL_STYLE);
    ::SetWindowLongPtrA(wnd, GWL_STYLE, visible ? (style | WS_VISIBLE) : (style & ~WS_VISIBLE));
}
} // namespace

COXTabViewContainer* GetParentTabViewContainer(const CWnd* wnd, BOOL onlyIfActive)
{
    if (!wnd || !::IsWindow(wnd->m_hWnd))
        return nullptr;
    const HWND parent = ::GetParent(wnd->m_hWnd);
    if (!parent || ::GetWindowLongPtrA(parent, GWLP_USERDATA) != kTabViewContainerMark)
        return nullptr;
    // The mark says what the parent is; its object must agree.
    auto* container = dynamic_cast<COXTabViewContainer*>(CWnd::FromHandlePermanent(parent));
    if (!container)
        return nullptr;
    if (onlyIfActive)
    {
        const CWnd* active = container->GetActivePage();
        if (!active || active->m_hWnd != wnd->m_hWnd)
            return nullptr;
    }
    return container;
}

FW_TABLE(COXTabViewContainer, CWnd, fw::on<WM_SIZE, &COXTabViewContainer::OnSize>(),
         fw::on<WM_PAINT, &COXTabViewContainer::OnPaint>(),
         fw::on<WM_MOUSEMOVE, &COXTabViewContainer::OnMouseMove>(),
         fw::on<WM_LBUTTONDOWN, &COXTabViewContainer::OnLButtonDown>(),
         fw::on<WM_LBUTTONUP, &COXTabViewContainer::OnLButtonUp>(),
         fw::on<WM_TIMER, &COXTabViewContainer::OnTimer>(),
         fw::on<WM_SETCURSOR, &COXTabViewContainer::OnSetCursor>(),
         fw::on<WM_ERASEBKGND, &COXTabViewContainer::OnEraseBkgnd>(),
         fw::on<WM_CANCELMODE, &COXTabViewContainer::OnCancelMode>(),
         fw::on<WM_DESTROY, &COXTabViewContainer::OnDestroy>(),
         fw::on<WM_HSCROLL, &COXTabViewContainer::OnHScroll>(),
         fw::on<WM_VSCROLL, &COXTabViewContainer::OnVScroll>(),
         fw::on<WM_SETTINGCHANGE, &COXTabViewContainer::OnSettingChange>())

COXTabViewContainer::COXTabViewContainer()
{
    CreateFonts();
}

COXTabViewContainer::~COXTabViewContainer()
{
    if (m_hWnd)
        DestroyWindow();
}

void COXTabViewContainer::CreateFonts()
{
    const HDC screen = ::GetDC(nullptr);
    LOGFONT logFont = {};
    logFont.lfHeight = -::MulDiv(8, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(logFont.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    m_tabFont.CreateFontIndirect(&logFont);
    logFont.lfWeight = FW_BOLD;
    m_boldTabFont.CreateFontIndirect(&logFont);
}

const char* COXTabViewContainer::RegisterContainerClass()
{
    WNDCLASSA windowClass = {};
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (!::GetClassInfoA(instance, kClassName, &windowClass))
    {
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = ::DefWindowProcA; // our creation hook subclasses it
        windowClass.hInstance = instance;
        windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kClassName;
        if (!::RegisterClassA(&windowClass))
            return nullptr;
    }
    return kClassName;
}

BOOL COXTabViewContainer::Create(CWnd* parent, const RECT& rect, DWORD style, UINT id)
{
    const char* className = RegisterContainerClass();
    if (!className || !parent)
        return FALSE;
    style = (style & ~(WS_BORDER | WS_HSCROLL | WS_VSCROLL)) | WS_CHILD;
    if (!CreateEx(WS_EX_CLIENTEDGE, className, nullptr, style, rect, parent, id))
        return FALSE;
    parent->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, kTabViewContainerMark);
    CalcLayout();
    return SetScrollStyle(0, TRUE);
}

BOOL COXTabViewContainer::Create(const char*, const char*, DWORD style, const RECT& rect,
                                 CWnd* parent, UINT id, CCreateContext*)
{
    return Create(parent, rect, style, id);
}

void COXTabViewContainer::CalcLayout()
{
    CRect client;
    GetClientRect(&client);
    const int barWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    const int stripTop = client.bottom - barHeight;
    for (int i = 0; i < 4; ++i)
    {
        m_rectScrollButtons[i] = CRect(client.left + i * barWidth, stripTop,
                                       client.left + (i + 1) * barWidth, client.bottom);
    }
    m_rectPage = CRect(client.left, client.top, client.right - barWidth, stripTop);
    const int buttonsRight = m_rectScrollButtons[3].right;
    const int tabWidth =
        std::max(0, std::min<int>(m_nTabButtonsAreaWidth,
                                  m_rectPage.right - buttonsRight - kMinSplitterRoom));
    m_rectTabArea = CRect(buttonsRight, stripTop, buttonsRight + tabWidth, client.bottom);
    m_rectSplitter =
        CRect(m_rectTabArea.right, stripTop, m_rectTabArea.right + kSplitterWidth, client.bottom);
    m_rectHorzBar = CRect(m_rectSplitter.right, stripTop,
                          std::max(m_rectSplitter.right, client.right - barWidth), client.bottom);
    m_rectVertBar = CRect(client.right - barWidth, client.top, client.right, m_rectPage.bottom);
    m_rectSizeBox = CRect(client.right - barWidth, stripTop, client.right, client.bottom);
}

const CRect& COXTabViewContainer::GetScrollButtonRect(int hitCode) const
{
    const int index = std::clamp(hitFirst - hitCode, 0, 3); // first -3 ... last -6
    return m_rectScrollButtons[index];
}

BOOL COXTabViewContainer::SetScrollStyle(DWORD style, BOOL force)
{
    style &= WS_HSCROLL | WS_VSCROLL;
    if (!force && style == m_dwScrollStyle)
        return TRUE;
    m_dwScrollStyle = style;
    if (m_horzBar.m_hWnd)
        m_horzBar.DestroyWindow();
    if (m_vertBar.m_hWnd)
        m_vertBar.DestroyWindow();
    const DWORD horzStyle =
        WS_CHILD | WS_VISIBLE | SBS_HORZ | ((style & WS_HSCROLL) ? 0 : WS_DISABLED);
    const DWORD vertStyle =
        WS_CHILD | WS_VISIBLE | SBS_VERT | ((style & WS_VSCROLL) ? 0 : WS_DISABLED);
    return m_horzBar.Create(horzStyle, m_rectHorzBar, this, kHorzBarId) &&
           m_vertBar.Create(vertStyle, m_rectVertBar, this, kVertBarId);
}

void COXTabViewContainer::RecalcTabButtons()
{
    m_tabRects.assign(m_pages.size(), CRect());
    if (!m_hWnd)
        return;
    CClientDC dc(this);
    CFont* oldFont = dc.SelectObject(&m_boldTabFont);
    const int height = m_rectTabArea.Height();
    int x = 0;
    for (size_t i = 0; i < m_pages.size(); ++i)
    {
        CRect measured(0, 0, 0, height);
        ::DrawTextA(dc, m_pages[i].m_strTitle, m_pages[i].m_strTitle.GetLength(), &measured,
                    DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
        m_tabRects[i] = CRect(x, 0, x + measured.Width() + 16, height);
        x = m_tabRects[i].right - 5; // neighbouring tabs overlap
    }
    dc.SelectObject(oldFont);
}

CRect COXTabViewContainer::GetTabRect(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_tabRects.size()))
        return CRect();
    CRect tab = m_tabRects[index];
    tab.OffsetRect(m_rectTabArea.left + m_nTabOffset, m_rectTabArea.top);
    return tab;
}

UINT COXTabViewContainer::GetUniqueId()
{
    return m_pageIds.Take();
}

BOOL COXTabViewContainer::InsertPage(int index, CWnd* page, const char* title)
{
    if (index < 0 || index > GetPageCount() || !page || !::IsWindow(page->m_hWnd))
        return FALSE;
    page->SetParent(this);
    COXTabViewPage record;
    record.m_pWnd = page;
    record.m_strTitle = title;
    if (record.m_strTitle.IsEmpty())
        page->GetWindowText(record.m_strTitle);
    if (record.m_strTitle.IsEmpty())
        record.m_strTitle.Format("%d", index);
    m_pages.insert(m_pages.begin() + index, record);
    // The active index follows the page that is shown, so that activation hides that one.
    if (m_nActivePage >= index)
        ++m_nActivePage;
    RecalcTabButtons();
    SetActivePageIndex(index);
    RedrawBottomStrip();
    return TRUE;
}

BOOL COXTabViewContainer::InsertPage(int index, const CRuntimeClass* pageClass,
                                     CCreateContext* context, const char* title)
{
    if (index < 0 || index > GetPageCount() || !pageClass || !m_hWnd)
        return FALSE;
    const UINT id = GetUniqueId();
    bool joinedView = false;
    CWnd* page =
        CreatePageFromClass(pageClass, context, GetActivePage(), this, m_rectPage, id, joinedView);
    if (!page)
    {
        m_pageIds.Free(id);
        return FALSE;
    }
    if (!InsertPage(index, page, title))
    {
        page->DestroyWindow();
        return FALSE;
    }
    if (joinedView)
        page->SendMessage(WM_INITIALUPDATE);
    return TRUE;
}

BOOL COXTabViewContainer::DeletePage(int index, BOOL destroy)
{
    if (index < 0 || index >= GetPageCount())
        return FALSE;
    if (index == m_nActivePage)
        SetActivePageIndex(index + 1 < GetPageCount() ? index + 1 : 0);
    CWnd* page = m_pages[index].m_pWnd;
    if (page && ::IsWindow(page->m_hWnd))
    {
        m_pageIds.Free(static_cast<UINT>(page->GetDlgCtrlID()));
        if (destroy)
            page->DestroyWindow();
    }
    m_pages.erase(m_pages.begin() + index);
    if (m_nActivePage >= index)
        --m_nActivePage;
    RecalcTabButtons();
    RedrawBottomStrip();
    return TRUE;
}

BOOL COXTabViewContainer::DeletePage(CWnd* page, BOOL destroy)
{
    int index = -1;
    return page && FindPage(page->m_hWnd, index) && DeletePage(index, destroy);
}

BOOL COXTabViewContainer::FindPage(HWND page, int& index) const
{
    for (size_t i = 0; i < m_pages.size(); ++i)
    {
        if (m_pages[i].m_pWnd && m_pages[i].m_pWnd->m_hWnd == page)
        {
            index = static_cast<int>(i);
            return TRUE;
        }
    }
    return FALSE;
}

CWnd* COXTabViewContainer::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[index].m_pWnd : nullptr;
}

CString COXTabViewContainer::GetPageTitle(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[index].m_strTitle : CString();
}

BOOL COXTabViewContainer::SetPageTitle(int index, const char* title)
{
    if (index < 0 || index >= GetPageCount())
        return FALSE;
    if (m_pages[index].m_strTitle == title)
        return TRUE;
    m_pages[index].m_strTitle = title;
    RecalcTabButtons();
    RedrawTabArea();
    return TRUE;
}

BOOL COXTabViewContainer::SetActivePageIndex(int index)
{
    if (index == m_nActivePage)
        return TRUE;
    CWnd* oldPage = GetActivePage();
    if (oldPage && ::IsWindow(oldPage->m_hWnd))
    {
        UpdateScrollInfo();
        oldPage->ShowWindow(SW_HIDE);
        // Give the page back the bars of its own that it had.
        const COXTabViewPage& old = m_pages[m_nActivePage];
        if (old.m_bHasHorzBar && old.m_bHasVertBar)
            ::ShowScrollBar(oldPage->m_hWnd, SB_BOTH, TRUE);
        else if (old.m_bHasVertBar)
            ::ShowScrollBar(oldPage->m_hWnd, SB_VERT, TRUE);
        else if (old.m_bHasHorzBar)
            ::ShowScrollBar(oldPage->m_hWnd, SB_HORZ, TRUE);
    }
    m_nActivePage = index;
    if (index < 0 || index >= GetPageCount())
    {
        m_nActivePage = -1;
        RedrawTabArea();
        return FALSE;
    }
    EnsureTabVisible(index, FALSE);
    COXTabViewPage& page = m_pages[index];
    CWnd* newPage = page.m_pWnd;
    if (newPage && ::IsWindow(newPage->m_hWnd))
    {
        TakeOverScrollBars(page);
        newPage->ShowWindow(SW_SHOW);
        SizeActivePage();
    }
    if (!ActivatePageView(this, newPage, oldPage) && newPage && ::IsWindow(newPage->m_hWnd))
        newPage->SetFocus();
    RedrawTabArea();
    return TRUE;
}

void COXTabViewContainer::SizeActivePage()
{
    CWnd* page = GetActivePage();
    if (!page || !::IsWindow(page->m_hWnd))
        return;
    CRect current;
    page->GetWindowRect(&current);
    ScreenToClient(&current);
    // The page learns its size even when it keeps it, so that it lays its bars out again.
    if (current == m_rectPage)
        page->SendMessage(WM_SIZE, SIZE_RESTORED,
                          MAKELPARAM(m_rectPage.Width(), m_rectPage.Height()));
    else
        page->MoveWindow(m_rectPage.left, m_rectPage.top, m_rectPage.Width(), m_rectPage.Height());
}

void COXTabViewContainer::TakeOverScrollBars(COXTabViewPage& page)
{
    const HWND wnd = page.m_pWnd->m_hWnd;
    const LONG_PTR style = ::GetWindowLongPtrA(wnd, GWL_STYLE);
    const bool hasBoth = (style & WS_HSCROLL) && (style & WS_VSCROLL);
    page.m_horzInfo = ReadOwnScrollInfo(wnd, SB_HORZ);
    page.m_vertInfo = ReadOwnScrollInfo(wnd, SB_VERT);
    CorrectScrollInfo(page.m_horzInfo, SB_HORZ, hasBoth);
    CorrectScrollInfo(page.m_vertInfo, SB_VERT, hasBoth);
    page.m_bHasHorzBar = IsNeeded(page.m_horzInfo);
    page.m_bHasVertBar = IsNeeded(page.m_vertInfo);
    SetScrollStyle((page.m_bHasHorzBar ? WS_HSCROLL : 0) | (page.m_bHasVertBar ? WS_VSCROLL : 0),
                   TRUE);
    ::ShowScrollBar(wnd, SB_BOTH, FALSE);
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    if (page.m_bHasHorzBar || IsValidRange(page.m_horzInfo))
        m_horzBar.SetScrollInfo(&page.m_horzInfo, TRUE);
    if (page.m_bHasVertBar || IsValidRange(page.m_vertInfo))
        m_vertBar.SetScrollInfo(&page.m_vertInfo, TRUE);
}

COXTabViewPage* COXTabViewContainer::PageToUpdate()
{
    if (m_isUpdatingState || m_isUpdatingInfo || m_nActivePage < 0)
        return nullptr;
    COXTabViewPage& page = m_pages[m_nActivePage];
    const bool isShown = page.m_pWnd && ::IsWindowVisible(page.m_pWnd->m_hWnd);
    return isShown ? &page : nullptr;
}

BOOL COXTabViewContainer::IsUpdatingScrollBars() const
{
    return m_isUpdatingState || m_isUpdatingInfo;
}

void COXTabViewContainer::UpdateScrollState()
{
    COXTabViewPage* shown = PageToUpdate();
    if (!shown)
        return;
    COXTabViewPage& page = *shown;
    const HWND wnd = page.m_pWnd->m_hWnd;
    const CFlagGuard guard(m_isUpdatingState);
    ::ShowScrollBar(wnd, SB_BOTH, FALSE);
    // Looked at hidden, with both bars for a moment, so that the ranges read are whole.
    SetVisibleStyle(wnd, false);
    ::ShowScrollBar(wnd, SB_BOTH, TRUE);
    page.m_horzInfo = ReadOwnScrollInfo(wnd, SB_HORZ);
    page.m_vertInfo = ReadOwnScrollInfo(wnd, SB_VERT);
    CorrectScrollInfo(page.m_horzInfo, SB_HORZ, true);
    CorrectScrollInfo(page.m_vertInfo, SB_VERT, true);
    const auto needs = [](const SCROLLINFO& info)
    { return IsNeeded(info) && info.nMax >= static_cast<int>(info.nPage); };
    page.m_bHasHorzBar = needs(page.m_horzInfo);
    page.m_bHasVertBar = needs(page.m_vertInfo);
    ::ShowScrollBar(wnd, SB_BOTH, FALSE);
    SetVisibleStyle(wnd, true);
    SetScrollStyle((page.m_bHasHorzBar ? WS_HSCROLL : 0) | (page.m_bHasVertBar ? WS_VSCROLL : 0),
                   FALSE);
}

void COXTabViewContainer::UpdateScrollInfo()
{
    COXTabViewPage* shown = PageToUpdate();
    if (!shown)
        return;
    COXTabViewPage& page = *shown;
    const HWND wnd = page.m_pWnd->m_hWnd;
    const CFlagGuard guard(m_isUpdatingInfo);
    const bool hasBoth = page.m_bHasHorzBar && page.m_bHasVertBar;
    const struct
    {
        int bar;
        BOOL isNeeded;
        SCROLLINFO& record;
        CScrollBar& control;
    } bars[] = {{SB_HORZ, page.m_bHasHorzBar, page.m_horzInfo, m_horzBar},
                {SB_VERT, page.m_bHasVertBar, page.m_vertInfo, m_vertBar}};
    for (const auto& bar : bars)
    {
        if (!bar.isNeeded)
        {
            bar.record = ReadOwnScrollInfo(wnd, bar.bar);
            CorrectScrollInfo(bar.record, bar.bar, hasBoth);
            continue;
        }
        // The page's bar is shown for a moment, with the page hidden, to read its range.
        SetVisibleStyle(wnd, false);
        ::ShowScrollBar(wnd, bar.bar, TRUE);
        bar.record = ReadOwnScrollInfo(wnd, bar.bar);
        CorrectScrollInfo(bar.record, bar.bar, hasBoth);
        bar.control.SetScrollInfo(&bar.record, TRUE);
        ::ShowScrollBar(wnd, bar.bar, FALSE);
        SetVisibleStyle(wnd, true);
    }
}

void COXTabViewContainer::ForwardScroll(UINT message, UINT code, UINT pos, CScrollBar* scrollBar)
{
    CWnd* page = GetActivePage();
    if (!page || !::IsWindow(page->m_hWnd))
        return;
    page->SendMessage(message, MAKEWPARAM(code, pos),
                      reinterpret_cast<LPARAM>(scrollBar ? scrollBar->m_hWnd : nullptr));
}

void COXTabViewContainer::OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar)
{
    ForwardScroll(WM_HSCROLL, code, pos, scrollBar);
}

void COXTabViewContainer::OnVScroll(UINT code, UINT pos, CScrollBar* scrollBar)
{
    ForwardScroll(WM_VSCROLL, code, pos, scrollBar);
}

void COXTabViewContainer::Relayout()
{
    CalcLayout();
    if (m_horzBar.m_hWnd)
        m_horzBar.MoveWindow(m_rectHorzBar.left, m_rectHorzBar.top, m_rectHorzBar.Width(),
                             m_rectHorzBar.Height());
    if (m_vertBar.m_hWnd)
        m_vertBar.MoveWindow(m_rectVertBar.left, m_rectVertBar.top, m_rectVertBar.Width(),
                             m_rectVertBar.Height());
    RecalcTabButtons();
    SizeActivePage();
    RedrawBottomStrip();
}

void COXTabViewContainer::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (type != SIZE_MINIMIZED && cx > 0 && cy > 0)
        Relayout();
}

void COXTabViewContainer::OnSettingChange(UINT flags, const char* section)
{
    CWnd::OnSettingChange(flags, section);
    Relayout();
}

BOOL COXTabViewContainer::SaveState(const char* section)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    return app->WriteProfileInt(section, kWidthEntry, m_nTabButtonsAreaWidth);
}

BOOL COXTabViewContainer::LoadState(const char* section)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    m_nTabButtonsAreaWidth =
        static_cast<int>(app->GetProfileInt(section, kWidthEntry, m_nTabButtonsAreaWidth));
    if (m_hWnd)
        Relayout();
    return TRUE;
}

BOOL COXTabViewContainer::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    CFrameWnd* frame = GetParentFrame();
    return frame ? static_cast<BOOL>(frame->SendMessage(WM_COMMAND, wParam, lParam)) : FALSE;
}

BOOL COXTabViewContainer::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (CWnd::OnNotify(wParam, lParam, result))
        return TRUE;
    CFrameWnd* frame = GetParentFrame();
    *result = frame ? frame->SendMessage(WM_NOTIFY, wParam, lParam) : 0;
    return TRUE;
}

void COXTabViewContainer::OnDestroy()
{
    EndMouseTracking();
    m_pages.clear();
    m_tabRects.clear();
    m_nActivePage = -1;
    CWnd::OnDestroy();
}
