// Visiting the elements of an id-keyed element map in the map's order, nulls left out.
#pragma once

#include "core/model/GroupSet.h"

template <class Visit>
void ForEachElement(const CElementMap& elements, Visit&& visit)
{
    POSITION pos = elements.GetStartPosition();
    while (pos != nullptr)
    {
        UINT id = 0;
        CFEElement* element = nullptr;
        elements.GetNextAssoc(pos, id, element);
        if (element != nullptr)
            visit(element);
    }
}
