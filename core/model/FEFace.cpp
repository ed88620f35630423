// Face copy rules and corner lookup.
#include "core/model/FEFace.h"

CFEFace::CFEFace(const CFEFace& other)
    : CMeshEntity()
{
    *this = other;
}

CFEFace& CFEFace::operator=(const CFEFace& other)
{
    if (this == &other)
        return *this;
    type = other.type;
    m_elementId = other.m_elementId;
    m_faceIndex = other.m_faceIndex;
    m_normal = other.m_normal;
    m_cornerCount = other.m_cornerCount;
    m_color = other.m_color;
    m_ids.Copy(other.m_ids);
    m_groups.Copy(other.m_groups);
    m_outline.Copy(other.m_outline);
    return *this;
}

int CFEFace::GetCornerIds(int ids[4]) const
{
    const int step = m_cornerCount > 4 ? 2 : 1;
    const int held = static_cast<int>(m_ids.GetSize());
    const int count = m_cornerCount < held ? m_cornerCount : held;
    int written = 0;
    for (int i = 0; i < count && written < 4; i += step)
        ids[written++] = m_ids[i];
    return written;
}
