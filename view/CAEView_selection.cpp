// 3-D view: the interactive selection that a pick request opens. Clicks, dragged areas,
// polygons and the toolbar add batches of picked entities; Decision, Abort, Enter, Esc or the
// maximum number of picks end it and hand the entities to the command manager.
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "project/ProjectData.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/CmdManager.h"
#include "view/CmdRecord.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace
{
constexpr double kPickTolerance = 0.01;
constexpr int kClickableKinds = kKindNode | kKindSolid | kKindShell | kKindBeam | kKindElass;
} // namespace

void CCAEView::ResetSelection(const CPickRequestRecord& request)
{
    m_viewSelection.Open(request);
    m_nRubberBand = kNoBand;
    if (m_hWnd != nullptr)
        SetFocus();
    InvalidateView();
}

void CCAEView::AddPickedEntity(const CEntityArray& entities)
{
    if (m_viewSelection.AddBatch(entities))
        CommitSelection(kLimitReached);
    InvalidateView();
}

void CCAEView::CommitSelection(int how)
{
    CSelectionRecord record;
    record.bOk = how == kAbort ? 0 : 1;
    record.bCancel = how == kAbort ? 1 : 0;
    m_viewSelection.EndRequest();
    m_viewSelection.FillHandOver(record.m_Entities);
    ClearSelection();
    SendCommand(record);
}

void CCAEView::ClearSelection()
{
    m_viewSelection.Close();
    m_bHoverPending = false;
    m_nRubberBand = kNoBand;
    if (m_hWnd != nullptr)
        PostMessage(WM_SETCURSOR, 0, 0);
    InvalidateView();
}

int CCAEView::PickableKinds() const
{
    const CAESettings* settings = GetSettings();
    const int shown = settings ? static_cast<int>(settings->m_displayFilter) : 0;
    return Selection().Filter() & Selection().AllowedKinds() & shown & kClickableKinds;
}

void CCAEView::PickAt(int x, int y, CEntityArray& hits)
{
    const int kinds = PickableKinds();
    if (kinds == 0)
        return;
    MakeCurrent();
    CDWordArray lists;
    m_AESet.GetPickLists(kinds, lists);
    if (lists.IsEmpty())
        return;
    const CPickHitList found = Device().Pick(x, y, lists, &Camera(kSceneViewport), kPickTolerance);
    const CSelectionNames& names = Device().GetSelectionNames();
    for (const DWORD name : found.m_names)
    {
        // Names stand for the model entities the lists were built from.
        const auto* entity = static_cast<const CModelEntity*>(names.Find(name));
        if (entity != nullptr)
            hits.Add(const_cast<CModelEntity*>(entity));
    }
}

// One hit is picked at once; several go to the running selection command, which lets the user
// choose among them.
void CCAEView::PickSingle(int x, int y)
{
    CEntityArray hits;
    PickAt(x, y, hits);
    if (hits.GetSize() == 1)
    {
        AddPickedEntity(hits);
    }
    else if (hits.GetSize() > 1)
    {
        CCmdRecord record;
        record.nCode = CCmdRecord::kCandidates;
        record.pData = &hits;
        SendCommand(record);
    }
}

void CCAEView::DragSelection(UINT flags, int x, int y)
{
    const int shape = m_viewSelection.AreaShape();
    if (flags & MK_LBUTTON)
    {
        if (shape == 0 && m_viewSelection.OffersAreas())
            m_viewSelection.ChooseShape(CAESet::kShapeRectangle); // a drag starts a rectangle
        if (shape != 3)
        {
            m_ptMouseLast = CPoint3D(x, y, 0.0);
            m_nRubberBand = m_viewSelection.AreaShape() == CAESet::kShapeEllipse ? kBandEllipse
                                                                                 : kBandRectangle;
            InvalidateView();
            return;
        }
    }
    if (shape == 3)
    {
        m_ptMouseLast = CPoint3D(x, y, 0.0);
        if (m_viewSelection.PolygonPointCount() > 0)
            InvalidateView(); // the rubber edge follows
        return;
    }
    m_ptMouseLast = CPoint3D(x, y, 0.0);
    HoverAt(x, y);
}

void CCAEView::ReleaseSelection(int x, int y)
{
    const int shape = m_viewSelection.AreaShape();
    if (shape == 0)
    {
        PickSingle(x, y);
        return;
    }
    CEntityArray inside;
    m_AESet.SelectInRectangle(static_cast<int>(m_ptMouseDown.x), static_cast<int>(m_ptMouseDown.y),
                              x, y, shape, inside);
    m_viewSelection.DropShape();
    if (!inside.IsEmpty())
        AddPickedEntity(inside);
}

void CCAEView::OnKeyDown(UINT key, UINT, UINT)
{
    OnSelectionKey(key);
    Default();
}

void CCAEView::OnSelectionKey(UINT key)
{
    if (!m_viewSelection.IsSelecting() || m_viewSelection.IsDecisionPending())
        return;
    if (key == VK_ESCAPE)
    {
        OnEscape();
    }
    else if (key == VK_RETURN)
    {
        if (m_viewSelection.AreaShape() == 3)
            ClosePolygon();
        else if (m_viewSelection.HasEnoughPicks())
            CommitSelection(kDecision);
    }
}

void CCAEView::ClosePolygon()
{
    m_viewSelection.DropShape();
    ::ReleaseCapture();
    const CArray<POINT>& polygon = m_viewSelection.Polygon();
    const int count = m_viewSelection.PolygonPointCount();
    std::vector<CPoint3D> points(static_cast<size_t>(count) + 1);
    for (int i = 0; i < count; ++i)
        points[static_cast<size_t>(i)] = CPoint3D(polygon[i].x, polygon[i].y, 0.0);
    m_viewSelection.ClearPolygon();
    CEntityArray inside;
    m_AESet.SelectInPolygon(points.data(), count, inside);
    AddPickedEntity(inside);
}

// Esc empties a selection that holds picks (the picture follows), and aborts an empty one.
void CCAEView::OnEscape()
{
    if (Selection().Picked().IsEmpty())
    {
        CommitSelection(kAbort);
        return;
    }
    m_viewSelection.ClearPicks();
    InvalidateView();
}

CCAEView::EntrySpan CCAEView::SelectionKeyEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        fw::on<WM_KEYDOWN, &CCAEView::OnKeyDown>(),
    };
    return {kEntries, std::size(kEntries)};
}
