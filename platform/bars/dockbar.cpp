// CDockBar: rows of docked bars, placeholders, insertion under a rectangle and the row layout.
#include "platform/bars/dockbar.h"

#include "platform/bars/dockctx.h"
#include "platform/bars/minidock.h"
#include "platform/docview/frame.h"

#include <algorithm>
#include <climits>

FW_TABLE(CDockBar, CControlBar, fw::on<WM_DESTROY, &CDockBar::OnDestroy>(),
         fw::raw<WM_SIZEPARENT, &CDockBar::OnSizeParent>())

namespace
{
constexpr UINT_PTR kFirstPointer = 0x10000;

int Along(const SIZE& size, bool horz)
{
    return horz ? size.cx : size.cy;
}

int Across(const SIZE& size, bool horz)
{
    return horz ? size.cy : size.cx;
}

int LeadEdge(const RECT& rect, bool horz)
{
    return horz ? rect.left : rect.top;
}

// A rectangle from positions along and across a row.
CRect RowRect(int along, int across, int length, int thickness, bool horz)
{
    return horz ? CRect(along, across, along + length, across + thickness)
                : CRect(across, along, across + thickness, along + length);
}

// Running state of the row layout.
struct RowCursor
{
    int rowStart = 0;  // across: where the current row begins
    int along = 0;     // along: where the next bar may begin
    int thickness = 0; // across: the thickest bar of the row so far
    int extent = 0;    // along: the longest row so far
    bool hasBar = false;

    void EndRow()
    {
        rowStart += thickness;
        extent = std::max(extent, along);
        along = 0;
        thickness = 0;
        hasBar = false;
    }
};
} // namespace

CDockBar::CDockBar(BOOL floating)
    : m_bFloating(floating)
{
    m_arrBars.Add(nullptr);
}

CDockBar::~CDockBar()
{
    // The bars must not point here once this object is gone.
    for (INT_PTR pos = 0; pos < m_arrBars.GetSize(); ++pos)
    {
        if (CControlBar* bar = GetDockedControlBar(static_cast<int>(pos)))
        {
            if (bar->m_pDockBar == this)
                bar->m_pDockBar = nullptr;
        }
    }
}

BOOL CDockBar::Create(CWnd* parent, DWORD style, UINT id)
{
    m_dwStyle = style & CBRS_ALL;
    const DWORD windowStyle = (style & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CWnd::Create(nullptr, nullptr, windowStyle, CRect(0, 0, 0, 0), parent, id);
}

DWORD CDockBar::LayoutModeOf(const CControlBar* bar)
{
    if ((bar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (bar->m_dwStyle & CBRS_FLOATING))
        return LM_HORZ | LM_MRUWIDTH;
    if (bar->m_dwStyle & CBRS_ORIENT_HORZ)
        return LM_HORZ | LM_HORZDOCK;
    return LM_VERTDOCK;
}

bool CDockBar::IsPlaceholder(const void* entry)
{
    return entry && reinterpret_cast<UINT_PTR>(entry) < kFirstPointer;
}

void* CDockBar::Placeholder(UINT barId)
{
    return reinterpret_cast<void*>(static_cast<UINT_PTR>(barId));
}

BOOL CDockBar::IsDockBar() const
{
    return TRUE;
}

int CDockBar::FindBar(const CControlBar* bar, int excludePos) const
{
    for (INT_PTR pos = 0; pos < m_arrBars.GetSize(); ++pos)
    {
        if (pos != excludePos && m_arrBars[pos] == bar)
            return static_cast<int>(pos);
    }
    return -1;
}

CControlBar* CDockBar::GetDockedControlBar(int pos) const
{
    void* entry = m_arrBars[pos];
    if (!entry || IsPlaceholder(entry))
        return nullptr;
    return static_cast<CControlBar*>(entry);
}

int CDockBar::GetDockedCount() const
{
    int count = 0;
    for (INT_PTR pos = 0; pos < m_arrBars.GetSize(); ++pos)
    {
        if (GetDockedControlBar(static_cast<int>(pos)))
            ++count;
    }
    return count;
}

int CDockBar::GetDockedVisibleCount() const
{
    int count = 0;
    for (INT_PTR pos = 0; pos < m_arrBars.GetSize(); ++pos)
    {
        const CControlBar* bar = GetDockedControlBar(static_cast<int>(pos));
        if (bar && bar->IsVisible())
            ++count;
    }
    return count;
}

void CDockBar::DockControlBar(CControlBar* bar, LPCRECT rect)
{
    const bool hasRect = rect && !CRect(rect).IsRectEmpty();
    CRect clientRect;
    if (hasRect)
    {
        clientRect = *rect;
        ScreenToClient(&clientRect);
    }
    const int oldPos = bar->m_pDockBar == this ? FindBar(bar) : -1;
    if (oldPos > 0)
    {
        if (!hasRect)
            return; // docked here already, and no new place asked for
        RemoveControlBar(bar);
    }
    const UINT barId = static_cast<UINT>(bar->GetDlgCtrlID());
    if (hasRect)
    {
        bool newRow = false;
        const int pos = InsertPosition(clientRect, &newRow);
        m_arrBars.InsertAt(pos, bar);
        if (newRow)
            m_arrBars.InsertAt(pos + 1, nullptr);
    }
    else if (const int placeholder = FindBar(static_cast<CControlBar*>(Placeholder(barId)));
             placeholder > 0)
    {
        m_arrBars[placeholder] = bar;
    }
    else
    {
        m_arrBars.Add(bar);
        m_arrBars.Add(nullptr);
    }
    // A bar docks in one place: its old places elsewhere are forgotten.
    if (!m_bFloating)
        RemovePlaceholdersOnSite(barId);
    Adopt(bar, hasRect ? &clientRect : nullptr);
}

void CDockBar::Adopt(CControlBar* bar, const CRect* clientRect)
{
    CDockBar* old = bar->m_pDockBar;
    if (::GetParent(bar->m_hWnd) != m_hWnd)
        bar->SetParent(this);
    // At the place asked for, or at the row start, where the layout packs it after the others.
    const CPoint place = clientRect ? clientRect->TopLeft() : CPoint(0, 0);
    bar->SetWindowPos(nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    bar->m_pDockBar = this;
    if (!bar->m_pDockSite)
        bar->m_pDockSite = m_pDockSite;
    // Only a bar leaving a docked place for a floating one keeps its place there.
    if (old && old != this)
        old->RemoveControlBar(bar, -1, !old->m_bFloating && m_bFloating);

    DWORD style = (bar->m_dwStyle & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY);
    style = m_bFloating ? (style | CBRS_FLOATING) : (style & ~CBRS_FLOATING);
    bar->SetBarStyle(style);
    if (bar->m_pDockContext && !m_bFloating)
        bar->m_pDockContext->m_uMRUDockID = static_cast<UINT>(GetDlgCtrlID());
    if (m_bFloating)
    {
        // The floating frame shows the bar's title.
        CString title;
        bar->GetWindowText(title);
        SetWindowText(title);
    }
}

BOOL CDockBar::RemoveControlBar(CControlBar* bar, int excludePos, BOOL leavePlaceholder)
{
    const int pos = FindBar(bar, excludePos);
    if (pos <= 0)
        return FALSE;
    if (leavePlaceholder)
    {
        m_arrBars[pos] = Placeholder(static_cast<UINT>(bar->GetDlgCtrlID()));
    }
    else
    {
        m_arrBars.RemoveAt(pos);
        // A row left without entries goes with its end.
        if (!m_arrBars[pos - 1] && pos < m_arrBars.GetSize() && !m_arrBars[pos])
            m_arrBars.RemoveAt(pos);
    }
    if (bar->m_pDockBar == this)
        bar->m_pDockBar = nullptr;
    if (m_bFloating && GetDockedCount() == 0)
    {
        // An empty floating frame goes; while the bar is still inside it (being destroyed)
        // it only hides, as destroying an ancestor from there is not safe.
        CWnd* frame = GetParent();
        if (frame && ::IsChild(frame->m_hWnd, bar->m_hWnd))
            frame->ShowWindow(SW_HIDE);
        else if (auto* mini = dynamic_cast<CMiniDockFrameWnd*>(frame))
            mini->DestroyWindow();
    }
    return TRUE;
}

BOOL CDockBar::RemovePlaceholder(UINT barId)
{
    BOOL removed = FALSE;
    for (int pos = FindBar(static_cast<CControlBar*>(Placeholder(barId))); pos > 0;
         pos = FindBar(static_cast<CControlBar*>(Placeholder(barId))))
    {
        m_arrBars.RemoveAt(pos);
        if (!m_arrBars[pos - 1] && pos < m_arrBars.GetSize() && !m_arrBars[pos])
            m_arrBars.RemoveAt(pos);
        removed = TRUE;
    }
    return removed;
}

void CDockBar::RemovePlaceholdersOnSite(UINT barId)
{
    if (!m_pDockSite)
        return;
    const CPtrList& bars = m_pDockSite->m_listControlBars;
    for (POSITION position = bars.GetHeadPosition(); position;)
    {
        auto* bar = static_cast<CControlBar*>(bars.GetNext(position));
        if (bar->IsDockBar() && !bar->IsFloating())
            static_cast<CDockBar*>(bar)->RemovePlaceholder(barId);
    }
}

void CDockBar::ReplaceBars(const std::vector<void*>& entries)
{
    m_arrBars.RemoveAll();
    m_arrBars.Add(nullptr);
    for (void* entry : entries)
    {
        // No empty rows.
        if (entry || m_arrBars[m_arrBars.GetUpperBound()])
            m_arrBars.Add(entry);
    }
    if (m_arrBars[m_arrBars.GetUpperBound()])
        m_arrBars.Add(nullptr);
    for (INT_PTR pos = 0; pos < m_arrBars.GetSize(); ++pos)
    {
        if (CControlBar* bar = GetDockedControlBar(static_cast<int>(pos)))
            Adopt(bar, nullptr);
    }
}

int CDockBar::InsertPosition(const CRect& rect, bool* newRow) const
{
    const bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const int middle = horz ? (rect.top + rect.bottom) / 2 : (rect.left + rect.right) / 2;
    const int lead = LeadEdge(rect, horz);
    const int size = static_cast<int>(m_arrBars.GetSize());
    for (int rowBegin = 1; rowBegin < size;)
    {
        int rowEnd = rowBegin;
        while (rowEnd < size && m_arrBars[rowEnd])
            ++rowEnd;
        // The row's span across, from the bars that show.
        int low = INT_MAX;
        int high = INT_MIN;
        CRect barRect;
        for (int pos = rowBegin; pos < rowEnd; ++pos)
        {
            if (!GetVisibleBarRect(pos, &barRect))
                continue;
            low = std::min<int>(low, horz ? barRect.top : barRect.left);
            high = std::max<int>(high, horz ? barRect.bottom : barRect.right);
        }
        if (low < high && middle < low)
        {
            *newRow = true;
            return rowBegin;
        }
        if (low < high && middle < high)
        {
            *newRow = false;
            for (int pos = rowBegin; pos < rowEnd; ++pos)
            {
                if (GetVisibleBarRect(pos, &barRect) && LeadEdge(barRect, horz) >= lead)
                    return pos;
            }
            return rowEnd;
        }
        rowBegin = rowEnd + 1;
    }
    *newRow = true;
    return size;
}

BOOL CDockBar::GetVisibleBarRect(int pos, CRect* rect) const
{
    const CControlBar* bar = GetDockedControlBar(pos);
    if (!bar || !bar->IsVisible())
        return FALSE;
    bar->GetWindowRect(rect);
    ScreenToClient(rect);
    return TRUE;
}

CSize CDockBar::MaxLength() const
{
    CSize available = m_rectLayout.Size();
    if (m_rectLayout.IsRectEmpty())
    {
        CRect client;
        if (CFrameWnd* frame = GetParentFrame())
            frame->GetClientRect(&client);
        available = client.Size();
    }
    CRect inside(CPoint(0, 0), available);
    CalcInsideRect(inside, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    return inside.Size();
}

CSize CDockBar::CalcFixedLayout(BOOL stretch, BOOL horzArg)
{
    const bool horz = horzArg != FALSE;
    const int maxLength = m_bFloating ? INT_MAX / 2 : Along(MaxLength(), horz);
    fw::SizeParentParams moves = {};
    if (!m_bLayoutQuery)
        moves.hDWP = ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
    RowCursor row;
    for (INT_PTR pos = 1; pos < m_arrBars.GetSize(); ++pos)
    {
        if (!m_arrBars[pos])
        {
            row.EndRow();
            continue;
        }
        CControlBar* bar = GetDockedControlBar(static_cast<int>(pos));
        if (!bar || !(bar->RecalcDelayShow(&moves) & WS_VISIBLE))
            continue;
        const DWORD mode = LayoutModeOf(bar) | (m_bLayoutQuery ? 0 : LM_COMMIT);
        const CSize size = bar->CalcDynamicLayout(-1, mode);
        const int length = Along(size, horz);
        int start = row.along;
        if (!m_bFloating)
        {
            // A bar keeps a place the user gave it, as far as the row allows.
            CRect current;
            bar->GetWindowRect(&current);
            ScreenToClient(&current);
            start = std::max(row.along, LeadEdge(current, horz));
            if (start + length > maxLength)
                start = std::max(row.along, maxLength - length);
            if (row.hasBar && start + length > maxLength)
            {
                // It does not fit: it starts the next row.
                if (!m_bLayoutQuery)
                    m_arrBars.InsertAt(pos++, nullptr);
                row.EndRow();
                start = 0;
            }
        }
        const CRect rect = RowRect(start, row.rowStart, length, Across(size, horz), horz);
        if (!m_bLayoutQuery)
        {
            if (bar->m_pDockContext && !m_bFloating)
                bar->m_pDockContext->m_rectMRUDockPos = rect;
            fw::RepositionWindow(&moves, bar->m_hWnd, &rect);
        }
        row.along = start + length;
        row.thickness = std::max(row.thickness, Across(size, horz));
        row.hasBar = true;
    }
    row.EndRow();
    if (moves.hDWP)
        ::EndDeferWindowPos(moves.hDWP);

    CSize result = horz ? CSize(row.extent, row.rowStart) : CSize(row.rowStart, row.extent);
    if (row.rowStart > 0)
    {
        // The dock bar's own borders surround the rows.
        CRect inside;
        CalcInsideRect(inside, horz);
        result.cx -= inside.Width();
        result.cy -= inside.Height();
    }
    if (stretch)
    {
        if (horz)
            result.cx = 32767;
        else
            result.cy = 32767;
    }
    return result;
}

void CDockBar::OnDestroy()
{
    for (INT_PTR pos = 0; pos < m_arrBars.GetSize(); ++pos)
    {
        if (CControlBar* bar = GetDockedControlBar(static_cast<int>(pos)))
        {
            if (bar->m_pDockBar == this)
                bar->m_pDockBar = nullptr;
        }
    }
    m_arrBars.RemoveAll();
    m_arrBars.Add(nullptr);
    CControlBar::OnDestroy();
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    const auto* layout = reinterpret_cast<const fw::SizeParentParams*>(lParam);
    const BOOL wasQuery = m_bLayoutQuery;
    m_bLayoutQuery = layout->hDWP == nullptr;
    m_rectLayout = layout->rect;
    const LRESULT result = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = wasQuery;
    return result;
}
