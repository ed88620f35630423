// The part of a view's interactive selection that the renderer highlights and filters by: the
// picked entities with their pick batches, the entity under the cursor, the kinds the running
// pick request accepts and the kinds the user lets through. The view changes it.
#pragma once

#include "render/EntityArray.h"

class CSelectionState
{
public:
    CSelectionState() = default;
    CSelectionState(const CSelectionState&) = delete;
    CSelectionState& operator=(const CSelectionState&) = delete;

    // Picked entity -> the pick batch that added it.
    const CPickedEntityMap& Picked() const { return m_picked; }
    CPickedEntityMap& EditPicked() { return m_picked; }
    INT_PTR PickCount() const { return m_picked.GetCount(); }

    // Under the cursor; not owned.
    CModelEntity* Hover() const { return m_hover; }
    void SetHover(CModelEntity* entity) { m_hover = entity; }

    // EntityKindBit the running pick request accepts (0: no selection open).
    int AllowedKinds() const { return m_allowedKinds; }
    void SetAllowedKinds(int kinds) { m_allowedKinds = kinds; }
    // EntityKindBit the user lets through.
    int Filter() const { return m_filter; }
    void SetFilter(int kinds) { m_filter = kinds; }

private:
    CPickedEntityMap m_picked;
    CModelEntity* m_hover = nullptr;
    int m_allowedKinds = 0;
    int m_filter = 0;
};
