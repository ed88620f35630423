// Group create and edit dialog.
#include "dialogs/tools/GroupCreateDlg.h"

#include "core/display/EntityKinds.h"
#include "core/model/FEElement.h"
#include "core/model/GroupSet.h"
#include "core/model/ModelSet.h"
#include "dialogs/settings/DialogTexts.h"
#include "platform/dlg/ddx.h"
#include "resources/ids/dialogs_ids.h"

#include <algorithm>
#include <vector>

namespace
{
bool IsElementTag(int tag)
{
    return tag == kTagBeam || tag == kTagSolid || tag == kTagSpring || tag == kTagMass ||
           tag == kTagShell;
}
} // namespace

FW_TABLE(CGroupCreateDlg, CToolDlg,
         fw::command<IDC_GROUP_SELECT, &CGroupCreateDlg::OnSelect>(),
         fw::command<IDC_GROUP_REMOVE, &CGroupCreateDlg::OnDelete>(),
         fw::command<IDC_GROUP_ACTION, &CGroupCreateDlg::OnCreate>())

CGroupCreateDlg::CGroupCreateDlg(int frameKey)
    : CToolDlg(IDD_GROUP_CREATE, frameKey)
{
}

void CGroupCreateDlg::DoDataExchange(CDataExchange* dx)
{
    CToolDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_GROUP_ELEMENTS, m_list);
    DDX_Text(dx, IDC_GROUP_ID, m_nGroupId);
    DDX_Text(dx, IDC_GROUP_NAME, m_strName);
}

BOOL CGroupCreateDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    if (const CModelSet* model = FindModel())
        m_nGroupId = static_cast<int>(model->GetMaxGroupId()) + 1;
    const DialogText texts[] = {{IDC_GROUP_NAME_LABEL, "GroupCreate", "GroupName"},
                                {IDC_GROUP_ID_LABEL, "GroupCreate", "GroupID"},
                                {IDC_GROUP_ELEMENT_BOX, "GroupCreate", "Element"},
                                {IDC_GROUP_SELECT, "GroupCreate", "Select"},
                                {IDC_GROUP_REMOVE, "GroupCreate", "Delete"},
                                {IDC_GROUP_ACTION, "GroupCreate", "Create"},
                                {IDCANCEL, "COMMON", "Close"}};
    SetDialogTexts(*this, "Dialog.str", texts);
    UpdateData(FALSE);
    FocusName(false);
    return FALSE;
}

void CGroupCreateDlg::LoadGroup(int groupId)
{
    const CModelSet* model = FindModel();
    const CGroupSet* group = model ? model->LookupGroup(groupId) : nullptr;
    if (group == nullptr)
        return;
    CElementMap elements;
    group->CollectElements(elements);
    m_ElementIds.RemoveAll();
    m_ElementSet.clear();
    m_ElementSet.reserve(static_cast<size_t>(elements.GetCount()));
    for (const UINT id : elements.SortedKeys())
        AddElementId(static_cast<int32_t>(id));
    RefreshElementList();
    m_nGroupId = groupId;
    m_strName = group->GetName();
    UpdateData(FALSE);
}

void CGroupCreateDlg::SetActionButtonText(const CString& text)
{
    SetDlgItemText(IDC_GROUP_ACTION, text.GetString());
}

bool CGroupCreateDlg::AddElementId(int32_t id)
{
    if (!m_ElementSet.insert(id).second)
        return false;
    m_ElementIds.Add(id);
    return true;
}

void CGroupCreateDlg::RefreshElementList()
{
    std::sort(m_ElementIds.begin(), m_ElementIds.end());
    if (m_list.GetSafeHwnd() == nullptr)
        return;
    const int count = static_cast<int>(m_ElementIds.GetSize());
    m_list.SetRedraw(FALSE);
    m_list.ResetContent();
    m_list.SendMessage(LB_INITSTORAGE, static_cast<WPARAM>(count),
                       static_cast<LPARAM>(count) * 16);
    for (int i = 0; i < count; ++i)
    {
        char text[24];
        wsprintfA(text, "  %d ", m_ElementIds[i]);
        const int row = m_list.AddString(text);
        if (row >= 0)
            m_list.SetItemData(row, static_cast<DWORD_PTR>(m_ElementIds[i]));
    }
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
}

void CGroupCreateDlg::AddElements(const CEntityArray& picked)
{
    for (const CModelEntity* entity : picked)
    {
        if (entity != nullptr && IsElementTag(entity->type))
            AddElementId(entity->m_id);
    }
    RefreshElementList();
    ShowAgain();
}

void CGroupCreateDlg::ShowAgain()
{
    ShowWindow(SW_SHOW);
    EnableWindow(TRUE);
}

void CGroupCreateDlg::OnSelect()
{
    ShowWindow(SW_HIDE);
    EnableWindow(FALSE);
    constexpr int kElements = kKindSolid | kKindShell | kKindBeam | kKindMass | kKindElass;
    CPickRequestRecord request;
    request.bKeepRunning = 1;
    request.bAreaSelect = 1;
    request.nMaxPicks = -1;
    request.nMinPicks = 1;
    request.nAllowedKinds = kElements;
    request.nInitialFilter = kElements;
    request.nPickOrder = CPickRequestRecord::kInPickOrder;
    SendRecord(request);
}

void CGroupCreateDlg::OnDelete()
{
    const int selected = m_list.GetSelCount();
    if (selected <= 0)
    {
        m_list.SetSel(-1, FALSE);
        return;
    }
    std::vector<int> rows(static_cast<size_t>(selected));
    const int count = m_list.GetSelItems(selected, rows.data());
    rows.resize(static_cast<size_t>(std::max(count, 0)));
    std::sort(rows.begin(), rows.end());
    int removed = 0;
    int last = -1;
    for (const int selectedRow : rows)
    {
        const int row = selectedRow - removed;
        const auto id = static_cast<int32_t>(m_list.GetItemData(row));
        for (INT_PTR i = 0; i < m_ElementIds.GetSize(); ++i)
        {
            if (m_ElementIds[i] == id)
            {
                m_ElementIds.RemoveAt(i);
                break;
            }
        }
        m_ElementSet.erase(id);
        m_list.DeleteString(row);
        ++removed;
        last = row;
    }
    if (last >= 0 && last < m_list.GetCount())
        m_list.SetSel(last, TRUE);
}

void CGroupCreateDlg::FocusName(bool selectAll)
{
    CWnd* name = GetDlgItem(IDC_GROUP_NAME);
    if (name == nullptr)
        return;
    GotoDlgCtrl(name);
    if (selectAll)
    {
        name->SendMessage(EM_SETSEL, 0, -1);
        name->SendMessage(EM_SCROLLCARET);
    }
}

void CGroupCreateDlg::OnCreate()
{
    UpdateData(TRUE);
    if (m_strName.IsEmpty())
    {
        ShowDialogMessage(*this, ToolText("Dialog.str", "GroupCreate", "EnterName").GetString(),
                          MB_OK | MB_ICONSTOP);
        FocusName(false);
        return;
    }
    const CModelSet* model = FindModel();
    const CGroupSet* namesake = model ? model->FindGroupByName(m_strName) : nullptr;
    if (namesake != nullptr && (m_nMode == kCreate || namesake->m_id != m_nGroupId))
    {
        ShowDialogMessage(*this,
                          ToolText("Message.str", "Error", "UniqueGroupName").GetString(),
                          MB_OK | MB_ICONSTOP);
        FocusName(true);
        return;
    }
    if (m_ElementIds.IsEmpty())
    {
        ShowDialogMessage(*this,
                          ToolText("Message.str", "Error", "NoElementSelected").GetString(),
                          MB_OK | MB_ICONSTOP);
        return;
    }
    CGroupRecord record;
    record.nCode = CCmdRecord::kDialogOk;
    record.m_Ids.Copy(m_ElementIds); // the rows' ids, in row order
    record.nGroupId = m_nGroupId;
    record.m_strName = m_strName;
    m_ElementSet.clear();
    // The command may end in the call: nothing of this dialog is touched afterwards.
    SendRecord(record);
}

void CGroupCreateDlg::OnCancel()
{
    m_ElementIds.RemoveAll();
    m_ElementSet.clear();
    SendCode(CCmdRecord::kDialogCancel);
}
