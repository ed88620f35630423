// Contour drawables: dispatch by element kind and contour type, faces as band fans, smooth
// shading and contour lines, iso-surfaces, polygon entities and beams.
#include "render/ContourObject.h"

#include "core/display/ResultDisplayAttr.h"
#include "core/geometry/EntitySet.h"
#include "core/geometry/VectorMath.h"
#include "core/model/CurveInterpolation.h"
#include "core/model/FEElement.h"
#include "core/model/FEFace.h"
#include "render/DrawDevice.h"

#include <algorithm>
#include <cmath>

namespace
{
int FaceCountOf(const CFEElement& element)
{
    const int count = element.m_faceCount < 0 ? 0 : element.m_faceCount;
    return std::min(count, static_cast<int>(element.m_faces.GetSize()));
}

int NodeCountOf(const CFEFace& face)
{
    return std::min(static_cast<int>(face.m_cornerCount), static_cast<int>(face.m_ids.GetSize()));
}

bool HasMidSideNodes(const CFEFace& face)
{
    return face.m_cornerCount == 6 || face.m_cornerCount == 8;
}
} // namespace

CContourObject::CContourObject(CResultDisplayAttr* bands, CEntitySet* entitySet, int curveDivisions)
    : CContourObject(bands, entitySet, curveDivisions, false)
{
}

CContourObject::CContourObject(CResultDisplayAttr* bands, CEntitySet* entitySet, int curveDivisions,
                               bool isElementValues)
    : m_nCurveDivisions(curveDivisions)
    , m_cutter(bands)
    , m_bElementValues(isElementValues)
{
    m_pBands = bands;
    m_pEntitySet = entitySet;
}

CElementContourObject::CElementContourObject(CResultDisplayAttr* bands, CEntitySet* entitySet)
    : CContourObject(bands, entitySet, 0, true)
{
}

CPoint3D CContourObject::ShrinkPoint(const CPoint3D& point) const
{
    return m_elementCentre + (point - m_elementCentre) * m_shrinkFactor;
}

double CContourObject::SubdivideEdgeValues(const double* values, int count, int divisions,
                                           std::vector<double>& out)
{
    out.clear();
    double sum = 0.0;
    for (int k = 0; k < count; ++k)
    {
        const double a = values[k];
        const double b = values[(k + 1) % count];
        if (divisions <= 0)
        {
            out.push_back(a);
            sum += a;
            continue;
        }
        const double sign = a <= b ? 1.0 : -1.0;
        const double step = std::fabs(a - b) / divisions;
        for (int s = 0; s <= divisions; ++s)
        {
            const double value = a + s * step * sign;
            out.push_back(value);
            sum += value;
        }
    }
    return sum;
}

double CContourObject::NodeValue(int nodeId, int elementId) const
{
    return m_pEntitySet->GetResultValue(nodeId, m_bElementValues ? elementId : 0);
}

void CContourObject::DrawEntity(const CModelEntity* entity, CDrawDevice* device)
{
    if (!entity || !device || !m_pBands || !m_pEntitySet)
        return;
    if (entity->type == kTagPolygonEntity)
    {
        m_elementCentre = entity->m_point;
        DrawPolygonEntity(*entity, device);
        return;
    }
    const CFEElement* element = dynamic_cast<const CFEElement*>(entity);
    if (!element)
        return;
    m_elementCentre = element->m_centre;
    if (element->type == kTagBeam && !m_bElementValues)
    {
        DrawBeamBands(*element, device);
        return;
    }
    if (m_pBands->m_nContourType == CResultDisplayAttr::kIsoSurface)
    {
        const int faceCount = FaceCountOf(*element);
        if (faceCount == 1)
            DrawFaceIsoBands(*element, device);
        else if (faceCount > 1)
            DrawSolidIsoSurfaces(*element, device);
        return;
    }
    DrawFaces(*element, device);
}

void CContourObject::DrawFaces(const CFEElement& element, CDrawDevice* device)
{
    if (m_bElementValues && !element.m_display)
        return;
    const int faceCount = std::min(FaceCountOf(element), CFEElement::kMaxFaceFlags);
    for (int i = 0; i < faceCount; ++i)
    {
        if (!element.m_outerFace[i])
            continue;
        const CFEFace& face = element.m_faces[i];
        if (!LoadFace(face, element.m_id))
            continue;
        if (m_pBands->m_nContourType == CResultDisplayAttr::kLines)
        {
            DrawFaceLines(device);
        }
        else if (m_pBands->m_nContourType == CResultDisplayAttr::kBands)
        {
            if (m_pBands->m_nBandType == 0)
                DrawFaceBands(element, face, device);
            else if (m_pBands->m_nBandType == 2 && m_bElementValues)
                DrawElementFaceSmooth(device);
            else if (m_pBands->m_nBandType == 2)
                DrawFaceSmooth(face, device);
        }
    }
}

bool CContourObject::LoadFace(const CFEFace& face, int elementId)
{
    const int count = NodeCountOf(face);
    m_points.resize(static_cast<size_t>(count));
    m_values.resize(static_cast<size_t>(count));
    CPoint3D centre;
    double sum = 0.0;
    for (int i = 0; i < count; ++i)
    {
        const int nodeId = face.m_ids[i];
        m_points[static_cast<size_t>(i)] = m_pEntitySet->GetNodePoint(nodeId);
        m_values[static_cast<size_t>(i)] = NodeValue(nodeId, elementId);
        centre = centre + m_points[static_cast<size_t>(i)];
        sum += m_values[static_cast<size_t>(i)];
    }
    if (count < 3 || std::isnan(sum))
        return false;
    m_faceCentre = centre * (1.0 / count);
    m_meanValue = sum / count;
    return true;
}

bool CContourObject::LoadOutline(const CFEFace& face)
{
    const INT_PTR outlineCount = face.m_outline.GetSize();
    m_nodeValues = m_values;
    const double sum = SubdivideEdgeValues(m_nodeValues.data(), static_cast<int>(m_values.size()),
                                           m_nCurveDivisions, m_values);
    // An outline that was not tessellated with these divisions: keep the nodes as corners.
    if (outlineCount < 3 || static_cast<size_t>(outlineCount) != m_values.size())
    {
        m_values = m_nodeValues;
        return false;
    }
    m_points.assign(face.m_outline.begin(), face.m_outline.end());
    m_meanValue = sum / static_cast<double>(outlineCount);
    return true;
}

void CContourObject::DrawFaceBands(const CFEElement& element, const CFEFace& face,
                                   CDrawDevice* device)
{
    int mode = FaceCountOf(element) == 1 ? kRenderFill : kRenderFrontFill;
    if (m_bElementValues)
        mode = kRenderLit;
    else if (HasMidSideNodes(face))
        LoadOutline(face);
    const int count = static_cast<int>(m_points.size());
    const CPoint3D normal = face.m_normal;
    if (IsInOneBand() && !HasMidSideNodes(face))
    {
        // The fan's triangles would all take this band's colour: the face itself shows the
        // same, in a quarter of the primitives.
        for (CPoint3D& p : m_points)
            p = ShrinkPoint(p);
        m_cutter.DrawPolygonBands(m_points.data(), m_values.data(), count, device, mode, &normal);
        return;
    }
    const CPoint3D centre = ShrinkPoint(m_faceCentre);
    for (CPoint3D& p : m_points)
        p = ShrinkPoint(p);
    m_cutter.DrawFanBandByBand(m_points.data(), m_values.data(), count, centre, m_meanValue, device,
                               mode, &normal);
}

void CContourObject::BandRange(int& first, int& last) const
{
    first = m_cutter.GetBandCount();
    last = -1;
    int kind = 0;
    int band = 0;
    for (const double value : m_values)
    {
        if (!m_cutter.ClassifyValue(value, kind, band))
            continue;
        first = std::min(first, band);
        last = std::max(last, band);
    }
}

bool CContourObject::IsInOneBand() const
{
    int first = 0;
    int last = 0;
    BandRange(first, last);
    return first == last;
}

void CContourObject::DrawFaceSmooth(const CFEFace& face, CDrawDevice* device)
{
    const bool isCurved = HasMidSideNodes(face) && LoadOutline(face);
    const int count = static_cast<int>(m_points.size());
    m_colors.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
    {
        m_cutter.SmoothColor(m_values[static_cast<size_t>(i)], CContourCutter::kFaceUpperTolerance,
                             m_colors[static_cast<size_t>(i)]);
    }
    if (!isCurved)
    {
        m_polygon.SetSize(count);
        for (int i = 0; i < count; ++i)
            m_polygon[i] = ShrinkPoint(m_points[static_cast<size_t>(i)]);
        device->DrawColoredPolygon(&m_polygon, m_colors.data());
        return;
    }
    CColorRGBA centreColor;
    m_cutter.SmoothColor(m_meanValue, CContourCutter::kFaceUpperTolerance, centreColor);
    const CPoint3D centre = ShrinkPoint(m_faceCentre);
    for (int i = 0; i < count; ++i)
    {
        const int j = (i + 1) % count;
        const CPoint3D& a = m_points[static_cast<size_t>(i)];
        const CPoint3D& b = m_points[static_cast<size_t>(j)];
        if (a.IsEqual(b))
            continue; // the joint of two curve pieces
        const CPoint3D triangle[3] = {ShrinkPoint(a), ShrinkPoint(b), centre};
        const CColorRGBA colors[3] = {m_colors[static_cast<size_t>(i)],
                                      m_colors[static_cast<size_t>(j)], centreColor};
        device->DrawColoredPolygon(triangle, colors, 3);
    }
}

void CContourObject::DrawElementFaceSmooth(CDrawDevice* device)
{
    const int count = static_cast<int>(m_points.size());
    m_colors.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
    {
        m_cutter.SmoothColor(m_values[static_cast<size_t>(i)], 0.0,
                             m_colors[static_cast<size_t>(i)]);
        m_points[static_cast<size_t>(i)] = ShrinkPoint(m_points[static_cast<size_t>(i)]);
    }
    device->DrawColoredPolygon(m_points.data(), m_colors.data(), count);
}

void CContourObject::DrawFaceLines(CDrawDevice* device)
{
    const int count = static_cast<int>(m_points.size());
    for (int i = 0; i < count; ++i)
    {
        const int j = (i + 1) % count;
        const CPoint3D triangle[3] = {m_points[static_cast<size_t>(i)],
                                      m_points[static_cast<size_t>(j)], m_faceCentre};
        const double values[3] = {m_values[static_cast<size_t>(i)],
                                  m_values[static_cast<size_t>(j)], m_meanValue};
        m_cutter.DrawPolygonLines(triangle, values, 3, device);
    }
}

void CContourObject::DrawFaceIsoBands(const CFEElement& element, CDrawDevice* device)
{
    const CFEFace& face = element.m_faces[0];
    if (!LoadFace(face, element.m_id))
        return;
    if (!m_cutter.CutPolygon(m_points.data(), m_values.data(), static_cast<int>(m_points.size()),
                             false))
        return;
    for (int k = m_cutter.GetFirstBand(); k <= m_cutter.GetLastBand(); ++k)
    {
        if (m_cutter.GetBandVertexCount(k) < 3)
            continue;
        m_cutter.UseLitColor(device, m_cutter.GetBandColor(k), kRenderLit);
        m_cutter.DrawBandFacet(k, device, face.m_normal, m_elementCentre, m_shrinkFactor);
    }
}

void CContourObject::CutSolidFace(int faceIndex, const CFEFace& face, int elementId)
{
    if (LoadFace(face, elementId))
        m_cutter.CutIsoFace(faceIndex, m_points.data(), m_values.data(),
                            static_cast<int>(m_points.size()));
}

void CContourObject::DrawSolidIsoSurfaces(const CFEElement& element, CDrawDevice* device)
{
    const int faceCount = std::min(FaceCountOf(element), kMaxIsoFaces);
    m_cutter.BeginIsoFaces(faceCount);
    for (int f = 0; f < faceCount; ++f)
        CutSolidFace(f, element.m_faces[f], element.m_id);
    const int bands = m_cutter.GetBandCount();
    // The surface of level k + 1 takes the colour of band k; out-of-range bands have none.
    for (int k = bands - 1; k >= 0; --k)
    {
        if ((k == 0 && m_pBands->m_bLowBand) || (k == bands - 1 && m_pBands->m_bHighBand))
            continue;
        if (!m_cutter.ChainIsoPolygon(k, m_isoPolygon))
            continue;
        if (m_bElementValues)
        {
            m_cutter.UseLitColor(device, m_cutter.GetBandColor(k), kRenderLit);
        }
        else
        {
            m_cutter.UseColor(device, m_cutter.GetBandColor(k));
            m_cutter.UseRenderMode(device, kRenderFill);
        }
        CPoint3D normal;
        CalcUnitNormal(normal, m_isoPolygon[0], m_isoPolygon[1], m_isoPolygon[2]);
        m_cutter.DrawPoints(m_isoPolygon.data(), static_cast<int>(m_isoPolygon.size()), normal,
                            device);
    }
}

void CContourObject::DrawPolygonEntity(const CModelEntity& entity, CDrawDevice* device)
{
    const int count = static_cast<int>(entity.m_ids.GetSize());
    if (count < 3)
        return;
    m_points.resize(static_cast<size_t>(count));
    double sum = 0.0;
    for (int i = 0; i < count; ++i)
    {
        const int nodeId = entity.m_ids[i];
        m_points[static_cast<size_t>(i)] = ShrinkPoint(m_pEntitySet->GetNodePoint(nodeId));
        sum += NodeValue(nodeId, entity.m_id);
    }
    int kind = 0;
    int band = 0;
    if (!m_cutter.ClassifyValue(sum / count, kind, band))
        return;
    m_cutter.UseLitColor(device, m_cutter.GetBandColor(band), kRenderLit);
    m_cutter.DrawPoints(m_points.data(), count, CPoint3D(), device);
}

void CContourObject::DrawBeamBands(const CFEElement& element, CDrawDevice* device)
{
    const CIdList& ids = element.m_ids;
    if (element.IsParabolicElement() && ids.GetSize() >= 3)
    {
        // Without divisions the curve would have no points: one step per half at least.
        const int divisions = std::max(m_nCurveDivisions, 1);
        const CPoint3D nodes[3] = {m_pEntitySet->GetNodePoint(ids[0]),
                                   m_pEntitySet->GetNodePoint(ids[1]),
                                   m_pEntitySet->GetNodePoint(ids[2])};
        const double nodeValues[3] = {NodeValue(ids[0], element.m_id),
                                      NodeValue(ids[1], element.m_id),
                                      NodeValue(ids[2], element.m_id)};
        CPoint3DArray curve;
        BuildShrunkCurve(nodes, m_shrinkFactor, divisions, curve);
        SubdivideEdgeValues(nodeValues, 3, divisions, m_values);
        const INT_PTR count = std::min(curve.GetSize(), static_cast<INT_PTR>(m_values.size()));
        for (INT_PTR i = 0; i + 1 < count; ++i)
        {
            DrawBeamSegment(curve[i], m_values[static_cast<size_t>(i)], curve[i + 1],
                            m_values[static_cast<size_t>(i + 1)], device);
        }
        return;
    }
    if (ids.GetSize() < 2)
        return;
    DrawBeamSegment(
        ShrinkPoint(m_pEntitySet->GetNodePoint(ids[0])), NodeValue(ids[0], element.m_id),
        ShrinkPoint(m_pEntitySet->GetNodePoint(ids[1])), NodeValue(ids[1], element.m_id), device);
}

// From the end in the lower band to the end in the higher one, a piece per band crossed.
void CContourObject::DrawBeamSegment(const CPoint3D& a, double va, const CPoint3D& b, double vb,
                                     CDrawDevice* device)
{
    int kind = 0;
    int bandA = 0;
    int bandB = 0;
    if (!m_cutter.ClassifyValue(va, kind, bandA) || !m_cutter.ClassifyValue(vb, kind, bandB))
        return;
    const bool isRising = bandA <= bandB;
    const CPoint3D& low = isRising ? a : b;
    const CPoint3D& high = isRising ? b : a;
    const double lowValue = isRising ? va : vb;
    const double highValue = isRising ? vb : va;
    const int lowBand = std::min(bandA, bandB);
    const int highBand = std::max(bandA, bandB);
    CPoint3D start = low;
    for (int k = lowBand; k < highBand; ++k)
    {
        const CPoint3D crossing = CContourCutter::InterpolateEdge(m_pBands->m_levels[k + 1],
                                                                  lowValue, highValue, low, high);
        m_cutter.UseColor(device, m_cutter.GetBandColor(k));
        device->DrawLine(start, crossing, 0);
        start = crossing;
    }
    m_cutter.UseColor(device, m_cutter.GetBandColor(highBand));
    device->DrawLine(start, high, 0);
}
