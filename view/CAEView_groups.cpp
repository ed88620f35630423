// 3-D view: the Group menu. Create starts the group command; Edit and Delete open the list of
// groups, from which the chosen group goes to the edit or delete command.
#include "core/model/ModelSet.h"
#include "platform/win/cmdtarget.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/CmdRecord.h"
#include "view/QueryTools.h"

#include <iterator>

void CCAEView::OnGroupCreate()
{
    CCmdRecord record;
    record.nCode = CCmdRecord::kGroupCreate;
    record.bKeepRunning = 0;
    SendCommand(record);
}

void CCAEView::OnGroupList(UINT commandId)
{
    if (CQueryTools* tools = GetQueryTools())
        tools->OpenGroupList(m_nFrameKey, commandId == ID_GROUP_EDIT);
}

void CCAEView::OnUpdateGroupCommand(CCmdUI* cmdUI)
{
    const CModelSet* model = GetModel();
    cmdUI->Enable(model != nullptr && model->GetElementCount() > 0);
}

CCAEView::EntrySpan CCAEView::GroupEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        fw::command<ID_GROUP_CREATE, &CCAEView::OnGroupCreate>(),
        fw::command_range<ID_GROUP_EDIT, ID_GROUP_DELETE, &CCAEView::OnGroupList>(),
        fw::update_range<ID_GROUP_CREATE, ID_GROUP_DELETE, &CCAEView::OnUpdateGroupCommand>(),
    };
    return {kEntries, std::size(kEntries)};
}
