// COXSizeDockBar: the layout with splitters, fitting rows to the dock bar's length, making
// room for a docked or shown bar, and maximizing a bar in its row. Splitter painting and
// dragging are in OXSizeDockBar_splitter.cpp.
#include "framework/OXSizeDockBar.h"

#include "framework/OXSizeControlBar.h"
#include "platform/bars/dockctx.h"
#include "platform/docview/frame.h"

#include <algorithm>

FW_TABLE(COXSizeDockBar, CDockBar, fw::raw<WM_SIZEPARENT, &COXSizeDockBar::OnSizeParent>(),
         fw::on<WM_PAINT, &COXSizeDockBar::OnPaint>(),
         fw::on<WM_SETCURSOR, &COXSizeDockBar::OnSetCursor>(),
         fw::on<WM_MOUSEMOVE, &COXSizeDockBar::OnMouseMove>(),
         fw::on<WM_LBUTTONDOWN, &COXSizeDockBar::OnLButtonDown>(),
         fw::on<WM_LBUTTONUP, &COXSizeDockBar::OnLButtonUp>())

namespace
{
// A layout that a sizeable bar's wrap restarts stops after this many tries.
constexpr int kMaxRefits = 64;

bool IsAlive(const CControlBar* bar)
{
    return bar && ::IsWindow(bar->m_hWnd);
}

// The framework's bar size before its borders: the whole length when stretched.
CSize StretchSize(BOOL stretch, BOOL horz)
{
    return CSize((stretch && horz) ? 32767 : 0, (stretch && !horz) ? 32767 : 0);
}

CControlBar* BarAt(const CPtrArray& bars, INT_PTR pos)
{
    void* entry = bars[pos];
    if (!entry || CDockBar::IsPlaceholder(entry))
        return nullptr;
    return static_cast<CControlBar*>(entry);
}
} // namespace

COXSizeDockBar::COXSizeDockBar()
    : CDockBar(FALSE)
{
}

std::vector<COXSizeDockBar::RowMember> COXSizeDockBar::RowMembers(int rowStart,
                                                                  const CPtrArray& bars) const
{
    std::vector<RowMember> members;
    for (INT_PTR pos = rowStart; pos < bars.GetSize() && bars[pos]; ++pos)
    {
        CControlBar* bar = BarAt(bars, pos);
        if (!IsAlive(bar) || !bar->IsVisible())
            continue;
        members.push_back({static_cast<int>(pos), bar, dynamic_cast<COXSizeControlBar*>(bar)});
    }
    return members;
}

int COXSizeDockBar::RowStartOf(int pos) const
{
    while (pos > 0 && m_arrBars[pos - 1])
        --pos;
    return std::max(pos, 1);
}

int COXSizeDockBar::BorderAlong() const
{
    return IsHorz() ? fw::CxBorder2() : fw::CyBorder2();
}

int COXSizeDockBar::DockedLength(const COXSizeControlBar* bar) const
{
    return IsHorz() ? bar->m_sizeHorzDock.cx : bar->m_sizeVertDock.cy;
}

void COXSizeDockBar::SetDockedLength(COXSizeControlBar* bar, int length) const
{
    if (IsHorz())
        bar->m_sizeHorzDock.cx = length;
    else
        bar->m_sizeVertDock.cy = length;
}

void COXSizeDockBar::SetDockedThickness(COXSizeControlBar* bar, int thickness) const
{
    if (IsHorz())
        bar->m_sizeHorzDock.cy = thickness;
    else
        bar->m_sizeVertDock.cx = thickness;
}

dockrows::RowBar COXSizeDockBar::MeasureBar(const RowMember& member) const
{
    dockrows::RowBar rowBar;
    rowBar.sizeable = member.sizeable != nullptr;
    // A sizeable bar's docked size is what the layout gives it; its window may still have
    // the size of where it came from (a floating frame, another side).
    CSize size;
    if (member.sizeable)
    {
        size = IsHorz() ? member.sizeable->m_sizeHorzDock : member.sizeable->m_sizeVertDock;
    }
    else
    {
        CRect window;
        member.bar->GetWindowRect(&window);
        size = window.Size();
    }
    rowBar.length = IsHorz() ? size.cx : size.cy;
    rowBar.thickness = IsHorz() ? size.cy : size.cx;
    return rowBar;
}

void COXSizeDockBar::GetRowSizeInfo(int rowStart, dockrows::RowSizeInfo& info,
                                    const CPtrArray& bars) const
{
    std::vector<dockrows::RowBar> row;
    for (const RowMember& member : RowMembers(rowStart, bars))
    {
        MINMAXINFO minMax = {};
        member.bar->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&minMax));
        dockrows::RowBar rowBar = MeasureBar(member);
        rowBar.minTrack = CSize(minMax.ptMinTrackSize.x, minMax.ptMinTrackSize.y);
        row.push_back(rowBar);
    }
    info = dockrows::MeasureRow(row);
}

BOOL COXSizeDockBar::FitRowToLength(int rowStart, int length, const CPtrArray& bars)
{
    const std::vector<RowMember> members = RowMembers(rowStart, bars);
    std::vector<dockrows::RowBar> row;
    for (const RowMember& member : members)
        row.push_back(MeasureBar(member));
    const std::vector<int> lengths = dockrows::FitRow(row, length, BorderAlong());
    if (lengths.empty())
        return FALSE;
    const int thickness = dockrows::MeasureRow(row).thickness;
    size_t next = 0;
    for (const RowMember& member : members)
    {
        if (!member.sizeable)
            continue;
        SetDockedLength(member.sizeable, lengths[next++]);
        SetDockedThickness(member.sizeable, thickness);
        if (!m_bLayoutQuery)
        {
            const CSize size =
                IsHorz() ? member.sizeable->m_sizeHorzDock : member.sizeable->m_sizeVertDock;
            member.sizeable->SetWindowPos(nullptr, 0, 0, size.cx, size.cy,
                                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    return TRUE;
}

BOOL COXSizeDockBar::FitAllRows(int length)
{
    BOOL fitted = FALSE;
    for (INT_PTR pos = 1; pos < m_arrBars.GetSize(); ++pos)
    {
        if (pos == 1 || !m_arrBars[pos - 1])
        {
            if (m_arrBars[pos] && FitRowToLength(static_cast<int>(pos), length, m_arrBars))
                fitted = TRUE;
        }
    }
    return fitted;
}

void COXSizeDockBar::MakeRoomForBar(CControlBar* bar)
{
    const int pos = FindBar(bar);
    if (pos <= 0)
        return;
    // The row without the bar, as an array of its own.
    CPtrArray others;
    for (INT_PTR i = RowStartOf(pos); i < m_arrBars.GetSize() && m_arrBars[i]; ++i)
    {
        if (i != pos)
            others.Add(m_arrBars[i]);
    }
    others.Add(nullptr);
    dockrows::RowSizeInfo info;
    GetRowSizeInfo(0, info, others);
    const CSize size = bar->CalcFixedLayout(FALSE, IsHorz());
    int length = info.totalLength - (IsHorz() ? size.cx : size.cy);
    if (dynamic_cast<COXSizeControlBar*>(bar) && info.sizeableBars > 0)
        length -= dockrows::kSplitterWidth;
    FitRowToLength(0, std::max(0, length), others);
}

void COXSizeDockBar::MaximizeBarInRow(COXSizeControlBar* bar, BOOL maximize)
{
    const int pos = FindBar(bar);
    if (pos <= 0)
        return;
    const std::vector<RowMember> members = RowMembers(RowStartOf(pos), m_arrBars);
    // Sizes are saved afresh unless another bar of the row is maximized now: then they are
    // the lengths from before that maximize. Saves left from a maximized state that a resize
    // or a drag ended are stale, so they never decide.
    const bool isRowMaximized =
        std::any_of(members.begin(), members.end(),
                    [bar](const RowMember& m)
                    { return m.sizeable && m.sizeable != bar && m.sizeable->m_bMaximized; });
    const bool isSaving = maximize && !isRowMaximized;
    int freed = 0;
    for (const RowMember& member : members)
    {
        COXSizeControlBar* other = member.sizeable;
        if (!other || other == bar)
            continue;
        CSize& docked = IsHorz() ? other->m_sizeHorzDock : other->m_sizeVertDock;
        if (maximize)
        {
            if (isSaving || !other->m_sizeBeforeMaximize)
                other->m_sizeBeforeMaximize = docked;
            freed += DockedLength(other) - dockrows::kMinimizedLength;
            SetDockedLength(other, dockrows::kMinimizedLength);
        }
        else
        {
            if (other->m_sizeBeforeMaximize)
                docked = *other->m_sizeBeforeMaximize;
            other->m_sizeBeforeMaximize.reset();
        }
        if (other->m_bMaximized)
        {
            other->m_bMaximized = FALSE;
            other->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        }
    }
    CSize& own = IsHorz() ? bar->m_sizeHorzDock : bar->m_sizeVertDock;
    if (maximize)
    {
        if (isSaving || !bar->m_sizeBeforeMaximize)
            bar->m_sizeBeforeMaximize = own;
        SetDockedLength(bar, DockedLength(bar) + freed);
    }
    else
    {
        if (bar->m_sizeBeforeMaximize)
            own = *bar->m_sizeBeforeMaximize;
        bar->m_sizeBeforeMaximize.reset();
    }
    if (CFrameWnd* frame = GetParentFrame())
        frame->RecalcLayout();
    // The layout's resizes end any maximized state; this one is set after them.
    bar->m_bMaximized = maximize;
    bar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

int COXSizeDockBar::CountOtherBarsInRow(const CControlBar* bar, const CRect& rect) const
{
    const CPoint middle = rect.CenterPoint();
    const int across = IsHorz() ? middle.y : middle.x;
    for (INT_PTR start = 1; start < m_arrBars.GetSize(); ++start)
    {
        if (start > 1 && m_arrBars[start - 1])
            continue;
        const std::vector<RowMember> members = RowMembers(static_cast<int>(start), m_arrBars);
        if (members.empty())
            continue;
        // The row's span across, from the windows of its bars.
        int low = INT_MAX;
        int high = INT_MIN;
        for (const RowMember& member : members)
        {
            CRect window;
            member.bar->GetWindowRect(&window);
            low = std::min<int>(low, IsHorz() ? window.top : window.left);
            high = std::max<int>(high, IsHorz() ? window.bottom : window.right);
        }
        if (across < low || across >= high)
            continue;
        return static_cast<int>(std::count_if(members.begin(), members.end(),
                                              [bar](const RowMember& m) { return m.bar != bar; }));
    }
    return 0;
}

DWORD COXSizeDockBar::VisibleBarsSignature() const
{
    std::vector<dockrows::Slot> slots(static_cast<size_t>(m_arrBars.GetSize()));
    for (INT_PTR pos = 0; pos < m_arrBars.GetSize(); ++pos)
    {
        dockrows::Slot& slot = slots[static_cast<size_t>(pos)];
        if (!m_arrBars[pos])
            continue;
        CControlBar* bar = BarAt(m_arrBars, pos);
        slot.kind = bar ? dockrows::Slot::Bar : dockrows::Slot::Placeholder;
        slot.visible = IsAlive(bar) && bar->IsVisible();
        slot.splittable = slot.visible && dynamic_cast<COXSizeControlBar*>(bar);
    }
    return dockrows::VisibleBarsSignature(slots);
}

int COXSizeDockBar::MaxLength() const
{
    CRect available = m_rectLayout;
    if (available.IsRectEmpty())
    {
        // Outside a layout: the frame's client area, the left and right dock bars between
        // the top and bottom ones.
        CFrameWnd* frame = GetParentFrame();
        if (!frame)
            return 0;
        frame->GetClientRect(&available);
        frame->ClientToScreen(&available);
        for (POSITION p = frame->m_listControlBars.GetHeadPosition(); p;)
        {
            auto* bar = static_cast<CControlBar*>(frame->m_listControlBars.GetNext(p));
            const UINT id = static_cast<UINT>(bar->GetDlgCtrlID());
            if (!bar->IsDockBar() || bar->IsFloating() || !bar->IsWindowVisible() ||
                id < AFX_IDW_CONTROLBAR_FIRST || id > AFX_IDW_CONTROLBAR_LAST)
                continue;
            CRect window;
            bar->GetWindowRect(&window);
            if (bar->m_dwStyle & (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM))
                available.top = std::max(available.top, window.bottom);
            if (bar->m_dwStyle & (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP))
                available.bottom = std::min(available.bottom, window.top);
        }
    }
    return IsHorz() ? available.Width() : available.Height();
}

std::vector<dockrows::Slot> COXSizeDockBar::MakeSlots(fw::SizeParentParams* moves)
{
    std::vector<dockrows::Slot> slots(static_cast<size_t>(m_arrBars.GetSize()));
    for (INT_PTR pos = 1; pos < m_arrBars.GetSize(); ++pos)
    {
        dockrows::Slot& slot = slots[static_cast<size_t>(pos)];
        if (!m_arrBars[pos])
            continue;
        CControlBar* bar = BarAt(m_arrBars, pos);
        if (!IsAlive(bar))
        {
            slot.kind = dockrows::Slot::Placeholder;
            continue;
        }
        slot.kind = dockrows::Slot::Bar;
        // A delayed show or hide takes effect with this layout.
        slot.visible = (bar->RecalcDelayShow(moves) & WS_VISIBLE) != 0;
        slot.splittable = slot.visible && dynamic_cast<COXSizeControlBar*>(bar);
        CRect window;
        bar->GetWindowRect(&window);
        ScreenToClient(&window);
        slot.currentLead = IsHorz() ? window.left : window.top;
    }
    RefreshSlotSizes(slots);
    return slots;
}

void COXSizeDockBar::RefreshSlotSizes(std::vector<dockrows::Slot>& slots) const
{
    for (size_t pos = 1; pos < slots.size(); ++pos)
    {
        if (slots[pos].kind != dockrows::Slot::Bar || !slots[pos].visible)
            continue;
        CControlBar* bar = BarAt(m_arrBars, static_cast<INT_PTR>(pos));
        const DWORD mode = LayoutModeOf(bar) | (m_bLayoutQuery ? 0 : LM_COMMIT);
        slots[pos].size = bar->CalcDynamicLayout(-1, mode);
    }
}

CSize COXSizeDockBar::CalcFixedLayout(BOOL stretch, BOOL horz)
{
    if (m_arrBars.GetSize() < 2)
        return StretchSize(stretch, horz);
    fw::SizeParentParams moves = {};
    if (!m_bLayoutQuery)
        moves.hDWP = ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));

    dockrows::LayoutParams params;
    params.horz = horz != FALSE;
    params.splitAfterRows = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT)) != 0;
    params.floating = m_bFloating != FALSE;
    params.maxLength = MaxLength();
    params.borderAlong = horz ? fw::CxBorder2() : fw::CyBorder2();
    params.borderAcross = horz ? fw::CyBorder2() : fw::CxBorder2();
    std::vector<dockrows::Slot> slots = MakeSlots(&moves);
    dockrows::Layout layout;
    for (int attempt = 0; attempt < kMaxRefits; ++attempt)
    {
        layout = dockrows::PlaceRows(slots, params);
        for (const int pos : layout.breaks)
            m_arrBars.InsertAt(pos, static_cast<void*>(nullptr));
        if (!layout.refit)
            break;
        // A sizeable bar wrapped: both rows share the length again before the next try.
        FitRowToLength(layout.refitRows[0], params.maxLength, m_arrBars);
        FitRowToLength(layout.refitRows[1], params.maxLength, m_arrBars);
        RefreshSlotSizes(slots);
    }
    for (size_t pos = 1; pos < layout.rects.size(); ++pos)
    {
        const CRect& rect = layout.rects[pos];
        CControlBar* bar = BarAt(m_arrBars, static_cast<INT_PTR>(pos));
        if (!bar || rect.IsRectNull() || m_bLayoutQuery)
            continue;
        if (bar->m_pDockContext && !m_bFloating)
            bar->m_pDockContext->m_rectMRUDockPos = rect;
        fw::RepositionWindow(&moves, bar->m_hWnd, &rect);
    }
    m_splitters = layout.splitters;
    if (moves.hDWP)
        ::EndDeferWindowPos(moves.hDWP);

    CSize size = StretchSize(stretch, horz);
    const CSize extent = horz ? layout.extent : CSize(layout.extent.cy, layout.extent.cx);
    if (!(stretch && horz))
        size.cx = std::max(size.cx, extent.cx);
    if (!(stretch && !horz))
        size.cy = std::max(size.cy, extent.cy);
    // The dock bar's own borders surround the rows.
    CRect inside;
    CalcInsideRect(inside, horz);
    if ((!stretch || !horz) && size.cx != 0)
        size.cx += inside.left - inside.right;
    if ((!stretch || horz) && size.cy != 0)
        size.cy += inside.top - inside.bottom;
    return size;
}

void COXSizeDockBar::MakeRoomForShownBars()
{
    for (INT_PTR start = 1; start < m_arrBars.GetSize(); ++start)
    {
        if (start > 1 && m_arrBars[start - 1])
            continue;
        int shownLength = 0;
        CPtrArray others;
        for (const RowMember& member : RowMembers(static_cast<int>(start), m_arrBars))
        {
            const bool wasHidden = std::find(m_hiddenBars.begin(), m_hiddenBars.end(),
                                             member.bar) != m_hiddenBars.end();
            if (wasHidden)
                shownLength += MeasureBar(member).length;
            else
                others.Add(member.bar);
        }
        if (shownLength > 0 && others.GetSize() > 0)
        {
            others.Add(nullptr);
            dockrows::RowSizeInfo info;
            GetRowSizeInfo(0, info, others);
            FitRowToLength(0, std::max(0, info.totalLength - shownLength), others);
        }
    }
    m_hiddenBars.clear();
    for (INT_PTR pos = 1; pos < m_arrBars.GetSize(); ++pos)
    {
        CControlBar* bar = BarAt(m_arrBars, pos);
        if (IsAlive(bar) && !bar->IsVisible())
            m_hiddenBars.push_back(bar);
    }
}

LRESULT COXSizeDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    const auto* layout = reinterpret_cast<const fw::SizeParentParams*>(lParam);
    const CRect rect(layout->rect);
    const BOOL wasQuery = m_bLayoutQuery;
    m_bLayoutQuery = layout->hDWP == nullptr;
    const int length = IsHorz() ? rect.Width() : rect.Height();
    const bool lengthChanged =
        IsHorz() ? rect.Width() != m_nLastWidth : rect.Height() != m_nLastHeight;
    m_nLastWidth = rect.Width();
    m_nLastHeight = rect.Height();
    MakeRoomForShownBars();
    // A new length, or bars shown, hidden or moved: every row fills the length again.
    const DWORD signature = VisibleBarsSignature();
    if (lengthChanged || signature != m_dwLastSignature)
    {
        FitAllRows(length);
        m_dwLastSignature = signature;
        for (const CDockSplitter& splitter : m_splitters)
            InvalidateRect(&splitter.rect, TRUE);
    }
    m_bLayoutQuery = wasQuery;
    return CDockBar::OnSizeParent(wParam, lParam);
}
