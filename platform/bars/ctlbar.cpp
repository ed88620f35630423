// CControlBar: bar list membership, the layout protocol, idle updates, borders and gripper,
// drag start, and forwarding of child-control messages to the owner frame.
#include "platform/bars/ctlbar.h"

#include "platform/bars/dockbar.h"
#include "platform/bars/dockctx.h"
#include "platform/docview/frame.h"
#include "platform/win/dc.h"
#include "platform/win/resource.h"
#include "platform/win/thread_state.h"

#include <algorithm>
#include <commctrl.h>

FW_TABLE(
    CControlBar, CWnd, fw::on<WM_CREATE, &CControlBar::OnCreate>(),
    fw::on<WM_DESTROY, &CControlBar::OnDestroy>(),
    fw::on<WM_NCCALCSIZE, &CControlBar::OnNcCalcSize>(),
    fw::on<WM_NCPAINT, &CControlBar::OnNcPaint>(),
    fw::on<WM_NCHITTEST, &CControlBar::OnNcHitTest>(), fw::on<WM_PAINT, &CControlBar::OnPaint>(),
    fw::on<WM_ERASEBKGND, &CControlBar::OnEraseBkgnd>(),
    fw::on<WM_LBUTTONDOWN, &CControlBar::OnLButtonDown>(),
    fw::on<WM_LBUTTONDBLCLK, &CControlBar::OnLButtonDblClk>(),
    fw::raw<WM_SIZEPARENT, &CControlBar::OnSizeParent>(),
    fw::raw<WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI>(),
    fw::notify_ex<static_cast<int>(TTN_GETDISPINFOA), 0, 0xFFFF, &CControlBar::OnToolTipText>(),
    fw::notify_ex<static_cast<int>(TTN_GETDISPINFOW), 0, 0xFFFF, &CControlBar::OnToolTipText>())

namespace
{
// Messages a bar's child controls send to their parent that the owner frame should see.
bool IsChildControlMessage(UINT msg)
{
    switch (msg)
    {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: return true;
    default: return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC;
    }
}
} // namespace

namespace fw
{
int CxBorder2()
{
    return 2 * ::GetSystemMetrics(SM_CXBORDER);
}

int CyBorder2()
{
    return 2 * ::GetSystemMetrics(SM_CYBORDER);
}
} // namespace fw

CControlBar::CControlBar() = default;

CControlBar::~CControlBar()
{
    // Destroyed here, while this is still a bar, so that it leaves its lists.
    if (m_hWnd)
        DestroyWindow();
    if (m_pDockSite)
        m_pDockSite->RemoveControlBar(this);
    if (m_pDockBar)
        m_pDockBar->RemoveControlBar(this);
    delete m_pDockContext;
}

void CControlBar::SetBarStyle(DWORD style)
{
    const DWORD old = m_dwStyle;
    m_dwStyle = style;
    if (old != style)
        OnBarStyleChange(old, style);
}

void CControlBar::OnBarStyleChange(DWORD oldStyle, DWORD newStyle)
{
    // Borders and gripper live in the non-client area: recompute it.
    const DWORD frameBits = CBRS_BORDER_ANY | CBRS_ALIGN_ANY | CBRS_GRIPPER | CBRS_FLOATING;
    if (m_hWnd && ((oldStyle ^ newStyle) & frameBits))
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CControlBar::SetBorders(int left, int top, int right, int bottom)
{
    m_cxLeftBorder = left;
    m_cyTopBorder = top;
    m_cxRightBorder = right;
    m_cyBottomBorder = bottom;
}

void CControlBar::SetBorders(LPCRECT rect)
{
    SetBorders(rect->left, rect->top, rect->right, rect->bottom);
}

CRect CControlBar::GetBorders() const
{
    return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
}

void CControlBar::EnableDocking(DWORD dockStyle)
{
    m_dwDockStyle = dockStyle;
    if (!m_pDockContext)
        m_pDockContext = new CDockContext(this);
    if (!m_hWndOwner)
        m_hWndOwner = ::GetParent(m_hWnd);
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    return m_pDockSite ? m_pDockSite : GetTopLevelFrame();
}

BOOL CControlBar::IsFloating() const
{
    if (IsDockBar())
        return static_cast<const CDockBar*>(this)->m_bFloating;
    return m_pDockBar && m_pDockBar->m_bFloating;
}

BOOL CControlBar::IsDockBar() const
{
    return FALSE;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) || (m_hWnd && (GetStyle() & WS_VISIBLE));
}

void CControlBar::DelayShow(BOOL show)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    const bool visible = m_hWnd && (GetStyle() & WS_VISIBLE);
    if (show && !visible)
        m_nStateFlags |= delayShow;
    else if (!show && visible)
        m_nStateFlags |= delayHide;
}

int CControlBar::GetCount() const
{
    return 0;
}

DWORD CControlBar::RecalcDelayShow(fw::SizeParentParams* layout)
{
    const bool visible = (GetStyle() & WS_VISIBLE) != 0;
    bool show = visible;
    if (m_nStateFlags & delayHide)
        show = false;
    else if (m_nStateFlags & delayShow)
        show = true;
    const DWORD style = show ? (GetStyle() | WS_VISIBLE) : (GetStyle() & ~WS_VISIBLE);
    // A query only predicts.
    if (layout && !layout->hDWP)
        return style;
    m_nStateFlags &= ~(delayHide | delayShow);
    if (show != visible)
    {
        const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                           (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
        if (layout)
            layout->hDWP = ::DeferWindowPos(layout->hDWP, m_hWnd, nullptr, 0, 0, 0, 0, flags);
        else
            SetWindowPos(nullptr, 0, 0, 0, 0, flags);
    }
    return style;
}

CSize CControlBar::CalcFixedLayout(BOOL stretch, BOOL horz)
{
    CSize size((stretch && horz) ? 32767 : 0, (stretch && !horz) ? 32767 : 0);
    CRect inside;
    CalcInsideRect(inside, horz);
    size.cx -= inside.Width();
    size.cy -= inside.Height();
    return size;
}

CSize CControlBar::CalcDynamicLayout(int length, DWORD mode)
{
    const bool docked = (mode & (LM_HORZDOCK | LM_VERTDOCK)) != 0;
    if (length == -1 && docked && !(mode & (LM_MRUWIDTH | LM_COMMIT)))
        return CalcFixedLayout(mode & LM_STRETCH, (mode & LM_HORZDOCK) != 0);
    return CalcFixedLayout(mode & LM_STRETCH, (mode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL horz) const
{
    // A floating bar's frame is border enough.
    const DWORD borders = (m_dwStyle & CBRS_FLOATING) ? 0 : m_dwStyle;
    const int cx = fw::CxBorder2();
    const int cy = fw::CyBorder2();
    if (borders & CBRS_BORDER_LEFT)
        rect.left += cx;
    if (borders & CBRS_BORDER_TOP)
        rect.top += cy;
    if (borders & CBRS_BORDER_RIGHT)
        rect.right -= cx;
    if (borders & CBRS_BORDER_BOTTOM)
        rect.bottom -= cy;
    const bool gripper = (m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    // The border space follows the bar: "left" is always the leading end of its length.
    if (horz)
    {
        rect.left += m_cxLeftBorder + (gripper ? fw::kGripperSpace : 0);
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    }
    else
    {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder + (gripper ? fw::kGripperSpace : 0);
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
}

void CControlBar::SaveExtraState(CArchive&) const
{
}

void CControlBar::LoadExtraState(CArchive&)
{
}

void CControlBar::DrawBorders(CDC* dc, CRect& rect)
{
    // Each border is an etched line: shadow outside, highlight inside.
    const DWORD borders = (m_dwStyle & CBRS_FLOATING) ? 0 : m_dwStyle;
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const int cx = fw::CxBorder2();
    const int cy = fw::CyBorder2();
    if (borders & CBRS_BORDER_TOP)
    {
        dc->FillSolidRect(rect.left, rect.top, rect.Width(), cy / 2, shadow);
        dc->FillSolidRect(rect.left, rect.top + cy / 2, rect.Width(), cy - cy / 2, light);
        rect.top += cy;
    }
    if (borders & CBRS_BORDER_BOTTOM)
    {
        dc->FillSolidRect(rect.left, rect.bottom - cy, rect.Width(), cy / 2, shadow);
        dc->FillSolidRect(rect.left, rect.bottom - cy + cy / 2, rect.Width(), cy - cy / 2, light);
        rect.bottom -= cy;
    }
    if (borders & CBRS_BORDER_LEFT)
    {
        dc->FillSolidRect(rect.left, rect.top, cx / 2, rect.Height(), shadow);
        dc->FillSolidRect(rect.left + cx / 2, rect.top, cx - cx / 2, rect.Height(), light);
        rect.left += cx;
    }
    if (borders & CBRS_BORDER_RIGHT)
    {
        dc->FillSolidRect(rect.right - cx, rect.top, cx / 2, rect.Height(), shadow);
        dc->FillSolidRect(rect.right - cx + cx / 2, rect.top, cx - cx / 2, rect.Height(), light);
        rect.right -= cx;
    }
}

void CControlBar::DrawGripper(CDC* dc, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    // One raised grip, 3 pixels wide, along the leading edge.
    CRect grip = rect;
    if (m_dwStyle & CBRS_ORIENT_HORZ)
    {
        grip.left += 2;
        grip.right = grip.left + 3;
        grip.DeflateRect(0, 2);
    }
    else
    {
        grip.top += 2;
        grip.bottom = grip.top + 3;
        grip.DeflateRect(2, 0);
    }
    const HDC hdc = dc->GetSafeHdc();
    RECT edge = grip;
    ::DrawEdge(hdc, &edge, BDR_RAISEDINNER, BF_RECT);
}

void CControlBar::DoPaint(CDC*)
{
}

int CControlBar::OnCreate(LPCREATESTRUCTA cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    // A bar made on a frame belongs to that frame's bar list.
    CWnd* parent = FromHandlePermanent(::GetParent(m_hWnd));
    if (parent && parent->IsFrameWnd() && !(GetStyle() & WS_POPUP))
    {
        m_pDockSite = static_cast<CFrameWnd*>(parent);
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockSite)
        m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
    if (m_pDockBar)
        m_pDockBar->RemoveControlBar(this);
    m_pDockBar = nullptr;
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

void CControlBar::OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params)
{
    CWnd::OnNcCalcSize(calcValidRects, params);
    CRect inside;
    CalcInsideRect(inside, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    RECT& client = params->rgrc[0];
    client.left += inside.left;
    client.top += inside.top;
    client.right = std::max(client.left, client.right + inside.right);
    client.bottom = std::max(client.top, client.bottom + inside.bottom);
}

void CControlBar::OnNcPaint()
{
    const HDC hdc = ::GetWindowDC(m_hWnd);
    if (!hdc)
        return;
    CRect window;
    CRect client;
    fw::GetNonClientRects(m_hWnd, &window, &client);
    // Only the frame around the client area is ours to paint.
    ::ExcludeClipRect(hdc, client.left, client.top, client.right, client.bottom);
    ::FillRect(hdc, &window, ::GetSysColorBrush(COLOR_BTNFACE));
    CDC* dc = CDC::FromHandle(hdc);
    DrawBorders(dc, window);
    DrawGripper(dc, window);
    ::ReleaseDC(m_hWnd, hdc);
}

LRESULT CControlBar::OnNcHitTest(CPoint point)
{
    // Borders and gripper take clicks as the client area does, so that they drag the bar.
    CRect window;
    GetWindowRect(&window);
    return window.PtInRect(point) ? HTCLIENT : CWnd::OnNcHitTest(point);
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

BOOL CControlBar::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    ::FillRect(dc->GetSafeHdc(), &client, ::GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

BOOL CControlBar::StartDragAt(CPoint clientPoint)
{
    if (!m_pDockContext || !m_pDockBar)
        return FALSE;
    ClientToScreen(&clientPoint);
    m_pDockContext->StartDrag(clientPoint);
    return TRUE;
}

BOOL CControlBar::ToggleDockingNow()
{
    if (!m_pDockContext || !m_pDockBar)
        return FALSE;
    m_pDockContext->ToggleDocking();
    return TRUE;
}

void CControlBar::OnLButtonDown(UINT flags, CPoint point)
{
    if (!StartDragAt(point))
        CWnd::OnLButtonDown(flags, point);
}

void CControlBar::OnLButtonDblClk(UINT flags, CPoint point)
{
    if (!ToggleDockingNow())
        CWnd::OnLButtonDblClk(flags, point);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<fw::SizeParentParams*>(lParam);
    const DWORD style = RecalcDelayShow(layout);
    if (!(style & WS_VISIBLE) || !(m_dwStyle & CBRS_ALIGN_ANY))
        return 0;
    const bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    DWORD mode = layout->stretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
        mode |= LM_HORZ | LM_MRUWIDTH;
    else
        mode |= horz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    CRect available = layout->rect;
    CSize size = CalcDynamicLayout(-1, mode);
    size.cx = std::min<LONG>(size.cx, available.Width());
    size.cy = std::min<LONG>(size.cy, available.Height());

    // The bar's thickness comes off the side it is aligned to.
    CRect rect(available.TopLeft(), size);
    if (horz)
    {
        layout->sizeTotal.cy += size.cy;
        layout->sizeTotal.cx = std::max<LONG>(layout->sizeTotal.cx, size.cx);
        if (m_dwStyle & CBRS_ALIGN_TOP)
        {
            layout->rect.top += size.cy;
        }
        else
        {
            rect.OffsetRect(0, available.Height() - size.cy);
            layout->rect.bottom -= size.cy;
        }
    }
    else
    {
        layout->sizeTotal.cx += size.cx;
        layout->sizeTotal.cy = std::max<LONG>(layout->sizeTotal.cy, size.cy);
        if (m_dwStyle & CBRS_ALIGN_LEFT)
        {
            layout->rect.left += size.cx;
        }
        else
        {
            rect.OffsetRect(available.Width() - size.cx, 0);
            layout->rect.right -= size.cx;
        }
    }
    if (layout->hDWP)
        fw::RepositionWindow(layout, m_hWnd, &rect);
    return 0;
}

CFrameWnd* CControlBar::GetCommandTarget() const
{
    CWnd* owner = GetOwner();
    if (owner && owner->IsFrameWnd())
        return static_cast<CFrameWnd*>(owner);
    return GetParentFrame();
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    // A delayed show or hide that no layout applied.
    if (m_nStateFlags & (delayHide | delayShow))
        RecalcDelayShow(nullptr);
    const bool shown =
        (GetStyle() & WS_VISIBLE) && (!m_pDockBar || (m_pDockBar->GetStyle() & WS_VISIBLE));
    if (!shown)
        return 0;
    if (CFrameWnd* target = GetCommandTarget())
        OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
    return 0;
}

CString CControlBar::ToolTipOf(UINT id) const
{
    // The frame that handles the command words its tip (in the program's language).
    CString tip;
    if (CFrameWnd* target = GetCommandTarget())
        target->GetToolTipString(id, tip);
    else if (CString full; id != 0 && fw::LoadResourceString(id, full))
        fw::ExtractSubString(tip, full, 1);
    return tip;
}

BOOL CControlBar::OnToolTipText(UINT id, NMHDR* header, LRESULT* result)
{
    if (header->code == TTN_GETDISPINFOA)
    {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        if (info->uFlags & TTF_IDISHWND)
            id = static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(header->idFrom)));
        lstrcpynA(info->szText, ToolTipOf(id), sizeof info->szText);
        info->lpszText = info->szText;
        info->hinst = nullptr;
    }
    else
    {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        if (info->uFlags & TTF_IDISHWND)
            id = static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(header->idFrom)));
        const int count = static_cast<int>(sizeof info->szText / sizeof info->szText[0]);
        if (!::MultiByteToWideChar(CP_ACP, 0, ToolTipOf(id), -1, info->szText, count))
            info->szText[count - 1] = L'\0';
        info->lpszText = info->szText;
        info->hinst = nullptr;
    }
    *result = 0;
    return TRUE;
}

BOOL CControlBar::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (CWnd::OnWndMsg(msg, wParam, lParam, result))
        return TRUE;
    if (!IsChildControlMessage(msg))
        return FALSE;
    // Not the bar's own: the owner frame routes it (a combo box in a floating toolbar still
    // reaches the active view).
    CWnd* owner = GetOwner();
    if (!owner || owner->m_hWnd == m_hWnd)
        return FALSE;
    // The control has had its reflected handler here: the owner must not run it again.
    fw::ThreadState::ForwardedMessage& forwarded = fw::GetThreadState().reflectedForward;
    const fw::ThreadState::ForwardedMessage previous = forwarded;
    forwarded = {msg, wParam, lParam};
    *result = ::SendMessageA(owner->m_hWnd, msg, wParam, lParam);
    forwarded = previous;
    return TRUE;
}
