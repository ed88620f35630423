// Renderer: the fixed lists of picked entities (direction arrows, id labels) built again from the
// ids they were last built for, in whichever context is current: a printout has a context of
// its own, and ids, unlike the entities' addresses, are safe to look up again.
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "render/AESet.h"
#include "render/SceneView.h"

std::vector<int> CAESet::IdsOf(const CEntityArray& entities, bool isNodes)
{
    std::vector<int> ids;
    for (CModelEntity* entity : entities)
    {
        const bool isNode = dynamic_cast<const CFENode*>(entity) != nullptr;
        const bool isElement = dynamic_cast<const CFEElement*>(entity) != nullptr;
        if (isNodes ? isNode : isElement)
            ids.push_back(entity->m_id);
    }
    return ids;
}

void CAESet::RebuildPickedLists()
{
    if (m_pView == nullptr || m_pGroup == nullptr)
        return;
    RunPendingRenderAll();
    const auto entitiesOf = [this](const std::vector<int>& ids, bool isNodes)
    {
        CEntityArray entities;
        for (const int id : ids)
        {
            CModelEntity* entity = isNodes ? static_cast<CModelEntity*>(m_pGroup->GetNode(id))
                                           : static_cast<CModelEntity*>(m_pGroup->FindElement(id));
            if (entity != nullptr)
                entities.Add(entity);
        }
        return entities;
    };
    // Each list only when it was built: a list never built is not called into being.
    if (m_arrowElementIds)
        CreateSelectionDisplayList(entitiesOf(*m_arrowElementIds, false));
    if (m_labelElementIds)
        CreateElementIdLabels(entitiesOf(*m_labelElementIds, false));
    if (m_labelNodeIds)
        CreateNodeIdLabels(entitiesOf(*m_labelNodeIds, true));
}
