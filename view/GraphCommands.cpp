// Result graph, distance graph and transient graph commands.
#include "view/GraphCommands.h"

#include "core/display/EntityKinds.h"
#include "core/geometry/ModelEntity.h"
#include "project/ProjectData.h"
#include "view/CAEView.h"
#include "view/CmdManager.h"
#include "view/CmdRecord.h"
#include "view/GraphTools.h"
#include "view/ViewMainFrame.h"

namespace
{
// A contour component's flag of its further value block.
constexpr int kElementBlock = 8;
} // namespace

void CCmdCollTransientGraph::StartGraph(const CResultGraphRecord& record)
{
    CGraphTools* tools = GetGraphTools();
    CViewMainFrame* frame = GetViewMainFrame();
    CProjectData* project = frame != nullptr ? frame->GetProject() : nullptr;
    if (tools == nullptr || project == nullptr || record.nResultId < 0)
        return;
    m_hasOpenedGraph =
        tools->OpenTransientGraph(project->m_model, record.m_Entities,
                                  static_cast<UINT>(record.nResultId), record.nComponent);
}

CCmdCollResultGraph::~CCmdCollResultGraph() = default;

void CCmdCollResultGraph::Send(CCmdRecord& record) const
{
    SendToCmdManager(record, m_frameKey);
}

void CCmdCollResultGraph::Start(CCmdRecord*)
{
    RequestResultPicks(m_bNodal != 0, m_frameKey);
}

bool CCmdCollResultGraph::ShownResult(const CCAEView& view, int* resultId, int* component)
{
    const CAESet& renderer = view.Renderer();
    if (renderer.ContourResultId() != -1)
    {
        *resultId = renderer.ContourResultId();
        switch (renderer.ResultComponent() & ~kElementBlock)
        {
        case 1: *component = 16; break;
        case 2: *component = 13; break;
        case 3: *component = 14; break;
        case 4: *component = 15; break;
        default: *component = 0; break;
        }
        return true;
    }
    if (renderer.VectorResultId() != -1)
    {
        *resultId = renderer.VectorResultId();
        *component = 12;
        return true;
    }
    return false;
}

void CCmdCollResultGraph::OnSelectionOk(CCmdRecord* record)
{
    const auto& selection = *static_cast<const CSelectionRecord*>(record);
    m_bDialogOpen = 0;
    if (selection.m_Entities.GetSize() == 0)
        return;
    m_picks.RemoveAll();
    for (int i = 0; i < selection.m_Entities.GetSize(); ++i)
        m_picks.Add(selection.m_Entities[i]);
    CViewMainFrame* frame = GetViewMainFrame();
    const CCAEView* view = frame != nullptr ? frame->GetFrameView(m_frameKey) : nullptr;
    int resultId = -1;
    int component = 0;
    if (view != nullptr && ShownResult(*view, &resultId, &component))
    {
        OnChosen(resultId, component);
        return;
    }
    // No result shown: the user chooses one.
    CResultListTools* tools = GetResultListTools();
    CProjectData* project = frame != nullptr ? frame->GetProject() : nullptr;
    if (tools == nullptr || project == nullptr)
        return;
    std::vector<int> ids;
    for (int i = 0; i < m_picks.GetSize(); ++i)
        ids.push_back(m_picks[i]->m_id);
    m_selection = tools->CreateResultIdSelection();
    if (m_selection != nullptr &&
        m_selection->Open(project->m_model, m_bNodal != 0, ids, m_frameKey,
                          [this](int id, int code) { OnChosen(id, code); }))
        m_bDialogOpen = 1;
}

void CCmdCollResultGraph::OnChosen(int resultId, int component)
{
    CResultGraphRecord graph;
    graph.m_Entities.Copy(m_picks);
    graph.nResultId = resultId;
    graph.nComponent = component;
    graph.bNodal = m_bNodal;
    graph.bKeepRunning = 0;
    if (m_selection != nullptr)
        m_selection->Close();
    m_bDialogOpen = 0;
    Send(graph); // ends this command: nothing of it is touched after
}

void CCmdCollResultGraph::OnSelectionCancel(CCmdRecord*)
{
    if (m_bDialogOpen && m_selection != nullptr)
        m_selection->Close();
    m_bDialogOpen = 0;
    CCmdRecord end;
    end.nCode = CCmdRecord::kEndCommand;
    Send(end);
}

void CCmdCollResultDistanceGraph::OnChosen(const std::vector<CChosenResult>& chosen)
{
    CDistanceGraphRecord graph;
    graph.m_Entities.Copy(m_picks);
    for (const CChosenResult& item : chosen)
    {
        // The records are the model's; the record only borrows them.
        graph.m_Results.Add(const_cast<CResultData*>(item.result));
        graph.m_Components.Add(item.component);
        graph.m_Names.Add(item.title);
    }
    graph.bNodal = m_bNodal;
    graph.bKeepRunning = 0;
    if (m_filter != nullptr)
        m_filter->Close();
    m_bDialogOpen = 0;
    Send(graph); // ends this command: nothing of it is touched after
}

void CCmdCollDistanceGraphDlg::StartDialog(const CDistanceGraphRecord& record)
{
    m_bDialogOpen = 0;
    CGraphTools* tools = GetGraphTools();
    CViewMainFrame* frame = GetViewMainFrame();
    CProjectData* project = frame != nullptr ? frame->GetProject() : nullptr;
    if (record.m_Results.GetSize() == 0 || tools == nullptr || project == nullptr)
        return;
    m_dialog = tools->CreateDistanceGraphDialog();
    if (m_dialog != nullptr && m_dialog->Open(project->m_model, record))
        m_bDialogOpen = 1;
}

void CCmdCollCsvSheet::OnShowSheet(CCmdRecord* record)
{
    if (CGraphTools* tools = GetGraphTools())
        tools->RunResultSheet(*static_cast<const CResultListRecord*>(record));
}
