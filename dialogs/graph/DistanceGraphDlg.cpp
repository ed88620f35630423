// Distance graph dialog: the X-scale choice and one graph window per Create Graph.
#include "dialogs/graph/DistanceGraphDlg.h"

#include "core/services/StringFile.h"
#include "dialogs/graph/DistanceGraphSeries.h"
#include "dialogs/graph/GraphFrame.h"
#include "platform/win/app.h"
#include "platform/win/crackers.h"
#include "resources/ids/dialogs_ids.h"

#include <algorithm>
#include <iterator>

namespace
{
CString Text(const char* section, const char* key)
{
    CString text;
    LoadStringFromFile(CString("Dialog.str"), CString(section), CString(key), &text);
    return text;
}

// The scales in the combo box's order, by their text keys.
const char* const kScaleKeys[] = {"EntityID", "XPoint", "YPoint", "ZPoint", "Distance"};
} // namespace

FW_TABLE(CDistanceGraphDlg, CDialog,
         fw::command<IDC_DISTGRAPH_CREATE, &CDistanceGraphDlg::OnCreateGraph>(),
         fw::command<IDC_DISTGRAPH_CLOSE, &CDistanceGraphDlg::OnClose>())

void CDistanceGraphDlg::SetData(const CModelSet& model, bool isNodal, const CEntityArray& entities,
                                const std::vector<const CResultData*>& results,
                                const std::vector<int>& components,
                                const std::vector<CString>& names)
{
    m_model = &model;
    m_isNodal = isNodal;
    m_entities.clear();
    for (int i = 0; i < entities.GetSize(); ++i)
        m_entities.push_back(entities[i]);
    // The three lists go together: as many entries as the shortest has.
    const size_t count = std::min({results.size(), components.size(), names.size()});
    m_results.assign(results.begin(), results.begin() + count);
    m_components.assign(components.begin(), components.begin() + count);
    m_names.assign(names.begin(), names.begin() + count);
}

BOOL CDistanceGraphDlg::CreateAndShow()
{
    if (!Create(IDD_DISTANCE_GRAPH, nullptr))
        return FALSE;
    ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CDistanceGraphDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow(); // over its owner, never at the screen's corner
    SetWindowText(Text("DistanceGraph", "Title"));
    SetDlgItemText(IDC_DISTGRAPH_SCALE_GROUP, Text("DistanceGraph", "XScaleSel"));
    SetDlgItemText(IDC_DISTGRAPH_CREATE, Text("DistanceGraph", "CreateGraph"));
    SetDlgItemText(IDC_DISTGRAPH_CLOSE, Text("Common", "Close"));
    for (int scale = 0; scale < static_cast<int>(std::size(kScaleKeys)); ++scale)
    {
        const CString text = Text("DistanceGraph", kScaleKeys[scale]);
        const LRESULT item = ::SendDlgItemMessageA(m_hWnd, IDC_DISTGRAPH_SCALE, CB_ADDSTRING, 0,
                                                   reinterpret_cast<LPARAM>(text.GetString()));
        ::SendDlgItemMessageA(m_hWnd, IDC_DISTGRAPH_SCALE, CB_SETITEMDATA, item, scale);
    }
    ::SendDlgItemMessageA(m_hWnd, IDC_DISTGRAPH_SCALE, CB_SETCURSEL, 0, 0);
    return TRUE;
}

int CDistanceGraphDlg::GetScale() const
{
    const LRESULT item = ::SendDlgItemMessageA(m_hWnd, IDC_DISTGRAPH_SCALE, CB_GETCURSEL, 0, 0);
    if (item == CB_ERR)
        return -1;
    return static_cast<int>(
        ::SendDlgItemMessageA(m_hWnd, IDC_DISTGRAPH_SCALE, CB_GETITEMDATA, item, 0));
}

CGraphFrame* CDistanceGraphDlg::CreateGraph()
{
    const int scale = GetScale();
    if (scale < 0 || m_model == nullptr)
        return nullptr;
    auto* frame = new CGraphFrame; // deletes itself, also when its window fails
    if (!frame->Create(nullptr, "Graph Control", WS_OVERLAPPEDWINDOW, CRect(10, 100, 1000, 700),
                       AfxGetMainWnd()))
        return nullptr;
    CGraphView& view = *frame->GetPane().GetView();
    for (size_t i = 0; i < m_results.size(); ++i)
    {
        if (m_results[i] == nullptr)
            continue;
        const DistanceSeries series =
            MakeDistanceSeries(*m_model, m_entities, *m_results[i], m_components[i], scale);
        AddDistanceSeries(view, series, m_names[i]);
    }
    view.SetTitles(Text("DistanceGraph", "Title"), Text("DistanceGraph", kScaleKeys[scale]),
                   Text("DistanceGraph", "Result"));
    frame->ShowGraph();
    return frame;
}

void CDistanceGraphDlg::OnCreateGraph()
{
    CreateGraph();
}

// The command keeps running until the next tool replaces it.
void CDistanceGraphDlg::OnClose()
{
    DestroyWindow();
}

void CDistanceGraphDlg::OnCancel()
{
    DestroyWindow();
}
