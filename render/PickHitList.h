// Result of a pick: selection names with their depths, nearest first.
#pragma once

#include "platform/base/coll_array.h"
#include "render/DrawObject.h"

class CPickHitList : public CDrawObject
{
public:
    CPickHitList() = default;
    CPickHitList(const CPickHitList& other) = default;
    CPickHitList& operator=(const CPickHitList& other) = default;
    ~CPickHitList() override = default;

    INT_PTR GetSize() const { return m_names.GetSize(); }

    CDWordArray m_names;
    CArray<float> m_depths; // minimum window depth / 2^31 of each hit
};
