// Select Entities dialog.
#include "dialogs/tools/SelectionByIdDlg.h"

#include "core/display/EntityKinds.h"
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/GroupSet.h"
#include "core/model/ModelSet.h"
#include "dialogs/settings/DialogTexts.h"
#include "dialogs/tools/IdSwatches.h"
#include "platform/dlg/ddx.h"
#include "project/ProjectData.h"
#include "resources/ids/dialogs_ids.h"
#include "view/CAEView.h"
#include "view/ViewMainFrame.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <utility>

namespace
{
constexpr int kElementKinds = kKindSolid | kKindShell | kKindBeam | kKindMass | kKindElass;

// A number read as the C library reads one (blanks, a sign, digits; the rest ignored), but
// checked: kNone without digits, kTooLarge outside int.
enum class Number
{
    kNone,
    kTooLarge,
    kRead
};

Number ReadNumber(const char* begin, const char* end, int& value)
{
    const char* p = begin;
    while (p < end && (*p == ' ' || *p == '\t'))
        ++p;
    bool isNegative = false;
    if (p < end && (*p == '+' || *p == '-'))
        isNegative = *p++ == '-';
    if (p == end || *p < '0' || *p > '9')
        return Number::kNone;
    long long magnitude = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p)
    {
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            return Number::kTooLarge;
    }
    const long long signedValue = isNegative ? -magnitude : magnitude;
    if (signedValue > INT_MAX)
        return Number::kTooLarge;
    value = static_cast<int>(signedValue);
    return Number::kRead;
}

int KindBit(int tag)
{
    switch (tag)
    {
    case kTagBeam: return kKindBeam;
    case kTagSolid: return kKindSolid;
    case kTagSpring: return kKindElass;
    case kTagMass: return kKindMass;
    case kTagShell: return kKindShell;
    default: return 0;
    }
}

// The entities named `times` times each, as the view is to be handed them: it toggles an
// entity at each mention, and a batch counts when a mention adds. The mentions give the same
// picks and the same batch as every naming would: an entity picked and named an even number
// of times goes twice (it moves to the new batch), one named an odd number of times once, and
// one not picked and named an even number of times not at all; when only the left-out
// namings would have made the batch count, one such entity keeps two more mentions.
std::vector<CModelEntity*> MentionsFor(const std::vector<std::pair<CModelEntity*, int>>& named,
                                       const CPickedEntityMap& picked)
{
    std::vector<CModelEntity*> mentions;
    bool isAdding = false;
    CModelEntity* counting = nullptr; // named twice or more, one of its adds left out
    for (const auto& [entity, times] : named)
    {
        const bool isPicked = picked.PLookup(entity) != nullptr;
        const bool isOdd = times % 2 == 1;
        if (isOdd || isPicked)
        {
            mentions.insert(mentions.end(), isOdd ? 1 : 2, entity);
            isAdding = isAdding || !(isOdd && isPicked); // only a lone pick-off adds nothing
        }
        if (times >= 2 && counting == nullptr && isOdd == isPicked)
            counting = entity;
    }
    if (!isAdding && counting != nullptr)
        mentions.insert(mentions.end(), 2, counting);
    return mentions;
}

int HighestId(UINT id)
{
    return id > static_cast<UINT>(INT_MAX) ? INT_MAX : static_cast<int>(id);
}
} // namespace

FW_TABLE(CSelectionByIdDlg, CToolDlg,
         fw::control<CBN_SELCHANGE, IDC_SELID_KIND, &CSelectionByIdDlg::OnSelchangeSelection>())

CSelectionByIdDlg::CSelectionByIdDlg(int frameKey)
    : CToolDlg(IDD_SELECTION_BY_ID, frameKey)
{
}

CSelectionByIdDlg::~CSelectionByIdDlg() = default;

void CSelectionByIdDlg::DoDataExchange(CDataExchange* dx)
{
    CToolDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_SELID_KIND, m_combo);
    DDX_Control(dx, IDC_SELID_PROPERTY_LIST, m_propertyList);
    DDX_Control(dx, IDC_SELID_MATERIAL_LIST, m_materialList);
    DDX_Text(dx, IDC_SELID_NODE_IDS, m_strNodeIds);
    DDX_Text(dx, IDC_SELID_ELEMENT_IDS, m_strElementIds);
}

bool CSelectionByIdDlg::ParseIdList(const char* text, int highestId, std::vector<IdRun>& runs)
{
    runs.clear();
    const char* p = text;
    while (true)
    {
        const char* end = p;
        while (*end != '\0' && *end != ',')
            ++end;
        const char* dash = std::find(p, end, '-');
        // A leading sign of the item is read as the dash of a range without a first bound.
        int first = 0;
        const Number a = ReadNumber(p, dash, first);
        if (a == Number::kTooLarge)
            return runs.clear(), false;
        if (dash == end)
        {
            if (a == Number::kRead)
                runs.push_back({first, first, 1});
        }
        else
        {
            int last = 0;
            const Number b = ReadNumber(dash + 1, end, last);
            if (b == Number::kTooLarge)
                return runs.clear(), false;
            if (a == Number::kRead && b == Number::kRead)
            {
                last = std::min(last, highestId);
                if (first < 0 || last < 0)
                {
                    runs.clear(); // a negative bound discards the whole entry
                    return true;
                }
                if (first <= last)
                    runs.push_back({first, last, 1});
            }
        }
        if (*end == '\0')
            return true;
        p = end + 1;
    }
}

std::vector<CSelectionByIdDlg::IdRun> CSelectionByIdDlg::CountIdRuns(const std::vector<IdRun>& runs)
{
    // Where the count changes: +times at a run's first id, -times past its last.
    std::vector<std::pair<long long, int>> changes;
    changes.reserve(2 * runs.size());
    for (const IdRun& run : runs)
    {
        changes.emplace_back(run.first, run.times);
        changes.emplace_back(static_cast<long long>(run.last) + 1, -run.times);
    }
    std::sort(changes.begin(), changes.end());
    std::vector<IdRun> counted;
    int times = 0;
    for (size_t i = 0; i < changes.size();)
    {
        const long long at = changes[i].first;
        for (; i < changes.size() && changes[i].first == at; ++i)
            times += changes[i].second;
        if (times > 0 && i < changes.size())
            counted.push_back(
                {static_cast<int>(at), static_cast<int>(changes[i].first - 1), times});
    }
    return counted;
}

BOOL CSelectionByIdDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    m_combo.ResetContent();
    m_combo.AddString("ID ");
    m_combo.SetCurSel(0);
    if ((SelectionFilter() & kElementKinds) == kElementKinds)
    {
        m_combo.AddString(ToolText("Dialog.str", "SelectionById", "Property").GetString());
        m_combo.AddString(ToolText("Dialog.str", "SelectionById", "Material").GetString());
        if (m_nKind == kByProperty || m_nKind == kByMaterial)
            m_combo.SetCurSel(m_nKind);
    }
    // The property and material lists are offered only with every element kind let through.
    if (m_combo.GetCurSel() == 0)
        m_nKind = kById;

    m_PropertyIds.RemoveAll();
    m_MaterialIds.RemoveAll();
    if (CModelSet* model = FindModel())
    {
        for (const UINT id : model->GetPropertyColors().SortedKeys())
            m_PropertyIds.Add(static_cast<int32_t>(id));
        for (const UINT id : model->GetMaterialColors().SortedKeys())
            m_MaterialIds.Add(static_cast<int32_t>(id));
    }
    FillList(m_propertyList, m_PropertyIds, kByProperty);
    FillList(m_materialList, m_MaterialIds, kByMaterial);

    SetWindowText(ToolText("Dialog.str", "SelectionById", "SelectEntities"));
    const DialogText texts[] = {{IDC_SELID_KIND_LABEL, "SelectionById", "Selection"},
                                {IDC_SELID_NODE_LABEL, "SelectionById", "NodeId"},
                                {IDC_SELID_ELEMENT_LABEL, "SelectionById", "ElementId"},
                                {IDOK, "COMMON", "Ok"},
                                {IDCANCEL, "COMMON", "Cancel"}};
    SetDialogTexts(*this, "Dialog.str", texts);
    ShowControls();
    // The focus went to the edit that takes the ids.
    return m_nKind == kById ? FALSE : TRUE;
}

int CSelectionByIdDlg::SelectionFilter() const
{
    const CCAEView* view = FindView();
    return view ? view->Selection().Filter() : 0;
}

void CSelectionByIdDlg::FillList(CListCtrl& list, const CIdArray& ids, int kind)
{
    list.DeleteAllItems();
    list.DeleteColumn(1);
    list.DeleteColumn(0);
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    list.SetImageList(nullptr, LVSIL_SMALL);
    list.InsertColumn(0, ToolText("Dialog.str", "ContourSettings", "Color").GetString(),
                      LVCFMT_LEFT, 80);
    list.InsertColumn(
        1,
        ToolText("Dialog.str", "SelectionById", kind == kByProperty ? "PropID" : "MatID")
            .GetString(),
        LVCFMT_LEFT, 70);

    std::vector<COLORREF> colours;
    CModelSet* model = FindModel();
    for (const int32_t id : ids)
    {
        COLORREF colour = RGB(0, 0, 0);
        if (model != nullptr && kind == kByProperty)
        {
            if (const CPropertyColor* record = model->LookupPropertyColor(id))
                colour = static_cast<COLORREF>(record->color);
        }
        else if (model != nullptr)
        {
            if (const CMaterialColor* record = model->LookupMaterialColor(id))
                colour = static_cast<COLORREF>(record->color);
        }
        colours.push_back(colour);
    }
    std::unique_ptr<CImageList>& images = kind == kByProperty ? m_propertyImages : m_materialImages;
    images = MakeIdSwatches(*this, colours);
    list.SetImageList(images.get(), LVSIL_SMALL);
    for (int i = 0; i < static_cast<int>(ids.GetSize()); ++i)
    {
        CString text;
        text.Format(" %d ", ids[i]);
        const int row = list.InsertItem(list.GetItemCount(), text.GetString(), i);
        list.SetItemText(row, 1, text.GetString());
        list.SetItemData(row, static_cast<DWORD_PTR>(ids[i]));
    }
}

void CSelectionByIdDlg::ShowControls()
{
    const bool isById = m_nKind == kById;
    for (const int id : {IDC_SELID_NODE_LABEL, IDC_SELID_ELEMENT_LABEL, IDC_SELID_BOX,
                         IDC_SELID_NODE_IDS, IDC_SELID_ELEMENT_IDS})
    {
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(isById ? SW_SHOW : SW_HIDE);
    }
    m_propertyList.ShowWindow(m_nKind == kByProperty ? SW_SHOW : SW_HIDE);
    m_materialList.ShowWindow(m_nKind == kByMaterial ? SW_SHOW : SW_HIDE);
    if (!isById)
        return;
    const int filter = SelectionFilter();
    CWnd* nodes = GetDlgItem(IDC_SELID_NODE_IDS);
    CWnd* elements = GetDlgItem(IDC_SELID_ELEMENT_IDS);
    if (elements != nullptr)
        elements->EnableWindow((filter & kElementKinds) == kElementKinds);
    if (nodes != nullptr)
        nodes->EnableWindow((filter & kKindNode) != 0);
    if (nodes != nullptr && (filter & kKindNode) != 0)
        GotoDlgCtrl(nodes);
    else if (elements != nullptr)
        GotoDlgCtrl(elements);
}

void CSelectionByIdDlg::OnSelchangeSelection()
{
    const int index = m_combo.GetCurSel();
    if (index == -1)
        return;
    m_nKind = index;
    ShowControls();
}

bool CSelectionByIdDlg::IsSelectable(const CFEElement* element) const
{
    const CCAEView* view = FindView();
    CViewMainFrame* frame = GetViewMainFrame();
    const CProjectData* project = frame ? frame->GetProject() : nullptr;
    if (element == nullptr || view == nullptr || project == nullptr ||
        view->IsEntityVisible(element) != 1)
        return false;
    const int bit = KindBit(element->type);
    return bit == 0 || (project->m_settings.m_displayFilter & static_cast<DWORD>(bit)) != 0;
}

bool CSelectionByIdDlg::IsSelectable(const CModelEntity* node) const
{
    CViewMainFrame* frame = GetViewMainFrame();
    const CProjectData* project = frame ? frame->GetProject() : nullptr;
    return node != nullptr && project != nullptr &&
           (project->m_settings.m_displayFilter & static_cast<DWORD>(kKindNode)) != 0;
}

bool CSelectionByIdDlg::ReadIds(const CString& text, int entityKind, std::vector<IdRun>& runs)
{
    runs.clear();
    const CModelSet* model = FindModel();
    if (model == nullptr || text.IsEmpty())
        return true;
    std::vector<IdRun> written;
    if (!ParseIdList(
            text.GetString(),
            HighestId(entityKind == kNodes ? model->GetMaxNodeId() : model->GetMaxElementId()),
            written))
        return false;
    runs = CountIdRuns(written);
    return true;
}

void CSelectionByIdDlg::SelectIds(const std::vector<IdRun>& runs, int entityKind)
{
    CModelSet* model = FindModel();
    CCAEView* view = FindView();
    if (model == nullptr || view == nullptr)
        return;
    std::vector<std::pair<CModelEntity*, int>> named; // with the number of times
    const auto take = [&](CModelEntity* entity, int times) { named.emplace_back(entity, times); };
    long long idCount = 0;
    for (const IdRun& run : runs)
        idCount += static_cast<long long>(run.last) - run.first + 1;
    const bool isNodes = entityKind == kNodes;
    if (idCount <= (isNodes ? model->GetNodeCount() : model->GetElementCount()))
    {
        for (const IdRun& run : runs)
        {
            for (long long id = run.first; id <= run.last; ++id)
            {
                if (isNodes)
                {
                    CFENode* node = model->GetNode(static_cast<int>(id));
                    if (IsSelectable(node))
                        take(node, run.times);
                }
                else
                {
                    CFEElement* element = model->FindElement(static_cast<int>(id));
                    if (IsSelectable(element))
                        take(element, run.times);
                }
            }
        }
    }
    else
    {
        // More ids than entities: the entities are walked instead, each looked up in the runs.
        const auto timesOf = [&](int id)
        {
            const auto after =
                std::upper_bound(runs.begin(), runs.end(), id,
                                 [](int x, const IdRun& run) { return x < run.first; });
            return after == runs.begin() || std::prev(after)->last < id ? 0
                                                                        : std::prev(after)->times;
        };
        if (isNodes && model->GetDefaultGroup() != nullptr)
        {
            model->GetDefaultGroup()->ForEachNode(
                [&](CFENode* node)
                {
                    const int times = timesOf(node->m_id);
                    if (times > 0 && IsSelectable(node))
                        take(node, times);
                });
        }
        else if (!isNodes)
        {
            model->ForEachElement(
                [&](CFEElement* element)
                {
                    const int times = timesOf(element->m_id);
                    if (times > 0 && IsSelectable(element))
                        take(element, times);
                });
        }
    }
    // Copied once: the entity array grows by a fixed step, and a million adds would copy it a
    // thousand times.
    const std::vector<CModelEntity*> mentions = MentionsFor(named, view->Selection().Picked());
    CEntityArray taken;
    taken.SetSize(static_cast<INT_PTR>(mentions.size()));
    std::copy(mentions.begin(), mentions.end(), taken.GetData());
    view->AddPickedEntity(taken);
}

bool CSelectionByIdDlg::SelectByIdList(const CString& text, int entityKind)
{
    std::vector<IdRun> runs;
    if (!ReadIds(text, entityKind, runs))
        return false;
    SelectIds(runs, entityKind);
    return true;
}

void CSelectionByIdDlg::SelectByRows(CListCtrl& list, int kind)
{
    CModelSet* model = FindModel();
    if (model == nullptr)
        return;
    for (int row = list.GetNextItem(-1, LVNI_SELECTED); row != -1;
         row = list.GetNextItem(row, LVNI_SELECTED))
    {
        const int id = static_cast<int>(list.GetItemData(row));
        CEntityArray taken;
        model->ForEachElement(
            [&](CFEElement* element)
            {
                const int value =
                    kind == kByProperty ? element->m_propertyId : element->m_materialId;
                if (value == id && IsSelectable(element))
                    taken.Add(element);
            });
        // The view may have gone with the pick that ended its selection.
        CCAEView* view = FindView();
        if (view == nullptr)
            return;
        view->AddPickedEntity(taken);
    }
}

void CSelectionByIdDlg::OnOK()
{
    UpdateData(TRUE);
    if (m_nKind == kById)
    {
        // Both lists are read before anything is picked: a refused list picks nothing.
        std::vector<IdRun> nodeIds;
        std::vector<IdRun> elementIds;
        const bool isNodesRead = ReadIds(m_strNodeIds, kNodes, nodeIds);
        if (!isNodesRead || !ReadIds(m_strElementIds, kElements, elementIds))
        {
            ShowDialogMessage(*this, ToolText("Message.str", "Error", "IdOutOfRange").GetString(),
                              MB_OK | MB_ICONSTOP);
            GotoDlgCtrl(GetDlgItem(isNodesRead ? IDC_SELID_ELEMENT_IDS : IDC_SELID_NODE_IDS));
            return;
        }
        if (!m_strNodeIds.IsEmpty())
            SelectIds(nodeIds, kNodes);
        if (!m_strElementIds.IsEmpty())
            SelectIds(elementIds, kElements);
    }
    else
    {
        SelectByRows(m_nKind == kByProperty ? m_propertyList : m_materialList, m_nKind);
    }
    ReleaseImageLists();
    EndDialog(IDOK);
}

void CSelectionByIdDlg::OnCancel()
{
    ReleaseImageLists();
    EndDialog(IDCANCEL);
}

void CSelectionByIdDlg::ReleaseImageLists()
{
    m_propertyList.SetImageList(nullptr, LVSIL_SMALL);
    m_materialList.SetImageList(nullptr, LVSIL_SMALL);
    m_propertyImages.reset();
    m_materialImages.reset();
}
