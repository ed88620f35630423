// The entity set the contour and vector lists read: displayed node positions computed once
// per rebuild, and the values of the view.
#pragma once

#include "core/geometry/EntitySet.h"

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
        return m_values.GetResultValue(nodeId, elementId);
    }

private:
    const CEntitySet& m_points;
    const CEntitySet& m_values;
};
