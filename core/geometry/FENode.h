// A grid point of the model.
#pragma once

#include "core/geometry/ModelEntity.h"

#include <cstddef>

class CFENode : public CMeshEntity
{
public:
    CFENode() { type = kTagNode; }
    CFENode(int id, const CPoint3D& coord)
        : m_coord(coord)
    {
        type = kTagNode;
        m_id = id;
    }
    ~CFENode() override = default;

    // Nodes come from a pool: a model of millions is made and freed in few heap calls.
    static void* operator new(std::size_t size);
    static void operator delete(void* node, std::size_t size);

    CPackedPoint m_coord;
};
