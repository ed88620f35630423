// Selection command. Adding a picked entity can end the selection, and the manager then deletes
// this command: nothing of it is touched after CCAEView::AddPickedEntity.
#include "view/CmdCollSelection.h"

#include "view/CAEView.h"
#include "view/CmdRecord.h"
#include "view/QueryTools.h"

CCmdCollSelection::CCmdCollSelection(CCAEView* view)
    : m_pView(view)
{
    if (CQueryTools* tools = GetQueryTools())
        m_decision = tools->CreateSelectionDecision(view);
}

CCmdCollSelection::~CCmdCollSelection() = default;

void CCmdCollSelection::Start(CCmdRecord* record)
{
    const auto* candidates = record ? static_cast<const CEntityArray*>(record->pData) : nullptr;
    if (candidates == nullptr || candidates->IsEmpty())
        return;
    if (m_decision != nullptr)
    {
        if (m_decision->FillEntityList(*candidates))
        {
            m_decision->Show();
            m_pView->ViewSelection().SetDecisionPending(true);
        }
        return;
    }
    // Without the dialog the nearest candidate (the pick lists them nearest first) is taken.
    CEntityArray nearest;
    nearest.Add(candidates->GetAt(0));
    m_pView->AddPickedEntity(nearest);
}

void CCmdCollSelection::OnDialogOk(CCmdRecord* record)
{
    CCAEView* view = m_pView;
    view->ViewSelection().SetDecisionPending(false);
    CEntityArray chosen;
    if (record != nullptr && record->pData != nullptr)
        chosen.Add(static_cast<CModelEntity*>(record->pData));
    view->AddPickedEntity(chosen);
}

void CCmdCollSelection::OnDialogCancel(CCmdRecord*)
{
    m_pView->ViewSelection().SetDecisionPending(false);
}
