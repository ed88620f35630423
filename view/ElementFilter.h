// The element filter of one view: which properties, materials and groups it shows (id to 1,
// visible, or 0, hidden), the element ids of the visible groups, and which of them is in effect
// (CCAEView::ElementFilterMode).
#pragma once

#include "platform/base/coll_map.h"

class CElementFilter
{
public:
    using CIdFlags = CMap<UINT, UINT, int, int>;

    int Mode() const { return m_mode; }
    void SetMode(int mode) { m_mode = mode; }

    const CIdFlags& Properties() const { return m_properties; }
    CIdFlags& Properties() { return m_properties; }
    const CIdFlags& Materials() const { return m_materials; }
    CIdFlags& Materials() { return m_materials; }
    const CIdFlags& Groups() const { return m_groups; }
    CIdFlags& Groups() { return m_groups; }
    const CIdFlags& VisibleElementIds() const { return m_visibleElementIds; }
    CIdFlags& VisibleElementIds() { return m_visibleElementIds; }

private:
    int m_mode = 0; // CCAEView::kFilterByProperty
    CIdFlags m_properties;
    CIdFlags m_materials;
    CIdFlags m_groups;
    CIdFlags m_visibleElementIds;
};
