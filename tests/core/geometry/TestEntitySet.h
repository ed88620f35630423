// A small entity set for tests: owns nodes and elements by id, answers lookups from them.
#pragma once

#include "core/geometry/EntitySet.h"
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"

#include <initializer_list>
#include <map>
#include <memory>

class TestEntitySet : public CEntitySet
{
public:
    void Node(int id, double x, double y, double z)
    {
        m_nodes[id] = std::make_unique<CFENode>(id, CPoint3D(x, y, z));
    }

    CFENode* GetNode(int id) const override
    {
        const auto found = m_nodes.find(id);
        return found != m_nodes.end() ? found->second.get() : nullptr;
    }
    CPoint3D GetNodePoint(int id) const override
    {
        const CFENode* node = GetNode(id);
        return node != nullptr ? CPoint3D(node->m_coord) : CPoint3D();
    }

private:
    std::map<int, std::unique_ptr<CFENode>> m_nodes;
};

// An element of the given descriptor with its node ids, faces built.
inline std::unique_ptr<CFEElement> MakeElement(int id, int descriptorId,
                                               std::initializer_list<int> nodeIds)
{
    auto element = std::make_unique<CFEElement>();
    element->m_id = id;
    element->m_feDescriptorId = descriptorId;
    for (int nodeId : nodeIds)
        element->m_ids.Add(nodeId);
    element->m_nodeCount = static_cast<int>(nodeIds.size());
    element->SetFaceCountByDescriptor(descriptorId);
    element->BuildElementFaces();
    return element;
}
