// The interactive selection of a view, apart from its window.
#include "view/ViewSelection.h"

#include "core/geometry/ModelEntity.h"
#include "view/CmdRecord.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace
{
constexpr UINT kPickedBuckets = CPickedEntityMap::kDefaultHashTableSize;
} // namespace

void CViewSelection::Open(const CPickRequestRecord& request)
{
    m_offersAreas = request.bAreaSelect != 0;
    m_maxPicks = request.nMaxPicks;
    m_minPicks = request.nMinPicks;
    m_state.SetAllowedKinds(request.nAllowedKinds);
    m_state.SetFilter(request.nInitialFilter);
    m_pickOrder = request.nPickOrder;
    const int kept = m_lastFilter & m_state.Filter();
    if (kept != 0 && m_lastAllowedKinds == m_state.AllowedKinds())
        m_state.SetFilter(kept);
    m_lastAllowedKinds = m_state.AllowedKinds();
    m_polygon.RemoveAll();
    m_isDecisionPending = false;
    m_isSelecting = true;
    m_state.SetHover(nullptr);
    ClearPicks();
}

void CViewSelection::EndRequest()
{
    m_state.SetAllowedKinds(0);
    m_lastFilter = m_state.Filter();
    m_state.SetFilter(0);
}

void CViewSelection::Close()
{
    m_offersAreas = false;
    m_isDecisionPending = false;
    m_isSelecting = false;
    m_maxPicks = -1;
    m_minPicks = 0;
    m_polygon.RemoveAll();
    m_state.SetHover(nullptr);
    ClearPicks();
}

bool CViewSelection::AddBatch(const CEntityArray& entities)
{
    CPickedEntityMap& picked = m_state.EditPicked();
    ++m_pickBatch;
    // Room for the whole list at once: Select All may hand over millions.
    const INT_PTR needed = picked.GetCount() + entities.GetSize();
    if (needed > 2 * static_cast<INT_PTR>(picked.GetHashTableSize()))
        picked.InitHashTable(static_cast<UINT>(needed + needed / 2) | 1u);
    bool isAdded = false;
    for (CModelEntity* entity : entities)
    {
        if (entity == nullptr || picked.RemoveKey(entity))
            continue;
        picked.SetAt(entity, m_pickBatch);
        isAdded = true;
    }
    if (!isAdded)
        --m_pickBatch;
    return picked.GetCount() == m_maxPicks;
}

void CViewSelection::CancelLastBatch()
{
    CPickedEntityMap& picked = m_state.EditPicked();
    std::vector<CModelEntity*> last;
    for (const auto& [entity, batch] : fw::Assocs(picked))
    {
        if (batch == m_pickBatch)
            last.push_back(entity);
    }
    for (CModelEntity* entity : last)
        picked.RemoveKey(entity);
    if (m_pickBatch > 0)
        --m_pickBatch;
}

void CViewSelection::ClearPicks()
{
    EmptyPicks();
    m_pickBatch = 0;
}

// Both sorts are stable, so that equal keys keep map order.
void CViewSelection::FillHandOver(CEntityArray& entities) const
{
    const CPickedEntityMap& map = m_state.Picked();
    std::vector<std::pair<int, CModelEntity*>> picked;
    picked.reserve(static_cast<size_t>(map.GetCount()));
    for (const auto& [entity, batch] : fw::Assocs(map))
    {
        picked.emplace_back(m_pickOrder == CPickRequestRecord::kInPickOrder ? batch : entity->m_id,
                            entity);
    }
    std::stable_sort(picked.begin(), picked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    entities.SetSize(static_cast<INT_PTR>(picked.size()));
    for (size_t i = 0; i < picked.size(); ++i)
        entities[static_cast<INT_PTR>(i)] = picked[i].second;
}

void CViewSelection::ChooseShape(int shape)
{
    m_chosenShape = shape;
    m_offersAreas = true;
}

void CViewSelection::EmptyPicks()
{
    // Back to the small table: the next selection need not carry the last one's size.
    m_state.EditPicked().RemoveAll();
    m_state.EditPicked().InitHashTable(kPickedBuckets, false);
}
