// Band cutting of polygons into band facets, contour lines, smooth shading and iso-surfaces.
#include "render/ContourCutter.h"

#include "core/display/ResultDisplayAttr.h"
#include "core/geometry/VectorMath.h"
#include "core/services/LogFile.h"
#include "render/DrawDevice.h"

#include <algorithm>
#include <cmath>

namespace
{
bool IsLitMode(int mode)
{
    return mode == kRenderBackLit || mode == kRenderFrontLit || mode == kRenderLit ||
           mode == kRenderLitFront;
}

CPoint3D ToPoint(double x, double y, double z)
{
    return CPoint3D(x, y, z);
}

bool IsSameColor(const CColorRGBA& a, const CColorRGBA& b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

bool IsNear(const CPoint3D& a, double x, double y, double z)
{
    const double t = CContourCutter::kIsoTolerance;
    return std::fabs(a.x - x) < t && std::fabs(a.y - y) < t && std::fabs(a.z - z) < t;
}
} // namespace

CContourCutter::CContourCutter(const CResultDisplayAttr* bands)
    : m_pBands(bands)
{
    if (m_pBands)
        m_nBands = std::clamp(m_pBands->m_nTotalBands, 0, CResultDisplayAttr::kMaxLevels - 1);
    m_bandFacets.resize(static_cast<size_t>(m_nBands));
}

CContourCutter::~CContourCutter()
{
    // The draw facet's vertices belong to m_drawPoints.
    m_drawFacet.m_vertices.RemoveAll();
}

bool FindBandClamped(const CResultDisplayAttr& bands, double value, int& kind, int& band)
{
    const int total = std::clamp(bands.m_nTotalBands, 0, CResultDisplayAttr::kMaxLevels - 1);
    if (total < 1 || std::isnan(value))
        return false;
    kind = CResultDisplayAttr::kOnLowerLevel;
    bands.FindBand(value, kind, band);
    if (band >= 0 && band < total)
        return true;
    // Beyond the levels, or 0 on a top level of 0 (the upper test has no tolerance there).
    if (value >= bands.m_levels[total])
    {
        band = total - 1;
        kind = CResultDisplayAttr::kOnUpperLevel;
    }
    else
    {
        band = 0;
        kind = CResultDisplayAttr::kOnLowerLevel;
    }
    return true;
}

bool CContourCutter::ClassifyValue(double value, int& kind, int& band) const
{
    return m_pBands && FindBandClamped(*m_pBands, value, kind, band);
}

const CColorRGBA& CContourCutter::GetBandColor(int band) const
{
    return m_pBands->m_bandColors[std::clamp(band, 0, CResultDisplayAttr::kMaxLevels - 1)];
}

CPoint3D CContourCutter::InterpolateEdge(double level, double a, double b, const CPoint3D& pointA,
                                         const CPoint3D& pointB)
{
    const double t = (level - a) / (b - a);
    return CPoint3D(pointA.x + (pointB.x - pointA.x) * t, pointA.y + (pointB.y - pointA.y) * t,
                    pointA.z + (pointB.z - pointA.z) * t);
}

void CContourCutter::AddPoint(std::vector<BandPoint>& facet, const CPoint3D& p, int flag)
{
    facet.push_back(BandPoint{p.x, p.y, p.z, flag});
}

void CContourCutter::ResetBands()
{
    for (int k = m_firstBand; k <= m_lastBand; ++k)
        m_bandFacets[static_cast<size_t>(k)].clear();
    m_firstBand = 0;
    m_lastBand = -1;
}

bool CContourCutter::CutPolygon(const CPoint3D* points, const double* values, int count,
                                bool forLines)
{
    ResetBands();
    if (count < 1 || m_nBands < 1)
        return false;
    m_vertexBands.resize(static_cast<size_t>(count));
    m_vertexKinds.resize(static_cast<size_t>(count));
    int first = m_nBands;
    int last = -1;
    for (int i = 0; i < count; ++i)
    {
        int kind = 0;
        int band = 0;
        if (!ClassifyValue(values[i], kind, band))
            return false;
        m_vertexBands[static_cast<size_t>(i)] = band;
        m_vertexKinds[static_cast<size_t>(i)] = kind;
        first = std::min(first, band);
        last = std::max(last, band);
    }
    m_firstBand = first;
    m_lastBand = last;

    const double* levels = m_pBands->m_levels;
    for (int i = 0; i < count; ++i)
    {
        const int j = (i + 1) % count;
        const int bi = m_vertexBands[static_cast<size_t>(i)];
        const int bj = m_vertexBands[static_cast<size_t>(j)];
        const int kj = m_vertexKinds[static_cast<size_t>(j)];
        if (forLines)
            AddPoint(m_bandFacets[static_cast<size_t>(bi)], points[i],
                     m_vertexKinds[static_cast<size_t>(i)]);
        // Each crossing belongs to the band below the level (on its upper level) and to the
        // band above it (on its lower level).
        if (bj > bi)
        {
            for (int k = bi; k < bj; ++k)
            {
                const CPoint3D x =
                    InterpolateEdge(levels[k + 1], values[i], values[j], points[i], points[j]);
                AddPoint(m_bandFacets[static_cast<size_t>(k)], x, kOnUpper);
                AddPoint(m_bandFacets[static_cast<size_t>(k + 1)], x, kOnLower);
            }
        }
        else if (bj < bi)
        {
            for (int k = bi - 1; k >= bj; --k)
            {
                const CPoint3D x =
                    InterpolateEdge(levels[k + 1], values[i], values[j], points[i], points[j]);
                AddPoint(m_bandFacets[static_cast<size_t>(k)], x, kOnUpper);
                AddPoint(m_bandFacets[static_cast<size_t>(k + 1)], x, kOnLower);
            }
        }
        AddPoint(m_bandFacets[static_cast<size_t>(bj)], points[j], kj);
        if (forLines && kj != kInsideBand && bj + 1 < m_nBands)
        {
            AddPoint(m_bandFacets[static_cast<size_t>(bj + 1)], points[j], kj);
            m_lastBand = std::max(m_lastBand, bj + 1);
        }
    }
    return true;
}

int CContourCutter::GetBandVertexCount(int band) const
{
    if (band < m_firstBand || band > m_lastBand)
        return 0;
    return static_cast<int>(m_bandFacets[static_cast<size_t>(band)].size());
}

void CContourCutter::SizeDrawFacet(size_t count)
{
    if (m_drawPoints.size() < count)
    {
        m_drawFacet.m_vertices.RemoveAll(); // the old pointers would dangle
        m_drawPoints.resize(count);
    }
    m_drawFacet.m_vertices.SetSize(static_cast<INT_PTR>(count));
    m_drawFacet.m_flags.SetSize(static_cast<INT_PTR>(count));
    for (size_t i = 0; i < count; ++i)
        m_drawFacet.m_vertices[static_cast<INT_PTR>(i)] = &m_drawPoints[i];
}

void CContourCutter::LoadDrawFacet(const std::vector<BandPoint>& points, const CPoint3D& centre,
                                   double shrinkFactor)
{
    const size_t count = points.size();
    SizeDrawFacet(count);
    const bool isShrunk = shrinkFactor != 1.0;
    for (size_t i = 0; i < count; ++i)
    {
        CPoint3D& p = m_drawPoints[i];
        const BandPoint& b = points[i];
        if (isShrunk)
        {
            p.x = centre.x + (b.x - centre.x) * shrinkFactor;
            p.y = centre.y + (b.y - centre.y) * shrinkFactor;
            p.z = centre.z + (b.z - centre.z) * shrinkFactor;
        }
        else
        {
            p.x = b.x;
            p.y = b.y;
            p.z = b.z;
        }
        m_drawFacet.m_flags[static_cast<INT_PTR>(i)] = static_cast<DWORD>(b.flag);
    }
}

void CContourCutter::DrawPoints(const CPoint3D* points, int count, const CPoint3D& normal,
                                CDrawDevice* device)
{
    if (count < 1)
        return;
    SizeDrawFacet(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
    {
        m_drawPoints[static_cast<size_t>(i)] = points[i];
        m_drawFacet.m_flags[i] = kConsumed;
    }
    m_drawFacet.m_normal = normal;
    device->DrawFacet(&m_drawFacet, 0);
}

void CContourCutter::DrawBandFacet(int band, CDrawDevice* device, const CPoint3D& normal,
                                   const CPoint3D& centre, double shrinkFactor)
{
    if (GetBandVertexCount(band) == 0)
        return;
    LoadDrawFacet(m_bandFacets[static_cast<size_t>(band)], centre, shrinkFactor);
    m_drawFacet.m_normal = normal;
    device->DrawFacet(&m_drawFacet, 0);
}

void CContourCutter::UseRenderMode(CDrawDevice* device, int mode)
{
    if (mode == m_renderMode)
        return;
    device->SetRenderMode(mode);
    m_renderMode = mode;
}

void CContourCutter::UseColor(CDrawDevice* device, const CColorRGBA& color)
{
    if (m_bHasColor && IsSameColor(color, m_color))
        return;
    device->SetColor(color);
    m_color = color;
    m_bHasColor = true;
}

void CContourCutter::UseLitColor(CDrawDevice* device, const CColorRGBA& color, int mode)
{
    if (m_bHasLitColor && IsSameColor(color, m_litColor) && mode == m_renderMode)
        return;
    SetLitColor(color, device, 1.0);
    device->SetRenderMode(mode);
    m_litColor = color;
    m_bHasLitColor = true;
    m_renderMode = mode;
}

void CContourCutter::ForgetDeviceState()
{
    m_renderMode = -1;
    m_bHasColor = false;
    m_bHasLitColor = false;
}

void CContourCutter::DrawPolygonBands(const CPoint3D* points, const double* values, int count,
                                      CDrawDevice* device, int mode, const CPoint3D* normal)
{
    DrawPolygonBand(points, values, count, device, mode, normal, -1);
}

void CContourCutter::DrawPolygonBand(const CPoint3D* points, const double* values, int count,
                                     CDrawDevice* device, int mode, const CPoint3D* normal,
                                     int band)
{
    UseRenderMode(device, mode);
    if (!CutPolygon(points, values, count, false))
        return;
    const bool isLit = IsLitMode(mode) && normal;
    const CPoint3D noNormal;
    // Bands outside the polygon's range hold nothing and are not visited.
    for (int k = m_firstBand; k <= m_lastBand; ++k)
    {
        if (GetBandVertexCount(k) == 0 || (band >= 0 && k != band))
            continue;
        if (isLit)
            UseLitColor(device, GetBandColor(k), mode);
        else
            UseColor(device, GetBandColor(k));
        DrawBandFacet(k, device, isLit ? *normal : noNormal, noNormal, 1.0);
    }
}

void CContourCutter::DrawFanBandByBand(const CPoint3D* points, const double* values, int count,
                                       const CPoint3D& centre, double centreValue,
                                       CDrawDevice* device, int mode, const CPoint3D* normal)
{
    if (count < 1 || m_nBands < 1)
        return;
    UseRenderMode(device, mode);
    const size_t bands = static_cast<size_t>(m_nBands);
    if (m_fanFacets.size() < static_cast<size_t>(count) * bands)
        m_fanFacets.resize(static_cast<size_t>(count) * bands);
    m_fanFirst.assign(static_cast<size_t>(count), 0);
    m_fanLast.assign(static_cast<size_t>(count), -1);
    int first = m_nBands;
    int last = -1;
    for (int i = 0; i < count; ++i)
    {
        const int j = (i + 1) % count;
        const CPoint3D triangle[3] = {points[i], points[j], centre};
        const double triangleValues[3] = {values[i], values[j], centreValue};
        if (!CutPolygon(triangle, triangleValues, 3, false))
            continue;
        const size_t row = static_cast<size_t>(i) * bands;
        for (int k = m_firstBand; k <= m_lastBand; ++k)
            m_fanFacets[row + static_cast<size_t>(k)] = m_bandFacets[static_cast<size_t>(k)];
        m_fanFirst[static_cast<size_t>(i)] = m_firstBand;
        m_fanLast[static_cast<size_t>(i)] = m_lastBand;
        first = std::min(first, m_firstBand);
        last = std::max(last, m_lastBand);
    }
    const bool isLit = IsLitMode(mode) && normal;
    const CPoint3D noNormal;
    for (int k = first; k <= last; ++k)
    {
        for (int i = 0; i < count; ++i)
        {
            if (k < m_fanFirst[static_cast<size_t>(i)] || k > m_fanLast[static_cast<size_t>(i)])
                continue;
            const std::vector<BandPoint>& facet =
                m_fanFacets[static_cast<size_t>(i) * bands + static_cast<size_t>(k)];
            if (facet.empty())
                continue;
            if (isLit)
                UseLitColor(device, GetBandColor(k), mode);
            else
                UseColor(device, GetBandColor(k));
            LoadDrawFacet(facet, noNormal, 1.0);
            m_drawFacet.m_normal = isLit ? *normal : noNormal;
            device->DrawFacet(&m_drawFacet, 0);
        }
    }
}

void CContourCutter::CopyFacet(const CFacet& polygon)
{
    const INT_PTR count = polygon.GetVertexCount();
    m_polygonPoints.resize(static_cast<size_t>(count));
    m_polygonValues.assign(static_cast<size_t>(count), std::nan(""));
    for (INT_PTR i = 0; i < count; ++i)
    {
        m_polygonPoints[static_cast<size_t>(i)] = *polygon.m_vertices[i];
        // A vertex without a value has none.
        if (i < polygon.m_values.GetSize())
            m_polygonValues[static_cast<size_t>(i)] = polygon.m_values[i];
    }
}

void CContourCutter::DrawPolygonBands(const CFacet& polygon, CDrawDevice* device, int mode,
                                      const CPoint3D* normal)
{
    CopyFacet(polygon);
    DrawPolygonBands(m_polygonPoints.data(), m_polygonValues.data(),
                     static_cast<int>(m_polygonPoints.size()), device, mode, normal);
}

void CContourCutter::DrawPolygonLines(const CPoint3D* points, const double* values, int count,
                                      CDrawDevice* device)
{
    if (!CutPolygon(points, values, count, true))
        return;
    for (int k = m_firstBand; k <= m_lastBand; ++k)
        DrawPairs(k, device);
}

// Level points of one band pair up into segments; the pairing starts afresh in every band, so
// that an odd point left in one band never joins a point of the next.
void CContourCutter::DrawPairs(int band, CDrawDevice* device)
{
    const std::vector<BandPoint>& facet = m_bandFacets[static_cast<size_t>(band)];
    const BandPoint* pending = nullptr;
    bool isColored = false;
    for (const BandPoint& p : facet)
    {
        if (p.flag != kOnUpper)
            continue;
        if (!pending)
        {
            pending = &p;
            continue;
        }
        if (!isColored)
        {
            UseColor(device, GetBandColor(band));
            isColored = true;
        }
        device->DrawLine(ToPoint(pending->x, pending->y, pending->z), ToPoint(p.x, p.y, p.z), 0);
        pending = nullptr;
    }
}

void CContourCutter::DrawPolygonLines(const CFacet& polygon, CDrawDevice* device)
{
    CopyFacet(polygon);
    DrawPolygonLines(m_polygonPoints.data(), m_polygonValues.data(),
                     static_cast<int>(m_polygonPoints.size()), device);
}

namespace
{
// Calls draw(triangle points, triangle values) for each edge with the centroid.
template <typename Draw>
void ForEachFanTriangle(const CPoint3D* points, const double* values, int count, Draw draw)
{
    if (count < 1)
        return;
    CPoint3D centre;
    double mean = 0.0;
    for (int i = 0; i < count; ++i)
    {
        centre = centre + points[i];
        mean += values[i];
    }
    centre = centre * (1.0 / count);
    mean /= count;
    for (int i = 0; i < count; ++i)
    {
        const int j = (i + 1) % count;
        const CPoint3D triangle[3] = {points[i], points[j], centre};
        const double triangleValues[3] = {values[i], values[j], mean};
        draw(triangle, triangleValues);
    }
}
} // namespace

void CContourCutter::DrawPolygonFanBands(const CPoint3D* points, const double* values, int count,
                                         CDrawDevice* device, const CPoint3D* normal)
{
    ForEachFanTriangle(points, values, count,
                       [&](const CPoint3D* p, const double* v)
                       { DrawPolygonBands(p, v, 3, device, kRenderFill, normal); });
}

void CContourCutter::DrawPolygonFanLines(const CPoint3D* points, const double* values, int count,
                                         CDrawDevice* device)
{
    ForEachFanTriangle(points, values, count,
                       [&](const CPoint3D* p, const double* v)
                       { DrawPolygonLines(p, v, 3, device); });
}

void CContourCutter::DrawPolygonFanBands(const CFacet& polygon, CDrawDevice* device,
                                         const CPoint3D* normal)
{
    CopyFacet(polygon);
    DrawPolygonFanBands(m_polygonPoints.data(), m_polygonValues.data(),
                        static_cast<int>(m_polygonPoints.size()), device, normal);
}

void CContourCutter::DrawPolygonFanLines(const CFacet& polygon, CDrawDevice* device)
{
    CopyFacet(polygon);
    DrawPolygonFanLines(m_polygonPoints.data(), m_polygonValues.data(),
                        static_cast<int>(m_polygonPoints.size()), device);
}

bool CContourCutter::SmoothColor(double value, double upperTolerance, CColorRGBA& color) const
{
    if (!m_pBands || std::isnan(value))
        return false;
    const double range = m_pBands->m_viewMax - m_pBands->m_viewMin;
    double t = 0.0;
    bool isInRange = true;
    if (range <= 1e-12)
    {
        isInRange = std::fabs(value - m_pBands->m_viewMin) <= 1e-12;
    }
    else
    {
        t = (value - m_pBands->m_viewMin) / range;
        isInRange = t >= 0.0 && t - 1.0 <= upperTolerance;
    }
    if (isInRange)
        m_pBands->GetRampColor(std::min(t, 1.0), color);
    else
        color = m_pBands->m_outOfRangeColor;
    return true;
}

void CContourCutter::DrawSmoothPolygon(const CPoint3D* points, const double* values, int count,
                                       CDrawDevice* device)
{
    m_colors.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
    {
        if (!SmoothColor(values[i], 0.0, m_colors[static_cast<size_t>(i)]))
            return;
    }
    device->DrawColoredPolygon(points, m_colors.data(), count);
}

void CContourCutter::DrawSmoothContour(const CPoint3D* points, const double* values, int count,
                                       CDrawDevice* device)
{
    try
    {
        if (count <= kMaxSmoothVertices)
        {
            DrawSmoothPolygon(points, values, count, device);
            return;
        }
        ForEachFanTriangle(points, values, count,
                           [&](const CPoint3D* p, const double* v)
                           { DrawSmoothPolygon(p, v, 3, device); });
    }
    catch (...)
    {
        ReportSmoothFailure();
    }
}

void CContourCutter::DrawSmoothContour(const CFacet& polygon, CDrawDevice* device)
{
    CopyFacet(polygon);
    DrawSmoothContour(m_polygonPoints.data(), m_polygonValues.data(),
                      static_cast<int>(m_polygonPoints.size()), device);
}

// Once per cutter, that is per list build: a message per polygon would bury the user.
void CContourCutter::ReportSmoothFailure()
{
    if (m_bSmoothFailureLogged)
        return;
    m_bSmoothFailureLogged = true;
    CAELogFile log("Gravik");
    log.WriteLine(2, "DrawSmoothContour", "Problem in DrawSmoothContour");
}

void CContourCutter::DrawFacetWithOutline(const CFacet& facet, CDrawDevice* device)
{
    UseRenderMode(device, kRenderFill);
    device->DrawFacet(&facet, 0);
    if (!m_pBands || m_pBands->m_nOutline != 0)
        return;
    UseRenderMode(device, kRenderLines);
    UseColor(device, CColorRGBA(1.0f, 1.0f, 1.0f, 0.0f));
    device->DrawFacet(&facet, 0);
}

void CContourCutter::DrawFacetWithOutline(const CPoint3D* points, int count, CDrawDevice* device)
{
    UseRenderMode(device, kRenderFill);
    DrawPoints(points, count, CPoint3D(), device);
    if (m_pBands && m_pBands->m_nOutline == 0)
        DrawWhiteOutline(points, count, device);
}

void CContourCutter::DrawWhiteOutline(const CPoint3D* points, int count, CDrawDevice* device)
{
    UseRenderMode(device, kRenderLines);
    UseColor(device, CColorRGBA(1.0f, 1.0f, 1.0f, 0.0f));
    DrawPoints(points, count, CPoint3D(), device);
}

void CContourCutter::SetLitColor(CColorRGBA color, CDrawDevice* device, double alpha)
{
    const float a = static_cast<float>(alpha);
    device->SetMaterialDiffuse(color.r, color.g, color.b, a);
    device->SetMaterialAmbient(0.4f * color.r, 0.4f * color.g, 0.4f * color.b, a);
    device->SetMaterialSpecular(0.0f, 0.0f, 0.0f, a);
    device->SetMaterialEmission(0.0f, 0.0f, 0.0f, a);
}

std::vector<CContourCutter::BandPoint>& CContourCutter::IsoFacet(int face, int band)
{
    return m_isoFacets[static_cast<size_t>(face) * static_cast<size_t>(m_nBands) +
                       static_cast<size_t>(band)];
}

void CContourCutter::BeginIsoFaces(int faceCount)
{
    m_nIsoFaces = std::max(faceCount, 0);
    const size_t needed = static_cast<size_t>(m_nIsoFaces) * static_cast<size_t>(m_nBands);
    if (m_isoFacets.size() < needed)
        m_isoFacets.resize(needed);
    for (size_t i = 0; i < needed; ++i)
        m_isoFacets[i].clear();
}

void CContourCutter::CutIsoFace(int face, const CPoint3D* points, const double* values, int count)
{
    if (face < 0 || face >= m_nIsoFaces || count < 1)
        return;
    m_vertexBands.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
    {
        int kind = 0;
        if (!ClassifyValue(values[i], kind, m_vertexBands[static_cast<size_t>(i)]))
            return;
    }
    const double* levels = m_pBands->m_levels;
    for (int i = 0; i < count; ++i)
    {
        const int j = (i + 1) % count;
        const int bi = m_vertexBands[static_cast<size_t>(i)];
        const int bj = m_vertexBands[static_cast<size_t>(j)];
        const int step = bj > bi ? 1 : -1;
        for (int k = bi; k != bj; k += step)
        {
            const int lower = step > 0 ? k : k - 1; // the band below the level crossed
            const CPoint3D x =
                InterpolateEdge(levels[lower + 1], values[i], values[j], points[i], points[j]);
            AddPoint(IsoFacet(face, lower), x, kOnUpper);
            AddPoint(IsoFacet(face, lower + 1), x, kOnLower);
        }
        int kind = 0;
        int band = 0;
        ClassifyValue(values[j], kind, band);
        if (kind == kInsideBand)
            AddPoint(IsoFacet(face, bj), points[j], kInsideBand);
    }
}

bool CContourCutter::FindFirstIsoSegment(int band, CPoint3D& start, CPoint3D& current)
{
    if (band < 0 || band >= m_nBands)
        return false;
    BandPoint* first = nullptr;
    for (int f = 0; f < m_nIsoFaces; ++f)
    {
        for (BandPoint& p : IsoFacet(f, band))
        {
            if (p.flag != kOnUpper)
                continue;
            if (!first)
            {
                first = &p;
                continue;
            }
            start = ToPoint(first->x, first->y, first->z);
            current = ToPoint(p.x, p.y, p.z);
            first->flag = kConsumed;
            p.flag = kConsumed;
            return true;
        }
    }
    return false;
}

bool CContourCutter::FindNextIsoSegment(int band, CPoint3D& current)
{
    if (band < 0 || band >= m_nBands)
        return false;
    for (int f = 0; f < m_nIsoFaces; ++f)
    {
        std::vector<BandPoint>& facet = IsoFacet(f, band);
        BandPoint* previous = nullptr;
        bool isFirst = true;
        for (size_t i = 0; i < facet.size(); ++i)
        {
            BandPoint& p = facet[i];
            if (p.flag != kOnUpper)
                continue;
            if (!IsNear(current, p.x, p.y, p.z))
            {
                previous = &p;
                isFirst = false;
                continue;
            }
            if (isFirst)
            {
                // The segment's other end is the next level point of the facet.
                for (size_t j = i + 1; j < facet.size(); ++j)
                {
                    if (facet[j].flag != kOnUpper)
                        continue;
                    p.flag = kConsumed;
                    facet[j].flag = kConsumed;
                    current = ToPoint(facet[j].x, facet[j].y, facet[j].z);
                    return true;
                }
                break; // a lone point ends nothing here
            }
            previous->flag = kConsumed;
            current = ToPoint(previous->x, previous->y, previous->z);
            return true;
        }
    }
    return false;
}

bool CContourCutter::ChainIsoPolygon(int band, std::vector<CPoint3D>& polygon)
{
    polygon.clear();
    CPoint3D start;
    CPoint3D current;
    if (!FindFirstIsoSegment(band, start, current))
        return false;
    polygon.push_back(start);
    polygon.push_back(current);
    while (FindNextIsoSegment(band, current))
    {
        // Back at the start: the loop is closed.
        if (IsNear(start, current.x, current.y, current.z))
            break;
        polygon.push_back(current);
    }
    return polygon.size() > 2;
}
