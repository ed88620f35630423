// One face of a finite element: its node ids in face order, owner and unit normal.
#pragma once

#include "core/geometry/ModelEntity.h"

#include <cstdint>

class CFEFace : public CMeshEntity
{
public:
    CFEFace() { type = kTagFace; }
    CFEFace(const CFEFace& other);
    // Copies what describes the face; the id, index number and reference point stay the target's.
    CFEFace& operator=(const CFEFace& other);
    ~CFEFace() override = default;

    // Corner node ids: every node of a face with 3 or 4, the even positions of one with 6 or 8.
    // Bounded by the ids the face holds; returns how many were written (at most 4).
    int GetCornerIds(int ids[4]) const;

    // Node count of the face: 3 or 4, or 6 or 8 when mid-side nodes alternate with the corners.
    uint8_t m_cornerCount = 4;
    uint8_t m_faceIndex = 0; // position in the owner's face array
    int m_elementId = 0;     // the owner; faces refer to their element only by id
    CPoint3D m_normal;
    // Tessellated outline of a face with mid-side nodes: curve divisions + 1 points per
    // node-to-node step.
    CPoint3DArray m_outline;
};
