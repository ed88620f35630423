// Band cutting of one polygon at a time while a contour display list is compiled: band
// facets, contour lines, fan decomposition, smooth shading, outlined facets, and the chaining
// of level crossings on the faces of a solid into iso-surface polygons.
// Scratch storage lives as long as the cutter, so cutting a polygon allocates nothing once the
// first few polygons have sized it.
#pragma once

#include "core/geometry/ColorRGBA.h"
#include "core/geometry/Point3D.h"
#include "render/Facet.h"

#include <vector>

class CDrawDevice;
class CResultDisplayAttr;

// Band of a value in a band table. A value beyond the levels goes to the nearer end band (on
// its outer level), so that no caller addresses a band past the last; false for NaN, which
// means "no value", and for a table without bands.
bool FindBandClamped(const CResultDisplayAttr& bands, double value, int& kind, int& band);

class CContourCutter
{
public:
    // Vertex flags of band facets.
    enum VertexFlag
    {
        kConsumed = 0,   // taken by iso-surface chaining
        kOnUpper = 1,    // on the upper level of the band (a crossing, or a corner there)
        kInsideBand = 2, // strictly inside the band
        kOnLower = 3     // on the lower level of the band
    };
    // Smooth shading: the nodal face rule lets values this far above the range keep the ramp.
    static constexpr double kFaceUpperTolerance = 1e-7;
    // Smooth polygons beyond this many vertices are split into a fan.
    static constexpr int kMaxSmoothVertices = 8;
    // Iso-surface segment ends closer than this in x, y and z are one point.
    static constexpr double kIsoTolerance = 0.0001;

    explicit CContourCutter(const CResultDisplayAttr* bands);
    ~CContourCutter();
    CContourCutter(const CContourCutter&) = delete;
    CContourCutter& operator=(const CContourCutter&) = delete;

    // FindBandClamped on the cutter's table.
    bool ClassifyValue(double value, int& kind, int& band) const;
    int GetBandCount() const { return m_nBands; }
    const CColorRGBA& GetBandColor(int band) const;
    // Where the level crosses the edge from pointA (value a) to pointB (value b); a != b.
    static CPoint3D InterpolateEdge(double level, double a, double b, const CPoint3D& pointA,
                                    const CPoint3D& pointB);

    // Cuts the polygon into one facet per band and draws each in its band colour; lit modes
    // with a normal set the band colour as material. A polygon with a NaN value draws nothing.
    void DrawPolygonBands(const CPoint3D* points, const double* values, int count,
                          CDrawDevice* device, int mode, const CPoint3D* normal);
    void DrawPolygonBands(const CFacet& polygon, CDrawDevice* device, int mode,
                          const CPoint3D* normal);
    // Only the facet of one band (all of them for -1).
    void DrawPolygonBand(const CPoint3D* points, const double* values, int count,
                         CDrawDevice* device, int mode, const CPoint3D* normal, int band);
    // The fan of triangles from each edge of the polygon to centre (with centreValue), drawn
    // band by band as DrawPolygonBand would draw each band of each triangle, so that the
    // colour changes once per band; each triangle is cut once, not once per band.
    void DrawFanBandByBand(const CPoint3D* points, const double* values, int count,
                           const CPoint3D& centre, double centreValue, CDrawDevice* device,
                           int mode, const CPoint3D* normal);
    // Contour lines: each level crossing the polygon as one segment in the colour of the band
    // below the level. The caller sets the render mode.
    void DrawPolygonLines(const CPoint3D* points, const double* values, int count,
                          CDrawDevice* device);
    void DrawPolygonLines(const CFacet& polygon, CDrawDevice* device);
    // Triangles from each edge to the centroid (mean point, mean value), each cut as above.
    void DrawPolygonFanBands(const CPoint3D* points, const double* values, int count,
                             CDrawDevice* device, const CPoint3D* normal);
    void DrawPolygonFanBands(const CFacet& polygon, CDrawDevice* device, const CPoint3D* normal);
    void DrawPolygonFanLines(const CPoint3D* points, const double* values, int count,
                             CDrawDevice* device);
    void DrawPolygonFanLines(const CFacet& polygon, CDrawDevice* device);
    // One polygon with a ramp colour per vertex; above kMaxSmoothVertices a fan of triangles.
    void DrawSmoothContour(const CPoint3D* points, const double* values, int count,
                           CDrawDevice* device);
    void DrawSmoothContour(const CFacet& polygon, CDrawDevice* device);
    // The facet filled unlit; with the table's outline field 0 also its outline in white.
    void DrawFacetWithOutline(const CFacet& facet, CDrawDevice* device);
    void DrawFacetWithOutline(const CPoint3D* points, int count, CDrawDevice* device);
    // The polygon's outline in white, as unlit lines in front of the faces.
    void DrawWhiteOutline(const CPoint3D* points, int count, CDrawDevice* device);
    // Ramp colour of a value in smooth shading: out-of-range colour below the view range and
    // above it by more than upperTolerance. False for NaN.
    bool SmoothColor(double value, double upperTolerance, CColorRGBA& color) const;

    // Material colours for lit drawing: ambient 0.4 of the colour, no specular or emission.
    static void SetLitColor(CColorRGBA color, CDrawDevice* device, double alpha);

    // Device state through the cutter: a call is left out when the cutter set the same state
    // last. A display list of a million polygons need not repeat it, and OpenGL ends its batch
    // of vertices at every state change between them. Lit modes apply the material set before
    // them, so UseLitColor sets the material and the mode together.
    void UseRenderMode(CDrawDevice* device, int mode);
    void UseColor(CDrawDevice* device, const CColorRGBA& color);
    void UseLitColor(CDrawDevice* device, const CColorRGBA& color, int mode);
    // Forget the state: something else changed the device.
    void ForgetDeviceState();

    // Lower-level steps for drawables that shrink or colour band facets themselves.
    // Cuts the polygon into band facets (contour-line facets also hold the corners on levels);
    // false for a NaN value. Non-empty facets lie in GetFirstBand() .. GetLastBand().
    bool CutPolygon(const CPoint3D* points, const double* values, int count, bool forLines);
    int GetFirstBand() const { return m_firstBand; }
    int GetLastBand() const { return m_lastBand; }
    int GetBandVertexCount(int band) const;
    // Draws band facet k with the normal, its points moved toward centre by the factor
    // (1 leaves them).
    void DrawBandFacet(int band, CDrawDevice* device, const CPoint3D& normal,
                       const CPoint3D& centre, double shrinkFactor);
    // Draws the points as one facet (flags 0) with the normal.
    void DrawPoints(const CPoint3D* points, int count, const CPoint3D& normal, CDrawDevice* device);

    // Iso-surfaces in a solid: the crossings of every level on each face, then the chaining of
    // the segments of one level into a polygon.
    void BeginIsoFaces(int faceCount);
    void CutIsoFace(int face, const CPoint3D* points, const double* values, int count);
    // The first two level points of band k on the faces, taken; false when there are fewer.
    bool FindFirstIsoSegment(int band, CPoint3D& start, CPoint3D& current);
    // The other end of the segment that continues from current; false when none does.
    bool FindNextIsoSegment(int band, CPoint3D& current);
    // The chained polygon of band k (the closing point is not repeated); false below three
    // vertices.
    bool ChainIsoPolygon(int band, std::vector<CPoint3D>& polygon);

private:
    struct BandPoint
    {
        double x, y, z;
        int flag;
    };

    void AddPoint(std::vector<BandPoint>& facet, const CPoint3D& p, int flag);
    void ResetBands();
    void CopyFacet(const CFacet& polygon);
    void DrawPairs(int band, CDrawDevice* device);
    void DrawSmoothPolygon(const CPoint3D* points, const double* values, int count,
                           CDrawDevice* device);
    void LoadDrawFacet(const std::vector<BandPoint>& points, const CPoint3D& centre,
                       double shrinkFactor);
    void SizeDrawFacet(size_t count);
    std::vector<BandPoint>& IsoFacet(int face, int band);
    void ReportSmoothFailure();

    const CResultDisplayAttr* m_pBands; // not owned
    int m_nBands = 0;
    int m_renderMode = -1;
    bool m_bHasColor = false;
    CColorRGBA m_color;
    bool m_bHasLitColor = false;
    CColorRGBA m_litColor;
    bool m_bSmoothFailureLogged = false;

    // Band facets of the polygon being cut; only m_firstBand .. m_lastBand are in use.
    std::vector<std::vector<BandPoint>> m_bandFacets;
    int m_firstBand = 0;
    int m_lastBand = -1;
    std::vector<int> m_vertexBands;
    std::vector<int> m_vertexKinds;
    // The facet handed to the device: its vertices point into m_drawPoints and are never
    // deleted through it.
    CFacet m_drawFacet;
    std::vector<CPoint3D> m_drawPoints;
    // Scratch copies of a CFacet polygon and of fan triangles.
    std::vector<CPoint3D> m_polygonPoints;
    std::vector<double> m_polygonValues;
    std::vector<CColorRGBA> m_colors;
    // Band facets of each fan triangle: triangle x bands, only the cut range of each filled.
    std::vector<std::vector<BandPoint>> m_fanFacets;
    std::vector<int> m_fanFirst;
    std::vector<int> m_fanLast;
    // Iso-surfaces: faceCount x bands facets.
    std::vector<std::vector<BandPoint>> m_isoFacets;
    int m_nIsoFaces = 0;
};
