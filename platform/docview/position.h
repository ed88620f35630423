// The framework lists keep their entries in vectors; a POSITION is the index plus one, so
// null still ends a walk.
#pragma once

#include "platform/base/types.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw
{
inline POSITION IndexToPosition(std::size_t index)
{
    return reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(index + 1));
}

// The entry at position; position moves on to the next one, or null after the last.
template <class T>
T* NextAt(const std::vector<T*>& entries, POSITION& position)
{
    const std::size_t index =
        static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(position)) - 1;
    position = index + 1 < entries.size() ? IndexToPosition(index + 1) : nullptr;
    return entries[index];
}

template <class T>
POSITION FirstPosition(const std::vector<T*>& entries)
{
    return entries.empty() ? nullptr : IndexToPosition(0);
}
} // namespace fw
