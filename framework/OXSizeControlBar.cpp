// COXSizeControlBar: creation and sizes, the process-wide list, the caption buttons, size
// change detection, the active caption and the docking commands. Drawing is in
// OXSizeControlBar_paint.cpp.
#include "framework/OXSizeControlBar.h"

#include "framework/OXMDIChildWndSizeDock.h"
#include "framework/OXMDIFloatWnd.h"
#include "framework/OXMDIFrameWndSizeDock.h"
#include "framework/OXSizableMiniDockFrameWnd.h"
#include "framework/OXSizeBarDockContext.h"
#include "framework/OXSizeDockBar.h"
#include "framework/OXSizeViewBar.h"
#include "platform/bars/dockbar.h"
#include "platform/base/archive.h"
#include "platform/win/app.h"
#include "platform/win/dc.h"
#include "platform/win/menu.h"
#include "platform/win/resource.h"
#include "resources/ids/framework_ids.h"

#include <algorithm>
#include <vector>

FW_TABLE(COXSizeControlBar, CControlBar, fw::on<WM_NCCALCSIZE, &COXSizeControlBar::OnNcCalcSize>(),
         fw::on<WM_NCPAINT, &COXSizeControlBar::OnNcPaint>(),
         fw::on<WM_PAINT, &COXSizeControlBar::OnPaint>(),
         fw::on<WM_ERASEBKGND, &COXSizeControlBar::OnEraseBkgnd>(),
         fw::on<WM_NCHITTEST, &COXSizeControlBar::OnNcHitTest>(),
         fw::on<WM_SETCURSOR, &COXSizeControlBar::OnSetCursor>(),
         fw::on<WM_LBUTTONDOWN, &COXSizeControlBar::OnLButtonDown>(),
         fw::on<WM_MOUSEMOVE, &COXSizeControlBar::OnMouseMove>(),
         fw::on<WM_LBUTTONUP, &COXSizeControlBar::OnLButtonUp>(),
         fw::on<WM_WINDOWPOSCHANGED, &COXSizeControlBar::OnWindowPosChanged>(),
         fw::on<WM_SYSCOMMAND, &COXSizeControlBar::OnSysCommand>(),
         fw::on<WM_CONTEXTMENU, &COXSizeControlBar::OnContextMenu>(),
         fw::raw<WM_OX_APPENDDOCKMENU, &COXSizeControlBar::OnAppendContextMenu>(),
         fw::raw<WM_OX_BARFLOATED, &COXSizeControlBar::OnFloated>(),
         fw::command<ID_OXSIZEBAR_ALLOWDOCKING, &COXSizeControlBar::OnAllowDocking>(),
         fw::command<ID_OXSIZEBAR_HIDE, &COXSizeControlBar::OnHideBar>(),
         fw::command<ID_OXSIZEBAR_MDIFLOAT, &COXSizeControlBar::OnMDIFloat>())

namespace
{
// The listed bars (style listed), oldest first.
std::vector<COXSizeControlBar*>& ListedBars()
{
    static std::vector<COXSizeControlBar*> bars;
    return bars;
}

bool IsWindowInside(HWND outer, HWND wnd)
{
    return wnd && (wnd == outer || ::IsChild(outer, wnd));
}

CString ResourceText(UINT id)
{
    CString text;
    fw::LoadResourceString(id, text);
    return text;
}
} // namespace

COXSizeControlBar::COXSizeControlBar(DWORD barStyle)
    : m_dwSizeBarStyle(barStyle)
{
    if (m_dwSizeBarStyle & listed)
        ListedBars().push_back(this);
    CreateTitleFont();
}

COXSizeControlBar::~COXSizeControlBar()
{
    if (m_dwSizeBarStyle & listed)
    {
        auto& bars = ListedBars();
        const auto found = std::find(bars.rbegin(), bars.rend(), this);
        if (found != bars.rend())
            bars.erase(std::next(found).base());
    }
}

BOOL COXSizeControlBar::Create(const char* className, const char* windowName, DWORD style,
                               const RECT& rect, CWnd* parent, UINT id, CCreateContext* context)
{
    m_dwStyle = style & CBRS_ALL;
    CRect place(rect);
    if (place == CFrameWnd::rectDefault && parent)
    {
        // The bottom-right corner of the parent: half its width, a quarter of its height.
        CRect client;
        parent->GetClientRect(&client);
        const int cx = client.Width();
        const int cy = client.Height();
        place.SetRect(cx - cx / 2, cy - cy / 4, cx, cy);
    }
    const int w = place.Width();
    const int h = place.Height();
    m_sizeFloat = CSize(w, h);
    m_sizeHorzDock = CSize(w, h);
    m_sizeVertDock = CSize(h, w);
    // The bar bits are ours; in the window style they would mean other things.
    const DWORD windowStyle = (style & ~CBRS_ALL) | WS_CLIPCHILDREN;
    return CWnd::Create(className, windowName, windowStyle, place, parent, id, context);
}

BOOL COXSizeControlBar::CreateBar(CWnd* parent, const char* title, UINT id, DWORD style,
                                  const RECT& rect)
{
    return Create(nullptr, title, style, rect, parent, id, nullptr);
}

void COXSizeControlBar::EnableDocking(DWORD dockStyle)
{
    m_dwDockStyle = dockStyle;
    if (!m_pDockContext)
        m_pDockContext = new COXSizeBarDockContext(this);
    if (!m_hWndOwner)
        m_hWndOwner = ::GetParent(m_hWnd);
}

BOOL COXSizeControlBar::IsMDIFloating() const
{
    return IsFloating() && dynamic_cast<COXMDIFloatWnd*>(GetParentFrame()) != nullptr;
}

CFrameWnd* COXSizeControlBar::GetActivityFrame() const
{
    CFrameWnd* frame = GetParentFrame();
    if (frame && IsFloating())
        frame = frame->GetTopLevelFrame();
    return frame;
}

void COXSizeControlBar::DestroyFrameBars(CFrameWnd* frame)
{
    auto& bars = ListedBars();
    for (size_t i = bars.size(); i-- > 0;)
    {
        if (i >= bars.size())
            continue; // destroying a bar took others with it
        COXSizeControlBar* bar = bars[i];
        if (::IsWindow(bar->m_hWnd) && bar->GetTopLevelFrame() == frame)
            bar->DestroyWindow();
        if (!::IsWindow(bar->m_hWnd))
            delete bar; // leaves the list
    }
    if (bars.empty())
        bars.shrink_to_fit();
}

int COXSizeControlBar::ListedBarCount()
{
    return static_cast<int>(ListedBars().size());
}

CSize COXSizeControlBar::CalcFixedLayout(BOOL stretch, BOOL horz)
{
    CControlBar::CalcFixedLayout(stretch, horz);
    if (IsFloating())
        return m_sizeFloat;
    return horz ? m_sizeHorzDock : m_sizeVertDock;
}

void COXSizeControlBar::SaveExtraState(CArchive& archive) const
{
    for (const CSize& size : {m_sizeFloat, m_sizeHorzDock, m_sizeVertDock})
        archive << static_cast<int32_t>(size.cx) << static_cast<int32_t>(size.cy);
}

void COXSizeControlBar::LoadExtraState(CArchive& archive)
{
    for (CSize* size : {&m_sizeFloat, &m_sizeHorzDock, &m_sizeVertDock})
    {
        int32_t cx = 0;
        int32_t cy = 0;
        archive >> cx >> cy;
        *size = CSize(cx, cy);
    }
}

BOOL COXSizeControlBar::CanMaximizeInRow()
{
    auto* dockBar = dynamic_cast<COXSizeDockBar*>(m_pDockBar);
    if (!dockBar || !m_hWnd)
        return FALSE;
    CRect window;
    GetWindowRect(&window);
    return dockBar->CountOtherBarsInRow(this, window) > 0;
}

void COXSizeControlBar::CreateTitleFont()
{
    m_fontTitle.DeleteObject();
    // Point sizes as the screen shows them.
    const HDC screen = ::GetDC(nullptr);
    const int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    LOGFONTA logFont = {};
    logFont.lfHeight = -::MulDiv((m_dwSizeBarStyle & solidCaption) ? 8 : 10, pixelsPerInch, 72);
    logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(logFont.lfFaceName, "Arial", LF_FACESIZE);
    if (!m_fontTitle.CreateFontIndirect(&logFont))
        fw::ThrowResourceException();
}

void COXSizeControlBar::OnBarResized(int, int, BOOL, int)
{
}

void COXSizeControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    const HWND focus = ::GetFocus();
    if (!IsWindowInside(m_hWnd, focus))
    {
        if (m_bActive)
            SetActive(FALSE, FALSE);
    }
    else if (!m_bActive)
    {
        SetActive(TRUE, FALSE);
    }
}

void COXSizeControlBar::SetActive(BOOL active, BOOL deactivateOthers)
{
    m_bActive = active;
    CFrameWnd* frame = GetActivityFrame();
    if (active && !IsWindowInside(m_hWnd, ::GetFocus()))
    {
        ::SetFocus(m_hWnd);
        // A bar that does not keep the focus hands it to the first child that takes it.
        for (HWND child = ::GetWindow(m_hWnd, GW_CHILD);
             child && !IsWindowInside(m_hWnd, ::GetFocus());
             child = ::GetWindow(child, GW_HWNDNEXT))
            ::SetFocus(child);
    }
    if (active && deactivateOthers && frame)
    {
        for (POSITION pos = frame->m_listControlBars.GetHeadPosition(); pos;)
        {
            auto* other = dynamic_cast<COXSizeControlBar*>(
                static_cast<CControlBar*>(frame->m_listControlBars.GetNext(pos)));
            if (other && other != this && other->m_bActive && !dynamic_cast<COXSizeViewBar*>(other))
                other->SetActive(FALSE, FALSE);
        }
    }
    if (auto* dockFrame = dynamic_cast<COXMDIFrameWndSizeDock*>(frame))
    {
        if (active)
        {
            dockFrame->m_pActiveSizeBar = this;
        }
        else if (dockFrame->m_pActiveSizeBar == this)
        {
            // The pointer goes only when the focus went into the active child frame.
            CMDIChildWnd* child = dockFrame->GetActiveChildFrame();
            if (child && IsWindowInside(child->m_hWnd, ::GetFocus()))
                dockFrame->m_pActiveSizeBar = nullptr;
        }
    }
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}

LRESULT COXSizeControlBar::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY)
    {
        auto* frame = dynamic_cast<COXMDIFrameWndSizeDock*>(GetActivityFrame());
        if (frame && frame->m_pActiveSizeBar == this)
            frame->m_pActiveSizeBar = nullptr;
    }
    else if (msg == WM_COMMAND && lParam == 0 && CWnd::OnCommand(wParam, lParam))
    {
        // The bar's own menu commands; everything else goes on to the owner frame.
        return 1;
    }
    return CControlBar::WindowProc(msg, wParam, lParam);
}

void COXSizeControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* params)
{
    Default();
    RECT& client = params->rgrc[0];
    ::InflateRect(&client, -kBorder, -kBorder);
    if (HasCaption() && !(m_dwStyle & CBRS_FLOATING))
    {
        if (IsHorzDocked())
            client.left = std::min(client.left + kCaptionSpace, client.right);
        else
            client.top = std::min(client.top + kCaptionSpace, client.bottom);
    }
}

void COXSizeControlBar::OnNcPaint()
{
    PaintNonClientArea();
}

void COXSizeControlBar::OnPaint()
{
    CPaintDC dc(this);
}

BOOL COXSizeControlBar::OnEraseBkgnd(CDC* dc)
{
    RECT clip;
    ::GetClipBox(dc->GetSafeHdc(), &clip);
    ::FillRect(dc->GetSafeHdc(), &clip, ::GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

LRESULT COXSizeControlBar::OnNcHitTest(CPoint point)
{
    // Docked, the caption and its buttons take client mouse messages.
    if (!(m_dwStyle & CBRS_FLOATING))
    {
        CRect window;
        GetWindowRect(&window);
        if (window.PtInRect(point))
            return HTCLIENT;
    }
    return CWnd::OnNcHitTest(point);
}

BOOL COXSizeControlBar::OnSetCursor(CWnd* wnd, UINT, UINT)
{
    if (!wnd || wnd->m_hWnd != m_hWnd)
        return FALSE;
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    return TRUE;
}

int COXSizeControlBar::ButtonAt(CPoint point)
{
    if (m_rectCloseButton.PtInRect(point))
        return trackClose;
    if (m_rectMaximizeButton.PtInRect(point) && CanMaximizeInRow())
        return trackMaximize;
    return trackNone;
}

void COXSizeControlBar::OnLButtonDown(UINT flags, CPoint point)
{
    m_nTrackedButton = trackNone;
    if (!IsFloating())
    {
        if (m_rectCloseButton.PtInRect(point))
        {
            SetCapture();
            m_nTrackedButton = trackClose;
            RedrawButtons();
            return;
        }
        if (m_rectMaximizeButton.PtInRect(point))
        {
            if (CanMaximizeInRow())
            {
                SetCapture();
                m_nTrackedButton = trackMaximize;
                RedrawButtons();
            }
            return;
        }
    }
    CControlBar::OnLButtonDown(flags, point);
}

void COXSizeControlBar::OnMouseMove(UINT, CPoint point)
{
    if (!IsFloating() && ::GetCapture() == m_hWnd && m_nTrackedButton != trackNone)
    {
        // The button under the mouse is the one pressed now.
        const int under = ButtonAt(point);
        if (under != m_nTrackedButton)
        {
            m_nTrackedButton = under;
            RedrawButtons();
        }
    }
    Default();
}

void COXSizeControlBar::OnLButtonUp(UINT, CPoint point)
{
    const int tracked = m_nTrackedButton;
    m_nTrackedButton = trackNone;
    if (tracked != trackNone)
        RedrawButtons();
    if (::GetCapture() != m_hWnd)
    {
        Default();
        return;
    }
    ::ReleaseCapture();
    if (tracked == trackClose && m_rectCloseButton.PtInRect(point))
    {
        if (CFrameWnd* site = GetDockingFrame())
            site->ShowControlBar(this, FALSE, FALSE);
    }
    else if (tracked == trackMaximize && m_pDockBar && m_rectMaximizeButton.PtInRect(point))
    {
        if (auto* dockBar = dynamic_cast<COXSizeDockBar*>(m_pDockBar))
            dockBar->MaximizeBarInRow(this, !m_bMaximized);
    }
}

void COXSizeControlBar::OnWindowPosChanged(WINDOWPOS*)
{
    Default();
    // The window's own size: a move alone carries none in WINDOWPOS.
    CRect window;
    GetWindowRect(&window);
    const int cx = window.Width();
    const int cy = window.Height();
    const int floating = (!m_pDockBar || (m_dwStyle & CBRS_FLOATING)) ? 1 : 0;
    int flags = floating != m_nLastFloating ? floatingChanged : 0;
    if (cx != m_nLastWidth || cy != m_nLastHeight)
        flags |= sizeChanged;
    if (flags)
    {
        m_nLastWidth = cx;
        m_nLastHeight = cy;
        m_nLastFloating = floating;
        OnBarResized(cx, cy, floating, flags);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    RecalcCaptionRects();
    // Only the dock bar's maximize keeps the state; any other change of place ends it.
    if (m_bMaximized)
    {
        m_bMaximized = FALSE;
        RedrawButtons();
    }
}

void COXSizeControlBar::OnSysCommand(UINT, LPARAM)
{
    Default();
}

void COXSizeControlBar::OnContextMenu(CWnd* wnd, CPoint point)
{
    ShowContextMenu(wnd, point);
}

void COXSizeControlBar::ShowContextMenu(CWnd*, CPoint point)
{
    if (!(m_dwSizeBarStyle & contextMenu))
    {
        Default();
        return;
    }
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    AppendContextMenuItems(&menu);
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

void COXSizeControlBar::AppendContextMenuItems(CMenu* menu)
{
    const BOOL mdiFloating = IsMDIFloating();
    if ((m_dwSizeBarStyle & mdiFloatCommand) && m_pDockContext)
    {
        menu->AppendMenu(MF_STRING | (mdiFloating ? MF_CHECKED : 0), ID_OXSIZEBAR_MDIFLOAT,
                         ResourceText(ID_OXSIZEBAR_MDIFLOAT));
    }
    const DWORD allowed = m_dwDockStyle & CBRS_ALIGN_ANY;
    if (!mdiFloating && (allowed || m_dwSavedDockSides))
    {
        menu->AppendMenu(MF_STRING | (allowed ? MF_CHECKED : 0), ID_OXSIZEBAR_ALLOWDOCKING,
                         ResourceText(ID_OXSIZEBAR_ALLOWDOCKING));
    }
    menu->AppendMenu(MF_STRING, ID_OXSIZEBAR_HIDE, ResourceText(ID_OXSIZEBAR_HIDE));
}

LRESULT COXSizeControlBar::OnAppendContextMenu(WPARAM, LPARAM lParam)
{
    if (CMenu* menu = CMenu::FromHandle(reinterpret_cast<HMENU>(lParam)))
        AppendContextMenuItems(menu);
    return 1;
}

LRESULT COXSizeControlBar::OnFloated(WPARAM, LPARAM)
{
    if (auto* frame = dynamic_cast<COXSizableMiniDockFrameWnd*>(GetParentFrame()))
        frame->UpdateSystemMenu();
    return 1;
}

void COXSizeControlBar::OnAllowDocking()
{
    const DWORD allowed = m_dwDockStyle & CBRS_ALIGN_ANY;
    if (allowed)
    {
        m_dwSavedDockSides = allowed;
        if (!IsFloating() && m_pDockContext)
            m_pDockContext->ToggleDocking();
        EnableDocking(0);
    }
    else
    {
        EnableDocking(m_dwSavedDockSides);
    }
}

void COXSizeControlBar::OnHideBar()
{
    if (IsMDIFloating())
    {
        if (auto* floatWnd = dynamic_cast<COXMDIFloatWnd*>(GetParentFrame()))
            floatWnd->HideBars(this);
        return;
    }
    if (CFrameWnd* frame = GetParentFrame())
        frame->ShowControlBar(this, FALSE, FALSE);
}

void COXSizeControlBar::OnMDIFloat()
{
    auto* frame = dynamic_cast<COXMDIFrameWndSizeDock*>(AfxGetMainWnd());
    if (!frame || !m_pDockContext)
        return;
    if (IsMDIFloating())
    {
        DockBackFromMDIClient();
        return;
    }
    const CPoint at = m_pDockContext->m_ptMRUFloatPos;
    frame->FloatControlBarInMDIClient(this, at.x, at.y, CBRS_ALIGN_TOP, TRUE);
}

void COXSizeControlBar::DockBackFromMDIClient()
{
    auto* floatWnd = dynamic_cast<COXMDIFloatWnd*>(GetParentFrame());
    CFrameWnd* site = GetDockingFrame();
    if (!floatWnd || !site)
        return;
    // Where it was docked last (its place is kept there), else the first side it may take.
    site->DockControlBar(this, static_cast<CDockBar*>(nullptr));
    if (floatWnd->m_wndDockBar.GetDockedCount() == 0)
        floatWnd->MDIDestroy();
    site->RecalcLayout();
    if (auto* mdiFrame = dynamic_cast<CMDIFrameWnd*>(site))
        ::SendMessageA(mdiFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}
