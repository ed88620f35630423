// 3-D view: the interactive selection that a pick request opens. Clicks, dragged areas,
// polygons and the toolbar add batches of picked entities; Decision, Abort, Enter, Esc or the
// maximum number of picks end it and hand the entities to the command manager.
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "project/ProjectData.h"
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
constexpr UINT kPickedBuckets = CPickedEntityMap::kDefaultHashTableSize;
} // namespace

void CCAEView::ResetSelection(const CPickRequestRecord& request)
{
    m_bAreaSelect = request.bAreaSelect;
    m_nMaxPicks = request.nMaxPicks;
    m_nMinPicks = request.nMinPicks;
    EditSelection().SetAllowedKinds(request.nAllowedKinds);
    EditSelection().SetFilter(request.nInitialFilter);
    m_nPickOrder = request.nPickOrder;
    // A repeated request of the same kinds keeps the user's last filter choice.
    const int kept = m_nLastSelectionFilter & Selection().Filter();
    if (kept != 0 && m_nLastAllowedKinds == Selection().AllowedKinds())
        EditSelection().SetFilter(kept);
    m_nLastAllowedKinds = Selection().AllowedKinds();
    m_PolygonPoints.RemoveAll();
    m_nPolygonPointCount = 0;
    m_bDecisionPending = 0;
    m_bSelecting = 1;
    EditSelection().SetHover(nullptr);
    m_nPickBatch = 0;
    EmptyPicks();
    m_nRubberBand = kNoBand;
    if (m_hWnd != nullptr)
        SetFocus();
    InvalidateView();
}

void CCAEView::AddPickedEntity(const CEntityArray& entities)
{
    ++m_nPickBatch;
    // Room for the whole list at once: Select All may hand over millions.
    const INT_PTR needed = Selection().Picked().GetCount() + entities.GetSize();
    if (needed > 2 * static_cast<INT_PTR>(Selection().Picked().GetHashTableSize()))
        EditSelection().EditPicked().InitHashTable(static_cast<UINT>(needed + needed / 2) | 1u);
    bool isAdded = false;
    for (CModelEntity* entity : entities)
    {
        if (entity == nullptr || EditSelection().EditPicked().RemoveKey(entity))
            continue;
        EditSelection().EditPicked().SetAt(entity, m_nPickBatch);
        isAdded = true;
    }
    if (!isAdded)
        --m_nPickBatch;
    if (Selection().Picked().GetCount() == m_nMaxPicks)
        CommitSelection(kLimitReached);
    InvalidateView();
}

void CCAEView::CommitSelection(int how)
{
    CSelectionRecord record;
    record.bOk = how == kAbort ? 0 : 1;
    record.bCancel = how == kAbort ? 1 : 0;
    EditSelection().SetAllowedKinds(0);
    m_nLastSelectionFilter = Selection().Filter();
    EditSelection().SetFilter(0);
    FillHandOver(record.m_Entities);
    ClearSelection();
    SendCommand(record);
}

// In pick order: batch by batch, in map order within a batch. Otherwise by id. Both sorts are
// stable, so that equal keys keep map order.
void CCAEView::FillHandOver(CEntityArray& entities) const
{
    std::vector<std::pair<int, CModelEntity*>> picked;
    picked.reserve(static_cast<size_t>(Selection().Picked().GetCount()));
    POSITION pos = Selection().Picked().GetStartPosition();
    while (pos != nullptr)
    {
        CModelEntity* entity = nullptr;
        int batch = 0;
        Selection().Picked().GetNextAssoc(pos, entity, batch);
        picked.emplace_back(m_nPickOrder == CPickRequestRecord::kInPickOrder ? batch : entity->m_id,
                            entity);
    }
    std::stable_sort(picked.begin(), picked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    entities.SetSize(static_cast<INT_PTR>(picked.size()));
    for (size_t i = 0; i < picked.size(); ++i)
        entities[static_cast<INT_PTR>(i)] = picked[i].second;
}

void CCAEView::ClearSelection()
{
    m_bAreaSelect = 0;
    m_bDecisionPending = 0;
    m_bSelecting = 0;
    m_nMaxPicks = -1;
    m_nMinPicks = 0;
    m_PolygonPoints.RemoveAll();
    m_nPolygonPointCount = 0; // with the points: a count without them would read past them
    EditSelection().SetHover(nullptr);
    m_bHoverPending = false;
    m_nPickBatch = 0;
    EmptyPicks();
    m_nRubberBand = kNoBand;
    if (m_hWnd != nullptr)
        PostMessage(WM_SETCURSOR, 0, 0);
    InvalidateView();
}

void CCAEView::EmptyPicks()
{
    // Back to the small table: the next selection need not carry the last one's size.
    EditSelection().EditPicked().RemoveAll();
    EditSelection().EditPicked().InitHashTable(kPickedBuckets, false);
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
    const int shape = AreaShape();
    if (flags & MK_LBUTTON)
    {
        if (shape == 0 && m_bAreaSelect)
            m_nAreaShape = CAESet::kShapeRectangle; // a drag starts a rectangle
        if (shape != 3)
        {
            m_ptMouseLast = CPoint3D(x, y, 0.0);
            m_nRubberBand = AreaShape() == CAESet::kShapeEllipse ? kBandEllipse : kBandRectangle;
            InvalidateView();
            return;
        }
    }
    if (shape == 3)
    {
        m_ptMouseLast = CPoint3D(x, y, 0.0);
        if (m_nPolygonPointCount > 0)
            InvalidateView(); // the rubber edge follows
        return;
    }
    m_ptMouseLast = CPoint3D(x, y, 0.0);
    HoverAt(x, y);
}

void CCAEView::ReleaseSelection(int x, int y)
{
    const int shape = AreaShape();
    if (shape == 0)
    {
        PickSingle(x, y);
        return;
    }
    CEntityArray inside;
    m_AESet.SelectInRectangle(static_cast<int>(m_ptMouseDown.x), static_cast<int>(m_ptMouseDown.y),
                              x, y, shape, inside);
    m_nAreaShape = 0;
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
    if (!m_bSelecting || m_bDecisionPending)
        return;
    if (key == VK_ESCAPE)
    {
        OnEscape();
    }
    else if (key == VK_RETURN)
    {
        if (AreaShape() == 3)
            ClosePolygon();
        else if (Selection().Picked().GetCount() >= m_nMinPicks)
            CommitSelection(kDecision);
    }
}

void CCAEView::ClosePolygon()
{
    m_nAreaShape = 0;
    ::ReleaseCapture();
    const int count = m_nPolygonPointCount;
    std::vector<CPoint3D> points(static_cast<size_t>(count) + 1);
    for (int i = 0; i < count && i < m_PolygonPoints.GetSize(); ++i)
        points[static_cast<size_t>(i)] = CPoint3D(m_PolygonPoints[i].x, m_PolygonPoints[i].y, 0.0);
    m_PolygonPoints.RemoveAll();
    m_nPolygonPointCount = 0;
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
    EmptyPicks();
    m_nPickBatch = 0;
    InvalidateView();
}
