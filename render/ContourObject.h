// The contour drawables: one element at a time, turned into polygons by the element's kind and
// the band table's contour type, with displayed node positions and values from the view's
// entity set, and handed to the band cutting. CContourObject colours by values per node,
// CElementContourObject by each element's own values at its nodes.
#pragma once

#include "core/geometry/Point3D.h"
#include "render/ContourCutter.h"
#include "render/DrawObject.h"

#include <vector>

class CFEElement;
class CFEFace;
class CModelEntity;

class CContourObject : public CResultDrawObject
{
public:
    // A model entity with this tag is a polygon of nodes, coloured by its mean value.
    static constexpr int kTagPolygonEntity = 125;
    // Faces of a solid beyond this many are left out of its iso-surfaces.
    static constexpr int kMaxIsoFaces = 16;

    // Both borrowed; the table must outlive the object.
    CContourObject(CResultDisplayAttr* bands, CEntitySet* entitySet, int curveDivisions);
    ~CContourObject() override = default;

    // Draws one entity into the display list being compiled.
    void DrawEntity(const CModelEntity* entity, CDrawDevice* device);
    // Moves a point toward the element centre by the shrink factor.
    CPoint3D ShrinkPoint(const CPoint3D& point) const;
    void DrawFilled(CDrawDevice*) override {}
    void DrawOutline(CDrawDevice*) override {}

    // Values along a curved outline: divisions + 1 values per node-to-node step, from each
    // value toward the next (the last toward the first). Returns their sum. Zero or fewer
    // divisions give one value per step.
    static double SubdivideEdgeValues(const double* values, int count, int divisions,
                                      std::vector<double>& out);

    int m_nCurveDivisions;
    CPoint3D m_elementCentre;

protected:
    CContourObject(CResultDisplayAttr* bands, CEntitySet* entitySet, int curveDivisions,
                   bool isElementValues);

private:
    // Corner positions and values of a face in node order (every node of a face with
    // mid-side nodes), with their centroid and mean value; false when a value is missing.
    bool LoadFace(const CFEFace& face, int elementId);
    // The face's curved outline and its values in place of the corners.
    bool LoadOutline(const CFEFace& face);
    void DrawFaces(const CFEElement& element, CDrawDevice* device);
    // The bands of the loaded face's values (first > last when none has a value), and whether
    // they all lie in one.
    void BandRange(int& first, int& last) const;
    bool IsInOneBand() const;
    void DrawFaceBands(const CFEElement& element, const CFEFace& face, CDrawDevice* device);
    void DrawFaceSmooth(const CFEFace& face, CDrawDevice* device);
    void DrawElementFaceSmooth(CDrawDevice* device);
    void DrawFaceLines(CDrawDevice* device);
    void DrawFaceIsoBands(const CFEElement& element, CDrawDevice* device);
    void DrawSolidIsoSurfaces(const CFEElement& element, CDrawDevice* device);
    void CutSolidFace(int faceIndex, const CFEFace& face, int elementId);
    void DrawPolygonEntity(const CModelEntity& entity, CDrawDevice* device);
    void DrawBeamBands(const CFEElement& element, CDrawDevice* device);
    void DrawBeamSegment(const CPoint3D& a, double va, const CPoint3D& b, double vb,
                         CDrawDevice* device);
    double NodeValue(int nodeId, int elementId) const;

    CContourCutter m_cutter;
    bool m_bElementValues;
    // Scratch of the face being drawn.
    std::vector<CPoint3D> m_points;
    std::vector<double> m_values;
    std::vector<double> m_nodeValues;
    CPoint3D m_faceCentre;
    double m_meanValue = 0.0;
    CPoint3DArray m_polygon;
    std::vector<CColorRGBA> m_colors;
    std::vector<CPoint3D> m_isoPolygon;
};

class CElementContourObject : public CContourObject
{
public:
    CElementContourObject(CResultDisplayAttr* bands, CEntitySet* entitySet);
    ~CElementContourObject() override = default;
};
