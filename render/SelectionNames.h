// Per-view table from OpenGL selection names to the entities they stand for. Names are 32-bit,
// so they are small integers (index + 1), never addresses; 0 means no name.
#pragma once

#include <windows.h>

#include <unordered_map>
#include <vector>

class CSelectionNames
{
public:
    // The name of an entity, added on first use; null gets 0.
    UINT Add(const void* entity);
    // The entity of a name, or null for 0 and unknown names.
    const void* Find(UINT name) const;
    UINT GetCount() const { return static_cast<UINT>(m_entities.size()); }
    // Names are rebuilt with the display lists.
    void Clear()
    {
        m_entities.clear();
        m_names.clear();
    }

private:
    std::vector<const void*> m_entities; // name - 1 -> entity, not owned
    std::unordered_map<const void*, UINT> m_names;
};
