// 3-D view: the commands that start the information, element and result tools, and the rotation
// centre.
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/services/StringFile.h"
#include "platform/win/app.h"
#include "platform/win/cmdtarget.h"
#include "project/ProjectData.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/CmdManager.h"
#include "view/CmdRecord.h"
#include "view/ViewMainFrame.h"

#include <iterator>

namespace
{
struct InfoTool
{
    UINT commandId;
    const char* statusKey;
    int32_t code;
};

constexpr InfoTool kInfoTools[] = {
    {ID_INFO_MODEL, "ModelInfo", CCmdRecord::kModelInfo},
    {ID_INFO_SELECTED_MODEL, "SelctModInfo", CCmdRecord::kSelectedModelInfo},
    {ID_INFO_ENTITY, "EleInfo", CCmdRecord::kEntityInfo},
    {ID_INFO_ENTITY_DISTANCE, "NodeDist", CCmdRecord::kEntityDistance},
    {ID_INFO_ELEMENT_ID, "ElementIDLable", CCmdRecord::kElementIdLabel},
    {ID_INFO_NODE_ID, "GridIDLable", CCmdRecord::kNodeIdLabel},
    {ID_INFO_ELEMENT_DIRECTION, "EleDirec", CCmdRecord::kElementDirection},
    {ID_INFO_RESULT_LIST_NODAL, "ResListNodal", CCmdRecord::kResultListNodal},
    {ID_INFO_RESULT_LIST_ELEM, "ResListElemental", CCmdRecord::kResultListElemental},
    {ID_INFO_RESULT_GRAPH_NODAL, "ResultGraphNodal", CCmdRecord::kResultGraphNodal},
    {ID_INFO_RESULT_GRAPH_ELEM, "ResultGraphElemental", CCmdRecord::kResultGraphElemental},
    {ID_INFO_DISTANCE_GRAPH_NODAL, "DistanceGraphNodal", CCmdRecord::kDistanceGraphNodal},
    {ID_INFO_DISTANCE_GRAPH_ELEM, "DistanceGraphElemental", CCmdRecord::kDistanceGraphElemental}};

bool HasResults(const CModelSet* model)
{
    return model != nullptr && !model->GetResults().IsEmpty();
}
} // namespace

void CCAEView::OnInfoTool(UINT commandId)
{
    for (const InfoTool& tool : kInfoTools)
    {
        if (tool.commandId != commandId)
            continue;
        ShowStatus(tool.statusKey);
        CCmdRecord record;
        record.nCode = tool.code;
        record.bKeepRunning = 0;
        CCmdManager* manager = m_pMainFrame ? m_pMainFrame->GetCmdManager() : nullptr;
        if (manager == nullptr)
            return;
        // Model Information reads the project only: it leaves the manager's frame as it is.
        if (tool.code == CCmdRecord::kModelInfo)
            manager->ExecuteCommand(&record);
        else
            SendCommand(record);
        return;
    }
}

void CCAEView::OnUpdateIdLabelTool(CCmdUI* cmdUI)
{
    const CModelSet* model = GetModel();
    const CGroupSet* group = model ? model->GetDefaultGroup() : nullptr;
    cmdUI->Enable(model != nullptr && model->GetElementCount() > 0 && group != nullptr &&
                  group->GetNodes().GetCount() > 0);
}

// The nodal result tools need a result that can be read at the nodes: any while the view shows
// none, else the shown one when it is not held per element only.
void CCAEView::OnUpdateNodalResultTool(CCmdUI* cmdUI)
{
    const CResultData* current = CurrentResult();
    cmdUI->Enable(HasResults(GetModel()) &&
                  (current == nullptr || current->GetLocation() != 0 || current->m_average != 0));
}

void CCAEView::OnUpdateElementalResultTool(CCmdUI* cmdUI)
{
    const CResultData* current = CurrentResult();
    cmdUI->Enable(HasResults(GetModel()) &&
                  (current == nullptr || current->GetLocation() != CResultData::kFlagAtNodes));
}

// A picked centre in effect: the user may return to the model centre. Otherwise a node is
// picked to become the centre.
void CCAEView::OnRotationCenter()
{
    if (!IsModelCenteredRotation())
    {
        CString question;
        LoadStringFromFile(CString("Message.str"), CString("Confirm"),
                           CString("ModelCenteredRotation"), &question);
        if (AfxMessageBox(question.GetString(), MB_YESNO | MB_ICONQUESTION) == IDYES)
        {
            if (const CModelSet* model = GetModel())
                Camera(kSceneViewport).m_rotationCentre = model->GetCenter();
            SetModelCenteredRotation(true);
            return;
        }
    }
    if (CAESettings* settings = GetSettings())
        settings->m_displayFilter |= static_cast<DWORD>(kKindNode);
    CCmdRecord record;
    record.nCode = CCmdRecord::kRotationCenter;
    record.bKeepRunning = 0;
    SendCommand(record);
}

CCAEView::EntrySpan CCAEView::ToolEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        fw::command_range<ID_INFO_MODEL, ID_INFO_ELEMENT_DIRECTION, &CCAEView::OnInfoTool>(),
        fw::command_range<ID_INFO_ELEMENT_ID, ID_INFO_NODE_ID, &CCAEView::OnInfoTool>(),
        fw::update_range<ID_INFO_ELEMENT_ID, ID_INFO_NODE_ID, &CCAEView::OnUpdateIdLabelTool>(),
        fw::command_range<ID_INFO_RESULT_LIST_NODAL, ID_INFO_RESULT_LIST_ELEM,
                          &CCAEView::OnInfoTool>(),
        fw::command_range<ID_INFO_RESULT_GRAPH_NODAL, ID_INFO_RESULT_GRAPH_ELEM,
                          &CCAEView::OnInfoTool>(),
        fw::command_range<ID_INFO_DISTANCE_GRAPH_NODAL, ID_INFO_DISTANCE_GRAPH_ELEM,
                          &CCAEView::OnInfoTool>(),
        fw::update<ID_INFO_RESULT_LIST_NODAL, &CCAEView::OnUpdateNodalResultTool>(),
        fw::update<ID_INFO_RESULT_GRAPH_NODAL, &CCAEView::OnUpdateNodalResultTool>(),
        fw::update<ID_INFO_DISTANCE_GRAPH_NODAL, &CCAEView::OnUpdateNodalResultTool>(),
        fw::update<ID_INFO_RESULT_LIST_ELEM, &CCAEView::OnUpdateElementalResultTool>(),
        fw::update<ID_INFO_RESULT_GRAPH_ELEM, &CCAEView::OnUpdateElementalResultTool>(),
        fw::update<ID_INFO_DISTANCE_GRAPH_ELEM, &CCAEView::OnUpdateElementalResultTool>(),
        fw::command<ID_VIEW_ROTATION_CENTER, &CCAEView::OnRotationCenter>(),
    };
    return {kEntries, std::size(kEntries)};
}
