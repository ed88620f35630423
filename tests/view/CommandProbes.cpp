// Probe commands.
#include "CommandProbes.h"

#include "core/geometry/ModelEntity.h"
#include "view/CmdManager.h"
#include "view/ViewMainFrame.h"

namespace view_window_test
{
ProbeCommand::ProbeCommand(ProbeLog& log, const char* name)
    : m_log(log)
    , m_name(name)
{
}

ProbeCommand::~ProbeCommand()
{
    Log("deleted");
}

void ProbeCommand::Log(const std::string& event)
{
    m_log.events.push_back(m_name + " " + event);
}

void ProbeCommand::Send(int code)
{
    CCmdRecord record;
    record.nCode = code;
    GetViewMainFrame()->GetCmdManager()->ExecuteCommand(&record);
}

void ProbeCommand::Start(CCmdRecord* record)
{
    Log("start " + std::to_string(record ? record->nCode : 0));
    m_log.lastRecord = record;
    if (m_request != nullptr)
        GetViewMainFrame()->GetCmdManager()->ExecuteCommand(m_request.get());
}

void ProbeCommand::OnDialogOk(CCmdRecord* record)
{
    Log("dialog ok");
    m_log.lastRecord = record;
    const int code = m_codeOnDialogOk;
    if (code != -1)
        Send(code);
}

void ProbeCommand::OnDialogCancel(CCmdRecord* record)
{
    Log("dialog cancel");
    m_log.lastRecord = record;
}

void ProbeCommand::OnDialogNotify(CCmdRecord* record)
{
    Log("dialog notify");
    m_log.lastRecord = record;
}

void ProbeCommand::OnSelectionOk(CCmdRecord* record)
{
    Log("selection ok");
    m_log.selections.push_back(IdsOf(static_cast<CSelectionRecord*>(record)->m_Entities));
    const int code = m_codeOnSelectionOk;
    if (code != -1)
        Send(code);
}

void ProbeCommand::OnSelectionCancel(CCmdRecord* record)
{
    Log("selection cancel");
    m_log.selections.push_back(IdsOf(static_cast<CSelectionRecord*>(record)->m_Entities));
}

void ProbeCommand::Do()
{
    Log("do");
    m_bDone = 1;
}

void ProbeCommand::Undo()
{
    Log("undo");
    m_bDone = 0;
}

std::vector<int> IdsOf(const CEntityArray& entities)
{
    std::vector<int> ids;
    for (const CModelEntity* entity : entities)
        ids.push_back(entity->type == kTagNode ? entity->m_id : -entity->m_id);
    return ids;
}
} // namespace view_window_test
