// Small models built in code for the model-database tests: nodes on a grid, quad shells,
// bricks, a view that shows everything and a sink that keeps the lines it gets.
#pragma once

#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "core/model/ViewServices.h"
#include "core/services/OutputSink.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

class CapturingSink : public COutputSink
{
public:
    void AddOutputLine(const std::string& line) override { lines.push_back(line); }

    std::vector<std::string> lines;
};

// Shows every element.
class ShowAllView : public CVisibilityView
{
public:
    int IsEntityVisible(const CFEElement* element) const override { return element ? 1 : 0; }
    bool HasVisibleElement(const CFENode* node) const override
    {
        return node != nullptr && node->m_ids.GetSize() > 0;
    }
};

inline CFENode* AddTestNode(CModelSet& model, int id, double x, double y, double z)
{
    CFENode* node = new CFENode(id, CPoint3D(x, y, z));
    if (!model.AddNode(node))
    {
        delete node;
        return nullptr;
    }
    return node;
}

inline CFEElement* AddTestElement(CModelSet& model, int id, int tag, int descriptorId,
                                  std::initializer_list<int> nodeIds, int propertyId = 1,
                                  int materialId = 1)
{
    CFEElement* element = new CFEElement();
    element->type = tag;
    element->m_id = id;
    element->m_feDescriptorId = descriptorId;
    element->m_propertyId = propertyId;
    element->m_materialId = materialId;
    for (int nodeId : nodeIds)
        element->m_ids.Add(nodeId);
    element->m_nodeCount = static_cast<int>(nodeIds.size());
    if (!model.AddElement(element))
    {
        delete element;
        return nullptr;
    }
    return element;
}

inline CFEElement* AddQuad(CModelSet& model, int id, int n1, int n2, int n3, int n4)
{
    return AddTestElement(model, id, kTagShell, 94, {n1, n2, n3, n4});
}

inline CFEElement* AddBrick(CModelSet& model, int id, std::initializer_list<int> nodeIds)
{
    return AddTestElement(model, id, kTagSolid, 115, nodeIds);
}

inline std::vector<int> ElementIdsOfNode(const CModelSet& model, int nodeId)
{
    std::vector<int> ids;
    const CFENode* node = model.GetNode(nodeId);
    for (int i = 0; node && i < node->m_ids.GetSize(); ++i)
        ids.push_back(node->m_ids[i]);
    std::sort(ids.begin(), ids.end()); // the order follows the element map's iteration
    return ids;
}
