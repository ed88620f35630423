// Group membership, bounding box, and the outer-face and feature-edge extraction.
#include "core/model/GroupSet.h"

#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/OuterFaces.h"
#include "core/model/ViewServices.h"

#include <algorithm>
#include <vector>

namespace
{
constexpr UINT kMemberTableSize = 200000;
constexpr double kBoxUnset = 99999999.0;

void WidenBox(CBox3D& box, const CPoint3D& p)
{
    box.min.x = std::min(box.min.x, p.x);
    box.min.y = std::min(box.min.y, p.y);
    box.min.z = std::min(box.min.z, p.z);
    box.max.x = std::max(box.max.x, p.x);
    box.max.y = std::max(box.max.y, p.y);
    box.max.z = std::max(box.max.z, p.z);
}
} // namespace

CGroupSet::CGroupSet()
    : m_name("Group")
{
    // Tables come with their first member: a project may hold many small or empty groups, and
    // six empty tables of this size cost 10 MB and a walk of their buckets when freed.
    m_solids.InitHashTable(kMemberTableSize, false);
    m_beams.InitHashTable(kMemberTableSize, false);
    m_springs.InitHashTable(kMemberTableSize, false);
    m_masses.InitHashTable(kMemberTableSize, false);
    m_shells.InitHashTable(kMemberTableSize, false);
    m_nodes.InitHashTable(kMemberTableSize, false);
    ResetBoundingBox();
}

CGroupSet::~CGroupSet() = default;

CFENode* CGroupSet::GetNode(int id) const
{
    CFENode* const* node = m_nodeIndex.Find(id);
    return node != nullptr ? *node : nullptr;
}

CPoint3D CGroupSet::GetNodePoint(int id) const
{
    const CFENode* node = GetNode(id);
    return node ? CPoint3D(node->m_coord) : CPoint3D();
}

bool CGroupSet::AddNode(CFENode* node)
{
    if (node == nullptr || GetNode(node->m_id) != nullptr)
        return false;
    m_nodes.SetAt(static_cast<UINT>(node->m_id), node);
    m_nodeIndex.At(node->m_id) = node;
    WidenBox(m_box, node->m_coord);
    return true;
}

CFEElement* CGroupSet::FindElement(int id) const
{
    const UINT key = static_cast<UINT>(id);
    CFEElement* element = nullptr;
    for (const CElementMap* map : {&m_solids, &m_shells, &m_beams, &m_springs, &m_masses})
    {
        if (map->Lookup(key, element))
            return element;
    }
    return nullptr;
}

bool CGroupSet::AddElement(CFEElement* element)
{
    CElementMap* map = element ? MapForTag(element->type) : nullptr;
    if (map == nullptr)
        return false;
    map->SetAt(static_cast<UINT>(element->m_id), element);
    return true;
}

bool CGroupSet::RemoveElement(const CFEElement* element)
{
    CElementMap* map = element ? MapForTag(element->type) : nullptr;
    if (map == nullptr)
        return false;
    RemoveFromMap(*map, static_cast<UINT>(element->m_id));
    return true;
}

bool CGroupSet::RemoveNode(const CFENode* node)
{
    if (node == nullptr)
        return false;
    m_nodes.RemoveKey(static_cast<UINT>(node->m_id));
    m_nodeIndex.Clear(node->m_id);
    if (m_nodes.IsEmpty())
    {
        m_nodes.RemoveAll();
        m_nodeIndex.RemoveAll();
    }
    return true;
}

void CGroupSet::RemoveAll()
{
    m_solidEdges.RemoveAll();
    m_shellEdges.RemoveAll();
}

void CGroupSet::DeleteNodes()
{
    // In id order, through the index: the order in which readers made them.
    ForEachNode([](CFENode* node) { delete node; });
    m_nodes.RemoveAll();
    m_nodeIndex.RemoveAll();
}

void CGroupSet::CollectElements(CElementMap& target) const
{
    for (const CElementMap* map : {&m_solids, &m_shells, &m_springs, &m_beams, &m_masses})
    {
        for (const auto& [id, element] : fw::Assocs(*map))
        {
            if (element != nullptr)
                target.SetAt(id, element);
        }
    }
}

void CGroupSet::UpdateBoundingBox(int visibleOnly, const CVisibilityView* filterView)
{
    const CVisibilityView* view = visibleOnly ? filterView : nullptr;
    if (visibleOnly && view == nullptr)
        return; // no view to ask: nothing counts
    bool isFirst = true;
    for (const auto& [id, node] : fw::Assocs(m_nodes))
    {
        if (node == nullptr || (view != nullptr && !view->HasVisibleElement(node)))
            continue;
        if (isFirst)
        {
            m_box.min = node->m_coord;
            m_box.max = node->m_coord;
            isFirst = false;
        }
        else
        {
            WidenBox(m_box, node->m_coord);
        }
    }
}

CPoint3D CGroupSet::GetCenter() const
{
    return m_box.min + (m_box.max - m_box.min) * 0.5;
}

void CGroupSet::ResetBoundingBox()
{
    m_box.min = CPoint3D(kBoxUnset, kBoxUnset, kBoxUnset);
    m_box.max = CPoint3D(-kBoxUnset, -kBoxUnset, -kBoxUnset);
}

bool CGroupSet::ExtractOuterFaces(CEdgeMap& edgeMap, int modelCount, const CElementMap& elementMap,
                                  const CVisibilityView* view)
{
    (void)modelCount; // the tables are sized from the faces actually visited
    if (view != nullptr)
        ExtractOuterFacesOnThreads(edgeMap, elementMap, *view, 0);
    return true;
}

CElementMap* CGroupSet::MapForTag(int tag)
{
    switch (tag)
    {
    case kTagBeam: return &m_beams;
    case kTagSolid: return &m_solids;
    case kTagSpring: return &m_springs;
    case kTagMass: return &m_masses;
    case kTagShell: return &m_shells;
    default: return nullptr;
    }
}

void CGroupSet::RemoveFromMap(CElementMap& map, UINT id)
{
    map.RemoveKey(id);
    if (map.IsEmpty())
        map.RemoveAll(); // frees the table; the next insertion makes it again at its size
}
