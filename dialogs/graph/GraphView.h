// The facade through which callers fill a graph and through which its window drives it.
#pragma once

#include "dialogs/graph/GraphCtrl.h"

#include <memory>

class CGraphView
{
public:
    explicit CGraphView(CWnd* parent) // parent: the window the graph is drawn in
        : m_graph(std::make_unique<CGraphCtrl>(parent))
    {
    }
    virtual ~CGraphView() = default;
    CGraphView(const CGraphView&) = delete;
    CGraphView& operator=(const CGraphView&) = delete;

    void AddSeries(const std::vector<double>& x, const std::vector<double>& y, CString name)
    {
        m_graph->Data().AddSeries(x, y, name);
    }
    void AddSeriesWithXLabels(const std::vector<CString>& xLabels, const std::vector<double>& y,
                              CString name)
    {
        m_graph->Data().AddSeriesWithXLabels(xLabels, y, name);
    }
    void AddSeriesWithYLabels(const std::vector<double>& x, const std::vector<CString>& yLabels,
                              CString name)
    {
        m_graph->Data().AddSeriesWithYLabels(x, yLabels, name);
    }
    void AddSeriesWithLabels(const std::vector<CString>& xLabels,
                             const std::vector<CString>& yLabels, CString name)
    {
        m_graph->Data().AddSeriesWithLabels(xLabels, yLabels, name);
    }
    void SetTitles(const CString& title, const CString& xCaption, const CString& yCaption)
    {
        m_graph->Data().SetTitles(title, xCaption, yCaption);
    }
    void SetUniqueLabels(int flag) { m_graph->Data().SetUniqueLabels(flag); }
    void SetLabelFont(const LOGFONTA& font) { m_graph->SetLabelFont(font); }

    void SetDrawRect(const RECT& rect, HDC windowDC) { m_graph->SetDrawRect(rect, windowDC); }
    // Marks-only graphs always show their marks.
    void Plot(int plotType, int pointDisplay, int legendShown)
    {
        m_graph->Plot(plotType, plotType == CGraphCtrl::kMarksOnly ? 1 : pointDisplay, legendShown);
    }
    void Paint(HDC windowDC, const RECT& rect) { m_graph->Paint(windowDC, rect); }
    bool Print(const RECT& rect) { return m_graph->Print(rect); }

    CGraphCtrl& Graph() { return *m_graph; }

private:
    std::unique_ptr<CGraphCtrl> m_graph;
};
