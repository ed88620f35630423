// Items of the result choosers.
#include "dialogs/tools/ResultChoice.h"

#include "core/model/ModelSet.h"
#include "core/model/ResultId.h"
#include "dialogs/settings/DialogTexts.h"

#include <algorithm>

namespace result_choice
{
namespace
{
constexpr int kCodes[4] = {kResultant, kX, kY, kZ};

bool IsVector(const CResultData& result)
{
    return (result.m_id & 1u) != 0;
}

bool IsListed(const CResultData& result, bool nodal)
{
    const int location = result.GetLocation();
    if (nodal)
        return location != 0 || result.m_average != 0;
    return location != CResultData::kFlagAtNodes;
}
} // namespace

Labels LoadLabels()
{
    Labels labels;
    const char* keys[4] = {"Resultant", "XDirection", "YDirection", "ZDirection"};
    for (int i = 0; i < 4; ++i)
        labels.components[i] = LoadUiText("Dialog.str", "ResultFilter", keys[i]);
    labels.step = LoadUiText("Dialog.str", "ResultFilter", "Step");
    labels.mode = LoadUiText("Dialog.str", "ResultFilter", "Mode");
    labels.loadCase = LoadUiText("Dialog.str", "ResultFilter", "Case");
    return labels;
}

std::vector<Item> ListResults(const CModelSet& model, bool nodal, const Labels& labels)
{
    std::vector<CResultData*> results;
    const CResultMap& map = model.GetResults();
    for (POSITION position = map.GetStartPosition(); position != nullptr;)
    {
        UINT id = 0;
        CResultData* result = nullptr;
        map.GetNextAssoc(position, id, result);
        if (result != nullptr && result->IsLoaded() && IsListed(*result, nodal))
            results.push_back(result);
    }
    std::sort(results.begin(), results.end(),
              [](const CResultData* a, const CResultData* b) { return a->m_id < b->m_id; });

    std::vector<Item> items;
    std::vector<CString> names;
    for (CResultData* result : results)
    {
        const CString& name = result->GetName();
        if (std::find(names.begin(), names.end(), name) != names.end())
            continue;
        names.push_back(name);
        if (!IsVector(*result))
        {
            items.push_back({name, result, kScalar});
            continue;
        }
        for (int i = 0; i < 4; ++i)
            items.push_back({labels.components[i] + " : " + name, result, kCodes[i]});
    }
    return items;
}

CString LoadCaseLabel(const CResultData& result, const Labels& labels)
{
    switch (result.GetStepKind())
    {
    case 0x18: return labels.step;
    case 0x10: return labels.mode;
    case 0x08: return labels.loadCase;
    default: return CString();
    }
}

std::vector<Item> ListLoadCases(const CModelSet& model, const Item& chosen, const Labels& labels)
{
    std::vector<Item> items;
    if (chosen.record == nullptr)
        return items;
    const CString label = LoadCaseLabel(*chosen.record, labels);
    const int count = model.GetLoadCaseCount(chosen.record->m_id);
    for (int n = 0; n < count; ++n)
    {
        UINT id = 0;
        CResultData* record =
            model.GetLoadCaseResultId(chosen.record->m_id, n, &id) ? model.GetResult(id) : nullptr;
        if (record == nullptr || !record->IsLoaded())
            continue;
        CString text;
        text.Format("%s%d", label.GetString(), n);
        items.push_back({text, record, chosen.component});
    }
    return items;
}

bool ShownResultItem(const CModelSet& model, UINT resultId, int selector, const Labels& labels,
                     Item* out)
{
    CResultData* result = model.GetResult(resultId);
    if (result == nullptr)
        return false;
    Item item{result->GetName(), result, kScalar};
    const int component = selector & ~0x100;
    if (component >= 1 && component <= 4)
    {
        item.text = labels.components[component - 1] + " : " + item.text;
        item.component = kCodes[component - 1];
    }
    const UINT loadCase = ResultIdLoadCase(resultId);
    if (loadCase != 0 && model.GetLoadCaseCount(resultId) > 2)
    {
        CString prefix;
        prefix.Format("%s%u : ", LoadCaseLabel(*result, labels).GetString(), loadCase);
        item.text = prefix + item.text;
    }
    *out = item;
    return true;
}
} // namespace result_choice
