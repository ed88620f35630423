// Section plane record.
#include "render/ClipPlane.h"

#include "core/geometry/FENode.h"
#include "core/geometry/VectorMath.h"
#include "core/model/FEElement.h"
#include "render/Segment3D.h"

#include <algorithm>

void CClipPlane::SetPlane(const CSegment3D& segment, double stepSize, int stepCount)
{
    const CPoint3D normal = Normalize(segment.m_end);
    const CPoint3D& p = segment.m_start;
    m_a = normal.x;
    m_b = normal.y;
    m_c = normal.z;
    m_d = -(m_a * p.x + m_b * p.y + m_c * p.z);
    m_stepSize = stepSize;
    m_nSteps = std::clamp(stepCount, 0, kMaxSteps);
    for (int i = 0; i <= m_nSteps; ++i)
        m_stepOffsets[i] = i * stepSize;
}

void CClipPlane::ComputeNodeDistances(const CNodeMap& nodes, int nodeCount,
                                      const CElementMap& elements, int elementCount)
{
    m_nNodeCount = std::max(nodeCount, 0);
    m_nElementCount = std::max(elementCount, 0);
    m_nodeDistances.assign(static_cast<size_t>(m_nNodeCount) + 1, 0.0);
    m_elementMin.assign(static_cast<size_t>(m_nElementCount) + 1, 0.0);
    m_elementMax.assign(static_cast<size_t>(m_nElementCount) + 1, 0.0);

    bool isFirst = true;
    for (POSITION pos = nodes.GetStartPosition(); pos;)
    {
        UINT id = 0;
        CFENode* node = nullptr;
        nodes.GetNextAssoc(pos, id, node);
        if (!node || node->m_index < 0 || node->m_index > m_nNodeCount)
            continue;
        const CPoint3D& p = node->m_coord;
        const double distance = m_a * p.x + m_b * p.y + m_c * p.z + m_d;
        m_nodeDistances[static_cast<size_t>(node->m_index)] = distance;
        m_minDistance = isFirst ? distance : std::min(m_minDistance, distance);
        m_maxDistance = isFirst ? distance : std::max(m_maxDistance, distance);
        isFirst = false;
    }

    for (POSITION pos = elements.GetStartPosition(); pos;)
    {
        UINT id = 0;
        CFEElement* element = nullptr;
        elements.GetNextAssoc(pos, id, element);
        if (!element || element->m_index < 0 || element->m_index > m_nElementCount)
            continue;
        const size_t slot = static_cast<size_t>(element->m_index);
        bool isFirstNode = true;
        for (const int nodeId : element->m_ids)
        {
            CFENode* node = nullptr;
            if (!nodes.Lookup(static_cast<UINT>(nodeId), node) || !node || node->m_index < 0 ||
                node->m_index > m_nNodeCount)
                continue;
            const double distance = m_nodeDistances[static_cast<size_t>(node->m_index)];
            m_elementMin[slot] = isFirstNode ? distance : std::min(m_elementMin[slot], distance);
            m_elementMax[slot] = isFirstNode ? distance : std::max(m_elementMax[slot], distance);
            isFirstNode = false;
        }
    }
}
