// The entity set the contour and vector lists read: displayed node positions computed once
// per rebuild, and the values of the view.
#pragma once

#include "core/geometry/EntitySet.h"
#include "core/model/GroupSet.h"

#include <algorithm>
#include <cstdint>
#include <vector>

class CContourSource : public CEntitySet
{
public:
    // Both borrowed.
    CContourSource(const CEntitySet& points, const CEntitySet& values)
        : m_points(points)
        , m_values(values)
    {
    }

    CFENode* GetNode(int id) const override { return m_points.GetNode(id); }
    CPoint3D GetNodePoint(int id) const override { return m_points.GetNodePoint(id); }
    double GetResultValue(int nodeId, int elementId) const override
    {
        if (elementId == 0 && HoldsNodeValue(nodeId))
            return m_nodeValues[static_cast<size_t>(nodeId)];
        return m_values.GetResultValue(nodeId, elementId);
    }

    // Reads the value of every node once, for the contours that ask by node alone (element 0):
    // a node is shared by up to eight faces, and the view looks its result up at every ask.
    // Ids far beyond the node count are left to the view.
    void CacheNodeValues(const CNodeMap& nodes)
    {
        int maxId = -1;
        for (const auto& [id, node] : fw::Assocs(nodes))
            maxId = std::max(maxId, static_cast<int>(id));
        const size_t count = static_cast<size_t>(nodes.GetCount());
        if (maxId < 0 || static_cast<size_t>(maxId) >= 4 * count + 65536)
            return;
        m_nodeValues.assign(static_cast<size_t>(maxId) + 1, 0.0);
        m_isCached.assign(static_cast<size_t>(maxId) + 1, 0);
        for (const auto& [id, node] : fw::Assocs(nodes))
        {
            m_nodeValues[id] = m_values.GetResultValue(static_cast<int>(id), 0);
            m_isCached[id] = 1;
        }
    }

    // Whether the node's value by node alone was read by CacheNodeValues.
    bool HoldsNodeValue(int nodeId) const
    {
        return nodeId >= 0 && static_cast<size_t>(nodeId) < m_isCached.size() &&
               m_isCached[static_cast<size_t>(nodeId)];
    }

private:
    const CEntitySet& m_points;
    const CEntitySet& m_values;
    std::vector<double> m_nodeValues; // by node id
    std::vector<uint8_t> m_isCached;
};
