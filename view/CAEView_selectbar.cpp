// 3-D view: the Selection and Selection Mode toolbars (cancel, decide, abort, select all,
// select entities, area shapes) and Undo and Redo, which end the running command first.
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "platform/win/cmdtarget.h"
#include "platform/win/platform_ids.h"
#include "project/ProjectData.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/CmdManager.h"
#include "view/CmdRecord.h"
#include "view/QueryTools.h"
#include "view/ViewMainFrame.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace
{
constexpr int kElementKinds = kKindSolid | kKindShell | kKindBeam | kKindMass | kKindElass;

struct ShapeCommand
{
    UINT id;
    int shape;
};
constexpr ShapeCommand kShapeCommands[] = {
    {ID_SELECT_RECTANGLE, 1}, {ID_SELECT_CIRCLE, 2}, {ID_SELECT_POLYGON, 3}};

int ShapeOf(UINT id)
{
    for (const ShapeCommand& command : kShapeCommands)
    {
        if (command.id == id)
            return command.shape;
    }
    return 0;
}

int SearchKindOf(UINT id)
{
    switch (id)
    {
    case ID_SELECT_BY_PROPERTY: return CQueryTools::kByProperty;
    case ID_SELECT_BY_MATERIAL: return CQueryTools::kByMaterial;
    default: return CQueryTools::kById;
    }
}
} // namespace

void CCAEView::OnCancelAll()
{
    m_viewSelection.ClearPicks();
    EditSelection().SetHover(nullptr);
    InvalidateView();
}

void CCAEView::OnCancelOne()
{
    m_viewSelection.CancelLastBatch();
    InvalidateView();
}

void CCAEView::OnDecision()
{
    if (m_viewSelection.HasEnoughPicks())
        CommitSelection(kDecision);
}

void CCAEView::OnAbortSelection()
{
    if (!m_viewSelection.IsSelecting() || m_viewSelection.IsDecisionPending())
        return;
    if (Selection().Picked().IsEmpty())
    {
        CommitSelection(kAbort);
        return;
    }
    m_viewSelection.ClearPicks();
    InvalidateView();
}

void CCAEView::OnSelectAll()
{
    if (GetModel() == nullptr)
        return;
    CEntityArray entities;
    CollectDisplayedEntities(entities);
    AddPickedEntity(entities);
    InvalidateView();
}

// Kinds in the order Beam, Solid, Mass, Shell, Elass, Node; elements the element filter
// shows, every node.
void CCAEView::CollectDisplayedEntities(CEntityArray& entities) const
{
    const CModelSet* model = GetModel();
    const CGroupSet* group = model ? model->GetDefaultGroup() : nullptr;
    const CAESettings* settings = GetSettings();
    if (group == nullptr || settings == nullptr)
        return;
    const int kinds = Selection().AllowedKinds() & Selection().Filter() &
                      static_cast<int>(settings->m_displayFilter);
    const std::pair<int, const CElementMap*> elementKinds[] = {{kKindBeam, &group->GetBeams()},
                                                               {kKindSolid, &group->GetSolids()},
                                                               {kKindMass, &group->GetMasses()},
                                                               {kKindShell, &group->GetShells()},
                                                               {kKindElass, &group->GetSprings()}};
    INT_PTR total = (kinds & kKindNode) ? group->GetNodes().GetCount() : 0;
    for (const auto& kind : elementKinds)
        total += (kinds & kind.first) ? kind.second->GetCount() : 0;
    entities.SetSize(0, std::max<INT_PTR>(total, 1));
    for (const auto& kind : elementKinds)
    {
        if ((kinds & kind.first) == 0)
            continue;
        for (const auto& [id, element] : fw::Assocs(*kind.second))
        {
            if (element != nullptr && IsEntityVisible(element) == 1)
                entities.Add(element);
        }
    }
    if ((kinds & kKindNode) == 0)
        return;
    for (const auto& [id, node] : fw::Assocs(group->GetNodes()))
    {
        if (node != nullptr)
            entities.Add(node);
    }
}

void CCAEView::OnSelectEntities(UINT commandId)
{
    if (CQueryTools* tools = GetQueryTools())
        tools->RunSelectionById(this, SearchKindOf(commandId));
}

void CCAEView::OnUpdateSelecting(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_viewSelection.IsSelecting() ? TRUE : FALSE);
}

// By property and by material need every element kind let through.
void CCAEView::OnUpdateSelectByGroup(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_viewSelection.IsSelecting() &&
                  (Selection().Filter() & kElementKinds) == kElementKinds);
}

void CCAEView::OnSelectionShape(UINT commandId)
{
    m_viewSelection.ChooseShape(ShapeOf(commandId));
}

void CCAEView::OnUpdateSelectionShape(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_viewSelection.OffersAreas() ? TRUE : FALSE);
    cmdUI->SetCheck(m_viewSelection.ChosenShape() == ShapeOf(cmdUI->m_nID) ? 1 : 0);
}

void CCAEView::OnUndo()
{
    CCmdRecord end;
    end.nCode = CCmdRecord::kEndCommand;
    SendCommand(end);
    CCmdRecord undo;
    undo.nCode = CCmdRecord::kUndo;
    SendCommand(undo);
}

void CCAEView::OnRedo()
{
    CCmdRecord end;
    end.nCode = CCmdRecord::kEndCommand;
    SendCommand(end);
    CCmdRecord redo;
    redo.nCode = CCmdRecord::kRedo;
    SendCommand(redo);
}

// Nothing is undoable in this program, so both stay disabled; they follow the manager's lists.
void CCAEView::OnUpdateUndo(CCmdUI* cmdUI)
{
    const CCmdManager* manager = m_pMainFrame ? m_pMainFrame->GetCmdManager() : nullptr;
    cmdUI->Enable(manager && manager->CanUndo() ? TRUE : FALSE);
}

void CCAEView::OnUpdateRedo(CCmdUI* cmdUI)
{
    const CCmdManager* manager = m_pMainFrame ? m_pMainFrame->GetCmdManager() : nullptr;
    cmdUI->Enable(manager && manager->CanRedo() ? TRUE : FALSE);
}

CCAEView::EntrySpan CCAEView::SelectBarEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        fw::command<ID_SELECT_CANCEL_ALL, &CCAEView::OnCancelAll>(),
        fw::command<ID_SELECT_CANCEL_ONE, &CCAEView::OnCancelOne>(),
        fw::command<ID_SELECT_DECISION, &CCAEView::OnDecision>(),
        fw::command<ID_SELECT_ABORT, &CCAEView::OnAbortSelection>(),
        fw::command<ID_SELECT_ALL, &CCAEView::OnSelectAll>(),
        fw::command<ID_SELECT_BY_ID, &CCAEView::OnSelectEntities>(),
        fw::command_range<ID_SELECT_BY_PROPERTY, ID_SELECT_BY_MATERIAL,
                          &CCAEView::OnSelectEntities>(),
        fw::update_range<ID_SELECT_CANCEL_ALL, ID_SELECT_BY_ID, &CCAEView::OnUpdateSelecting>(),
        fw::update_range<ID_SELECT_BY_PROPERTY, ID_SELECT_BY_MATERIAL,
                         &CCAEView::OnUpdateSelectByGroup>(),
        fw::command_range<ID_SELECT_RECTANGLE, ID_SELECT_POLYGON, &CCAEView::OnSelectionShape>(),
        fw::update_range<ID_SELECT_RECTANGLE, ID_SELECT_POLYGON,
                         &CCAEView::OnUpdateSelectionShape>(),
        fw::command<ID_EDIT_UNDO, &CCAEView::OnUndo>(),
        fw::command<ID_EDIT_REDO, &CCAEView::OnRedo>(),
        fw::update<ID_EDIT_UNDO, &CCAEView::OnUpdateUndo>(),
        fw::update<ID_EDIT_REDO, &CCAEView::OnUpdateRedo>(),
    };
    return {kEntries, std::size(kEntries)};
}
