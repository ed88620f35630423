// Contours on section planes: an element is cut by the clip plane and each of its parallel
// step planes, the cut points chained into one polygon with a value at each vertex, and the
// polygon drawn in bands, lines, smooth shading or one band colour. CPlaneContourObject takes
// values per node (or per element), CElementPlaneContourObject each element's own values at
// its nodes.
#pragma once

#include "core/geometry/Point3D.h"
#include "render/ContourCutter.h"
#include "render/DrawObject.h"

#include <vector>

class CClipPlane;
class CFEElement;
class CFEFace;
class CResultData;

// The values of a result that a plane contour reads.
enum class ValueBlock
{
    NodeScalars,
    ElementScalars,
    NodeVectors,    // component 0, 1, 2: x, y, z
    ElementVectors, // likewise
    ElementNodes    // component -1: the scalar, 0 to 2 the vector's x, y, z
};

class CPlaneContourObject : public CResultDrawObject
{
public:
    // Segment ends closer than this in x, y and z join.
    static constexpr double kJoinTolerance = 0.0001;

    // All borrowed. Values that a result does not hold are no values: a polygon touching one
    // is not drawn.
    CPlaneContourObject(CEntitySet* entitySet, const CClipPlane* plane, CResultDisplayAttr* bands,
                        const CResultData* result, ValueBlock block, int component);
    ~CPlaneContourObject() override = default;

    void DrawFilled(CDrawDevice*) override {}
    void DrawOutline(CDrawDevice*) override {}

    // Draws the element's section on every step plane that meets it.
    void DrawOnPlanes(const CFEElement& element, CDrawDevice* device);
    // The value at a node of the element; NaN when the result has none.
    double CornerValue(int nodeId, int elementId) const;

protected:
    struct CutPoint
    {
        CPoint3D point;
        double value;
        bool isFree; // not chained yet
    };

    // Cuts one face with the plane at the offset; true when the face lies in the plane.
    bool CutFace(const CFEFace& face, int elementId, double offset, std::vector<CutPoint>& facet);
    // Chains the cut segments of the faces into the section polygon.
    void ChainSection(int faceCount);
    void DrawSection(const CFEElement& element, CDrawDevice* device);
    // The normal the section is lit with.
    CPoint3D SectionNormal() const;
    double ElementValue(int elementId) const;
    double ReadValue(int id) const;
    double NodeCornerValue(int nodeId) const;

    const CClipPlane* m_pPlane;   // not owned
    const CResultData* m_pResult; // not owned
    ValueBlock m_block;
    int m_nComponent;
    bool m_bElementValues = false;
    CContourCutter m_cutter;
    std::vector<std::vector<CutPoint>> m_faceCuts; // one per face
    std::vector<CPoint3D> m_polygon;
    std::vector<double> m_values;
};

class CElementPlaneContourObject : public CPlaneContourObject
{
public:
    // The values of the result's element-corner records; component -1 for the scalar.
    CElementPlaneContourObject(CEntitySet* entitySet, const CClipPlane* plane,
                               CResultDisplayAttr* bands, const CResultData* result, int component);
    ~CElementPlaneContourObject() override = default;
};
