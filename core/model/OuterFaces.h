// The outer faces of a set of elements and the ridge edges of that surface, found on a few
// threads: the work behind CGroupSet::ExtractOuterFaces.
#pragma once

#include "core/model/GroupSet.h"

class CVisibilityView;

// What CGroupSet::ExtractOuterFaces does, on the given number of threads (at most four; 0
// chooses by the model's size, one for a small model). Flags and edges do not depend on it.
void ExtractOuterFacesOnThreads(CEdgeMap& edgeMap, const CElementMap& elementMap,
                                const CVisibilityView& view, int threads);
