// The graph of picked entities' values of one result over its load cases (steps): one series
// per entity, one "Step-k" label per load case.
#pragma once

#include "platform/base/string.h"

#include <vector>

class CGraphFrame;
class CModelEntity;
class CModelSet;
class CWnd;

struct TransientSeries
{
    CString name;                // the entity's id
    std::vector<CString> labels; // "Step-k" of each load case k that has a value
    std::vector<double> values;
};

// One entity's values of the result's load cases. A load case without a loaded result, or a
// component the result cannot give (other than 12 to 16), has no value; an id beyond the
// result's tables gives 0.0.
TransientSeries MakeTransientSeries(const CModelSet& model, const CModelEntity& entity,
                                    UINT resultId, int component);

// Creates, fills and shows the graph frame titled "Graph Control" with parent as its parent;
// null when the result has no load case or the frame could not be made. The frame deletes
// itself when it is closed.
CGraphFrame* OpenTransientGraph(const CModelSet& model,
                                const std::vector<const CModelEntity*>& entities, UINT resultId,
                                int component, CWnd* parent);
