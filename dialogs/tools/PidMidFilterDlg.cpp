// Element filter dialog.
#include "dialogs/tools/PidMidFilterDlg.h"

#include "core/model/GroupSet.h"
#include "core/model/ModelSet.h"
#include "dialogs/settings/DialogTexts.h"
#include "dialogs/tools/IdSwatches.h"
#include "platform/dlg/ddx.h"
#include "resources/ids/dialogs_ids.h"
#include "view/CAEView.h"

#include <cstdio>
#include <vector>

namespace
{
using CIdFlags = CElementFilter::CIdFlags;

CIdFlags* FilterOfKind(CElementFilter& filter, int kind)
{
    switch (kind)
    {
    case CPidMidFilterDlg::kByProperty: return &filter.Properties();
    case CPidMidFilterDlg::kByMaterial: return &filter.Materials();
    case CPidMidFilterDlg::kByGroup: return &filter.Groups();
    default: return nullptr;
    }
}

void AddTo(CIdArray& ids, const std::vector<UINT>& keys)
{
    ids.RemoveAll();
    for (const UINT key : keys)
        ids.Add(static_cast<int32_t>(key));
}
} // namespace

FW_TABLE(CPidMidFilterDlg, CToolDlg,
         fw::command<IDC_FILTER_PROPERTY, &CPidMidFilterDlg::OnKindChanged>(),
         fw::command<IDC_FILTER_MATERIAL, &CPidMidFilterDlg::OnKindChanged>(),
         fw::command<IDC_FILTER_GROUP, &CPidMidFilterDlg::OnKindChanged>(),
         fw::command<IDC_FILTER_ENTIRE_MODEL, &CPidMidFilterDlg::OnKindChanged>(),
         fw::command<IDC_FILTER_SELECT_ALL, &CPidMidFilterDlg::OnSelectAll>(),
         fw::command<IDC_FILTER_DESELECT_ALL, &CPidMidFilterDlg::OnDeselectAll>())

CPidMidFilterDlg::CPidMidFilterDlg(int frameKey)
    : CToolDlg(IDD_ELEMENT_FILTER, frameKey)
{
    GoWithView();
}

CPidMidFilterDlg::~CPidMidFilterDlg() = default;

CPidMidFilterDlg* CPidMidFilterDlg::Open(int frameKey)
{
    auto* dialog = new CPidMidFilterDlg(frameKey);
    if (!dialog->Create(IDD_ELEMENT_FILTER))
    {
        dialog->Release();
        return nullptr;
    }
    dialog->ShowInFront();
    return dialog;
}

void CPidMidFilterDlg::DoDataExchange(CDataExchange* dx)
{
    CToolDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_FILTER_LIST, m_list);
    DDX_Radio(dx, IDC_FILTER_PROPERTY, m_nKind);
}

BOOL CPidMidFilterDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    SynchroniseMaps();
    CollectIds();
    UpdateData(FALSE);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    SetWindowText(ToolText("Dialog.str", "PidMidFilter", "Title"));
    const DialogText texts[] = {{IDC_FILTER_PROPERTY, "PidMidFilter", "Property"},
                                {IDC_FILTER_MATERIAL, "PidMidFilter", "Material"},
                                {IDC_FILTER_GROUP, "GroupEdit", "Group"},
                                {IDC_FILTER_ENTIRE_MODEL, "PidMidFilter", "EntireModel"},
                                {IDC_FILTER_SELECT_ALL, "PidMidFilter", "SelectAll"},
                                {IDC_FILTER_DESELECT_ALL, "PidMidFilter", "DeselectAll"},
                                {IDOK, "COMMON", "Apply"},
                                {IDCANCEL, "COMMON", "Close"}};
    SetDialogTexts(*this, "Dialog.str", texts);
    SetColumns();
    FillList();
    RestoreTicks();
    return TRUE;
}

// Every property with a colour and every group but the default one has an entry; a new one
// is shown.
void CPidMidFilterDlg::SynchroniseMaps()
{
    CCAEView* view = FindView();
    CModelSet* model = FindModel();
    if (view == nullptr || model == nullptr)
        return;
    CElementFilter& filter = view->ElementFilter();
    int value = 0;
    for (const UINT id : model->GetPropertyColors().SortedKeys())
    {
        if (!filter.Properties().Lookup(id, value))
            filter.Properties().SetAt(id, 1);
    }
    for (const UINT id : model->GetGroups().SortedKeys())
    {
        if (id != CModelSet::kDefaultGroupId && !filter.Groups().Lookup(id, value))
            filter.Groups().SetAt(id, 1);
    }
}

void CPidMidFilterDlg::CollectIds()
{
    m_PropertyIds.RemoveAll();
    m_MaterialIds.RemoveAll();
    m_GroupIds.RemoveAll();
    CCAEView* view = FindView();
    if (view == nullptr)
        return;
    m_nKind = view->ElementFilter().Mode();
    if (m_nKind < kByProperty || m_nKind > kEntireModel)
        m_nKind = kEntireModel;
    AddTo(m_PropertyIds, view->ElementFilter().Properties().SortedKeys());
    AddTo(m_MaterialIds, view->ElementFilter().Materials().SortedKeys());
    if (const CModelSet* model = FindModel())
    {
        for (const UINT id : model->GetGroups().SortedKeys())
        {
            if (id != CModelSet::kDefaultGroupId && model->LookupGroup(static_cast<int>(id)))
                m_GroupIds.Add(static_cast<int32_t>(id));
        }
    }
}

void CPidMidFilterDlg::SetColumns()
{
    while (m_list.DeleteColumn(0))
    {
    }
    switch (m_nKind)
    {
    case kByProperty:
    case kByMaterial:
        m_list.InsertColumn(0, ToolText("Dialog.str", "ContourSettings", "Color").GetString(),
                            LVCFMT_LEFT, 103);
        m_list.InsertColumn(
            1,
            m_nKind == kByProperty
                ? ToolText("Dialog.str", "EditElementProperty", "PropertyID").GetString()
                : ToolText("Dialog.str", "PidMidFilter", "MaterialID").GetString(),
            LVCFMT_LEFT, 90);
        break;
    case kByGroup:
        m_list.InsertColumn(0, "", LVCFMT_LEFT, 23);
        m_list.InsertColumn(1, ToolText("Dialog.str", "PidMidFilter", "GroupID").GetString(),
                            LVCFMT_LEFT, 80);
        m_list.InsertColumn(2, ToolText("Dialog.str", "PidMidFilter", "GroupName").GetString(),
                            LVCFMT_LEFT, 90);
        break;
    default: break;
    }
}

void CPidMidFilterDlg::FillList()
{
    m_list.DeleteAllItems();
    const bool isList = m_nKind != kEntireModel;
    m_list.EnableWindow(isList);
    for (const int id : {IDC_FILTER_SELECT_ALL, IDC_FILTER_DESELECT_ALL})
    {
        if (CWnd* button = GetDlgItem(id))
            button->EnableWindow(isList);
    }
    m_list.SetImageList(nullptr, LVSIL_SMALL);
    m_images.reset();
    CModelSet* model = FindModel();
    if (!isList || model == nullptr)
        return;
    if (m_nKind == kByGroup)
    {
        for (const int32_t id : m_GroupIds)
        {
            const int row = m_list.InsertItem(m_list.GetItemCount(), "");
            m_list.SetItemData(row, static_cast<DWORD_PTR>(id));
            CString text;
            text.Format("   %d   ", id);
            m_list.SetItemText(row, 1, text.GetString());
            const CGroupSet* group = model->LookupGroup(id);
            m_list.SetItemText(row, 2, group ? group->GetName().GetString() : "");
        }
        return;
    }
    const CIdArray& ids = m_nKind == kByProperty ? m_PropertyIds : m_MaterialIds;
    std::vector<COLORREF> colours;
    std::vector<int> images;
    for (const int32_t id : ids)
    {
        int colour = -1;
        if (m_nKind == kByProperty)
        {
            if (const CPropertyColor* record = model->LookupPropertyColor(id))
                colour = record->color;
        }
        else if (const CMaterialColor* record = model->LookupMaterialColor(id))
        {
            colour = record->color;
        }
        images.push_back(colour == -1 ? I_IMAGENONE : static_cast<int>(colours.size()));
        if (colour != -1)
            colours.push_back(static_cast<COLORREF>(colour));
    }
    m_images = MakeIdSwatches(*this, colours);
    m_list.SetImageList(m_images.get(), LVSIL_SMALL);
    for (INT_PTR i = 0; i < ids.GetSize(); ++i)
    {
        const int row =
            m_list.InsertItem(m_list.GetItemCount(), "", images[static_cast<size_t>(i)]);
        m_list.SetItemData(row, static_cast<DWORD_PTR>(ids[i]));
        CString text;
        text.Format("%d   ", ids[i]);
        m_list.SetItemText(row, 1, text.GetString());
    }
}

void CPidMidFilterDlg::RestoreTicks()
{
    CCAEView* view = FindView();
    CIdFlags* flags = view ? FilterOfKind(view->ElementFilter(), m_nKind) : nullptr;
    if (flags == nullptr)
        return;
    for (int row = 0; row < m_list.GetItemCount(); ++row)
    {
        int value = 0;
        if (flags->Lookup(static_cast<UINT>(m_list.GetItemData(row)), value))
            ListView_SetCheckState(m_list.GetSafeHwnd(), row, value != 0);
    }
}

void CPidMidFilterDlg::OnKindChanged()
{
    UpdateData(TRUE);
    SetColumns();
    FillList();
    RestoreTicks();
}

void CPidMidFilterDlg::TickAll(BOOL isTicked)
{
    UpdateData(TRUE);
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        ListView_SetCheckState(m_list.GetSafeHwnd(), row, isTicked);
}

void CPidMidFilterDlg::OnSelectAll()
{
    TickAll(TRUE);
}

void CPidMidFilterDlg::OnDeselectAll()
{
    TickAll(FALSE);
}

void CPidMidFilterDlg::OnOK()
{
    CCAEView* view = FindView();
    if (view == nullptr)
        return; // the view has gone: nothing to filter
    UpdateData(TRUE);
    CElementFilter& filter = view->ElementFilter();
    bool isChanged = m_nKind != filter.Mode();
    filter.SetMode(m_nKind);
    bool isAllTicked = false;
    if (CIdFlags* flags = FilterOfKind(filter, m_nKind))
    {
        isAllTicked = true;
        for (int row = 0; row < m_list.GetItemCount(); ++row)
        {
            int id = 0;
            if (std::sscanf(m_list.GetItemText(row, 1).GetString(), "%d", &id) != 1)
                continue;
            int value = 0;
            if (!flags->Lookup(static_cast<UINT>(id), value))
                continue;
            const int ticked = ListView_GetCheckState(m_list.GetSafeHwnd(), row) ? 1 : 0;
            if (ticked == 0)
                isAllTicked = false;
            if (value != ticked)
            {
                flags->SetAt(static_cast<UINT>(id), ticked);
                isChanged = true;
            }
        }
    }
    if (m_nKind == kByGroup)
    {
        isAllTicked = false;
        if (isChanged)
        {
            CIdFlags& visible = filter.VisibleElementIds();
            visible.RemoveAll();
            const CModelSet* model = FindModel();
            for (const UINT groupId : filter.Groups().SortedKeys())
            {
                // The default group holds every element and has no row to untick.
                if (groupId == CModelSet::kDefaultGroupId)
                    continue;
                int value = 0;
                filter.Groups().Lookup(groupId, value);
                const CGroupSet* group =
                    model && value == 1 ? model->LookupGroup(static_cast<int>(groupId)) : nullptr;
                if (group == nullptr)
                    continue;
                CElementMap elements;
                group->CollectElements(elements);
                if (visible.IsEmpty())
                    visible.InitHashTable(static_cast<UINT>(elements.GetCount()) | 1u);
                POSITION pos = elements.GetStartPosition();
                while (pos != nullptr)
                {
                    UINT elementId = 0;
                    CFEElement* element = nullptr;
                    elements.GetNextAssoc(pos, elementId, element);
                    visible.SetAt(elementId, static_cast<int>(groupId));
                }
            }
        }
    }
    if (!isChanged)
        return;
    CAESet& renderer = view->Renderer();
    if (renderer.ContourResultId() != -1 || renderer.VectorResultId() != -1)
    {
        view->ComputeVisibleRange(isAllTicked ? TRUE : FALSE);
        CResultDisplayAttr attr = view->GetDisplayAttr();
        attr.SetRange(view->VisibleMin(), view->VisibleMax(), view->VisibleMin(),
                      view->VisibleMax(), attr.m_nBands);
        view->CopyDisplayAttr(attr);
    }
    view->BuildResultTitle();
    view->ClearStoredIdMaps();
    view->ClearSelection();
    renderer.RenderAll();
    view->InvalidateView();
}

void CPidMidFilterDlg::OnCancel()
{
    Release();
}
