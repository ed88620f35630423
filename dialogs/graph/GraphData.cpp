// Graph data: series, label registries, ranges and numeric tick labels.
#include "dialogs/graph/GraphData.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

bool CGraphPoint::IsValidValue(double value)
{
    return std::isfinite(value);
}

CGraphSeries& CGraphData::Append(const CString& name, size_t count, int axisKind)
{
    auto series = std::make_unique<CGraphSeries>();
    series->m_points.resize(count);
    series->m_name = name;
    m_series.push_back(std::move(series));
    m_axisKind = axisKind;
    return *m_series.back();
}

void CGraphData::AddSeries(const std::vector<double>& x, const std::vector<double>& y,
                           const CString& name)
{
    const size_t count = std::min(x.size(), y.size());
    CGraphSeries& series = Append(name, count, kBothNumeric);
    series.m_xLabels.resize(count);
    series.m_yLabels.resize(count);
    for (size_t i = 0; i < count; ++i)
        series.m_points[i] = CGraphPoint(x[i], y[i]);
}

void CGraphData::AddSeriesWithXLabels(const std::vector<CString>& xLabels,
                                      const std::vector<double>& y, const CString& name)
{
    const size_t count = std::min(xLabels.size(), y.size());
    CGraphSeries& series = Append(name, count, kXLabels);
    series.m_xLabels.assign(xLabels.begin(), xLabels.begin() + count);
    series.m_yLabels.resize(count);
    for (size_t i = 0; i < count; ++i)
        series.m_points[i] = CGraphPoint(LabelPosition(m_xLabelRegistry, xLabels[i]), y[i]);
}

void CGraphData::AddSeriesWithYLabels(const std::vector<double>& x,
                                      const std::vector<CString>& yLabels, const CString& name)
{
    const size_t count = std::min(x.size(), yLabels.size());
    CGraphSeries& series = Append(name, count, kYLabels);
    series.m_xLabels.resize(count);
    series.m_yLabels.assign(yLabels.begin(), yLabels.begin() + count);
    for (size_t i = 0; i < count; ++i)
        series.m_points[i] = CGraphPoint(x[i], LabelPosition(m_yLabelRegistry, yLabels[i]));
}

void CGraphData::AddSeriesWithLabels(const std::vector<CString>& xLabels,
                                     const std::vector<CString>& yLabels, const CString& name)
{
    const size_t count = std::min(xLabels.size(), yLabels.size());
    CGraphSeries& series = Append(name, count, kBothLabels);
    series.m_xLabels.assign(xLabels.begin(), xLabels.begin() + count);
    series.m_yLabels.assign(yLabels.begin(), yLabels.begin() + count);
    for (size_t i = 0; i < count; ++i)
    {
        const double x = LabelPosition(m_xLabelRegistry, xLabels[i]);
        series.m_points[i] = CGraphPoint(x, LabelPosition(m_yLabelRegistry, yLabels[i]));
    }
}

int CGraphData::FindOrAdd(std::vector<CString>& registry, const CString& text, int unique)
{
    if (unique == 1)
    {
        const auto found = std::find(registry.begin(), registry.end(), text);
        if (found != registry.end())
            return static_cast<int>(found - registry.begin()) + 1;
    }
    registry.push_back(text);
    return static_cast<int>(registry.size());
}

int CGraphData::FindOrAddXLabel(const CString& text)
{
    return FindOrAdd(m_xLabelRegistry, text, m_uniqueLabels);
}

int CGraphData::FindOrAddYLabel(const CString& text)
{
    return FindOrAdd(m_yLabelRegistry, text, m_uniqueLabels);
}

// An empty text is a point without a value on that axis.
double CGraphData::LabelPosition(std::vector<CString>& registry, const CString& text)
{
    if (text.IsEmpty())
        return kNoGraphValue;
    return FindOrAdd(registry, text, m_uniqueLabels);
}

void CGraphData::SetTitles(const CString& title, const CString& xCaption, const CString& yCaption)
{
    m_title = title;
    m_xCaption = xCaption;
    m_yCaption = yCaption;
}

void CGraphData::ComputeRange()
{
    m_xMin = m_yMin = DBL_MAX;
    m_xMax = m_yMax = -DBL_MAX;
    // A categorical axis always starts at position 1.
    if (m_axisKind == kXLabels || m_axisKind == kBothLabels)
        m_xMin = 1.0;
    if (m_axisKind == kYLabels || m_axisKind == kBothLabels)
        m_yMin = 1.0;
    m_seriesCount = SeriesCount();
    for (const auto& series : m_series)
    {
        for (const CGraphPoint& point : series->m_points)
        {
            if (!CGraphPoint::IsValidValue(point.x))
                continue;
            m_xMin = std::min(m_xMin, point.x);
            m_xMax = std::max(m_xMax, point.x);
            if (!CGraphPoint::IsValidValue(point.y))
                continue;
            m_yMin = std::min(m_yMin, point.y);
            m_yMax = std::max(m_yMax, point.y);
        }
    }
    // Recomputed, not kept, so that a layout repeats with the same result.
    m_xDegenerate = m_xMax - m_xMin == 0.0 ? 1 : 0;
    m_yDegenerate = m_yMax - m_yMin == 0.0 ? 1 : 0;
}

namespace
{
void WidenAxis(double& minimum, double& maximum, double margin, int degenerate)
{
    if (maximum < minimum)
    {
        // No value on this axis: an empty axis around 0 rather than one of infinite length.
        minimum = -1.0;
        maximum = 1.0;
    }
    else if (degenerate != 1)
    {
        maximum += margin;
        minimum -= margin;
    }
    else if (maximum == 0.0)
    {
        minimum = -1.0;
        maximum = 1.0;
    }
    else
    {
        // A single value v is shown on 0 to 2v, in the middle of the axis.
        minimum = 0.0;
        maximum *= 2.0;
    }
}
} // namespace

void CGraphData::WidenRange()
{
    double xMargin = 0.0;
    double yMargin = 0.0;
    switch (m_axisKind)
    {
    case kXLabels:
        xMargin = 1.0;
        yMargin = 0.1 * (m_yMax - m_yMin);
        break;
    case kYLabels:
        xMargin = 0.1 * (m_xMax - m_xMin);
        yMargin = 1.0;
        break;
    case kBothLabels: xMargin = yMargin = 1.0; break;
    case kBothNumeric:
        xMargin = 0.1 * (m_xMax - m_xMin);
        yMargin = 0.1 * (m_yMax - m_yMin);
        break;
    default: break;
    }
    WidenAxis(m_xMin, m_xMax, xMargin, m_xDegenerate);
    WidenAxis(m_yMin, m_yMax, yMargin, m_yDegenerate);
}

CString CGraphData::FormatTickValue(double value)
{
    CString text;
    text.Format("%g", value);
    if (text.GetLength() > 7)
        text.Format("%.2e", value);
    return text;
}

void CGraphData::GenerateLabels(std::vector<CString>& registry, double minimum, double valueStep,
                                double pixelStep, int limit)
{
    registry.clear();
    for (int k = 1;; ++k)
    {
        registry.push_back(FormatTickValue(k * valueStep + minimum));
        // A step of no pixels (a plot without extent) would never reach the limit.
        if (!(pixelStep > 0.0) || !std::isfinite(pixelStep))
            break;
        if (static_cast<long long>((k + 1) * pixelStep) >= limit)
            break;
    }
}

void CGraphData::GenerateXLabels(double valueStep, double pixelStep, int limit)
{
    GenerateLabels(m_xLabelRegistry, m_xMin, valueStep, pixelStep, limit);
}

void CGraphData::GenerateYLabels(double valueStep, double pixelStep, int limit)
{
    GenerateLabels(m_yLabelRegistry, m_yMin, valueStep, pixelStep, limit);
}
