// Group create and edit commands.
#include "view/GroupCommands.h"

#include "resources/ids/view_ids.h"
#include "view/CmdManager.h"
#include "view/CmdRecord.h"
#include "view/ViewMainFrame.h"

namespace
{
// Sends as from the frame; used once the command may be gone.
void SendFrom(int frameKey, CCmdRecord& record)
{
    CViewMainFrame* frame = GetViewMainFrame();
    CCmdManager* manager = frame ? frame->GetCmdManager() : nullptr;
    if (manager == nullptr)
        return;
    manager->m_nFrameKey = frameKey;
    manager->ExecuteCommand(&record);
}
} // namespace

CCmdCollGroupCreate::CCmdCollGroupCreate(int frameKey, bool isEdit)
    : CToolCommand(frameKey)
    , m_isEdit(isEdit)
{
}

void CCmdCollGroupCreate::Start(CCmdRecord* record)
{
    CQueryTools* tools = GetQueryTools();
    if (tools == nullptr)
        return;
    m_group = tools->CreateGroupDialog(m_nFrameKey);
    const int groupId =
        m_isEdit && record != nullptr ? static_cast<const CGroupRecord*>(record)->nGroupId : 0;
    m_bDialogOpen = m_group != nullptr && m_group->Open(m_isEdit, groupId) ? 1 : 0;
}

void CCmdCollGroupCreate::OnDialogOk(CCmdRecord* record)
{
    if (record == nullptr)
        return;
    const auto& answer = *static_cast<const CGroupRecord*>(record);
    CGroupRecord apply;
    apply.m_Ids.Copy(answer.m_Ids);
    apply.nGroupId = answer.nGroupId;
    apply.m_strName = answer.m_strName;
    apply.nCode = m_isEdit ? CCmdRecord::kGroupEditApply : CCmdRecord::kGroupCreateApply;
    if (m_group != nullptr)
        m_group->Close();
    m_bDialogOpen = 0;
    // The apply command replaces this one.
    SendFrom(m_nFrameKey, apply);
}

void CCmdCollGroupCreate::OnDialogCancel(CCmdRecord*)
{
    if (m_group != nullptr)
        m_group->Close();
    m_bDialogOpen = 0;
    const int frameKey = m_nFrameKey;
    const bool isEdit = m_isEdit;
    CCmdRecord end;
    end.nCode = CCmdRecord::kEndCommand;
    SendFrom(frameKey, end); // this command is gone after the call
    if (!isEdit)
        return;
    CPostCommandRecord reopen;
    reopen.nCommandId = ID_GROUP_EDIT;
    reopen.bKeepRunning = 0;
    SendFrom(frameKey, reopen);
}

void CCmdCollGroupCreate::OnSelectionOk(CCmdRecord* record)
{
    if (m_group == nullptr)
        return;
    if (record == nullptr)
        m_group->ShowAgain();
    else
        m_group->AddElements(static_cast<const CSelectionRecord*>(record)->m_Entities);
}

void CCmdCollGroupCreate::OnSelectionCancel(CCmdRecord*)
{
    if (m_group != nullptr)
        m_group->ShowAgain();
}
