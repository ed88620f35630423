// The frame's dock state: where its bars are, and putting them back there.
#include "platform/bars/dockbar.h"
#include "platform/bars/dockctx.h"
#include "platform/bars/dockstate.h"
#include "platform/bars/minidock.h"
#include "platform/base/file.h"
#include "platform/docview/frame.h"

#include <memory>
#include <set>

namespace
{
std::vector<BYTE> SaveExtraState(const CControlBar* bar)
{
    CMemFile file;
    CArchive archive(&file, CArchive::store);
    bar->SaveExtraState(archive);
    archive.Close();
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void LoadExtraState(CControlBar* bar, const std::vector<BYTE>& bytes)
{
    if (bytes.empty())
        return;
    std::vector<BYTE> copy = bytes; // the file reads from a buffer it may not own
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    try
    {
        CArchive archive(&file, CArchive::load);
        bar->LoadExtraState(archive);
        archive.Close();
    }
    catch (CException* e)
    {
        // A blob the bar cannot read leaves the bar as it is.
        e->Delete();
    }
}

// A dock bar's entries as stored: bar ids, marked placeholder ids, 0 ending rows.
std::vector<UINT> EntriesOf(const CDockBar* dockBar)
{
    std::vector<UINT> entries;
    for (INT_PTR pos = 1; pos < dockBar->m_arrBars.GetSize(); ++pos)
    {
        const void* entry = dockBar->m_arrBars[pos];
        if (!entry)
            entries.push_back(0);
        else if (CDockBar::IsPlaceholder(entry))
            entries.push_back(static_cast<UINT>(reinterpret_cast<UINT_PTR>(entry)) |
                              CControlBarInfo::kPlaceholder);
        else
            entries.push_back(
                static_cast<UINT>(static_cast<const CControlBar*>(entry)->GetDlgCtrlID()));
    }
    return entries;
}

void FillInfo(CControlBarInfo& info, CControlBar* bar)
{
    info.m_pBar = bar;
    info.m_nBarID = static_cast<UINT>(bar->GetDlgCtrlID());
    info.m_bVisible = bar->IsVisible();
    info.m_bFloating = bar->IsFloating();
    info.m_bHorz = (bar->m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    info.m_nMRUWidth = bar->m_nMRUWidth;
    if (bar->IsDockBar())
    {
        auto* dockBar = static_cast<CDockBar*>(bar);
        info.m_bDockBar = TRUE;
        info.m_dwStyle = bar->m_dwStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI | CBRS_SIZE_DYNAMIC);
        info.m_arrBarID = EntriesOf(dockBar);
        if (dockBar->m_bFloating)
        {
            CRect frame;
            dockBar->GetParent()->GetWindowRect(&frame);
            info.m_pointPos = frame.TopLeft();
            info.m_bVisible = dockBar->GetParent()->IsWindowVisible();
        }
    }
    else if (bar->m_pDockBar && !bar->m_pDockBar->m_bFloating)
    {
        CRect rect;
        bar->GetWindowRect(&rect);
        bar->m_pDockBar->ScreenToClient(&rect);
        info.m_pointPos = rect.TopLeft();
    }
    if (const CDockContext* context = bar->m_pDockContext)
    {
        info.m_bDocking = TRUE;
        info.m_uMRUDockID = context->m_uMRUDockID;
        info.m_rectMRUDockPos = context->m_rectMRUDockPos;
        info.m_dwMRUFloatStyle = context->m_dwMRUFloatStyle;
        info.m_ptMRUFloatPos = context->m_ptMRUFloatPos;
    }
    info.m_extraState = SaveExtraState(bar);
}

// Applying a dock state: the bars it names, taken out of their places, then put into the
// dock bars and floating frames the state describes.
class StateApplier
{
public:
    StateApplier(CFrameWnd* frame, const CDockState& state)
        : m_frame(frame)
        , m_state(state)
    {
    }

    void Apply()
    {
        const std::vector<CDockBar*> oldFloating = FloatingDockBars();
        TakeOutNamedBars();
        for (const CControlBarInfo* info : m_state.m_arrBarInfo)
        {
            if (!info->m_bDockBar)
                continue;
            if (info->m_bFloating)
                RecreateFloatingFrame(*info);
            else if (auto* dockBar =
                         dynamic_cast<CDockBar*>(m_frame->GetControlBar(info->m_nBarID)))
                FillDockBar(dockBar, *info, true);
        }
        for (const CControlBarInfo* info : m_state.m_arrBarInfo)
        {
            if (!info->m_bDockBar)
                RestoreBar(*info);
        }
        // Floating frames the state did not keep are left empty: they go.
        for (CDockBar* dockBar : oldFloating)
        {
            if (dockBar->GetDockedCount() == 0)
                dockBar->GetParent()->DestroyWindow();
        }
        m_frame->RecalcLayout();
        for (CMiniDockFrameWnd* frame : m_newFrames)
            frame->RecalcLayout();
    }

private:
    std::vector<CDockBar*> FloatingDockBars() const
    {
        std::vector<CDockBar*> found;
        const CPtrList& bars = m_frame->m_listControlBars;
        for (POSITION position = bars.GetHeadPosition(); position;)
        {
            auto* bar = static_cast<CControlBar*>(bars.GetNext(position));
            if (bar->IsDockBar() && bar->IsFloating())
                found.push_back(static_cast<CDockBar*>(bar));
        }
        return found;
    }

    // A bar the state places: known to the frame, not a dock bar, and placed once.
    CControlBar* NamedBar(UINT entry) const
    {
        if (entry == 0 || (entry & CControlBarInfo::kPlaceholder))
            return nullptr;
        CControlBar* bar = m_frame->GetControlBar(entry);
        return bar && !bar->IsDockBar() ? bar : nullptr;
    }

    void TakeOutNamedBars()
    {
        for (const CControlBarInfo* info : m_state.m_arrBarInfo)
        {
            for (const UINT entry : info->m_arrBarID)
            {
                CControlBar* bar = NamedBar(entry);
                if (!bar || !bar->m_pDockBar)
                    continue;
                bar->m_pDockBar->RemoveControlBar(bar);
                // Parked on the frame until its dock bar takes it.
                bar->SetParent(m_frame);
            }
        }
    }

    void FillDockBar(CDockBar* dockBar, const CControlBarInfo& info, bool keepUnnamed)
    {
        std::vector<void*> entries;
        for (const UINT entry : info.m_arrBarID)
        {
            if (entry == 0)
                entries.push_back(nullptr);
            else if (entry & CControlBarInfo::kPlaceholder)
                entries.push_back(CDockBar::Placeholder(entry & ~CControlBarInfo::kPlaceholder));
            else if (CControlBar* bar = NamedBar(entry); bar && m_placed.insert(bar).second)
                entries.push_back(bar);
        }
        // Bars docked here that the state does not know stay, in rows of their own after.
        if (keepUnnamed)
        {
            for (INT_PTR pos = 1; pos < dockBar->m_arrBars.GetSize(); ++pos)
            {
                CControlBar* bar = dockBar->GetDockedControlBar(static_cast<int>(pos));
                if (bar && !m_placed.count(bar))
                {
                    entries.push_back(bar);
                    entries.push_back(nullptr);
                }
            }
        }
        dockBar->ReplaceBars(entries);
    }

    void RecreateFloatingFrame(const CControlBarInfo& info)
    {
        CMiniDockFrameWnd* frame = nullptr;
        try
        {
            frame = m_frame->CreateFloatingFrame(info.m_dwStyle);
        }
        catch (CException* e)
        {
            e->Delete(); // its bars stay parked, as hidden as they were
            return;
        }
        frame->SetWindowPos(nullptr, info.m_pointPos.x, info.m_pointPos.y, 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        FillDockBar(&frame->m_wndDockBar, info, false);
        m_newFrames.push_back(frame);
    }

    void RestoreBar(const CControlBarInfo& info)
    {
        CControlBar* bar = NamedBar(info.m_nBarID);
        if (!bar)
            return; // a bar this program no longer has
        bar->m_nStateFlags &= ~(CControlBar::delayHide | CControlBar::delayShow);
        bar->SetWindowPos(nullptr, 0, 0, 0, 0,
                          SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                              (info.m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        // A docked bar starts where it was; the layout keeps that place as far as it can.
        if (bar->m_pDockBar && !bar->m_pDockBar->m_bFloating)
            bar->SetWindowPos(nullptr, info.m_pointPos.x, info.m_pointPos.y, 0, 0,
                              SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        bar->m_nMRUWidth = info.m_nMRUWidth;
        if (info.m_bDocking && bar->m_pDockContext)
        {
            CDockContext* context = bar->m_pDockContext;
            context->m_uMRUDockID = info.m_uMRUDockID;
            context->m_rectMRUDockPos = info.m_rectMRUDockPos;
            context->m_dwMRUFloatStyle = info.m_dwMRUFloatStyle;
            context->m_ptMRUFloatPos = info.m_ptMRUFloatPos;
        }
        LoadExtraState(bar, info.m_extraState);
    }

    CFrameWnd* m_frame;
    const CDockState& m_state;
    std::set<const CControlBar*> m_placed;
    std::vector<CMiniDockFrameWnd*> m_newFrames;
};
} // namespace

void CFrameWnd::GetDockState(CDockState& state)
{
    state.Clear();
    for (POSITION position = m_listControlBars.GetHeadPosition(); position;)
    {
        auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(position));
        if (!bar->m_hWnd)
            continue;
        auto info = std::make_unique<CControlBarInfo>();
        FillInfo(*info, bar);
        state.m_arrBarInfo.Add(info.release());
    }
}

void CFrameWnd::SetDockState(const CDockState& state)
{
    StateApplier(this, state).Apply();
}
