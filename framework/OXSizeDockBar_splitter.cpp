// COXSizeDockBar: splitters: painting, cursors, and dragging them between bars of a row or
// between rows.
#include "framework/OXSizeControlBar.h"
#include "framework/OXSizeDockBar.h"
#include "platform/docview/frame.h"
#include "platform/win/dc.h"
#include "platform/win/resource.h"
#include "widgets/bars/SplitterTracker.h"

#include <algorithm>

namespace
{
// Cursor resources of the splitters; the system's sizing cursors stand in without them.
constexpr UINT kColumnCursorId = 30980;
constexpr UINT kRowCursorId = 30981;

HCURSOR LoadSplitterCursor(UINT id, LPCSTR fallback)
{
    const HCURSOR cursor = fw::LoadResourceCursor(id);
    return cursor ? cursor : ::LoadCursorA(nullptr, fallback);
}

// One-pixel lines across a splitter, the light ones at its leading side.
void DrawSplitter(HDC dc, const CDockSplitter& splitter)
{
    struct Line
    {
        int offset; // from the leading edge; negative from the trailing one
        int color;
    };
    static const Line kLines[] = {{1, COLOR_BTNFACE},
                                  {2, COLOR_BTNHIGHLIGHT},
                                  {-1, COLOR_WINDOWFRAME},
                                  {-2, COLOR_BTNSHADOW}};
    const CRect& r = splitter.rect;
    CDC* cdc = CDC::FromHandle(dc);
    for (const Line& line : kLines)
    {
        const COLORREF color = ::GetSysColor(line.color);
        if (splitter.type == dockrows::kColumnSplitter)
        {
            const int x = line.offset > 0 ? r.left + line.offset : r.right + line.offset;
            cdc->FillSolidRect(x, r.top, 1, r.Height(), color);
        }
        else
        {
            const int y = line.offset > 0 ? r.top + line.offset : r.bottom + line.offset;
            cdc->FillSolidRect(r.left, y, r.Width(), 1, color);
        }
    }
}
} // namespace

void COXSizeDockBar::OnPaint()
{
    CPaintDC dc(this);
    for (const CDockSplitter& splitter : m_splitters)
        DrawSplitter(dc.GetSafeHdc(), splitter);
}

int COXSizeDockBar::HitTestSplitter(CPoint point) const
{
    for (size_t i = m_splitters.size(); i-- > 0;)
    {
        if (m_splitters[i].rect.PtInRect(point))
            return static_cast<int>(i);
    }
    return -1;
}

void COXSizeDockBar::SetSplitterCursor(CPoint point)
{
    if (!m_hcurColumn)
        m_hcurColumn = LoadSplitterCursor(kColumnCursorId, IDC_SIZEWE);
    if (!m_hcurRow)
        m_hcurRow = LoadSplitterCursor(kRowCursorId, IDC_SIZENS);
    const int hit = HitTestSplitter(point);
    if (hit < 0)
        ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    else if (m_splitters[static_cast<size_t>(hit)].type == dockrows::kColumnSplitter)
        ::SetCursor(m_hcurColumn);
    else
        ::SetCursor(m_hcurRow);
}

BOOL COXSizeDockBar::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    // The mouse move set it already.
    if (wnd && wnd->m_hWnd == m_hWnd && hitTest == HTCLIENT)
        return TRUE;
    return CWnd::OnSetCursor(wnd, hitTest, message);
}

void COXSizeDockBar::OnMouseMove(UINT, CPoint point)
{
    SetSplitterCursor(point);
    Default();
}

void COXSizeDockBar::OnLButtonDown(UINT, CPoint point)
{
    const int hit = HitTestSplitter(point);
    if (hit >= 0 && m_nTrackedSplitter < 0)
        TrackSplitter(hit, point);
}

void COXSizeDockBar::OnLButtonUp(UINT, CPoint)
{
    Default();
}

BOOL COXSizeDockBar::IsSplitterInRow(const CDockSplitter& splitter) const
{
    return (splitter.type == dockrows::kColumnSplitter) == (IsHorz() != FALSE);
}

int COXSizeDockBar::RowSizedBy(const CDockSplitter& splitter) const
{
    // After a row in top and left dock bars (index: that row's end), else before the row.
    if (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT))
        return RowStartOf(std::max(splitter.index - 1, 1));
    return splitter.index;
}

int COXSizeDockBar::ShrinkBarsBefore(int pos, int amount, bool apply, int* count)
{
    std::vector<COXSizeControlBar*> bars; // nearest first
    for (const RowMember& member : RowMembers(RowStartOf(pos), m_arrBars))
    {
        if (member.sizeable && member.pos < pos)
            bars.insert(bars.begin(), member.sizeable);
    }
    std::vector<int> lengths;
    for (const COXSizeControlBar* bar : bars)
        lengths.push_back(DockedLength(bar));
    const int taken = dockrows::TakeLength(lengths, 0, +1, amount, apply, count);
    if (apply)
    {
        for (size_t i = 0; i < bars.size(); ++i)
            SetDockedLength(bars[i], lengths[i]);
    }
    return taken;
}

int COXSizeDockBar::ShrinkBarsAfter(int pos, int amount, bool apply, int* count)
{
    std::vector<COXSizeControlBar*> bars;
    CControlBar* last = nullptr;
    for (const RowMember& member : RowMembers(RowStartOf(pos), m_arrBars))
    {
        if (member.pos < pos)
            continue;
        last = member.bar;
        if (member.sizeable)
            bars.push_back(member.sizeable);
    }
    std::vector<int> lengths;
    for (const COXSizeControlBar* bar : bars)
        lengths.push_back(DockedLength(bar));
    int taken = dockrows::TakeLength(lengths, 0, +1, amount, apply, count);
    if (apply)
    {
        for (size_t i = 0; i < bars.size(); ++i)
            SetDockedLength(bars[i], lengths[i]);
    }
    if (taken < amount && last)
    {
        // The room left between the row's last bar and the end of the dock bar.
        CRect window;
        last->GetWindowRect(&window);
        ScreenToClient(&window);
        CRect client;
        GetClientRect(&client);
        const int room = IsHorz() ? client.right - window.right : client.bottom - window.bottom;
        taken += std::min(std::max(room, 0), amount - taken);
    }
    return taken;
}

BOOL COXSizeDockBar::SplitterLimits(const CDockSplitter& splitter, CRect& limit)
{
    const CRect& s = splitter.rect;
    // The tracker keeps a moved top 10 pixels above the limit's bottom.
    constexpr int kTrackerMargin = 10;
    if (IsSplitterInRow(splitter))
    {
        int before = 0;
        int after = 0;
        const int towardStart =
            ShrinkBarsBefore(splitter.index, dockrows::kAllLength, false, &before);
        const int towardEnd = ShrinkBarsAfter(splitter.index, dockrows::kAllLength, false, &after);
        if (before < 1 || after < 1)
            return FALSE;
        if (IsHorz())
            limit.SetRect(s.left - towardStart, s.top, s.left + towardEnd, s.top + kTrackerMargin);
        else
            limit.SetRect(s.left, s.top - towardStart, s.right, s.top + towardEnd + kTrackerMargin);
        return TRUE;
    }
    // Between rows: the row it sizes keeps its minimum thickness; the other way the frame's
    // client area is the bound.
    const int rowStart = RowSizedBy(splitter);
    const std::vector<RowMember> members = RowMembers(rowStart, m_arrBars);
    if (members.empty())
        return FALSE;
    dockrows::RowSizeInfo info;
    GetRowSizeInfo(rowStart, info, m_arrBars);
    CRect row;
    for (const RowMember& member : members)
    {
        CRect window;
        member.bar->GetWindowRect(&window);
        ScreenToClient(&window);
        row.UnionRect(&row, &window);
    }
    CRect frame;
    if (CFrameWnd* parent = GetParentFrame())
    {
        parent->GetClientRect(&frame);
        parent->MapWindowPoints(this, &frame);
    }
    const int w = dockrows::kSplitterWidth;
    if (m_dwStyle & CBRS_ALIGN_TOP)
        limit.SetRect(s.left, row.top + info.minTrack.cy, s.left, frame.bottom);
    else if (m_dwStyle & CBRS_ALIGN_BOTTOM)
        limit.SetRect(s.left, frame.top, s.left,
                      row.bottom - info.minTrack.cy - w + kTrackerMargin);
    else if (m_dwStyle & CBRS_ALIGN_LEFT)
        limit.SetRect(row.left + info.minTrack.cx, s.top, frame.right - w, s.top + kTrackerMargin);
    else
        limit.SetRect(frame.left, s.top, row.right - info.minTrack.cx - w, s.top + kTrackerMargin);
    return TRUE;
}

void COXSizeDockBar::TrackSplitter(int index, CPoint point)
{
    const CDockSplitter splitter = m_splitters[static_cast<size_t>(index)];
    CRect limit;
    if (!SplitterLimits(splitter, limit))
        return;
    m_nTrackedSplitter = index;
    CSplitterTracker tracker;
    tracker.m_rect = splitter.rect;
    tracker.m_rectLimit = limit;
    const bool column = splitter.type == dockrows::kColumnSplitter;
    tracker.m_nStyle = column ? CSplitterTracker::kKeepVertical : CSplitterTracker::kKeepHorizontal;
    const BOOL changed = tracker.TrackHandle(HTCAPTION, this, point, GetParentFrame());
    m_nTrackedSplitter = -1;
    const int moved =
        column ? tracker.m_rect.left - splitter.rect.left : tracker.m_rect.top - splitter.rect.top;
    if (!changed || moved == 0)
        return;
    if (IsSplitterInRow(splitter))
        MoveSplitterInRow(splitter, moved);
    else
        MoveSplitterBetweenRows(splitter, moved);
    Invalidate();
    if (CFrameWnd* frame = GetParentFrame())
        frame->RecalcLayout();
}

void COXSizeDockBar::MoveSplitterInRow(const CDockSplitter& splitter, int moved)
{
    // What one side gives, the nearest sizeable bar on the other side takes.
    const int pos = splitter.index;
    COXSizeControlBar* nearestBefore = nullptr;
    COXSizeControlBar* nearestAfter = nullptr;
    for (const RowMember& member : RowMembers(RowStartOf(pos), m_arrBars))
    {
        if (!member.sizeable)
            continue;
        if (member.pos < pos)
            nearestBefore = member.sizeable;
        else if (!nearestAfter)
            nearestAfter = member.sizeable;
    }
    if (!nearestBefore || !nearestAfter)
        return;
    if (moved < 0)
    {
        const int taken = ShrinkBarsBefore(pos, -moved, true, nullptr);
        SetDockedLength(nearestAfter, DockedLength(nearestAfter) + taken);
    }
    else
    {
        const int taken = ShrinkBarsAfter(pos, moved, true, nullptr);
        SetDockedLength(nearestBefore, DockedLength(nearestBefore) + taken);
    }
}

void COXSizeDockBar::MoveSplitterBetweenRows(const CDockSplitter& splitter, int moved)
{
    const int rowStart = RowSizedBy(splitter);
    dockrows::RowSizeInfo info;
    GetRowSizeInfo(rowStart, info, m_arrBars);
    // A splitter after its row (top, left) grows the row as it moves on; one before it
    // (bottom, right) as it moves back.
    const bool after = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT)) != 0;
    const int minimum = IsHorz() ? info.minTrack.cy : info.minTrack.cx;
    const int thickness = std::max(info.thickness + (after ? moved : -moved), minimum);
    for (const RowMember& member : RowMembers(rowStart, m_arrBars))
    {
        if (member.sizeable)
            SetDockedThickness(member.sizeable, thickness);
    }
}
