// Length of a beam, area of a shell and volume of a solid from the coordinates of their nodes.
#pragma once

#include "core/geometry/GeomObject.h"

class CEntitySet;
class CFEElement;

class CElementMeasure : public CGeomObject
{
public:
    explicit CElementMeasure(const CEntitySet* set)
        : m_set(set)
    {
    }
    ~CElementMeasure() override = default;

    // Distance from the first node to the second (the third of a parabolic beam), times |scale|;
    // 0 when a node is missing.
    double Length(const CFEElement& element, double scale) const;
    // Area of the first face from its corners, times scale; missing nodes are skipped.
    double Area(const CFEElement& element, double scale) const;
    // Sum over all faces of the tetrahedra from a reference corner; missing nodes are skipped.
    double Volume(const CFEElement& element) const;

private:
    const CEntitySet* m_set; // finds the nodes; not owned
};
