// Visiting the elements of an id-keyed element map in the map's order, nulls left out.
#pragma once

#include "core/model/GroupSet.h"

template <class Visit>
void ForEachElement(const CElementMap& elements, Visit&& visit)
{
    for (const auto& [id, element] : fw::Assocs(elements))
    {
        if (element != nullptr)
            visit(element);
    }
}
