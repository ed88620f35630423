// Node positions of one list rebuild.
#include "render/NodePointCache.h"

#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"

#include <algorithm>

void CNodePointCache::Build(const CNodeMap& nodes, const CEntitySet& source)
{
    Clear();
    m_pSource = &source;
    const size_t count = static_cast<size_t>(nodes.GetCount());
    int maxId = -1;
    for (const auto& [id, node] : fw::Assocs(nodes))
    {
        maxId = std::max(maxId, static_cast<int>(id));
    }
    // Dense when the array stays within a few times what the nodes need.
    const bool isDense = maxId >= 0 && static_cast<size_t>(maxId) < 4 * count + 65536;
    if (isDense)
    {
        m_dense.resize(static_cast<size_t>(maxId) + 1);
        m_present.assign(static_cast<size_t>(maxId) + 1, 0);
    }
    else
    {
        m_sparse.reserve(count);
    }
    for (const auto& [id, node] : fw::Assocs(nodes))
    {
        const CPoint3D p = source.GetNodePoint(static_cast<int>(id));
        const Xyz point = {p.x, p.y, p.z};
        if (isDense)
        {
            m_dense[id] = point;
            m_present[id] = 1;
        }
        else
        {
            m_sparse[static_cast<int>(id)] = point;
        }
    }
}

void CNodePointCache::Clear()
{
    m_pSource = nullptr;
    m_dense.clear();
    m_dense.shrink_to_fit();
    m_present.clear();
    m_present.shrink_to_fit();
    m_sparse.clear();
}

bool CNodePointCache::Find(int id, Xyz& point) const
{
    if (id >= 0 && static_cast<size_t>(id) < m_present.size())
    {
        if (!m_present[static_cast<size_t>(id)])
            return false;
        point = m_dense[static_cast<size_t>(id)];
        return true;
    }
    const auto found = m_sparse.find(id);
    if (found == m_sparse.end())
        return false;
    point = found->second;
    return true;
}

CPoint3D CNodePointCache::GetNodePoint(int id) const
{
    Xyz point;
    if (Find(id, point))
        return CPoint3D(point.x, point.y, point.z);
    return m_pSource ? m_pSource->GetNodePoint(id) : CPoint3D();
}

CFENode* CNodePointCache::GetNode(int id) const
{
    return m_pSource ? m_pSource->GetNode(id) : nullptr;
}

CPoint3D CNodePointCache::GetCenter(const CFEElement& element) const
{
    CPoint3D sum;
    const INT_PTR count = element.m_ids.GetSize();
    for (INT_PTR i = 0; i < count; ++i)
        sum = sum + GetNodePoint(element.m_ids[i]);
    return count > 0 ? sum * (1.0 / static_cast<double>(count)) : sum;
}
