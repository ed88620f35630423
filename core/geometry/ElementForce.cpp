// Force records and their per-key container.
#include "core/geometry/ElementForce.h"

namespace
{
constexpr int kInitialForceSlots = 8;
}

CElementForce::CElementForce(int16_t count)
    : m_count(count)
{
    type = kTagElementForce;
    if (count > 0)
    {
        m_ids.SetSize(count);
        for (int i = 0; i < count; ++i)
            m_ids[i] = 0;
    }
}

CForceSet::CForceSet()
{
    m_forces.SetSize(kInitialForceSlots);
    for (int i = 0; i < kInitialForceSlots; ++i)
        m_forces[i] = nullptr;
}

CForceSet::~CForceSet()
{
    for (int i = 0; i < m_count; ++i)
        delete m_forces[i];
}

int CForceSet::Add(CElementForce* force)
{
    if (m_count >= m_forces.GetSize())
        m_forces.SetSize(m_count + 1);
    m_forces[m_count] = force;
    return ++m_count;
}
