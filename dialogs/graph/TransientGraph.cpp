// Transient graph: values of each picked entity over the load cases of one result.
#include "dialogs/graph/TransientGraph.h"

#include "core/geometry/ModelEntity.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "core/services/StringFile.h"
#include "dialogs/graph/DistanceGraphSeries.h"
#include "dialogs/graph/GraphFrame.h"

namespace
{
// The loaded result of load case k, or null.
const CResultData* LoadCaseResult(const CModelSet& model, UINT resultId, int k)
{
    UINT id = 0;
    if (!model.GetLoadCaseResultId(resultId, k, &id))
        return nullptr;
    const CResultData* result = model.GetResult(id);
    return result != nullptr && result->IsLoaded() ? result : nullptr;
}

CString StepLabel(int k)
{
    CString label;
    label.Format("Step-%d", k);
    return label;
}

CString TransientText(const char* key)
{
    CString text;
    LoadStringFromFile(CString("Dialog.str"), CString("TransientGraph"), CString(key), &text);
    return text;
}
} // namespace

TransientSeries MakeTransientSeries(const CModelSet& model, const CModelEntity& entity,
                                    UINT resultId, int component)
{
    TransientSeries series;
    series.name.Format("%d", entity.m_id);
    if (component < kComponentScalar || component > kComponentResultant)
        return series;
    const int count = model.GetLoadCaseCount(resultId);
    for (int k = 0; k < count; ++k)
    {
        const CResultData* result = LoadCaseResult(model, resultId, k);
        if (result == nullptr)
            continue;
        // Labelled by the load case, not by the count of values: a step without a value
        // leaves a gap instead of moving later values onto its label.
        series.labels.push_back(StepLabel(k));
        series.values.push_back(DistanceValue(model, *result, component, entity));
    }
    return series;
}

CGraphFrame* OpenTransientGraph(const CModelSet& model,
                                const std::vector<const CModelEntity*>& entities, UINT resultId,
                                int component, CWnd* parent)
{
    const int count = model.GetLoadCaseCount(resultId);
    if (count < 1)
        return nullptr;
    auto* frame = new CGraphFrame; // deletes itself, also when its window fails
    if (!frame->Create(nullptr, "Graph Control", WS_OVERLAPPEDWINDOW, CRect(10, 100, 1000, 700),
                       parent))
        return nullptr;
    CGraphView& view = *frame->GetPane().GetView();
    // Every step takes its place in order, whichever series has it first.
    for (int k = 0; k < count; ++k)
    {
        if (LoadCaseResult(model, resultId, k) != nullptr)
            view.Graph().Data().FindOrAddXLabel(StepLabel(k));
    }
    for (const CModelEntity* entity : entities)
    {
        const TransientSeries series = MakeTransientSeries(model, *entity, resultId, component);
        view.AddSeriesWithXLabels(series.labels, series.values, series.name);
    }
    CString title;
    if (const CResultData* result = model.GetResult(resultId))
        title = result->GetName();
    for (int k = 0; title.IsEmpty() && k < count; ++k)
    {
        if (const CResultData* result = LoadCaseResult(model, resultId, k))
            title = result->GetName();
    }
    view.SetTitles(title, TransientText("Steps"), TransientText("Result"));
    frame->ShowGraph();
    return frame;
}
