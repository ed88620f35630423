// Selection-name table.
#include "render/SelectionNames.h"

UINT CSelectionNames::Add(const void* entity)
{
    if (!entity)
        return 0;
    auto found = m_names.find(entity);
    if (found != m_names.end())
        return found->second;
    m_entities.push_back(entity);
    const UINT name = static_cast<UINT>(m_entities.size());
    m_names.emplace(entity, name);
    return name;
}

const void* CSelectionNames::Find(UINT name) const
{
    if (name == 0 || name > m_entities.size())
        return nullptr;
    return m_entities[name - 1];
}
