// The section plane of the renderer: coefficients, parallel step offsets, and the signed
// distances of nodes and elements to the plane by their index numbers.
#pragma once

#include "core/geometry/Point3D.h"
#include "core/model/GroupSet.h"
#include "render/DrawObject.h"

#include <vector>

class CSegment3D;

class CClipPlane : public CDisplayObject
{
public:
    static constexpr int kMaxSteps = 119;

    CClipPlane() = default;
    CClipPlane(const CClipPlane&) = default;
    CClipPlane& operator=(const CClipPlane&) = default;
    ~CClipPlane() override = default;

    // The segment's start is a point on the plane, its end the normal direction. Step counts
    // are limited to what the offset table holds.
    void SetPlane(const CSegment3D& segment, double stepSize, int stepCount);
    // Signed distances of every node and element; entries are indexed by index number, so the
    // arrays hold count + 1 entries. Index numbers outside that range are skipped.
    void ComputeNodeDistances(const CNodeMap& nodes, int nodeCount, const CElementMap& elements,
                              int elementCount);

    double m_a = 0.0; // unit normal
    double m_b = 0.0;
    double m_c = 0.0;
    double m_d = 0.0; // a*x + b*y + c*z + d = 0 on the plane
    double m_minDistance = 0.0;
    double m_maxDistance = 0.0;
    std::vector<double> m_nodeDistances;
    double m_stepOffsets[kMaxSteps + 1] = {};
    int m_nSteps = 0;
    CPoint3D m_points[3]; // the three points the clipping dialog defines the plane with
    double m_stepSize = 0.0;
    int m_nNodeCount = 0;
    std::vector<double> m_elementMin;
    std::vector<double> m_elementMax;
    int m_nElementCount = 0;
};
