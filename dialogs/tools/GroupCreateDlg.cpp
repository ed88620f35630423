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

FW_TABLE(CGroupCreateDlg, CToolDlg, fw::command<IDC_GROUP_SELECT, &CGroupCreateDlg::OnSelect>(),
         fw::command<IDC_GROUP_REMOVE, &CGroupCreateDlg::OnDelete>(),
         fw::command<IDC_GROUP_ACTION, &CGroupCreateDlg::OnCreate>())

CGroupCreateDlg::CGroupCreateDlg(int frameKey)
    : CToolDlg(IDD_GROUP_CREATE, frameKey)
{
    m_list.m_pIds = &m_ElementIds;
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
    // The default group is never edited.
    const CModelSet* model = FindModel();
    const CGroupSet* group = model != nullptr && groupId != CModelSet::kDefaultGroupId
                                 ? model->LookupGroup(groupId)
                                 : nullptr;
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
    m_list.SendMessage(LB_SETCOUNT, static_cast<WPARAM>(m_ElementIds.GetSize()));
    m_list.Invalidate();
}

CString CGroupCreateDlg::RowText(int row) const
{
    CString text;
    if (row >= 0 && row < m_ElementIds.GetSize())
        text.Format("  %d ", m_ElementIds[row]);
    return text;
}

void CGroupElementList::DrawItem(LPDRAWITEMSTRUCT item)
{
    if (item == nullptr)
        return;
    const bool isSelected = (item->itemState & ODS_SELECTED) != 0;
    const HDC dc = item->hDC;
    const RECT& box = item->rcItem;
    ::SetBkColor(dc, ::GetSysColor(isSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr);
    const int row = static_cast<int>(item->itemID);
    if (m_pIds != nullptr && row >= 0 && row < m_pIds->GetSize())
    {
        char text[24];
        const int length = wsprintfA(text, "  %d ", (*m_pIds)[row]);
        ::SetTextColor(dc, ::GetSysColor(isSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        ::SetBkMode(dc, TRANSPARENT);
        RECT textBox = box;
        ::DrawTextA(dc, text, length, &textBox, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if ((item->itemState & ODS_FOCUS) != 0)
        ::DrawFocusRect(dc, &box);
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
    ShowInFront();
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
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [this](int row) { return row < 0 || row >= m_ElementIds.GetSize(); }),
               rows.end());
    if (rows.empty())
        return;
    // The rows are the ids in order: the ids of the rows go, the others close up.
    INT_PTR kept = 0;
    size_t next = 0;
    for (INT_PTR row = 0; row < m_ElementIds.GetSize(); ++row)
    {
        if (next < rows.size() && rows[next] == row)
        {
            m_ElementSet.erase(m_ElementIds[row]);
            ++next;
            continue;
        }
        m_ElementIds[kept++] = m_ElementIds[row];
    }
    m_ElementIds.SetSize(kept);
    RefreshElementList();
    // The row that now stands where the last removed row stood.
    const int last = rows.back() - static_cast<int>(rows.size() - 1);
    if (last < m_list.GetCount())
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
        ShowDialogMessage(*this, ToolText("Message.str", "Error", "UniqueGroupName").GetString(),
                          MB_OK | MB_ICONSTOP);
        FocusName(true);
        return;
    }
    if (m_ElementIds.IsEmpty())
    {
        ShowDialogMessage(*this, ToolText("Message.str", "Error", "NoElementSelected").GetString(),
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
