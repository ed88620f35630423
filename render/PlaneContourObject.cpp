// Contours on section planes: cutting an element's faces, chaining the cut segments, and
// drawing the section polygon by contour type, band type and category.
#include "render/PlaneContourObject.h"

#include "core/display/ResultDisplayAttr.h"
#include "core/geometry/EntitySet.h"
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/FEFace.h"
#include "core/model/ResultData.h"
#include "core/model/ResultValue.h"
#include "render/ClipPlane.h"
#include "render/DrawDevice.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
const double kNoValue = std::numeric_limits<double>::quiet_NaN();

double Component(const CPoint3D& v, int component)
{
    switch (component)
    {
    case 0: return v.x;
    case 1: return v.y;
    case 2: return v.z;
    default: return kNoValue;
    }
}

bool IsNear(const CPoint3D& a, const CPoint3D& b)
{
    const double t = CPlaneContourObject::kJoinTolerance;
    return std::fabs(a.x - b.x) < t && std::fabs(a.y - b.y) < t && std::fabs(a.z - b.z) < t;
}
} // namespace

CPlaneContourObject::CPlaneContourObject(CEntitySet* entitySet, const CClipPlane* plane,
                                         CResultDisplayAttr* bands, const CResultData* result,
                                         ValueBlock block, int component)
    : m_pPlane(plane)
    , m_pResult(result)
    , m_block(block)
    , m_nComponent(component)
    , m_cutter(bands)
{
    m_pEntitySet = entitySet;
    m_pBands = bands;
}

CElementPlaneContourObject::CElementPlaneContourObject(CEntitySet* entitySet,
                                                       const CClipPlane* plane,
                                                       CResultDisplayAttr* bands,
                                                       const CResultData* result, int component)
    : CPlaneContourObject(entitySet, plane, bands, result, ValueBlock::ElementNodes, component)
{
    m_bElementValues = true;
}

double CPlaneContourObject::ReadValue(int id) const
{
    double value = 0.0;
    CPoint3D vector;
    const bool isNodeBlock =
        m_block == ValueBlock::NodeScalars || m_block == ValueBlock::NodeVectors;
    if (isNodeBlock && m_pResult->GetLocation() == CResultData::kFlagElementNodes)
        return NodeCornerValue(id);
    switch (m_block)
    {
    case ValueBlock::NodeScalars: return m_pResult->GetNodeValue(id, &value) ? value : kNoValue;
    case ValueBlock::ElementScalars:
        return m_pResult->GetElementValue(id, &value) ? value : kNoValue;
    case ValueBlock::NodeVectors:
        return m_pResult->GetNodeVector(id, &vector) ? Component(vector, m_nComponent) : kNoValue;
    case ValueBlock::ElementVectors:
        return m_pResult->GetElementVector(id, &vector) ? Component(vector, m_nComponent)
                                                        : kNoValue;
    default: return kNoValue;
    }
}

// A result kept at element corners has no node tables: a node reads the mean the result list
// gives it.
double CPlaneContourObject::NodeCornerValue(int nodeId) const
{
    static const int kComponents[] = {kComponentX, kComponentY, kComponentZ};
    const bool isVector = m_block == ValueBlock::NodeVectors;
    if (isVector && (m_nComponent < 0 || m_nComponent > 2))
        return kNoValue;
    const CFENode* node = m_pEntitySet != nullptr ? m_pEntitySet->GetNode(nodeId) : nullptr;
    double mean = 0.0;
    const int component = isVector ? kComponents[m_nComponent] : kComponentScalar;
    return node != nullptr && NodeCornerMean(*node, *m_pResult, component, &mean) ? mean : kNoValue;
}

double CPlaneContourObject::CornerValue(int nodeId, int elementId) const
{
    if (!m_pResult)
        return kNoValue;
    switch (m_block)
    {
    case ValueBlock::NodeScalars:
    case ValueBlock::NodeVectors: return ReadValue(nodeId);
    case ValueBlock::ElementScalars:
    case ValueBlock::ElementVectors: return ReadValue(elementId); // one value per element
    case ValueBlock::ElementNodes:
    {
        const CComponentSet* set = m_pResult->GetComponentSet(elementId);
        const int slot = set ? set->FindSlot(nodeId) : -1;
        if (slot < 0)
            return kNoValue;
        const size_t i = static_cast<size_t>(slot);
        if (m_nComponent < 0)
            return i < set->values.size() ? set->values[i] : kNoValue;
        return i < set->vectors.size() ? Component(set->vectors[i], m_nComponent) : kNoValue;
    }
    }
    return kNoValue;
}

double CPlaneContourObject::ElementValue(int elementId) const
{
    const bool isElementBlock =
        m_block == ValueBlock::ElementScalars || m_block == ValueBlock::ElementVectors;
    return m_pResult && isElementBlock ? ReadValue(elementId) : kNoValue;
}

void CPlaneContourObject::DrawOnPlanes(const CFEElement& element, CDrawDevice* device)
{
    if (!m_pPlane || !m_pEntitySet || !m_pBands || !device)
        return;
    const size_t index = static_cast<size_t>(element.m_index);
    if (element.m_index < 0 || index >= m_pPlane->m_elementMin.size() ||
        index >= m_pPlane->m_elementMax.size())
        return;
    const int faceCount = std::min(static_cast<int>(std::max<int16_t>(element.m_faceCount, 0)),
                                   static_cast<int>(element.m_faces.GetSize()));
    if (m_faceCuts.size() < static_cast<size_t>(faceCount))
        m_faceCuts.resize(static_cast<size_t>(faceCount));
    const int steps = std::min(m_pPlane->m_nSteps, CClipPlane::kMaxSteps + 1);
    for (int k = 0; k < steps; ++k)
    {
        const double offset = m_pPlane->m_stepOffsets[k];
        // Only planes that meet the element are cut.
        if (offset < m_pPlane->m_elementMin[index] || offset > m_pPlane->m_elementMax[index])
            continue;
        int faceInPlane = -1;
        for (int i = 0; i < faceCount; ++i)
        {
            m_faceCuts[static_cast<size_t>(i)].clear();
            if (CutFace(element.m_faces[i], element.m_id, offset,
                        m_faceCuts[static_cast<size_t>(i)]))
            {
                faceInPlane = i;
                break;
            }
        }
        m_polygon.clear();
        m_values.clear();
        if (faceInPlane >= 0)
        {
            for (const CutPoint& p : m_faceCuts[static_cast<size_t>(faceInPlane)])
            {
                m_polygon.push_back(p.point);
                m_values.push_back(p.value);
            }
        }
        else
        {
            ChainSection(faceCount);
        }
        if (m_polygon.size() > 2)
            DrawSection(element, device);
    }
}

bool CPlaneContourObject::CutFace(const CFEFace& face, int elementId, double offset,
                                  std::vector<CutPoint>& facet)
{
    int ids[4] = {};
    const int count = face.GetCornerIds(ids);
    if (count < 3)
        return false;
    CPoint3D points[4];
    double distances[4] = {};
    double values[4] = {};
    for (int j = 0; j < count; ++j)
    {
        // The plane cuts the stored model, as the choice of elements to cut did; the cut
        // points lie on the shape shown, which may be deformed.
        const CFENode* node = m_pEntitySet->GetNode(ids[j]);
        const size_t index = node ? static_cast<size_t>(node->m_index) : 0;
        if (node == nullptr || node->m_index < 0 || index >= m_pPlane->m_nodeDistances.size())
            return false;
        points[j] = m_pEntitySet->GetNodePoint(ids[j]);
        distances[j] = m_pPlane->m_nodeDistances[index] - offset;
        values[j] = CornerValue(ids[j], elementId);
    }
    for (int j = 0; j < count; ++j)
    {
        const int next = (j + 1) % count;
        const double s1 = distances[j];
        const double s2 = distances[next];
        if (s1 == 0.0)
            facet.push_back(CutPoint{points[j], values[j], true});
        const bool isCrossing = (s1 > 0.0 && s2 < 0.0) || (s1 < 0.0 && s2 > 0.0);
        if (isCrossing && std::fabs(s1 - s2) >= 1e-6)
        {
            const double t = s1 / (s1 - s2);
            const CPoint3D p = points[j] + (points[next] - points[j]) * t;
            facet.push_back(CutPoint{p, values[j] + (values[next] - values[j]) * t, true});
        }
    }
    return static_cast<int>(facet.size()) == count;
}

// Segments are consecutive pairs of cut points within a face; the chain follows shared ends
// from face to face until it comes back to its start or finds no continuation.
void CPlaneContourObject::ChainSection(int faceCount)
{
    CPoint3D start;
    bool isStarted = false;
    for (int f = 0; f < faceCount && !isStarted; ++f)
    {
        std::vector<CutPoint>& cuts = m_faceCuts[static_cast<size_t>(f)];
        if (cuts.size() < 2)
            continue;
        for (int i = 0; i < 2; ++i)
        {
            cuts[static_cast<size_t>(i)].isFree = false;
            m_polygon.push_back(cuts[static_cast<size_t>(i)].point);
            m_values.push_back(cuts[static_cast<size_t>(i)].value);
        }
        start = cuts[0].point;
        isStarted = true;
    }
    bool isFound = isStarted;
    while (isFound)
    {
        isFound = false;
        const CPoint3D current = m_polygon.back();
        for (int f = 0; f < faceCount && !isFound; ++f)
        {
            std::vector<CutPoint>& cuts = m_faceCuts[static_cast<size_t>(f)];
            for (size_t i = 0; i < cuts.size(); ++i)
            {
                const size_t partner = i ^ 1u;
                if (!cuts[i].isFree || partner >= cuts.size() || !IsNear(cuts[i].point, current))
                    continue;
                cuts[i].isFree = false;
                cuts[partner].isFree = false;
                if (IsNear(cuts[partner].point, start))
                    return; // closed
                m_polygon.push_back(cuts[partner].point);
                m_values.push_back(cuts[partner].value);
                isFound = true;
                break;
            }
        }
    }
}

// The plane's normal on the side the polygon winds towards. The cut points follow the element's
// faces, not the plane, so either way round is possible; with two-sided lighting a polygon seen
// from behind is lit with its normal turned, so the cut then faces the eye's light from
// whichever side it is seen, as the faces of the model do.
CPoint3D CPlaneContourObject::SectionNormal() const
{
    CPoint3D winding;
    const size_t count = m_polygon.size();
    for (size_t i = 0; i < count; ++i)
    {
        const CPoint3D& p = m_polygon[i];
        const CPoint3D& q = m_polygon[(i + 1) % count];
        winding.x += (p.y - q.y) * (p.z + q.z);
        winding.y += (p.z - q.z) * (p.x + q.x);
        winding.z += (p.x - q.x) * (p.y + q.y);
    }
    const CPoint3D normal(m_pPlane->m_a, m_pPlane->m_b, m_pPlane->m_c);
    const double along = normal.x * winding.x + normal.y * winding.y + normal.z * winding.z;
    return along < 0.0 ? normal * -1.0 : normal;
}

void CPlaneContourObject::DrawSection(const CFEElement& element, CDrawDevice* device)
{
    const int count = static_cast<int>(m_polygon.size());
    const CPoint3D* points = m_polygon.data();
    const double* values = m_values.data();
    if (!m_bElementValues && m_pBands->m_nResultCategory == 0)
    {
        int kind = 0;
        int band = 0;
        if (!FindBandClamped(*m_pBands, ElementValue(element.m_id), kind, band))
            return;
        m_cutter.UseColor(device, m_pBands->m_bandColors[band]);
        m_cutter.DrawFacetWithOutline(points, count, device);
        return;
    }
    const int bandType = m_pBands->m_nBandType;
    if (bandType > 2)
        return;
    const bool isLines = m_pBands->m_nContourType == CResultDisplayAttr::kLines;
    if (!isLines && m_pBands->m_nContourType != CResultDisplayAttr::kBands)
        return; // iso-surfaces have no section
    const CPoint3D normal = SectionNormal();
    if (bandType == 1)
    {
        if (isLines)
            m_cutter.DrawPolygonFanLines(points, values, count, device);
        else
            m_cutter.DrawPolygonFanBands(points, values, count, device, &normal);
    }
    else if (bandType == 2 && (!isLines || m_bElementValues))
    {
        m_cutter.DrawSmoothContour(points, values, count, device);
    }
    else if (isLines)
    {
        m_cutter.DrawPolygonLines(points, values, count, device);
    }
    else
    {
        // Lit as the faces of a corner result's contour: on both sides.
        const int mode = m_bElementValues ? kRenderLit : kRenderFill;
        m_cutter.DrawPolygonBands(points, values, count, device, mode, &normal);
    }
    if (bandType == 0 && !m_bElementValues && m_pBands->m_nOutline == 0)
        m_cutter.DrawWhiteOutline(points, count, device);
}
