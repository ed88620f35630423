// A small model for the view's animation and export tests: ten quads in a row from x = -5 to 5
// (nodes 1 to 22, two a column) and nodal results whose values rise along it.
#pragma once

#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "tests/core/model/ModelFixtures.h"

namespace view_test
{
inline void AddStrip(CModelSet& model)
{
    for (int i = 0; i <= 10; ++i)
    {
        AddTestNode(model, 2 * i + 1, i - 5.0, -1, 0);
        AddTestNode(model, 2 * i + 2, i - 5.0, 1, 0);
    }
    for (int i = 0; i < 10; ++i)
        AddQuad(model, i + 1, 2 * i + 1, 2 * i + 3, 2 * i + 4, 2 * i + 2);
    model.BuildElementFaces();
}

// Load case loadCase of result number: scale times the column number at each node, loaded.
// flags: CResultData::kFlagAtNodes with the case kind (8 static, 16 modes, 24 steps).
inline CResultData* AddNodalCase(CModelSet& model, UINT number, UINT typeBits, UINT loadCase,
                                 int flags, double scale)
{
    model.AddLoadCaseValue(number, typeBits, static_cast<double>(loadCase));
    auto* result = new CResultData();
    result->m_id = MakeLoadCaseKey(number, typeBits, loadCase);
    result->m_flags = flags;
    result->m_loaded = CResultData::kLoaded;
    result->SetName("Stress");
    for (int node = 1; node <= 22; ++node)
    {
        const double value = scale * ((node - 1) / 2);
        result->SetNodeValue(node, value);
        result->WidenRange(value);
    }
    model.AddResult(result);
    return result;
}
} // namespace view_test
