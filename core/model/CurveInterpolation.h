// Smooth curves through a few points: an interpolating C2 cubic spline with centripetal knots
// and Bessel end conditions, turned into cubic Bezier segments and sampled at fixed steps.
// Curved element edges and the renderer's three-point curves are drawn with it.
#pragma once

#include "core/geometry/ModelEntity.h"

#include <vector>

class CEntitySet;
class CFEElement;

// Appends (N - 1) * (steps + 1) points for N >= 3 input points, nothing for fewer or for
// steps < 1. Each segment contributes its end points, so a shared end point stands twice.
// No failure inside escapes; points appended before one stay.
void InterpolateCurve(const CPoint3DArray& points, int steps, CPoint3DArray& out);

// Rebuilds the outline of every face of an element with mid-side nodes: one curve per edge, from
// a corner through its mid-side node to the next corner, the last edge closing on node 0.
// -1 and nothing changed for an element without mid-side nodes, else 0.
int TessellateElementFaces(CFEElement& element, const CEntitySet& set, int steps);

// The curve through p[1] and the end points p[0] and p[2] pulled towards their midpoint by the
// factor (1 leaves them, 0 collapses them onto the midpoint).
void BuildShrunkCurve(const CPoint3D p[3], double factor, int steps, CPoint3DArray& out);

// The steps, each usable by itself. L = N - 1 intervals for N points; knots u[0..L].

// u[0] = 0, u[k] = u[k-1] + sqrt(chord length).
void CentripetalKnots(const CPoint3DArray& points, std::vector<double>& u);

// The tridiagonal system for the de Boor points d[1..L+1]:
// alpha[k] d[k] + beta[k] d[k+1] + gamma[k] d[k+2] = D[k+1], and its LU factors.
struct SplineSystem
{
    std::vector<double> alpha;
    std::vector<double> beta;
    std::vector<double> gamma;
    std::vector<double> up;
    std::vector<double> low;
};

void SetUpSplineSystem(const std::vector<double>& u, SplineSystem& system);
void FactorTridiagonal(SplineSystem& system);

// D[0..L+2] of one coordinate with D[0], D[2..L] and D[L+2] set: fills D[1] and D[L+1].
void BesselEnds(const std::vector<double>& u, std::vector<double>& D);

// The de Boor points d[0..L+2] of one coordinate.
void SolveTridiagonal(const SplineSystem& system, const std::vector<double>& D,
                      std::vector<double>& d);

// Knots and the N + 2 de Boor points of the spline through the points (N >= 3).
void SolveSplineControlPoints(const CPoint3DArray& points, std::vector<double>& u,
                              CPoint3DArray& deBoor);

// One segment per interval: m_points holds its two end points, m_controlPoints its two inner
// control points.
void BSplineToBezier(const std::vector<double>& u, const CPoint3DArray& deBoor,
                     std::vector<CPolygonEntity>& segments);

void SampleSegments(const std::vector<CPolygonEntity>& segments, int steps, CPoint3DArray& out);
// steps + 1 points at t = j / steps, j = 0..steps.
void SampleSegment(const CPolygonEntity& segment, int steps, CPoint3DArray& out);

CPoint3D CubicBezierPoint(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                          const CPoint3D& p3, double t);
