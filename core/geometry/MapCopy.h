// Copying the associations of one framework hash map into another.
#pragma once

#include "platform/base/coll_map.h"

// Sets destination[key] = value for every association of the source, in the source's order:
// common keys are overwritten, keys only the destination has stay.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CopyMap(const CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>& source,
             CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>& destination)
{
    for (const auto& [key, value] : fw::Assocs(source))
    {
        destination.SetAt(key, value);
    }
}

// As CopyMap, but associations whose value is zero (or null) are skipped; they are not removed
// from the destination either.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CopyMapNonZero(const CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>& source,
                    CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>& destination)
{
    for (const auto& [key, value] : fw::Assocs(source))
    {
        if (value != VALUE())
            destination.SetAt(key, value);
    }
}
