// Result list commands.
#include "view/ResultListCommands.h"

#include "core/display/EntityKinds.h"
#include "core/geometry/ModelEntity.h"
#include "project/ProjectData.h"
#include "view/CAEView.h"
#include "view/CmdManager.h"
#include "view/CmdRecord.h"
#include "view/ViewMainFrame.h"

namespace
{
CResultListTools* g_tools = nullptr;

CProjectData* OpenProject()
{
    CViewMainFrame* frame = GetViewMainFrame();
    return frame != nullptr ? frame->GetProject() : nullptr;
}
} // namespace

CResultListTools* GetResultListTools()
{
    return g_tools;
}

CResultListTools* InstallResultListTools(CResultListTools* tools)
{
    CResultListTools* previous = g_tools;
    g_tools = tools;
    return previous;
}

CCmdCollResultList::~CCmdCollResultList() = default;

void CCmdCollResultList::Send(CCmdRecord& record) const
{
    SendToCmdManager(record, m_frameKey);
}

void RequestResultPicks(bool nodal, int frameKey)
{
    constexpr int kElementKinds = kKindAll & ~kKindNode;
    CPickRequestRecord request;
    request.bKeepRunning = 1;
    request.bAreaSelect = 1;
    request.nMaxPicks = -1;
    request.nMinPicks = 1;
    request.nPickOrder = CPickRequestRecord::kInPickOrder;
    request.nAllowedKinds = request.nInitialFilter = nodal ? kKindNode : kElementKinds;
    if (nodal)
    {
        // Nodes can only be picked where they are drawn.
        if (CProjectData* project = OpenProject())
            project->m_settings.m_displayFilter |= kKindNode;
    }
    SendToCmdManager(request, frameKey);
}

void CCmdCollResultList::Start(CCmdRecord*)
{
    RequestResultPicks(m_bNodal != 0, m_frameKey);
}

void CCmdCollResultList::OnSelectionOk(CCmdRecord* record)
{
    const auto& selection = *static_cast<const CSelectionRecord*>(record);
    m_bDialogOpen = 0;
    CResultListTools* tools = GetResultListTools();
    CProjectData* project = OpenProject();
    if (selection.m_Entities.GetSize() == 0 || tools == nullptr || project == nullptr)
        return;
    m_picks.RemoveAll();
    std::vector<int> ids;
    for (INT_PTR i = 0; i < selection.m_Entities.GetSize(); ++i)
    {
        m_picks.Add(selection.m_Entities[i]);
        ids.push_back(selection.m_Entities[i]->m_id);
    }
    UINT shownId = 0;
    int selector = 0;
    CViewMainFrame* frame = GetViewMainFrame();
    if (const CCAEView* view = frame->GetFrameView(m_frameKey))
    {
        const CAESet& renderer = view->Renderer();
        if (renderer.ContourResultId() != -1)
        {
            shownId = UINT(renderer.ContourResultId());
            selector = renderer.ResultComponent();
        }
        else if (renderer.VectorResultId() != -1)
            shownId = UINT(renderer.VectorResultId());
    }
    m_filter = tools->CreateResultFilter();
    if (m_filter != nullptr &&
        m_filter->Open(project->m_model, m_bNodal != 0, ids, shownId, selector, m_frameKey,
                       [this](const std::vector<CChosenResult>& chosen) { OnChosen(chosen); }))
        m_bDialogOpen = 1;
}

void CCmdCollResultList::OnChosen(const std::vector<CChosenResult>& chosen)
{
    CProjectData* project = OpenProject();
    if (project == nullptr)
        return;
    CResultListRecord list;
    BuildResultList(project->m_model, m_picks, m_bNodal != 0, chosen, &list);
    list.bNodal = m_bNodal;
    list.bKeepRunning = 0;
    if (m_filter != nullptr)
        m_filter->Close();
    m_bDialogOpen = 0;
    Send(list); // ends this command: nothing of it is touched after
}

void CCmdCollResultList::OnSelectionCancel(CCmdRecord*)
{
    if (m_bDialogOpen && m_filter != nullptr)
        m_filter->Close();
    m_bDialogOpen = 0;
    CCmdRecord end;
    end.nCode = CCmdRecord::kEndCommand;
    Send(end);
}
