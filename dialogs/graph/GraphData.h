// What one XY graph shows: named series of points, the label registries of categorical axes,
// the titles, and the value ranges a layout derives from the points. No drawing, no window.
#pragma once

#include "platform/base/string.h"

#include <limits>
#include <memory>
#include <vector>

// A coordinate without a value is NaN; every finite value is drawn, however large.
constexpr double kNoGraphValue = std::numeric_limits<double>::quiet_NaN();

class CGraphPoint
{
public:
    CGraphPoint() = default;
    CGraphPoint(double xValue, double yValue)
        : x(xValue)
        , y(yValue)
    {
    }
    virtual ~CGraphPoint() = default;

    static bool IsValidValue(double value);
    bool IsValid() const { return IsValidValue(x) && IsValidValue(y); }

    double x = kNoGraphValue;
    double y = kNoGraphValue;
};

class CGraphSeries
{
public:
    std::vector<CGraphPoint> m_points;
    // The texts the caller gave per point; empty where it gave numbers.
    std::vector<CString> m_xLabels;
    std::vector<CString> m_yLabels;
    CString m_name;
};

class CGraphData
{
public:
    // Which axes are categorical, decided by the series added last.
    enum AxisKind
    {
        kNoAxisKind = 0,
        kXLabels = 1, // X categorical, Y numeric
        kYLabels = 2, // X numeric, Y categorical
        kBothLabels = 3,
        kBothNumeric = 4,
    };

    CGraphData() = default;
    CGraphData(const CGraphData&) = delete;
    CGraphData& operator=(const CGraphData&) = delete;

    // Each form appends one series; a pair of arrays of different lengths gives as many points
    // as the shorter has entries.
    void AddSeries(const std::vector<double>& x, const std::vector<double>& y, const CString& name);
    void AddSeriesWithXLabels(const std::vector<CString>& xLabels, const std::vector<double>& y,
                              const CString& name);
    void AddSeriesWithYLabels(const std::vector<double>& x, const std::vector<CString>& yLabels,
                              const CString& name);
    void AddSeriesWithLabels(const std::vector<CString>& xLabels,
                             const std::vector<CString>& yLabels, const CString& name);

    // 1-based position of the text on that axis, appended when it is new (or always, when
    // labels are not unique).
    int FindOrAddXLabel(const CString& text);
    int FindOrAddYLabel(const CString& text);

    void SetTitles(const CString& title, const CString& xCaption, const CString& yCaption);
    void SetUniqueLabels(int flag) { m_uniqueLabels = flag != 0 ? 1 : 0; }

    // The range steps of a layout, in this order.
    void ComputeRange();
    void WidenRange();

    // Numeric tick labels: one per division of valueStep from the axis minimum, while the next
    // division's pixel offset stays below limit.
    void GenerateXLabels(double valueStep, double pixelStep, int limit);
    void GenerateYLabels(double valueStep, double pixelStep, int limit);

    // "%g", or "%.2e" when that is longer than 7 characters.
    static CString FormatTickValue(double value);

    int SeriesCount() const { return static_cast<int>(m_series.size()); }
    const CGraphSeries& Series(int index) const { return *m_series[index]; }

    int m_uniqueLabels = 1;
    int m_seriesCount = 0;
    int m_axisKind = kNoAxisKind;
    double m_xMin = 0.0;
    double m_xMax = 0.0;
    double m_yMin = 0.0;
    double m_yMax = 0.0;
    CString m_title;
    CString m_xCaption;
    CString m_yCaption;
    std::vector<CString> m_xLabelRegistry;
    std::vector<CString> m_yLabelRegistry;
    int m_xDegenerate = 0;
    int m_yDegenerate = 0;

private:
    CGraphSeries& Append(const CString& name, size_t count, int axisKind);
    static int FindOrAdd(std::vector<CString>& registry, const CString& text, int unique);
    double LabelPosition(std::vector<CString>& registry, const CString& text);
    static void GenerateLabels(std::vector<CString>& registry, double minimum, double valueStep,
                               double pixelStep, int limit);

    std::vector<std::unique_ptr<CGraphSeries>> m_series;
};
