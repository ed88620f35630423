// Transient graph command.
#include "view/GraphCommands.h"

#include "project/ProjectData.h"
#include "view/CmdRecord.h"
#include "view/GraphTools.h"
#include "view/ViewMainFrame.h"

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
