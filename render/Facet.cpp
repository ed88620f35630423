// Polygon record of the contour code.
#include "render/Facet.h"

CFacet::CFacet()
{
    type = kTagPointList;
}

CFacet::~CFacet()
{
    for (CPoint3D* vertex : m_vertices)
        delete vertex;
}

void CFacet::AddVertex(CPoint3D* vertex, int flag)
{
    m_vertices.Add(vertex);
    m_flags.Add(static_cast<DWORD>(flag));
}
