// The legend beside a graph: one row per series, its colour swatch and its name, sorted by name.
#pragma once

#include "platform/ctrl/imagelist.h"
#include "platform/ctrl/listctrl.h"

#include <memory>

class CGraphCtrl;

class CGraphLegendList : public CListCtrl
{
public:
    static constexpr UINT kId = 1001;

    explicit CGraphLegendList(CGraphCtrl* graph); // graph: the control that owns this list
    ~CGraphLegendList() override;

    // A visible child of the graph window; the graph control places it.
    BOOL CreateInParent(CWnd* parent);
    // Every row made again from the series, each with the swatch of its own colour.
    void Refill();

    const CImageList* Swatches() const { return m_swatches.get(); }

private:
    void RebuildSwatches();

    CGraphCtrl* m_graph;
    std::unique_ptr<CImageList> m_swatches; // shared with the list window, deleted here
};
