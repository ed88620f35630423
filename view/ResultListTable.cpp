// Result list values.
#include "view/ResultListTable.h"

#include "core/geometry/ModelEntity.h"
#include "core/model/ResultValue.h"
#include "view/CmdRecord.h"

#include <algorithm>

void BuildResultList(const CModelSet& model, const CEntityArray& picks, bool nodal,
                     const std::vector<CChosenResult>& chosen, CResultListRecord* record)
{
    CIdArray& ids = record->m_Ids;
    ids.SetSize(picks.GetSize());
    for (INT_PTR i = 0; i < picks.GetSize(); ++i)
        ids[i] = picks[i]->m_id;
    std::sort(ids.GetData(), ids.GetData() + ids.GetSize());
    record->m_Series.RemoveAll();
    for (const CChosenResult& choice : chosen)
    {
        CDataSeries series;
        series.m_title = choice.title;
        series.m_values.SetSize(ids.GetSize());
        if (choice.result != nullptr)
            for (INT_PTR i = 0; i < ids.GetSize(); ++i)
                series.m_values[i] =
                    ResultValueAt(model, *choice.result, ids[i], nodal, choice.component);
        record->m_Series.Add(series);
    }
}
