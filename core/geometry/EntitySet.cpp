// Base answers of the entity-set interface.
#include "core/geometry/EntitySet.h"

CFENode* CEntitySet::GetNode(int) const
{
    return nullptr;
}

CPoint3D CEntitySet::GetNodePoint(int) const
{
    return CPoint3D();
}

double CEntitySet::GetResultValue(int, int) const
{
    return 0.0;
}

bool CEntitySet::AddNode(CFENode*)
{
    return false;
}

CFEElement* CEntitySet::FindElement(int) const
{
    return nullptr;
}

bool CEntitySet::AddElement(CFEElement*)
{
    return false;
}

bool CEntitySet::ContainsEntity(int) const
{
    return false;
}

bool CEntitySet::ContainsEdge(int, int) const
{
    return false;
}

void CEntitySet::AddPoint(CPoint3D, int)
{
}
