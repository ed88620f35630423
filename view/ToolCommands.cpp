// Information, element, rotation-centre and id-label tools.
#include "view/ToolCommands.h"

#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "project/ProjectData.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/CmdManager.h"
#include "view/CmdRecord.h"
#include "view/ViewMainFrame.h"

namespace
{
const CSelectionRecord& Selection(const CCmdRecord* record)
{
    return *static_cast<const CSelectionRecord*>(record);
}

bool IsElementTag(int tag)
{
    return tag == kTagBeam || tag == kTagSolid || tag == kTagSpring || tag == kTagMass ||
           tag == kTagShell;
}
} // namespace

void CToolCommand::Send(CCmdRecord& record) const
{
    SendToCmdManager(record, m_nFrameKey);
}

void CToolCommand::SendCode(int code) const
{
    CCmdRecord record;
    record.nCode = code;
    Send(record);
}

void CToolCommand::PostCommand(int commandId) const
{
    CPostCommandRecord record;
    record.nCommandId = commandId;
    record.bKeepRunning = 0;
    Send(record);
}

void CToolCommand::RequestPick(bool isAreaSelect, int maxPicks, int minPicks, int kinds) const
{
    CPickRequestRecord request;
    request.bAreaSelect = isAreaSelect ? 1 : 0;
    request.nMaxPicks = maxPicks;
    request.nMinPicks = minPicks;
    request.nAllowedKinds = kinds;
    request.nInitialFilter = kinds;
    Send(request);
}

CCAEView* CToolCommand::FindView() const
{
    CViewMainFrame* frame = GetViewMainFrame();
    return frame ? frame->GetFrameView(m_nFrameKey) : nullptr;
}

CProjectData* CToolCommand::FindProject()
{
    CViewMainFrame* frame = GetViewMainFrame();
    return frame ? frame->GetProject() : nullptr;
}

CModelSet* CToolCommand::FindModel()
{
    CProjectData* project = FindProject();
    return project ? &project->m_model : nullptr;
}

void CToolCommand::ShowKind(int kind)
{
    if (CProjectData* project = FindProject())
        project->m_settings.m_displayFilter |= static_cast<DWORD>(kind);
}

bool CToolCommand::OpenDialog(int kind, const CEntityArray& entities)
{
    CloseDialog();
    CQueryTools* tools = GetQueryTools();
    if (tools == nullptr)
        return false;
    m_dialog = tools->CreateToolDialog(kind, m_nFrameKey);
    m_bDialogOpen = m_dialog != nullptr && m_dialog->Open(entities) ? 1 : 0;
    return m_bDialogOpen != 0;
}

void CToolCommand::CloseDialog()
{
    if (m_dialog != nullptr)
        m_dialog->Close();
    m_bDialogOpen = 0;
}

// Model Information.

void CCmdCollModelInfo::Start(CCmdRecord*)
{
    OpenDialog(CToolDialog::kModelInfo, CEntityArray());
}

void CCmdCollModelInfo::OnDialogOk(CCmdRecord*)
{
    SendCode(CCmdRecord::kEndCommand);
}

// Selected Model Information.

void CCmdCollSelectedModelInfo::Start(CCmdRecord*)
{
    RequestPick(true, -1, 1, kKindAll);
}

void CCmdCollSelectedModelInfo::OnSelectionOk(CCmdRecord* record)
{
    const CEntityArray& picked = Selection(record).m_Entities;
    if (picked.IsEmpty())
    {
        m_bDialogOpen = 0;
        return;
    }
    OpenDialog(CToolDialog::kSelectedModelInfo, picked);
}

void CCmdCollSelectedModelInfo::OnSelectionCancel(CCmdRecord*)
{
    SendCode(CCmdRecord::kEndCommand);
}

void CCmdCollSelectedModelInfo::OnDialogOk(CCmdRecord*)
{
    PostCommand(ID_INFO_SELECTED_MODEL);
}

// Entity Information.

void CCmdCollEntityInfo::Start(CCmdRecord*)
{
    RequestPick(true, -1, 1, kKindAll);
}

void CCmdCollEntityInfo::OnSelectionOk(CCmdRecord* record)
{
    const CEntityArray& picked = Selection(record).m_Entities;
    if (!picked.IsEmpty())
        OpenDialog(CToolDialog::kEntityInfo, picked);
}

void CCmdCollEntityInfo::OnSelectionCancel(CCmdRecord*)
{
    CloseDialog();
    SendCode(CCmdRecord::kEndCommand);
}

void CCmdCollEntityInfo::OnDialogOk(CCmdRecord*)
{
    CloseDialog();
    PostCommand(ID_INFO_ENTITY);
}

// Entity Distance.

void CCmdCollEntityDistance::Start(CCmdRecord*)
{
    ShowKind(kKindNode);
    RequestPick(false, 2, 2, kKindNode);
}

void CCmdCollEntityDistance::OnSelectionOk(CCmdRecord* record)
{
    const CEntityArray& picked = Selection(record).m_Entities;
    if (picked.GetSize() == 2 && picked[0] != nullptr && picked[1] != nullptr &&
        picked[0]->type == kTagNode && picked[1]->type == kTagNode)
        OpenDialog(CToolDialog::kNodeDistance, picked);
}

void CCmdCollEntityDistance::OnSelectionCancel(CCmdRecord*)
{
    CloseDialog();
    SendCode(CCmdRecord::kEndCommand);
}

void CCmdCollEntityDistance::OnDialogOk(CCmdRecord*)
{
    CloseDialog();
    if (CCAEView* view = FindView())
        view->InvalidateView();
    PostCommand(ID_INFO_ENTITY_DISTANCE);
}

// Element Direction.

void CCmdCollElementDirection::Start(CCmdRecord*)
{
    ShowKind(kKindShell);
    RequestPick(true, -1, 1, kKindShell);
}

void CCmdCollElementDirection::OnSelectionOk(CCmdRecord* record)
{
    const CEntityArray& picked = Selection(record).m_Entities;
    CCAEView* view = FindView();
    if (!picked.IsEmpty() && view != nullptr)
    {
        view->Renderer().CreateSelectionDisplayList(picked);
        view->InvalidateView();
    }
    PostCommand(ID_INFO_ELEMENT_DIRECTION);
}

void CCmdCollElementDirection::OnSelectionCancel(CCmdRecord*)
{
    SendCode(CCmdRecord::kEndCommand);
}

// Edit Element Property.

void CCmdCollElementProperty::Start(CCmdRecord*)
{
    RequestPick(true, -1, 1, kKindSolid | kKindShell | kKindBeam | kKindMass | kKindElass);
}

void CCmdCollElementProperty::OnSelectionOk(CCmdRecord* record)
{
    m_Properties.RemoveAll();
    for (CModelEntity* entity : Selection(record).m_Entities)
    {
        if (entity == nullptr || !IsElementTag(entity->type))
            continue;
        m_Properties.SetAt(entity->m_id, static_cast<const CFEElement*>(entity)->m_propertyId);
    }
    if (!m_Properties.IsEmpty())
        OpenDialog(CToolDialog::kElementProperty, CEntityArray());
}

void CCmdCollElementProperty::OnSelectionCancel(CCmdRecord*)
{
    CloseDialog();
    SendCode(CCmdRecord::kEndCommand);
}

void CCmdCollElementProperty::OnDialogOk(CCmdRecord* record)
{
    if (record == nullptr)
        return;
    const int propertyId = static_cast<const CElementPropertyRecord*>(record)->nPropertyId;
    CElementPropertyRecord apply;
    apply.m_Properties.InitHashTable(static_cast<UINT>(m_Properties.GetCount()) | 1u);
    CloseDialog();
    POSITION pos = m_Properties.GetStartPosition();
    while (pos != nullptr)
    {
        int32_t elementId = 0;
        int32_t previous = 0;
        m_Properties.GetNextAssoc(pos, elementId, previous);
        apply.m_Properties.SetAt(elementId, previous);
    }
    apply.nCode = CCmdRecord::kElementPropertyApply;
    apply.nPropertyId = propertyId;
    apply.bKeepRunning = 0;
    Send(apply);
}

// Rotation Center.

void CCmdCollRotationCenter::Start(CCmdRecord*)
{
    RequestPick(false, 1, 1, kKindNode);
}

void CCmdCollRotationCenter::OnSelectionOk(CCmdRecord* record)
{
    CCAEView* view = FindView();
    if (view == nullptr)
        return;
    for (CModelEntity* entity : Selection(record).m_Entities)
    {
        if (entity == nullptr || entity->type != kTagNode)
            continue;
        view->Camera(CSceneView::kSceneViewport).m_rotationCentre =
            static_cast<const CFENode*>(entity)->m_coord;
        view->SetModelCenteredRotation(false);
    }
}

void CCmdCollRotationCenter::OnSelectionCancel(CCmdRecord*)
{
    SendCode(CCmdRecord::kEndCommand);
}

// Element and node id labels.

void CCmdCollEntityIdLabel::Start(CCmdRecord* record)
{
    m_bNodeLabels = record != nullptr && record->nCode == CCmdRecord::kNodeIdLabel ? 1 : 0;
    if (m_bNodeLabels)
        ShowKind(kKindNode);
    RequestPick(true, -1, 1,
                m_bNodeLabels ? kKindNode
                              : kKindSolid | kKindShell | kKindBeam | kKindMass | kKindElass);
}

void CCmdCollEntityIdLabel::OnSelectionOk(CCmdRecord* record)
{
    const CEntityArray& picked = Selection(record).m_Entities;
    if (picked.IsEmpty())
        return;
    CEntityArray nodes;
    CEntityArray elements;
    for (CModelEntity* entity : picked)
    {
        if (entity != nullptr && entity->type == kTagNode)
            nodes.Add(entity);
        else if (entity != nullptr && IsElementTag(entity->type))
            elements.Add(entity);
    }
    if (CCAEView* view = FindView())
    {
        if (m_bNodeLabels)
        {
            view->Renderer().CreateNodeIdLabels(nodes);
            view->EditScene().SetNodeIdMode(1);
        }
        else
        {
            view->Renderer().CreateElementIdLabels(elements);
            view->EditScene().SetElementIdMode(1);
        }
        if (view->GetSafeHwnd() != nullptr)
            ::InvalidateRect(view->GetSafeHwnd(), nullptr, TRUE);
    }
    PostCommand(m_bNodeLabels ? ID_INFO_NODE_ID : ID_INFO_ELEMENT_ID);
}

void CCmdCollEntityIdLabel::OnSelectionCancel(CCmdRecord*)
{
    SendCode(CCmdRecord::kEndCommand);
}
