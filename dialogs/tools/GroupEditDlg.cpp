// Group list dialog.
#include "dialogs/tools/GroupEditDlg.h"

#include "core/model/GroupSet.h"
#include "core/model/ModelSet.h"
#include "dialogs/settings/DialogTexts.h"
#include "platform/dlg/ddx.h"
#include "resources/ids/dialogs_ids.h"

FW_TABLE(CGroupEditDlg, CToolDlg, fw::command<IDC_GROUPLIST_ACTION, &CGroupEditDlg::OnAction>())

CGroupEditDlg::CGroupEditDlg(int frameKey)
    : CToolDlg(IDD_GROUP_LIST, frameKey)
{
    GoWithView();
}

CGroupEditDlg* CGroupEditDlg::Open(int frameKey, int mode)
{
    auto* dialog = new CGroupEditDlg(frameKey);
    dialog->m_nMode = mode;
    if (!dialog->Create(IDD_GROUP_LIST))
    {
        dialog->Release();
        return nullptr;
    }
    const bool isEdit = mode == kEdit;
    dialog->SetActionButtonText(ToolText("Dialog.str", "GroupEdit", isEdit ? "Edit" : "Delete"));
    dialog->SetWindowText(
        ToolText("Dialog.str", "GroupEdit", isEdit ? "EditGroup" : "DeleteGroup"));
    dialog->ShowInFront(SW_SHOWNORMAL);
    return dialog;
}

void CGroupEditDlg::DoDataExchange(CDataExchange* dx)
{
    CToolDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_GROUPLIST_LIST, m_list);
}

BOOL CGroupEditDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    const DialogText texts[] = {{IDC_GROUPLIST_BOX, "GroupEdit", "Group"},
                                {IDCANCEL, "COMMON", "Close"}};
    SetDialogTexts(*this, "Dialog.str", texts);

    m_GroupIds.RemoveAll();
    const CModelSet* model = FindModel();
    if (model != nullptr)
    {
        for (const UINT id : model->GetGroups().SortedKeys())
        {
            if (id != CModelSet::kDefaultGroupId && model->LookupGroup(static_cast<int>(id)))
                m_GroupIds.Add(static_cast<int32_t>(id));
        }
    }
    m_list.DeleteAllItems();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, ToolText("Dialog.str", "PidMidFilter", "GroupID").GetString(),
                        LVCFMT_LEFT, 87);
    m_list.InsertColumn(1, ToolText("Dialog.str", "PidMidFilter", "GroupName").GetString(),
                        LVCFMT_LEFT, 100);
    for (const int32_t id : m_GroupIds)
    {
        CString text;
        text.Format("     %d   ", id);
        const int row = m_list.InsertItem(m_list.GetItemCount(), text.GetString());
        m_list.SetItemData(row, static_cast<DWORD_PTR>(id));
        const CGroupSet* group = model->LookupGroup(id);
        m_list.SetItemText(row, 1, group ? group->GetName().GetString() : "");
    }
    return TRUE;
}

void CGroupEditDlg::SetActionButtonText(const CString& text)
{
    SetDlgItemText(IDC_GROUPLIST_ACTION, text.GetString());
}

void CGroupEditDlg::OnAction()
{
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        return;
    const auto groupId = static_cast<int32_t>(m_list.GetItemData(row));
    // The list belongs to its view: once the view has gone it only closes.
    if (FindView() == nullptr || (m_nMode != kEdit && m_nMode != kDelete))
    {
        Release();
        return;
    }
    if (m_nMode == kDelete)
    {
        const CString question = ToolText("Message.str", "Confirm", "GroupDelete");
        if (ShowDialogMessage(*this, question.GetString(), MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        m_list.DeleteItem(row);
    }
    CGroupRecord record;
    record.nCode = m_nMode == kEdit ? CCmdRecord::kGroupEdit : CCmdRecord::kGroupDelete;
    record.bKeepRunning = 0;
    record.nGroupId = groupId;
    Release(); // hidden now, destroyed after this message
    SendRecord(record);
}

void CGroupEditDlg::OnCancel()
{
    Release();
}
