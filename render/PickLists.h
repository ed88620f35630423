// The lists picking runs over: one device selection name per entity, for the kinds a pick
// asks. They are compiled when a pick first needs them after a rebuild, so that rebuilds
// (every animation frame) do not pay for them.
#pragma once

#include "platform/base/coll_array.h"

class CAESet;
class CNodePointCache;

class CPickLists
{
public:
    explicit CPickLists(CAESet& renderer)
        : m_renderer(renderer)
    {
    }
    CPickLists(const CPickLists&) = delete;
    CPickLists& operator=(const CPickLists&) = delete;

    // Appends the names of the lists for the kinds (EntityKindBit), compiling stale ones.
    void Get(int kinds, CDWordArray& lists);
    // The lists of the kinds are compiled again before their next use.
    void MarkStale(int kinds) { m_staleKinds |= kinds; }

private:
    void Build(int kind);
    void BuildNodes(CNodePointCache& points);
    void BuildFaces(CNodePointCache& points, bool isSolid);
    void BuildBeams(CNodePointCache& points);
    void BuildMasses(CNodePointCache& points);

    CAESet& m_renderer;
    int m_staleKinds = 0; // EntityKindBit
};
