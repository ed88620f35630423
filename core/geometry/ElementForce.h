// FORCE-type load records and the set of records filed under one (load set id, grid id) key.
#pragma once

#include "core/geometry/ModelEntity.h"

#include <cstdint>

// One FORCE entry; m_id holds the grid id.
class CElementForce : public CMeshEntity
{
public:
    CElementForce() { type = kTagElementForce; }
    // Sizes m_ids to that many zero entries; a negative count gives none.
    explicit CElementForce(int16_t count);
    ~CElementForce() override = default;

    int m_loadSetId = 0;
    int m_coordSystemId = 0;
    double m_scale = 0.0;
    CPoint3D m_direction;
    int16_t m_count = -1;
};

class CForceSet
{
public:
    CForceSet();
    CForceSet(const CForceSet&) = delete;
    CForceSet& operator=(const CForceSet&) = delete;
    virtual ~CForceSet();

    // Appends a record (ownership moves to the set) and returns the new count.
    int Add(CElementForce* force);
    int GetCount() const { return m_count; }
    CElementForce* GetAt(int index) const { return m_forces[index]; }

    int m_loadSetId = 0;
    int m_gridId = 0;

private:
    CArray<CElementForce*> m_forces; // owned records in [0, m_count); the rest empty slots
    int m_count = 0;
};
