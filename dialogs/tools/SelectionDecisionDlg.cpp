// Selection decision dialog.
#include "dialogs/tools/SelectionDecisionDlg.h"

#include "core/geometry/ModelEntity.h"
#include "platform/dlg/ddx.h"
#include "resources/ids/dialogs_ids.h"
#include "view/CAEView.h"
#include "view/CmdRecord.h"

#include <exception>

namespace
{
const char* RowLabelKey(int tag)
{
    switch (tag)
    {
    case kTagNode: return "Grid";
    case kTagSolid: return "Solid";
    case kTagShell: return "Shell";
    case kTagMass: return "Mass";
    case kTagSpring: return "Elass";
    case kTagBeam: return "Beam";
    default: return nullptr;
    }
}
} // namespace

FW_TABLE(CSelectionDecisionDlg, CToolDlg,
         fw::command<IDC_TOOL_NEXT, &CSelectionDecisionDlg::OnNext>(),
         fw::command<IDC_TOOL_PREVIOUS, &CSelectionDecisionDlg::OnPrevious>(),
         fw::control<LBN_SELCHANGE, IDC_DECISION_LIST, &CSelectionDecisionDlg::OnSelchangeList>())

CSelectionDecisionDlg::CSelectionDecisionDlg(int frameKey)
    : CToolDlg(IDD_SELECTION_DECISION, frameKey)
{
}

void CSelectionDecisionDlg::DoDataExchange(CDataExchange* dx)
{
    CToolDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_DECISION_LIST, m_list);
}

BOOL CSelectionDecisionDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    SetWindowText(ToolText("Dialog.str", "SelectionDialog", "SelectionDecision"));
    SetDlgItemText(IDC_TOOL_PREVIOUS,
                   ToolText("Dialog.str", "SelectionDialog", "Previous").GetString());
    SetDlgItemText(IDC_TOOL_NEXT, ToolText("Dialog.str", "SelectionDialog", "Next").GetString());
    SetDlgItemText(IDOK, ToolText("Dialog.str", "COMMON", "OK").GetString());
    return FillEntityList() ? TRUE : FALSE;
}

bool CSelectionDecisionDlg::FillEntityList()
{
    if (m_list.GetSafeHwnd() == nullptr)
        return false;
    m_list.ResetContent();
    try
    {
        for (CModelEntity* entity : m_Candidates)
        {
            const char* key = entity ? RowLabelKey(entity->type) : nullptr;
            if (key == nullptr)
                continue;
            // The string files keep no trailing blank, so the label and the id get one between.
            CString row = ToolText("Dialog.str", "DISPLAY", key);
            row.AppendFormat(" %d", entity->m_id);
            const int index = m_list.AddString(row.GetString());
            if (index < 0)
                return false;
            m_list.SetItemDataPtr(index, entity);
        }
    }
    catch (const std::exception&)
    {
        return false;
    }
    if (m_list.GetCount() == 0)
        return false;
    m_list.SetCurSel(0);
    return true;
}

void CSelectionDecisionDlg::OnNext()
{
    const int count = m_list.GetCount();
    if (count == 0)
        return;
    const int row = m_list.GetCurSel();
    SelectRow(row >= 0 && row < count - 1 ? row + 1 : 0);
}

void CSelectionDecisionDlg::OnPrevious()
{
    const int count = m_list.GetCount();
    if (count == 0)
        return;
    const int row = m_list.GetCurSel();
    SelectRow(row > 0 ? row - 1 : count - 1);
}

void CSelectionDecisionDlg::OnSelchangeList()
{
    HighlightSelected();
}

void CSelectionDecisionDlg::SelectRow(int row)
{
    m_list.SetCurSel(row);
    HighlightSelected();
}

void CSelectionDecisionDlg::HighlightSelected() const
{
    const int row = m_list.GetCurSel();
    if (row < 0)
        return;
    CCAEView* view = FindView();
    if (view == nullptr)
        return;
    view->EditSelection().SetHover(static_cast<CModelEntity*>(m_list.GetItemDataPtr(row)));
    view->InvalidateView();
}

void CSelectionDecisionDlg::ClearHighlight() const
{
    CCAEView* view = FindView();
    if (view == nullptr)
        return;
    view->EditSelection().SetHover(nullptr);
    view->InvalidateView();
}

void CSelectionDecisionDlg::OnOK()
{
    const int row = m_list.GetCurSel();
    if (row < 0)
        return;
    m_pChosen = static_cast<CModelEntity*>(m_list.GetItemDataPtr(row));
    m_list.ResetContent();
    EndDialog(IDOK);
    ClearHighlight();
    CCmdRecord record;
    record.nCode = CCmdRecord::kDialogOk;
    record.pData = m_pChosen;
    SendRecord(record);
}

void CSelectionDecisionDlg::OnCancel()
{
    m_pChosen = nullptr;
    m_list.ResetContent();
    ClearHighlight();
    SendCode(CCmdRecord::kDialogCancel);
    EndDialog(IDCANCEL);
}
