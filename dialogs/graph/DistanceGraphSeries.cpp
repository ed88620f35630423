// Distance graph series: X values by scale, values of the result, a stable sort along X.
#include "dialogs/graph/DistanceGraphSeries.h"

#include "core/geometry/FENode.h"
#include "dialogs/graph/GraphView.h"

#include <algorithm>
#include <cmath>
#include <numeric>

CPoint3D DistancePoint(const CModelEntity& entity)
{
    if (entity.type == kTagNode)
        return static_cast<const CFENode&>(entity).m_coord;
    return entity.m_point;
}

double DistanceValue(const CModelSet& model, const CResultData& result, int component,
                     const CModelEntity& entity)
{
    return ResultValueAt(model, result, entity.m_id, entity.type == kTagNode, component);
}

namespace
{
double ScaleValue(const CModelEntity& entity, const CPoint3D& first, int scale)
{
    const CPoint3D point = DistancePoint(entity);
    switch (scale)
    {
    case kScaleXPoint: return point.x;
    case kScaleYPoint: return point.y;
    case kScaleZPoint: return point.z;
    case kScaleDistance:
        return std::sqrt((point.x - first.x) * (point.x - first.x) +
                         (point.y - first.y) * (point.y - first.y) +
                         (point.z - first.z) * (point.z - first.z));
    default: return entity.m_id;
    }
}
} // namespace

DistanceSeries MakeDistanceSeries(const CModelSet& model,
                                  const std::vector<const CModelEntity*>& picks,
                                  const CResultData& result, int component, int scale)
{
    DistanceSeries series;
    if (picks.empty())
        return series;
    const CPoint3D first = DistancePoint(*picks.front());
    std::vector<double> keys(picks.size());
    std::vector<double> values(picks.size());
    for (size_t i = 0; i < picks.size(); ++i)
    {
        keys[i] = ScaleValue(*picks[i], first, scale);
        values[i] = DistanceValue(model, result, component, *picks[i]);
    }
    // Tens of thousands of picks, often in order already: no recursion, equal keys in the
    // order they were picked.
    std::vector<size_t> order(picks.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });
    series.isLabelled = scale == kScaleEntityId;
    for (const size_t i : order)
    {
        if (series.isLabelled)
        {
            CString label;
            label.Format("%d", static_cast<int>(keys[i]));
            series.xLabels.push_back(label);
        }
        else
        {
            series.x.push_back(keys[i]);
        }
        series.y.push_back(values[i]);
    }
    return series;
}

void AddDistanceSeries(CGraphView& view, const DistanceSeries& series, const CString& name)
{
    if (series.y.empty())
        return;
    if (series.isLabelled)
        view.AddSeriesWithXLabels(series.xLabels, series.y, name);
    else
        view.AddSeries(series.x, series.y, name);
}
