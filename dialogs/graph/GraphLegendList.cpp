// Graph legend list: colour swatches of 20 × 6 pixels and the series names.
#include "dialogs/graph/GraphLegendList.h"

#include "dialogs/graph/GraphCtrl.h"

namespace
{
constexpr int kSwatchWidth = 20;
constexpr int kSwatchHeight = 6;

UINT ScreenColourFlag(HDC dc)
{
    switch (::GetDeviceCaps(dc, BITSPIXEL))
    {
    case 4: return ILC_COLOR4;
    case 8: return ILC_COLOR8;
    case 16: return ILC_COLOR16;
    case 32: return ILC_COLOR32;
    default: return ILC_COLOR24;
    }
}
} // namespace

CGraphLegendList::CGraphLegendList(CGraphCtrl* graph)
    : m_graph(graph)
{
}

CGraphLegendList::~CGraphLegendList()
{
    if (m_swatches != nullptr)
        m_swatches->DeleteImageList();
}

BOOL CGraphLegendList::CreateInParent(CWnd* parent)
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_NOCOLUMNHEADER |
                        LVS_SORTASCENDING | LVS_SHAREIMAGELISTS;
    if (!Create(style, CRect(0, 0, 0, 0), parent, kId))
        return FALSE;
    InsertColumn(0, "", LVCFMT_LEFT, 300);
    return TRUE;
}

void CGraphLegendList::RebuildSwatches()
{
    const int count = m_graph->Data().SeriesCount();
    HDC listDC = ::GetDC(m_hWnd);
    auto swatches = std::make_unique<CImageList>();
    swatches->Create(kSwatchWidth, kSwatchHeight, ScreenColourFlag(listDC) | ILC_MASK, count, 1);
    for (int i = 0; i < count; ++i)
    {
        HDC memory = ::CreateCompatibleDC(listDC);
        HBITMAP swatch = ::CreateCompatibleBitmap(listDC, kSwatchWidth, kSwatchHeight);
        HGDIOBJ previous = ::SelectObject(memory, swatch);
        HBRUSH brush = ::CreateSolidBrush(m_graph->GetSeriesColour(i));
        const RECT whole = {0, 0, kSwatchWidth, kSwatchHeight};
        ::FillRect(memory, &whole, brush);
        ::DeleteObject(brush);
        ::SelectObject(memory, previous);
        ::DeleteDC(memory);
        ::ImageList_AddMasked(swatches->GetSafeHandle(), swatch, RGB(0, 0, 0));
        ::DeleteObject(swatch);
    }
    ::ReleaseDC(m_hWnd, listDC);
    // The list lets go of the old swatches before they are deleted.
    SetImageList(swatches.get(), LVSIL_SMALL);
    if (m_swatches != nullptr)
        m_swatches->DeleteImageList();
    m_swatches = std::move(swatches);
}

void CGraphLegendList::Refill()
{
    // Each change would otherwise repaint the list at once, 10 ms a row under Wine.
    SendMessage(WM_SETREDRAW, FALSE);
    DeleteAllItems();
    RebuildSwatches();
    const CGraphData& data = m_graph->Data();
    for (int i = 0; i < data.SeriesCount(); ++i)
        InsertItem(i, data.Series(i).m_name.GetString(), i);
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate(TRUE);
}
