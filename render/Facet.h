// The polygon record that the contour code cuts and the device draws: owned vertices with a
// flag and a value each, and the polygon's unit normal.
#pragma once

#include "core/geometry/ModelEntity.h"
#include "platform/base/coll_array.h"

class CFacet : public CPointListEntity
{
public:
    CFacet();
    ~CFacet() override; // deletes the vertices
    CFacet(const CFacet&) = delete;
    CFacet& operator=(const CFacet&) = delete;

    // Takes ownership of the point.
    void AddVertex(CPoint3D* vertex, int flag);
    INT_PTR GetVertexCount() const { return m_vertices.GetSize(); }

    CArray<CPoint3D*> m_vertices; // owned
    CDWordArray m_flags;          // one per vertex
    CArray<double> m_values;      // one per vertex, filled by the contour code
    CPoint3D m_normal;
};
