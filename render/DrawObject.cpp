// Result drawable base.
#include "render/DrawObject.h"

CResultDrawObject::CResultDrawObject()
    : m_map(10)
{
    m_map.InitHashTable(17);
}

CResultDrawObject::~CResultDrawObject()
{
    m_map.RemoveAll();
}
