// The interactive selection of one view: the pick request it runs (area shapes, the number of
// picks wanted, the order of the hand-over), the batches of picks with their undo, the filter
// kept between requests of the same kinds, and the polygon being drawn. The picks, the hovered
// entity and the kinds are kept in the view's selection state, which the renderer reads.
#pragma once

#include "platform/base/coll_array.h"
#include "render/SelectionState.h"

#include <windows.h>

struct CPickRequestRecord;

class CViewSelection
{
public:
    explicit CViewSelection(CSelectionState& state)
        : m_state(state)
    {
    }
    CViewSelection(const CViewSelection&) = delete;
    CViewSelection& operator=(const CViewSelection&) = delete;

    // Opens a selection for the request: its kinds and filter (a repeated request of the same
    // kinds keeps the user's last filter choice), no picks, no polygon.
    void Open(const CPickRequestRecord& request);
    // Ends the request: its kinds and filter go, the filter is remembered for the next one.
    void EndRequest();
    // Closes the selection: nothing picked, hovered, offered or pending.
    void Close();

    // Each entity is picked, or unpicked when it was picked; the batch counts only when it
    // added something. True when the picks reached the request's maximum.
    bool AddBatch(const CEntityArray& entities);
    // Takes back the entities of the last batch.
    void CancelLastBatch();
    // No picks and no batches.
    void ClearPicks();
    // The picked entities: batch by batch in pick order when the request asked for it, else by
    // id; map order among equals.
    void FillHandOver(CEntityArray& entities) const;
    bool HasEnoughPicks() const { return m_state.PickCount() >= m_minPicks; }
    int PickBatch() const { return m_pickBatch; }

    bool IsSelecting() const { return m_isSelecting; }
    // A command holds the decision: picks wait until it answers.
    bool IsDecisionPending() const { return m_isDecisionPending; }
    void SetDecisionPending(bool isPending) { m_isDecisionPending = isPending; }

    // Area shapes (CAESet::AreaShape, 3 the polygon): offered by the request, chosen on the
    // Selection Mode toolbar; AreaShape is the shape in effect.
    bool OffersAreas() const { return m_offersAreas; }
    int ChosenShape() const { return m_chosenShape; }
    int AreaShape() const { return m_offersAreas ? m_chosenShape : 0; }
    void ChooseShape(int shape);
    void DropShape() { m_chosenShape = 0; }

    // The polygon's corners in client pixels, in the order clicked.
    const CArray<POINT>& Polygon() const { return m_polygon; }
    int PolygonPointCount() const { return static_cast<int>(m_polygon.GetSize()); }
    void AddPolygonPoint(POINT point) { m_polygon.Add(point); }
    void ClearPolygon() { m_polygon.RemoveAll(); }

private:
    void EmptyPicks();

    CSelectionState& m_state;
    bool m_isSelecting = false;
    bool m_isDecisionPending = false;
    bool m_offersAreas = false;
    int m_chosenShape = 0;
    int m_maxPicks = -1;
    int m_minPicks = 0;
    int m_pickBatch = 0;
    int m_pickOrder = 0;
    int m_lastFilter = 0;
    int m_lastAllowedKinds = 0;
    CArray<POINT> m_polygon;
};
