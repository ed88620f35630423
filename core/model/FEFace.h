// One face of a finite element: its node ids in face order, owner and unit normal.
#pragma once

#include "core/geometry/ModelEntity.h"

#include <cstdint>
#include <memory>

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
    CPackedPoint m_normal;
    // Tessellated outline of a face with mid-side nodes: curve divisions + 1 points per
    // node-to-node step. Faces of straight-sided elements, nearly all of a model, never have
    // one, so the list is made only when a point goes in.
    class COutline
    {
    public:
        COutline() = default;
        COutline(const COutline& other) { Copy(other); }
        COutline& operator=(const COutline& other)
        {
            Copy(other);
            return *this;
        }

        INT_PTR GetSize() const { return m_points ? m_points->GetSize() : 0; }
        bool IsEmpty() const { return GetSize() == 0; }
        const CPoint3D& operator[](INT_PTR index) const { return (*m_points)[index]; }
        CPoint3D& operator[](INT_PTR index) { return (*m_points)[index]; }
        const CPoint3D* begin() const { return m_points ? m_points->begin() : nullptr; }
        const CPoint3D* end() const { return m_points ? m_points->end() : nullptr; }
        INT_PTR Add(const CPoint3D& point) { return Edit().Add(point); }
        void RemoveAll() { m_points.reset(); }
        void Copy(const COutline& other)
        {
            if (this == &other)
                return;
            if (other.IsEmpty())
                m_points.reset();
            else
                Edit().Copy(*other.m_points);
        }
        // The list itself, made when missing, for the routines that fill one.
        CPoint3DArray& Edit()
        {
            if (!m_points)
                m_points = std::make_unique<CPoint3DArray>();
            return *m_points;
        }
        operator const CPoint3DArray&() const { return m_points ? *m_points : Empty(); }

    private:
        static const CPoint3DArray& Empty()
        {
            static const CPoint3DArray empty;
            return empty;
        }

        std::unique_ptr<CPoint3DArray> m_points;
    };
    COutline m_outline;
};
