// The entity and result drawable bases.
#pragma once

#include "core/display/DisplayObject.h"
#include "platform/base/coll_map.h"

class CDrawDevice;
class CEntitySet;
class CResultDisplayAttr;

// A drawable of model entities: positions come from an entity set, shrunk by a factor.
class CEntityDrawObject : public CDrawObject
{
public:
    CEntityDrawObject() = default;
    CEntityDrawObject(CEntitySet* entitySet, double shrinkFactor)
        : m_shrinkFactor(shrinkFactor)
        , m_pEntitySet(entitySet)
    {
    }
    ~CEntityDrawObject() override = default;

    virtual void DrawFilled(CDrawDevice* device) = 0;
    virtual void DrawOutline(CDrawDevice* device) = 0;

    double m_shrinkFactor = 1.0;
    CEntitySet* m_pEntitySet = nullptr; // coordinate source, not owned
};

// A drawable of result values coloured through a band table.
class CResultDrawObject : public CEntityDrawObject
{
public:
    CResultDrawObject();
    ~CResultDrawObject() override;

    CResultDisplayAttr* m_pBands = nullptr; // not owned
    void* m_pExtra = nullptr;               // not owned
    CMapPtrToPtr m_map;
};
