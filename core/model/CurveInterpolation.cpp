// Spline interpolation for curved edges. The working arrays are sized by the point count, so
// any number of points is accepted.
#include "core/model/CurveInterpolation.h"

#include "core/geometry/EntitySet.h"
#include "core/model/FEElement.h"

#include <cmath>

namespace
{
constexpr double kOneThird = 0.3333333333333333;
constexpr int kMaxFaceNodes = 8;

double Coordinate(const CPoint3D& p, int axis)
{
    return axis == 0 ? p.x : (axis == 1 ? p.y : p.z);
}

void SetCoordinate(CPoint3D& p, int axis, double value)
{
    (axis == 0 ? p.x : (axis == 1 ? p.y : p.z)) = value;
}

// Knot with the end knots repeated: u[-1] = u[0], u[L+1] = u[L].
double Knot(const std::vector<double>& u, int i)
{
    const int last = int(u.size()) - 1;
    return u[std::size_t(i < 0 ? 0 : (i > last ? last : i))];
}

// Interval length with the ones outside the curve zero: delta[-1] = delta[L] = 0.
double Delta(const std::vector<double>& u, int j)
{
    const int intervals = int(u.size()) - 1;
    if (j < 0 || j >= intervals)
        return 0.0;
    return u[std::size_t(j + 1)] - u[std::size_t(j)];
}

CPoint3D Blend(double a, const CPoint3D& p, double b, const CPoint3D& q, double divisor)
{
    return CPoint3D((a * p.x + b * q.x) / divisor, (a * p.y + b * q.y) / divisor,
                    (a * p.z + b * q.z) / divisor);
}
} // namespace

void InterpolateCurve(const CPoint3DArray& points, int steps, CPoint3DArray& out)
{
    if (points.GetSize() < 3 || steps < 1)
        return;
    try
    {
        std::vector<double> u;
        CPoint3DArray deBoor;
        SolveSplineControlPoints(points, u, deBoor);
        std::vector<CPolygonEntity> segments;
        BSplineToBezier(u, deBoor, segments);
        SampleSegments(segments, steps, out);
    }
    catch (...)
    {
        // A curve that cannot be built is simply not drawn.
    }
}

int TessellateElementFaces(CFEElement& element, const CEntitySet& set, int steps)
{
    if (!element.IsParabolicElement())
        return -1;
    // The face count field and the face array agree for built elements; never step past either.
    INT_PTR faceCount = element.m_faceCount < 0 ? 0 : element.m_faceCount;
    if (faceCount > element.m_faces.GetSize())
        faceCount = element.m_faces.GetSize();
    for (INT_PTR f = 0; f < faceCount; ++f)
    {
        CFEFace& face = element.m_faces[f];
        face.m_outline.RemoveAll();
        INT_PTR count = face.m_cornerCount;
        if (count > kMaxFaceNodes)
            count = kMaxFaceNodes;
        if (count > face.m_ids.GetSize())
            count = face.m_ids.GetSize();
        CPoint3D nodes[kMaxFaceNodes];
        for (INT_PTR i = 0; i < count; ++i)
            nodes[i] = set.GetNodePoint(face.m_ids[i]);
        for (INT_PTR j = 0; j + 1 < count; j += 2)
        {
            CPoint3DArray edge;
            edge.Add(nodes[j]);
            edge.Add(nodes[j + 1]);
            edge.Add(nodes[(j + 2) % count]);
            InterpolateCurve(edge, steps, face.m_outline.Edit());
        }
    }
    return 0;
}

void BuildShrunkCurve(const CPoint3D p[3], double factor, int steps, CPoint3DArray& out)
{
    const CPoint3D middle = (p[0] + p[2]) * 0.5;
    CPoint3DArray curve;
    curve.Add((p[0] - middle) * factor + middle);
    curve.Add(p[1]);
    curve.Add((p[2] - middle) * factor + middle);
    InterpolateCurve(curve, steps, out);
}

void CentripetalKnots(const CPoint3DArray& points, std::vector<double>& u)
{
    const INT_PTR count = points.GetSize();
    u.assign(std::size_t(count > 0 ? count : 1), 0.0);
    for (INT_PTR k = 1; k < count; ++k)
    {
        const CPoint3D& a = points[k - 1];
        const CPoint3D& b = points[k];
        const double dx = b.x - a.x;
        const double dy = b.y - a.y;
        const double dz = b.z - a.z;
        u[std::size_t(k)] =
            u[std::size_t(k - 1)] + std::sqrt(std::sqrt(dx * dx + dy * dy + dz * dz));
    }
}

void SetUpSplineSystem(const std::vector<double>& u, SplineSystem& system)
{
    const int intervals = int(u.size()) - 1;
    const std::size_t size = std::size_t(intervals + 1);
    system.alpha.assign(size, 0.0);
    system.beta.assign(size, 0.0);
    system.gamma.assign(size, 0.0);
    system.beta[0] = 1.0;
    for (int k = 1; k < intervals; ++k)
    {
        const double dm2 = Delta(u, k - 2);
        const double dm1 = Delta(u, k - 1);
        const double d0 = Delta(u, k);
        const double dp1 = Delta(u, k + 1);
        double alpha = d0 * d0 / (dm2 + dm1 + d0);
        double gamma = dm1 * dm1 / (dm1 + d0 + dp1);
        double beta = (dm2 + dm1) * d0 / (dm2 + dm1 + d0) + dm1 * (d0 + dp1) / (dm1 + d0 + dp1);
        const double scale = dm1 + d0;
        alpha /= scale;
        beta /= scale;
        gamma /= scale;
        system.alpha[std::size_t(k)] = alpha;
        system.beta[std::size_t(k)] = beta;
        system.gamma[std::size_t(k)] = gamma;
    }
    system.beta[std::size_t(intervals)] = 1.0;
}

void FactorTridiagonal(SplineSystem& system)
{
    const std::size_t size = system.beta.size();
    system.up.assign(size, 0.0);
    system.low.assign(size, 0.0);
    system.up[0] = system.beta[0];
    for (std::size_t k = 1; k < size; ++k)
    {
        system.low[k] = system.alpha[k] / system.up[k - 1];
        system.up[k] = system.beta[k] - system.low[k] * system.gamma[k - 1];
    }
}

void BesselEnds(const std::vector<double>& u, std::vector<double>& D)
{
    const int L = int(u.size()) - 1;
    const std::size_t last = std::size_t(L + 2);
    const std::size_t third = L == 2 ? 4 : 3;

    double r = Delta(u, 1) / (Delta(u, 0) + Delta(u, 1));
    double s = 1.0 - r;
    const double startMiddle = (D[2] - r * r * D[0] - s * s * D[third]) / (2.0 * s * r);
    double q = s * startMiddle + r * D[0];
    D[1] = (2.0 * q + D[0]) * kOneThird;

    if (L == 2)
    {
        // Two intervals: the end follows the same parabola as the start.
        q = r * startMiddle + s * D[4];
        D[3] = (2.0 * q + D[4]) * kOneThird;
        return;
    }
    r = Delta(u, L - 1) / (Delta(u, L - 2) + Delta(u, L - 1));
    s = 1.0 - r;
    const std::size_t l = std::size_t(L);
    const double endMiddle = (D[l] - r * r * D[l - 1] - s * s * D[last]) / (2.0 * s * r);
    q = r * endMiddle + s * D[last];
    D[l + 1] = (2.0 * q + D[last]) * kOneThird;
}

void SolveTridiagonal(const SplineSystem& system, const std::vector<double>& D,
                      std::vector<double>& d)
{
    const std::size_t L = system.beta.size() - 1;
    std::vector<double> aux(L + 1, 0.0);
    d.assign(L + 3, 0.0);
    aux[0] = D[1];
    for (std::size_t k = 1; k <= L; ++k)
        aux[k] = D[k + 1] - system.low[k] * aux[k - 1];
    d[L + 1] = aux[L] / system.up[L];
    for (int k = int(L) - 1; k >= 1; --k)
    {
        const std::size_t at = std::size_t(k);
        d[at + 1] = (aux[at] - system.gamma[at] * d[at + 2]) / system.up[at];
    }
    d[1] = D[1];
    d[0] = D[0];
    d[L + 2] = D[L + 2];
}

void SolveSplineControlPoints(const CPoint3DArray& points, std::vector<double>& u,
                              CPoint3DArray& deBoor)
{
    const INT_PTR count = points.GetSize();
    const INT_PTR L = count - 1;
    CentripetalKnots(points, u);
    SplineSystem system;
    SetUpSplineSystem(u, system);
    FactorTridiagonal(system);

    deBoor.SetSize(L + 3);
    for (int axis = 0; axis < 3; ++axis)
    {
        std::vector<double> D(std::size_t(L + 3), 0.0);
        D[0] = Coordinate(points[0], axis);
        for (INT_PTR k = 1; k <= L - 1; ++k)
            D[std::size_t(k + 1)] = Coordinate(points[k], axis);
        D[std::size_t(L + 2)] = Coordinate(points[L], axis);
        BesselEnds(u, D);
        std::vector<double> d;
        SolveTridiagonal(system, D, d);
        for (INT_PTR i = 0; i < L + 3; ++i)
            SetCoordinate(deBoor[i], axis, d[std::size_t(i)]);
    }
}

void BSplineToBezier(const std::vector<double>& u, const CPoint3DArray& deBoor,
                     std::vector<CPolygonEntity>& segments)
{
    const int L = int(u.size()) - 1;
    std::vector<CPoint3D> b(std::size_t(3 * L + 1));
    b[0] = deBoor[0];
    b[1] = deBoor[1];
    b[std::size_t(3 * L - 1)] = deBoor[L + 1];
    b[std::size_t(3 * L)] = deBoor[L + 2];
    for (int i = 1; i <= L - 1; ++i)
    {
        b[std::size_t(3 * i - 1)] =
            Blend(Knot(u, i + 1) - Knot(u, i), deBoor[i], Knot(u, i) - Knot(u, i - 2),
                  deBoor[i + 1], Knot(u, i + 1) - Knot(u, i - 2));
        b[std::size_t(3 * i + 1)] =
            Blend(Knot(u, i + 2) - Knot(u, i), deBoor[i + 1], Knot(u, i) - Knot(u, i - 1),
                  deBoor[i + 2], Knot(u, i + 2) - Knot(u, i - 1));
    }
    for (int i = 1; i <= L - 1; ++i)
    {
        b[std::size_t(3 * i)] = Blend(Knot(u, i + 1) - Knot(u, i), b[std::size_t(3 * i - 1)],
                                      Knot(u, i) - Knot(u, i - 1), b[std::size_t(3 * i + 1)],
                                      Knot(u, i + 1) - Knot(u, i - 1));
    }

    segments.clear();
    for (std::size_t i = 0; i + 3 <= b.size() - 1; i += 3)
    {
        CPolygonEntity segment;
        segment.m_points.SetAt(0, b[i]);
        segment.m_points.SetAt(1, b[i + 3]);
        segment.m_controlPoints.Add(b[i + 1]);
        segment.m_controlPoints.Add(b[i + 2]);
        segments.push_back(segment);
    }
}

void SampleSegments(const std::vector<CPolygonEntity>& segments, int steps, CPoint3DArray& out)
{
    for (const CPolygonEntity& segment : segments)
        SampleSegment(segment, steps, out);
}

void SampleSegment(const CPolygonEntity& segment, int steps, CPoint3DArray& out)
{
    if (steps < 1 || segment.m_points.GetSize() < 2 || segment.m_controlPoints.GetSize() < 2)
        return;
    for (int j = 0; j <= steps; ++j)
    {
        const double t = double(j) / double(steps);
        out.Add(CubicBezierPoint(segment.m_points[0], segment.m_controlPoints[0],
                                 segment.m_controlPoints[1], segment.m_points[1], t));
    }
}

CPoint3D CubicBezierPoint(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                          const CPoint3D& p3, double t)
{
    const double s = 1.0 - t;
    const double a = s * s * s;
    const double b = 3.0 * t * s * s;
    const double c = 3.0 * t * t * s;
    const double d = t * t * t;
    return CPoint3D(a * p0.x + b * p1.x + c * p2.x + d * p3.x,
                    a * p0.y + b * p1.y + c * p2.y + d * p3.y,
                    a * p0.z + b * p1.z + c * p2.z + d * p3.z);
}
